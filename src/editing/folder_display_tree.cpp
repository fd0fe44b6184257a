#include "editing/folder_display_tree.h"

#include "editing/folder_names.h"
#include "editing/user_folder_tree.h"

#include <algorithm>
#include <functional>

namespace tb {

namespace {

// The node of that name among nodes, made below parentPath when missing.
FolderNode& childNamed(std::vector<FolderNode>& nodes, std::u16string_view name,
                       std::u16string_view parentPath) {
    for (FolderNode& node : nodes)
        if (SameFolderName(node.name, name))
            return node;
    FolderNode& node = nodes.emplace_back();
    node.name = WideText(name);
    node.devicePath = WideText(parentPath) + u'\\' + WideText(name);
    return node;
}

void addUserFolders(FolderNode& node, const UserFolder& folder) {
    node.userFolder = &folder;
    if (!node.folder)
        node.folder = DeviceFolder::Private;
    for (const auto& child : folder.children())
        addUserFolders(childNamed(node.children, child->name(), node.devicePath), *child);
}

void sortByName(std::vector<FolderNode>& nodes) {
    std::sort(nodes.begin(), nodes.end(), [](const FolderNode& a, const FolderNode& b) {
        return FolderNameLess(a.name, b.name);
    });
    for (FolderNode& node : nodes)
        sortByName(node.children);
}

// The device's directories, each device folder at the end of its path: registration and the
// private folder share "private" (and more when the package UID is 0x10003a3f).
std::vector<FolderNode> fullTree(uint32_t packageUid, const UserFolderTree& folders) {
    std::vector<FolderNode> roots;
    for (DeviceFolder folder : kDeviceFolders) {
        std::vector<FolderNode>* level = &roots;
        FolderNode* node = nullptr;
        const WideText path = DeviceFolderPath(folder, packageUid);
        for (size_t start = 1; start <= path.size();) {
            const size_t end = std::min(path.find(u'\\', start), path.size());
            const std::u16string_view parentPath =
                node ? std::u16string_view(node->devicePath) : std::u16string_view();
            node = &childNamed(*level, std::u16string_view(path).substr(start, end - start),
                               parentPath);
            level = &node->children;
            start = end + 1;
        }
        node->folder = folder;
        if (folder == DeviceFolder::Private)
            addUserFolders(*node, folders.privateFolder());
    }
    sortByName(roots);
    return roots;
}

std::vector<FolderNode> simpleTree(uint32_t packageUid, const UserFolderTree& folders) {
    std::vector<FolderNode> roots;
    for (DeviceFolder folder : kSimpleModeOrder) {
        FolderNode& node = roots.emplace_back();
        node.name = WideText(DeviceFolderNodeName(folder));
        node.devicePath = DeviceFolderPath(folder, packageUid);
        node.folder = folder;
        if (folder == DeviceFolder::Private) {
            addUserFolders(node, folders.privateFolder());
            sortByName(node.children);
        }
    }
    return roots;
}

const FolderNode* findNode(const std::vector<FolderNode>& roots,
                           const std::function<bool(const FolderNode&)>& match) {
    std::vector<const FolderNode*> pending;
    for (auto root = roots.rbegin(); root != roots.rend(); ++root)
        pending.push_back(&*root);
    while (!pending.empty()) {
        const FolderNode* node = pending.back();
        pending.pop_back();
        if (match(*node))
            return node;
        for (auto child = node->children.rbegin(); child != node->children.rend(); ++child)
            pending.push_back(&*child);
    }
    return nullptr;
}

} // namespace

bool FolderNode::fixed() const {
    return !userFolder || userFolder->isPrivateFolder();
}

std::vector<FolderNode> BuildFolderTree(FolderDisplayMode mode, uint32_t packageUid,
                                        const UserFolderTree& folders) {
    return mode == FolderDisplayMode::Full ? fullTree(packageUid, folders)
                                           : simpleTree(packageUid, folders);
}

const FolderNode* FindFolderNodeOf(const std::vector<FolderNode>& roots, std::u16string_view target,
                                   uint32_t packageUid, const UserFolderTree& folders) {
    const std::optional<DeviceFolder> folder = FolderOfTarget(target, packageUid);
    if (!folder)
        return nullptr;
    const UserFolder* userFolder =
        *folder == DeviceFolder::Private ? folders.folderOf(target, packageUid) : nullptr;
    return findNode(roots, [&](const FolderNode& node) {
        return node.folder == folder && node.userFolder == userFolder;
    });
}

const FolderNode* FindSameFolder(const std::vector<FolderNode>& roots, const FolderNode& node) {
    if (!node.folder)
        return nullptr;
    return findNode(roots, [&](const FolderNode& candidate) {
        return candidate.folder == node.folder && candidate.userFolder == node.userFolder;
    });
}

bool MayChooseFolder(const FolderNode& node, std::optional<uint32_t> categoryMask, bool limited) {
    const uint32_t bit = node.categoryBit();
    return bit != 0 && (!limited || !categoryMask || (*categoryMask & bit) != 0);
}

} // namespace tb
