#include "buildengine/build_step_tracker.h"

#include "buildengine/path_macros.h"
#include "buildengine/sis_file.h"
#include "model/tables.h"
#include "util/numbers.h"
#include "util/path.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tb {

namespace {

enum class Step {
    Languages,
    Header,
    Logo,
    UnknownLine,
    File,
    EmbeddedPackage,
    LanguageBlock,
    OptionsBlock,
    IfBlock,
    EmbedFailure,
    FileAccess,
    UidMismatch,
    OutputWrite,
};

struct Keyword {
    std::u16string_view text;
    Step step;
};

// The Windows tool's texts, then the Linux build's (makesis 4.0).
constexpr Keyword kKeywords[] = {
    {u"processing languages", Step::Languages},
    {u"processing header", Step::Header},
    {u"processing logo", Step::Logo},
    {u"processing logo name", Step::Logo},
    {u"unknown line", Step::UnknownLine},
    {u"processing file", Step::File},
    {u"processing embedded package file", Step::EmbeddedPackage},
    {u"processing language block", Step::LanguageBlock},
    {u"processing options block", Step::OptionsBlock},
    {u"processing IF block", Step::IfBlock},
    {u"SISfile error.", Step::EmbedFailure},
    {u"memory error.", Step::EmbedFailure},
    {u"file I/O fault.", Step::FileAccess},
    {u"different UID.", Step::UidMismatch},
    {u"file not found", Step::FileAccess},
    {u"UID in the embedded SIS file is not the same as the UID given in the package file.",
     Step::UidMismatch},
    {u"Bad SIS file to embed", Step::EmbedFailure},
    {u"Can't write to output SIS file", Step::OutputWrite},
};

// The Linux makesis names an embedded file it cannot load on a line of its own.
constexpr std::u16string_view kEmbedLoadFailure = u"Caught exception ";
constexpr std::u16string_view kEmbedLoadFailureFile = u" in loading embedded SIS file ";

// Where makesis goes after finishing item and everything below it: the next item of the same
// list; at the end of an option's items the next option that has items (options without items
// have no IF block); at the end of a condition branch's items the first item of the next
// branch that has any (makesis reports no ELSEIF or ELSE line, and takes every branch in); at
// the end of a list whatever follows its option list or block, at any depth. None past the end
// of the sequence.
const InstallItem* itemAfter(const InstallItem* item) {
    while (item) {
        if (item->next)
            return item->next;
        const InstallItem* parent = item->parent;
        if (!parent)
            return nullptr;
        if (parent->kind == InstallItemKind::Option) {
            for (const InstallItem* option = parent->next; option; option = option->next) {
                if (option->firstChild)
                    return option;
            }
            item = parent->parent;
        } else if (parent->kind == InstallItemKind::ConditionBranch) {
            for (const InstallItem* branch = parent->next; branch; branch = branch->next) {
                if (branch->firstChild)
                    return branch->firstChild;
            }
            item = parent->parent;
        } else {
            item = parent;
        }
    }
    return nullptr;
}

// The first item of a condition block's branches, or what follows an empty block.
const InstallItem* intoBlock(const InstallItem* block) {
    for (const InstallItem* branch = block->firstChild; branch; branch = branch->next) {
        if (branch->firstChild)
            return branch->firstChild;
    }
    return itemAfter(block);
}

std::u16string_view textAt(const LocalizedText& texts, size_t index) {
    return index < texts.size() ? std::u16string_view(texts[index]) : std::u16string_view();
}

// Opens the file the way makesis reads it. Folders open on Linux but not as files.
ErrorCode openForReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return mapErrno(errno);
    struct stat info {};
    ErrorCode result = err::kOk;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        result = mapErrno(EISDIR);
    ::close(fd);
    return result;
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<MakesisLine> ParseMakesisLine(std::u16string_view line) {
    for (size_t close = line.find(u") : "); close != std::u16string_view::npos;
         close = line.find(u") : ", close + 1)) {
        size_t open = close;
        while (open > 0 && isDigit(line[open - 1]))
            --open;
        if (open == close || open == 0 || line[open - 1] != u'(' || close - open > 9)
            continue;
        long number = 0;
        for (size_t i = open; i < close; ++i)
            number = number * 10 + (line[i] - u'0');
        return MakesisLine{number, line.substr(close + 4)};
    }
    return std::nullopt;
}

WideText WithFinalSlash(WideText baseFolder) {
    if (!baseFolder.empty() && baseFolder.back() != u'/')
        baseFolder.push_back(u'/');
    return baseFolder;
}

WideText ExpandBuildPath(std::u16string_view stored, std::u16string_view baseFolder,
                         const BuildConfiguration& configuration) {
    const SdkInfo* sdk = configuration.currentSdk();
    if (!sdk || stored.empty())
        return WideText(stored);
    return ExpandSourcePath(stored, baseFolder, *sdk, configuration.platform(),
                            configuration.target(), kHostPathStyle);
}

BuildStepTracker::BuildStepTracker(BuildOutputLog& log, const BuildConfiguration& configuration,
                                   const Package& package, WideText baseFolder)
    : log_(log), configuration_(configuration), package_(package),
      baseFolder_(WithFinalSlash(std::move(baseFolder))), current_(package.items.first) {}

bool BuildStepTracker::handleLine(std::u16string_view line) {
    if (line.starts_with(kEmbedLoadFailure)) {
        if (const size_t at = line.find(kEmbedLoadFailureFile); at != std::u16string_view::npos) {
            failedEmbed_ = WideText(line.substr(at + kEmbedLoadFailureFile.size()));
            return true;
        }
    }
    noteStep(line);
    const size_t colon = line.rfind(u':');
    // The keyword starts after the colon and the space that follows it.
    if (colon == std::u16string_view::npos || colon + 2 > line.size())
        return false;
    const std::u16string_view keyword = line.substr(colon + 2);
    const auto match = std::find_if(std::begin(kKeywords), std::end(kKeywords),
                                    [&](const Keyword& k) { return k.text == keyword; });
    if (match == std::end(kKeywords))
        return false;

    switch (match->step) {
    case Step::Languages:
        log_.appendLine(u"Processing Languages...");
        break;
    case Step::Header:
        log_.appendLine(u"Processing General info...");
        break;
    case Step::Logo:
        log_.appendLine(u"Processing Logo...");
        break;
    case Step::UnknownLine:
        log_.appendLine(u"Unknown error; try building the package manually from the command "
                        u"line using makesis");
        break;
    case Step::File:
        fileStep();
        break;
    case Step::EmbeddedPackage:
        embeddedPackageStep();
        break;
    case Step::LanguageBlock:
        languageStep();
        break;
    case Step::OptionsBlock:
        optionsStep();
        break;
    case Step::IfBlock:
        ifStep();
        break;
    case Step::EmbedFailure:
        explainEmbedFailure();
        break;
    case Step::FileAccess:
        explainFileAccess();
        break;
    case Step::UidMismatch:
        explainUidMismatch();
        break;
    case Step::OutputWrite:
        explainOutputWrite();
        break;
    }
    return true;
}

// Remembers what a makesis progress line was about, so that an error makesis reports for the
// same line can name it. The item is filled in by the step that handles the line.
void BuildStepTracker::noteStep(std::u16string_view line) {
    constexpr std::u16string_view kProcessing = u"processing ";
    const std::optional<MakesisLine> parsed = ParseMakesisLine(line);
    if (!parsed || !parsed->message.starts_with(kProcessing))
        return;
    lastStep_ = {parsed->line, WideText(parsed->message.substr(kProcessing.size())), nullptr};
}

WideText BuildStepTracker::describe(const InstallItem* item) const {
    if (const auto* file = itemAs<InstallFileItem>(item))
        return expand(file->source);
    if (const auto* embedded = itemAs<IncludePackageItem>(item))
        return expand(embedded->path);
    if (const auto* dialog = itemAs<ShowDialogItem>(item))
        return dialog->name;
    if (const auto* files = itemAs<InstallLanguageFileItem>(item))
        return expand(textAt(files->sources, 0));
    if (const auto* dialogs = itemAs<ShowLanguageDialogItem>(item))
        return dialogs->name;
    if (const auto* packages = itemAs<IncludeLanguagePackageItem>(item))
        return numberToText(packages->uid, 16);
    return {};
}

void BuildStepTracker::announce() {
    lastStep_.item = current_;
    receivers_.notify([this](ItemReceiver& receiver) { receiver.itemReached(current_); });
}

void BuildStepTracker::advance() {
    if (!current_)
        return;
    previous_ = current_;
    current_ = itemAfter(current_);
}

void BuildStepTracker::fileStep() {
    if (!current_)
        return;
    std::optional<WideText> line;
    if (IsNullFile(current_)) {
        // Nothing is added: its target is only removed at uninstallation.
    } else if (const auto* file = itemAs<InstallFileItem>(current_)) {
        const bool preinstalled = package_.type == PackageType::PreinstalledApplication ||
                                  package_.type == PackageType::PreinstalledAddOn;
        line = (preinstalled ? u"Processing " : u"Adding ") + expand(file->source) + u"...";
    } else if (const auto* dialog = itemAs<ShowDialogItem>(current_)) {
        line = u"Adding Dialog '" + dialog->name + u"'...";
    }
    if (line) {
        announce();
        log_.appendLine(*line);
    }
    advance();
}

void BuildStepTracker::embeddedPackageStep() {
    if (!current_)
        return;
    if (const auto* embedded = itemAs<IncludePackageItem>(current_)) {
        log_.appendLine(u"Adding Package '" + expand(embedded->path) + u"'...");
        announce();
    }
    advance();
}

void BuildStepTracker::languageStep() {
    if (!current_)
        return;
    std::optional<WideText> line;
    if (IsNullFile(current_)) {
        // a null file in language form: nothing is added
    } else if (itemAs<InstallLanguageFileItem>(current_)) {
        line = u"Adding Language file...";
    } else if (const auto* dialog = itemAs<ShowLanguageDialogItem>(current_)) {
        line = u"Adding Language dialog '" + dialog->name + u"'...";
    } else if (const auto* embedded = itemAs<IncludeLanguagePackageItem>(current_)) {
        line = u"Adding Language package '" + numberToText(embedded->uid, 16) + u"'...";
    }
    if (line) {
        log_.appendLine(*line);
        announce();
    }
    advance();
}

void BuildStepTracker::optionsStep() {
    if (!current_)
        return;
    previous_ = current_;
    const InstallItem* option = current_->firstChild;
    while (option && !option->firstChild)
        option = option->next;
    current_ = option ? option : itemAfter(current_);
}

void BuildStepTracker::ifStep() {
    if (!current_)
        return;
    previous_ = current_;
    if (current_->kind == InstallItemKind::Option && current_->firstChild)
        current_ = current_->firstChild;
    else if (current_->kind == InstallItemKind::ConditionBlock)
        current_ = intoBlock(current_);
}

void BuildStepTracker::explainEmbedFailure() {
    if (!failedEmbed_.empty()) {
        if (std::optional<WideText> message = embedFailureFor(failedEmbed_)) {
            log_.appendLine(*message);
            return;
        }
    }
    if (const auto* embedded = itemAs<IncludePackageItem>(previous_))
        log_.appendLine(u"Error, failed to embed '" + expand(embedded->path) +
                        u"', the file is corrupt or it is not a SIS file");
    else if (itemAs<IncludeLanguagePackageItem>(previous_))
        log_.appendLine(u"Error, failed to embed language dependent SIS file; the file is corrupt");
    else
        log_.appendLine(u"Error, failed to add file; the file is empty or it is corrupt");
}

// The message for the embedded file at this host path, found among the package's items.
std::optional<WideText> BuildStepTracker::embedFailureFor(const WideText& path) const {
    for (const InstallItem* item = package_.items.first; item;
         item = NextInPreOrder(item, nullptr)) {
        if (const auto* embedded = itemAs<IncludePackageItem>(item)) {
            if (expand(embedded->path) == path)
                return u"Error, failed to embed '" + path +
                       u"', the file is corrupt or it is not a SIS file";
        } else if (const auto* packages = itemAs<IncludeLanguagePackageItem>(item)) {
            for (const WideText& source : packages->paths)
                if (expand(source) == path)
                    return WideText(u"Error, failed to embed language dependent SIS file; the "
                                    u"file is corrupt");
        }
    }
    return std::nullopt;
}

void BuildStepTracker::explainOutputWrite() {
    log_.appendLine(u"Error, can not write the SIS file '" + BuiltFilePath(package_, baseFolder_) +
                    u"'; make sure that the output folder exists and that you have permission "
                    u"to write to it");
}

void BuildStepTracker::explainFileAccess() {
    std::optional<WideText> message;
    if (!previous_) {
        // makesis stopped before the first item, so on the logo.
        const PackageLogo& logo = package_.logo;
        if (!logo.present || logo.source.empty())
            return;
        message = fileCheck(logo.source);
        if (!message)
            message = u"Error, unsupported image format; only MBM bitmaps are supported";
    } else if (const auto* file = itemAs<InstallFileItem>(previous_)) {
        message = fileCheck(file->source);
    } else if (const auto* embedded = itemAs<IncludePackageItem>(previous_)) {
        message = fileCheck(embedded->path);
    } else if (const auto* dialog = itemAs<ShowDialogItem>(previous_)) {
        message = fileCheck(dialog->source);
    } else if (const auto* files = itemAs<InstallLanguageFileItem>(previous_)) {
        message =
            languageSourcesMessage(files->sources, u"Language file is missing a source file for '");
    } else if (const auto* packages = itemAs<IncludeLanguagePackageItem>(previous_)) {
        message = languageSourcesMessage(packages->paths,
                                         u"Language SIS file is missing a source file for '");
    } else if (const auto* dialogs = itemAs<ShowLanguageDialogItem>(previous_)) {
        message = languageSourcesMessage(dialogs->sources,
                                         u"Language dialog is missing a source file for '");
    }
    if (message)
        log_.appendLine(*message);
}

std::optional<WideText>
BuildStepTracker::languageSourcesMessage(const LocalizedText& sources,
                                         std::u16string_view missingText) const {
    for (size_t i = 0; i < package_.languages.size(); ++i) {
        const std::u16string_view source = textAt(sources, i);
        if (source.empty())
            return WideText(missingText) + LanguageDisplayName(package_.languages[i]) + u"'";
        if (std::optional<WideText> message = fileCheck(source))
            return message;
    }
    return std::nullopt;
}

void BuildStepTracker::explainUidMismatch() {
    const auto* embedded = itemAs<IncludePackageItem>(previous_);
    if (!embedded)
        return;
    const WideText expected = numberToText(embedded->uid, 16);
    uint32_t fileUid = 0;
    if (ReadSisUid(toHostPath(expand(embedded->path)), fileUid) == err::kOk)
        log_.appendLine(u"Error, UID mismatch; the UID in the SIS file(" +
                        numberToText(fileUid, 16) +
                        u") is different from what is specified in the package(" + expected + u")");
    else
        log_.appendLine(u"Error, UID mismatch; the UID in the SIS file is different from what "
                        u"is specified in the package(" +
                        expected + u")");
}

std::optional<WideText> BuildStepTracker::fileCheck(std::u16string_view storedPath) const {
    const WideText path = expand(storedPath);
    switch (openForReading(toHostPath(path))) {
    case err::kOk:
        return std::nullopt;
    case err::kNotFound:
        return u"Error, can not find file '" + path + u"'";
    case err::kAccessDenied:
        return u"Error, can not open file '" + path +
               u"'; the file is locked by another application or you don't have permission to "
               u"access the file";
    default:
        return u"Error, can not open file '" + path + u"'";
    }
}

WideText BuildStepTracker::expand(std::u16string_view storedPath) const {
    return ExpandBuildPath(storedPath, baseFolder_, configuration_);
}

} // namespace tb
