#pragma once

#include "util/wide_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace tb {

// Windows: backslash separators and drive letters (the form of stored package paths and of
// paths from Windows machines). Posix: '/' separators, no drives (host paths here).
enum class PathStyle { Windows, Posix };

constexpr PathStyle kHostPathStyle = PathStyle::Posix;
constexpr size_t kMaxWindowsPath = 260;
constexpr size_t kMaxPosixPath = 4096;

char16_t Separator(PathStyle style);

// A view into one path text (no copy).
struct PathParts {
    std::optional<char16_t> drive;  // Windows style only: first char when the second is ':'
    std::u16string_view directory;  // after the drive, up to the file name, no final separator
    std::u16string_view fileName;   // after the last separator, extension included
    std::u16string_view extension;  // from the last dot of the file name, dot included
};

PathParts splitPath(std::u16string_view path, PathStyle style = PathStyle::Windows);

// Joins relative onto folder, resolving "." and ".."; a rooted relative path goes to the root
// of folder (its drive root in Windows style); an absolute relative path is returned as is.
// None when the result would be too long for the style.
std::optional<WideText> combinePath(std::u16string_view folder, std::u16string_view relative,
                                    PathStyle style = PathStyle::Windows);

// Path of toFile relative to fromFolder: ".\name" for a file in the folder itself, one ".."
// per level up. None when the two share no root (other drive) or the result is too long.
std::optional<WideText> relativePath(std::u16string_view fromFolder, std::u16string_view toFile,
                                     PathStyle style = PathStyle::Windows);

// Host path conversions (UTF-8 file names).
std::string toHostPath(std::u16string_view path);
WideText fromHostPath(std::string_view path);

} // namespace tb
