#include "editing/user_folder_tree.h"

#include "editing/device_folders.h"
#include "editing/folder_names.h"
#include "model/package.h"
#include "util/format.h"

#include <algorithm>
#include <optional>

namespace tb {

namespace {

using Children = std::vector<std::unique_ptr<UserFolder>>;

// A device path has at most 256 characters, so no real target nests deeper; a made-up one
// must not make the tree, and everything that walks it, as deep as it likes.
constexpr size_t kMaxDepthFromTargets = 128;

Children::iterator placeFor(Children& children, std::u16string_view name) {
    return std::lower_bound(children.begin(), children.end(), name,
                            [](const std::unique_ptr<UserFolder>& child, std::u16string_view n) {
                                return FolderNameLess(child->name(), n);
                            });
}

// The names of the folders between the UID folder and the target's file name, empty ones
// (doubled or final backslashes) skipped; none for a target outside the private folder.
std::optional<std::vector<std::u16string_view>> subFolderNames(std::u16string_view target,
                                                               uint32_t packageUid) {
    if (FolderOfTarget(target, packageUid) != DeviceFolder::Private)
        return std::nullopt;
    std::u16string_view below = target.substr(PrivateFolderPath(packageUid).size());
    const size_t fileName = below.rfind(u'\\');
    below = below.substr(0, fileName == std::u16string_view::npos ? 0 : fileName);
    std::vector<std::u16string_view> names;
    while (!below.empty()) {
        const size_t end = std::min(below.find(u'\\'), below.size());
        if (end > 0)
            names.push_back(below.substr(0, end));
        below.remove_prefix(std::min(end + 1, below.size()));
    }
    return names;
}

} // namespace

const UserFolder* UserFolder::find(std::u16string_view name) const {
    for (const auto& child : children_)
        if (SameFolderName(child->name_, name))
            return child.get();
    return nullptr;
}

WideText UserFolder::subPath() const {
    WideText path;
    for (const UserFolder* at = this; !at->isPrivateFolder(); at = at->parent_)
        path.insert(0, u'\\' + at->name_);
    return path;
}

WideText UserFolder::devicePath(uint32_t packageUid) const {
    return PrivateFolderPath(packageUid) + subPath();
}

void UserFolderTree::clear() {
    root_.children_.clear();
}

void UserFolderTree::rebuild(const Package& package) {
    clear();
    for (const InstallItem* item : CollectFileItems(package.items))
        if (const auto* file = itemAs<FileItemBase>(item))
            addFoldersOf(file->target, package.uid);
}

const UserFolder& UserFolderTree::add(const UserFolder& parent, std::u16string_view name) {
    if (const UserFolder* existing = parent.find(name))
        return *existing;
    Children& siblings = own(parent).children_;
    return **siblings.insert(placeFor(siblings, name),
                             std::make_unique<UserFolder>(WideText(name), &own(parent)));
}

const UserFolder* UserFolderTree::addFoldersOf(std::u16string_view target, uint32_t packageUid) {
    const auto names = subFolderNames(target, packageUid);
    if (!names)
        return nullptr;
    const UserFolder* folder = &root_;
    for (size_t depth = 0; depth < std::min(names->size(), kMaxDepthFromTargets); ++depth)
        folder = &add(*folder, (*names)[depth]);
    return folder;
}

const UserFolder* UserFolderTree::folderOf(std::u16string_view target, uint32_t packageUid) const {
    const auto names = subFolderNames(target, packageUid);
    if (!names)
        return nullptr;
    const UserFolder* folder = &root_;
    for (std::u16string_view name : *names) {
        const UserFolder* child = folder->find(name);
        if (!child)
            break;
        folder = child;
    }
    return folder;
}

bool UserFolderTree::rename(const UserFolder& folder, std::u16string_view name) {
    if (folder.isPrivateFolder())
        return false;
    if (const UserFolder* sibling = folder.parent_->find(name); sibling && sibling != &folder)
        return false;
    Children& siblings = folder.parent_->children_;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& child) { return child.get() == &folder; });
    std::unique_ptr<UserFolder> moved = std::move(*at);
    siblings.erase(at);
    moved->name_ = WideText(name);
    siblings.insert(placeFor(siblings, name), std::move(moved));
    return true;
}

void UserFolderTree::remove(const UserFolder& folder) {
    if (folder.isPrivateFolder()) {
        own(folder).children_.clear();
        return;
    }
    std::erase_if(folder.parent_->children_,
                  [&](const auto& child) { return child.get() == &folder; });
}

WideText FreeNewFolderName(const UserFolder& parent) {
    WideText name = u"NewFolder";
    for (int number = 2; parent.find(name); ++number)
        name = format(u"NewFolder%d", {number});
    return name;
}

} // namespace tb
