#pragma once

#include "buildengine/build_configuration.h"
#include "model/install_item.h"
#include "util/error_code.h"
#include "util/wide_text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tb {

// The text of a dialog lives in text files beside the package, never in the package file.

inline constexpr std::u16string_view kDialogCreateFailed =
    u"The dialog could not be created. Please make sure you have permission to write to the "
    u"folder.\r\nIf the package is located on an external drive, please make sure it is "
    u"connected and available.";
inline constexpr std::u16string_view kDialogSaveFailed =
    u"The dialog could not be saved. Please make sure you have permission to write to the file "
    u"and folder.\r\nIf the package is located on an external drive, please make sure it is "
    u"connected and available.";
inline constexpr std::u16string_view kImportTextFailed =
    u"The file could not be read. Please make sure you have permission to access the "
    u"file.\r\nIf the file is on an external drive, please make sure that it is connected and "
    u"available.";

// Shown in place of the text of a dialog whose file cannot be read.
WideText DialogTextReadError(const std::string& path);
// Asked before a new dialog writes over a file.
WideText ReplaceFileQuestion(const std::string& path);

// The text box holds lines ended by LF; the files have CR LF (a lone CR ends a line too).
WideText TextForEditing(std::u16string_view fileText);
WideText TextForFile(std::u16string_view editedText);

// Where a new dialog's text goes: <packageFolder>/<name>.txt, and for a language dialog
// <packageFolder>/<name>_<language name>.txt, one per language in the package's order.
std::string DialogTextFilePath(const std::string& packageFolder, std::u16string_view name);
std::vector<std::string> LanguageDialogTextFilePaths(const std::string& packageFolder,
                                                     std::u16string_view name,
                                                     const std::vector<uint32_t>& languages);

// How a new dialog's text file is stored in the item: relative to the package folder.
WideText StoredDialogTextPath(const std::string& hostPath, const std::string& packageFolder);
// The file a stored text path names: macro paths for the configuration's SDK, relative paths
// against the package folder.
std::string DialogTextHostPath(std::u16string_view stored, const std::string& packageFolder,
                               const BuildConfiguration& configuration);

struct TextFileContent {
    std::string path;
    WideText text;
};

enum class TextFilesResult { Written, Declined, Failed };

// Asked, before anything is written, for each file that exists already: true replaces it.
using ReplaceQuestion = std::function<bool(const std::string& path)>;

// Writes the files in order. The first No to the replace question stops with nothing written.
// When a write fails, the attempt is undone, last file first: the files it created are deleted
// and the files it replaced get their previous bytes back.
TextFilesResult CreateTextFiles(const std::vector<TextFileContent>& files,
                                const ReplaceQuestion& mayReplace);

// Delete of the Remove/Delete choice: every text file of a dialog item (all languages of a
// language dialog; empty paths are skipped, files already gone count as deleted). Call it while
// the item is alive, before removeItem destroys it. 0, or the code of the first failure.
ErrorCode DeleteDialogTextFiles(const InstallItem& dialog, const std::string& packageFolder,
                                const BuildConfiguration& configuration);

} // namespace tb
