#pragma once

#include <string_view>

namespace tb {

// Folder and file names on the device compare without regard to case, beyond ASCII too, as
// the device's file system does: for finding a folder and for the order folders are shown in.
int CompareFolderNames(std::u16string_view a, std::u16string_view b);

inline bool SameFolderName(std::u16string_view a, std::u16string_view b) {
    return CompareFolderNames(a, b) == 0;
}

inline bool FolderNameLess(std::u16string_view a, std::u16string_view b) {
    return CompareFolderNames(a, b) < 0;
}

} // namespace tb
