#pragma once

#include <cstdint>
#include <string_view>

// The program's fixed messages about the open package, shared by the window and the command line.
namespace tb::messages {

inline constexpr std::u16string_view kCreateNotFound =
    u"The package could not be created. The specified path can not be found.";
inline constexpr std::u16string_view kCreateFailed =
    u"The package could not be created. Please make sure the disk has enough space left and "
    u"that you have write permission to the specified directory.";
inline constexpr std::u16string_view kOpenCorrupt =
    u"The package is corrupt and could not be opened. This is most likely\r\ncaused by a syntax "
    u"error in the package.\r\n\r\nPlease correct the problem and try again.";
inline constexpr std::u16string_view kOpenFailed =
    u"The package could not be opened.\r\nPlease make sure that you have permission to access "
    u"the file and that the drive which the file is located on is connected and available.";
inline constexpr std::u16string_view kSaveNotFound =
    u"An error occured while saving the package. The path to the file can not be found. Please "
    u"make sure that the drive the file is located on is connected and available.";
inline constexpr std::u16string_view kSaveFailed =
    u"An error occured while saving the package. Please make sure the file is not read-only and "
    u"that you have permission to write to the file.";
// The file format has no escape for a double quote inside a quoted text.
inline constexpr std::u16string_view kSaveQuoteInText =
    u"An error occured while saving the package. One of its texts contains a double quote "
    u"(\"), which a package file cannot hold.\r\n\r\nPlease remove it and try again.";
inline constexpr std::u16string_view kExportQuoteInText =
    u"An error occured while exporting the package. One of its texts contains a double quote "
    u"(\"), which a package file cannot hold.\r\n\r\nPlease remove it and try again.";
inline constexpr std::u16string_view kExportNotFound =
    u"An error occured while exporting the package. The path to the file can not be "
    u"found.\r\n\r\nPlease make sure that the drive the file is located on is connected and "
    u"available.";
inline constexpr std::u16string_view kExportInvalidName =
    u"An error occured while exporting the package. The path must not:\r\n- include any of the "
    u"following characters: < > : \" / \\ ? * |\r\n- be system reserved names, including 'CON', "
    u"'AUX', 'PRN, 'COM1' and 'LPT1'\r\n- be '.' or '..'\r\n\r\nPlease enter a valid path.";
inline constexpr std::u16string_view kExportFailed =
    u"An error occured while exporting the package.\r\n\r\nPlease make sure the file is not "
    u"read-only and that you have permission to write to the file.";

} // namespace tb::messages

namespace tb::messages {

inline constexpr std::u16string_view kSaveChanges = u"Save any changes?";

// New Package checks.
inline constexpr std::u16string_view kInvalidPackageName =
    u"The package name cannot:\r\n- Contain any of the following characters: < > : \" / \\ ? * "
    u"|\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, 'COM1' and 'LPT1'\r\n- be "
    u"'.' or '..'\r\n\r\nPlease enter a valid name.";
inline constexpr std::u16string_view kInvalidLocation =
    u"Project location does not exist or does not refer to a valid directory.\r\n\r\nDirectory "
    u"names can not contain any of the following characters:\r\n* ? | \" < >\r\n\r\nPlease enter "
    u"a valid location.";
inline constexpr std::u16string_view kPackageExists =
    u"The package can not be created because another package with the same name already "
    u"exists at the location.";

// Export.
inline constexpr std::u16string_view kExportNoOutputFile = u"You must specify an output file.";
inline constexpr std::u16string_view kExportRelativeOutputFile =
    u"Invalid output file. You must specify an absolute path to the file.";
inline constexpr std::u16string_view kExportSucceeded = u"Package was successfully exported to '";

// The message for a failed create, open, save or export with the given result code.
std::u16string_view CreateMessage(int32_t code);
std::u16string_view OpenMessage(int32_t code);
std::u16string_view SaveMessage(int32_t code);
std::u16string_view ExportMessage(int32_t code);

} // namespace tb::messages

namespace tb::messages {

inline constexpr std::u16string_view kNoSdk =
    u"No Symbian SDK could be found. You must have at least one Symbian SDK installed in order "
    u"to use Tinderbridge.\r\n\r\nPlease install a Symbian SDK and restart Tinderbridge.";

} // namespace tb::messages

// Main window. Texts with a path are the part before it and the part after it.
namespace tb::messages {

inline constexpr std::u16string_view kRemoveRecentBefore = u"The package '";
inline constexpr std::u16string_view kRemoveRecentAfter =
    u"' cannot be opened. Do you want to remove the reference to it from the Recent Files list?";
inline constexpr std::u16string_view kFolderBefore = u"The folder '";
inline constexpr std::u16string_view kFolderNotFoundAfter = u"' coult not be found.";
inline constexpr std::u16string_view kFolderNoAccessAfter =
    u"' coult not be found. Please make sure you have read access to the folder.\r\nIf the "
    u"folder is on an external drive please make sure it is connected and available.";
inline constexpr std::u16string_view kNoFolderApplicationBefore =
    u"There is no application available to open the folder '";
inline constexpr std::u16string_view kNoFolderApplicationAfter = u"'.";
inline constexpr std::u16string_view kHelpBefore = u"Could not locate the help file '";
inline constexpr std::u16string_view kHelpAfter =
    u"'.\r\n\r\nYour installation may be corrupt. If this problem continues to occur, please "
    u"reinstall the application.";

} // namespace tb::messages

// Package languages.
namespace tb::messages {

inline constexpr std::u16string_view kNoLanguage =
    u"The package must support at least one language.";
inline constexpr std::u16string_view kConfirmLanguageChanges =
    u"The supported languages have been changed and will affect language dependent texts, "
    u"dialogs and files.\n\nText, dialogs and file references affected by adding a language "
    u"must be manually updated from the Localization and Designer views.\n\nRemoving a "
    u"language will remove all language dependent texts, dialogs and file references related "
    u"to that language.\nNote that source files will remain on disk.\n\nDo you want to "
    u"continue?";

} // namespace tb::messages
