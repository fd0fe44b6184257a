#pragma once

#include "util/wide_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tb {

// The fixed folders files are installed into on the device, in table order.
enum class DeviceFolder : int32_t {
    Binaries = 0,     // \sys\bin
    Registration = 1, // \private\10003a3f\import\apps
    Resources = 2,    // \resource\apps
    Plugins = 3,      // \resource\plugins
    Private = 4,      // \private\<package UID>
    Help = 5,         // \resource\help
};

inline constexpr std::array<DeviceFolder, 6> kDeviceFolders = {
    DeviceFolder::Binaries, DeviceFolder::Registration, DeviceFolder::Resources,
    DeviceFolder::Plugins,  DeviceFolder::Private,      DeviceFolder::Help};

// Category bits: which folders a file may go to (see CategoryMask).
enum CategoryBit : uint32_t {
    kCategoryBinaries = 1,
    kCategoryPrivate = 2,
    kCategoryRegistration = 4,
    kCategoryResources = 8,
    kCategoryPlugins = 16,
    kCategoryHelp = 32,
};

// "\private\" + the UID in lower-case hexadecimal without "0x" or leading zeros.
WideText PrivateFolderPath(uint32_t packageUid);

// The folder's device path, without a final backslash.
WideText DeviceFolderPath(DeviceFolder folder, uint32_t packageUid);
uint32_t DeviceFolderBit(DeviceFolder folder);
// "[Binaries]", "[Registration]", ...; the plug-in folder is "[ECOM-Plugins]" in target labels
// and "[ECOM Plugins]" as a tree node.
std::u16string_view DeviceFolderLabel(DeviceFolder folder);
std::u16string_view DeviceFolderNodeName(DeviceFolder folder);

// The file name part of a path: after the last backslash, or slash for a host path.
std::u16string_view DeviceFileName(std::u16string_view path);

// The folder a newly added file goes to, by its extension (compared exactly, case included).
DeviceFolder DefaultFolderFor(std::u16string_view fileName);
// That folder's path, a backslash and the file's name (sourcePath may be a whole path).
WideText DefaultTargetPath(std::u16string_view sourcePath, uint32_t packageUid);

// The folders a file may be put in, by its extension; none for a name without extension (the
// limit then cannot be used).
std::optional<uint32_t> CategoryMask(std::u16string_view fileName);

// The folder a target lies in: the first in table order whose path is a prefix bounded by a
// backslash (so registration wins over private). The hexadecimal digits of the private
// folder compare without regard to case, as the device's file system does.
std::optional<DeviceFolder> FolderOfTarget(std::u16string_view target, uint32_t packageUid);

// True when path is folder or lies below it, folder and path compared ignoring ASCII case.
bool IsInDeviceFolder(std::u16string_view path, std::u16string_view folder);

// The label of the folder a target lies in: "[Resources]", or below the private folder
// "[Private]" followed by the sub-folders under the UID folder ("[Private]\data" for
// "\private\<uid>\data\a.txt"); none for a target under no known folder. A target ending in
// a backslash is a folder.
std::optional<WideText> TargetDisplayForm(std::u16string_view target, uint32_t packageUid);

} // namespace tb
