#include "editing/dialog_text_files.h"

#include "buildengine/path_macros.h"
#include "model/tables.h"
#include "util/path.h"
#include "util/text_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <unistd.h>

namespace tb {

namespace fs = std::filesystem;

namespace {

std::string withSlash(const std::string& folder) {
    return folder.empty() || folder.back() == '/' ? folder : folder + '/';
}

// A file the replace question is about: anything but a folder (writing over a folder fails).
bool existsAsFile(const std::string& path) {
    std::error_code failed;
    const fs::file_status status = fs::status(path, failed);
    return !failed && fs::exists(status) && !fs::is_directory(status);
}

std::optional<std::string> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

ErrorCode deleteFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT)
        return err::kOk;
    return mapErrno(errno);
}

// What a written file was before this attempt: none when the attempt created it.
struct Written {
    const std::string* path;
    std::optional<std::string> previous;
};

void undo(const std::vector<Written>& written) {
    for (auto it = written.rbegin(); it != written.rend(); ++it) {
        if (it->previous)
            WriteFileAtomically(*it->path, *it->previous);
        else
            deleteFile(*it->path);
    }
}

} // namespace

WideText DialogTextReadError(const std::string& path) {
    return u"Error, the file '" + fromHostPath(path) +
           u"' could not be read. Please make sure the file is available and that you have "
           u"permission to access the file.";
}

WideText ReplaceFileQuestion(const std::string& path) {
    return u"The file '" + fromHostPath(path) + u"' already exists. Do you want to replace it?";
}

WideText TextForEditing(std::u16string_view fileText) {
    WideText text;
    text.reserve(fileText.size());
    for (size_t i = 0; i < fileText.size(); ++i) {
        if (fileText[i] != u'\r') {
            text.push_back(fileText[i]);
        } else {
            text.push_back(u'\n');
            if (i + 1 < fileText.size() && fileText[i + 1] == u'\n')
                ++i;
        }
    }
    return text;
}

WideText TextForFile(std::u16string_view editedText) {
    WideText text;
    text.reserve(editedText.size() + editedText.size() / 16);
    for (char16_t c : editedText) {
        if (c == u'\n')
            text.push_back(u'\r');
        text.push_back(c);
    }
    return text;
}

std::string DialogTextFilePath(const std::string& packageFolder, std::u16string_view name) {
    return withSlash(packageFolder) + toHostPath(name) + ".txt";
}

std::vector<std::string> LanguageDialogTextFilePaths(const std::string& packageFolder,
                                                     std::u16string_view name,
                                                     const std::vector<uint32_t>& languages) {
    std::vector<std::string> paths;
    for (uint32_t language : languages)
        paths.push_back(DialogTextFilePath(packageFolder,
                                           WideText(name) + u"_" + LanguageDisplayName(language)));
    return paths;
}

WideText StoredDialogTextPath(const std::string& hostPath, const std::string& packageFolder) {
    // No SDK list: a file beside the package stays relative even inside an SDK tree.
    return MakeStoredPath(fromHostPath(hostPath), fromHostPath(withSlash(packageFolder)), {},
                          kHostPathStyle);
}

std::string DialogTextHostPath(std::u16string_view stored, const std::string& packageFolder,
                               const BuildConfiguration& configuration) {
    const SdkInfo* sdk = configuration.currentSdk();
    return toHostPath(ExpandSourcePath(stored, fromHostPath(withSlash(packageFolder)),
                                       sdk ? *sdk : SdkInfo{}, configuration.platform(),
                                       configuration.target(), kHostPathStyle));
}

TextFilesResult CreateTextFiles(const std::vector<TextFileContent>& files,
                                const ReplaceQuestion& mayReplace) {
    std::vector<bool> replaces;
    for (const TextFileContent& file : files) {
        replaces.push_back(existsAsFile(file.path));
        if (replaces.back() && !mayReplace(file.path))
            return TextFilesResult::Declined;
    }
    std::vector<Written> written;
    for (size_t i = 0; i < files.size(); ++i) {
        Written entry{&files[i].path, std::nullopt};
        // A file whose bytes could not be put back is not replaced.
        if (replaces[i] && !(entry.previous = readBytes(files[i].path))) {
            undo(written);
            return TextFilesResult::Failed;
        }
        // The failed file is undone too: a file rewritten in place may be left half written.
        written.push_back(std::move(entry));
        if (WriteTextFile(files[i].path, files[i].text) != err::kOk) {
            undo(written);
            return TextFilesResult::Failed;
        }
    }
    return TextFilesResult::Written;
}

ErrorCode DeleteDialogTextFiles(const InstallItem& dialog, const std::string& packageFolder,
                                const BuildConfiguration& configuration) {
    std::vector<WideText> stored;
    if (const auto* single = itemAs<ShowDialogItem>(&dialog))
        stored.push_back(single->source);
    else if (const auto* language = itemAs<ShowLanguageDialogItem>(&dialog))
        stored.assign(language->sources.begin(), language->sources.end());
    ErrorCode result = err::kOk;
    for (const WideText& path : stored) {
        if (path.empty())
            continue;
        const ErrorCode code = deleteFile(DialogTextHostPath(path, packageFolder, configuration));
        if (result == err::kOk)
            result = code;
    }
    return result;
}

} // namespace tb
