#pragma once

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
