#pragma once

#include "editing/device_folders.h"
#include "util/wide_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tb {

class UserFolder;
class UserFolderTree;

// Simple: the six device folders as roots, by their display names. Full: the device's
// directory tree ("private", "resource", "sys" and what lies below them).
enum class FolderDisplayMode { Simple, Full };

// A folder as the Phone view and the Select Target Folder dialog show it.
struct FolderNode {
    WideText name;
    // Without a final backslash.
    WideText devicePath;
    // The device folder the node is or lies in (Private for the user's sub-folders); none for
    // the full mode's nodes in between, such as "resource" or "sys".
    std::optional<DeviceFolder> folder;
    // The private folder or one of the user's sub-folders; null for every other node.
    const UserFolder* userFolder = nullptr;
    // In display order.
    std::vector<FolderNode> children;

    // What a file may be put in; 0 for a node in between, which cannot be chosen.
    uint32_t categoryBit() const { return folder ? DeviceFolderBit(*folder) : 0; }
    // Only the private folder and the user's sub-folders take new sub-folders.
    bool allowsSubFolders() const { return userFolder != nullptr; }
    // Neither renamed nor removed: every node but the user's sub-folders.
    bool fixed() const;
};

// The six device folders in the order the simple mode shows them.
inline constexpr std::array<DeviceFolder, 6> kSimpleModeOrder = {
    DeviceFolder::Binaries,     DeviceFolder::Plugins,   DeviceFolder::Private,
    DeviceFolder::Registration, DeviceFolder::Resources, DeviceFolder::Help};

// The folder tree for the mode, with the user's sub-folders below the private folder. Within
// a folder, folders stand in alphabetical order ignoring case (the simple mode's roots keep
// theirs). The nodes point into folders, which must outlive them unchanged.
std::vector<FolderNode> BuildFolderTree(FolderDisplayMode mode, uint32_t packageUid,
                                        const UserFolderTree& folders);

// The node of the folder a target lies in: the device folder that holds it or, below the
// private folder, the deepest of the user's sub-folders on its path. Null for a target under
// none of the six folders.
const FolderNode* FindFolderNodeOf(const std::vector<FolderNode>& roots, std::u16string_view target,
                                   uint32_t packageUid, const UserFolderTree& folders);

// The node standing for the same folder (device folder and user folder), e.g. in a tree of the
// other mode; null when there is none.
const FolderNode* FindSameFolder(const std::vector<FolderNode>& roots, const FolderNode& node);

// Whether a file may be put in node: it has a category bit and, while the selection is limited
// by file type, that bit is in the file's category mask.
bool MayChooseFolder(const FolderNode& node, std::optional<uint32_t> categoryMask, bool limited);

} // namespace tb
