#pragma once

#include "editing/device_folders.h"

#include <optional>
#include <span>
#include <string_view>

namespace tb {

// One entry of a file chooser's type list: what the user reads and the patterns it stands
// for, separated by ';'.
struct FileFilter {
    std::u16string_view description;
    std::u16string_view patterns;
};

// The types offered when files are added straight into a folder of that device folder (the
// user's sub-folders count as private). None for the full mode's folders in between, such as
// "sys" or "resource": nothing can be added to them.
std::span<const FileFilter> FolderFileFilters(std::optional<DeviceFolder> folder);

} // namespace tb
