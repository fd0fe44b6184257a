#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tb {

struct Package;

// A folder of the package's private folder as the user sees it: the private folder itself (the
// root, without parent) or one of the sub-folders the user made below it.
class UserFolder {
public:
    explicit UserFolder(WideText name = {}, UserFolder* parent = nullptr)
        : name_(std::move(name)), parent_(parent) {}
    UserFolder(const UserFolder&) = delete;
    UserFolder& operator=(const UserFolder&) = delete;

    const WideText& name() const { return name_; }
    const UserFolder* parent() const { return parent_; }
    bool isPrivateFolder() const { return parent_ == nullptr; }
    // In alphabetical order, ignoring case.
    const std::vector<std::unique_ptr<UserFolder>>& children() const { return children_; }
    // The sub-folder of that name, ignoring case; null when there is none.
    const UserFolder* find(std::u16string_view name) const;

    // The path below the UID folder: empty for the private folder, "\data\images" below it.
    WideText subPath() const;
    // "\private\<uid>" and the sub-path, without a final backslash.
    WideText devicePath(uint32_t packageUid) const;

private:
    friend class UserFolderTree;

    WideText name_;
    UserFolder* parent_;
    std::vector<std::unique_ptr<UserFolder>> children_;
};

// The user's sub-folders of the private folder. They are not stored in the package file: a
// folder that holds files comes back from the targets of those files, an empty one is lost
// when the package closes. Folders are handed out const and changed through the tree that owns
// them.
class UserFolderTree {
public:
    const UserFolder& privateFolder() const { return root_; }
    bool empty() const { return root_.children_.empty(); }

    void clear();
    // Every file target of the package, at any depth, null files too, gets the folders it needs.
    void rebuild(const Package& package);

    // The sub-folder of parent with that name (ignoring case), made when missing. Names are
    // checked by the caller (IsValidName), here and in rename.
    const UserFolder& add(const UserFolder& parent, std::u16string_view name);
    // Makes the folders the target's path needs below the private folder (128 levels at most)
    // and returns the one the target lies in; null for a target outside the private folder.
    const UserFolder* addFoldersOf(std::u16string_view target, uint32_t packageUid);
    // The deepest existing folder the target lies in; null outside the private folder.
    const UserFolder* folderOf(std::u16string_view target, uint32_t packageUid) const;

    // Gives folder the name and moves it to its place; refused (false) when a sibling has that
    // name already, or for the private folder.
    bool rename(const UserFolder& folder, std::u16string_view name);
    // Removes the folder with its sub-folders; the private folder only loses its sub-folders.
    void remove(const UserFolder& folder);

private:
    // Every folder handed out belongs to this tree, which may change it.
    static UserFolder& own(const UserFolder& folder) { return const_cast<UserFolder&>(folder); }

    UserFolder root_;
};

// "NewFolder", or the first of "NewFolder2", "NewFolder3", ... that no sub-folder of parent
// has.
WideText FreeNewFolderName(const UserFolder& parent);

} // namespace tb
