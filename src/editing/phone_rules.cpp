#include "editing/phone_rules.h"

#include "editing/device_folders.h"
#include "editing/folder_names.h"
#include "editing/user_folder_tree.h"
#include "model/package.h"
#include "util/names.h"

namespace tb {

namespace {

// Where the folder's part of target ends (at the backslash before what lies in it), when the
// target lies in folder or below it. Sub-folders match as the folder tree finds them:
// ignoring case, empty names between doubled backslashes skipped.
std::optional<size_t> folderPartEnd(std::u16string_view target, const UserFolder& folder,
                                    uint32_t packageUid) {
    if (FolderOfTarget(target, packageUid) != DeviceFolder::Private)
        return std::nullopt;
    std::vector<const UserFolder*> path;
    for (const UserFolder* at = &folder; !at->isPrivateFolder(); at = at->parent())
        path.push_back(at);
    // Folders end before the file name.
    const size_t fileName = target.rfind(u'\\');
    size_t end = PrivateFolderPath(packageUid).size();
    for (auto name = path.rbegin(); name != path.rend(); ++name) {
        size_t start = end;
        while (start < fileName && target[start] == u'\\')
            ++start;
        if (start >= fileName)
            return std::nullopt;
        const size_t nameEnd = target.find(u'\\', start);
        if (!SameFolderName(target.substr(start, nameEnd - start), (*name)->name()))
            return std::nullopt;
        end = nameEnd;
    }
    if (fileName == std::u16string_view::npos || end > fileName)
        return std::nullopt;
    return end;
}

template <class Visit>
void forEachFileIn(const Package& package, const UserFolder& folder, Visit visit) {
    for (InstallItem* item : CollectFileItems(package.items))
        if (FileItemBase* file = DeviceFile(item))
            if (const auto end = folderPartEnd(file->target, folder, package.uid))
                visit(*file, *end);
}

} // namespace

FileItemBase* DeviceFile(InstallItem* item) {
    auto* file = itemAs<FileItemBase>(item);
    return file && file->fileType != FileType::FM && !file->target.empty() ? file : nullptr;
}

const FileItemBase* DeviceFile(const InstallItem* item) {
    return DeviceFile(const_cast<InstallItem*>(item));
}

std::optional<std::u16string_view> CheckFolderName(const UserFolder& folder,
                                                   std::u16string_view name) {
    if (const UserFolder* parent = folder.parent())
        if (const UserFolder* sibling = parent->find(name); sibling && sibling != &folder)
            return kFolderExists;
    if (!IsValidName(name))
        return kInvalidFolderName;
    return std::nullopt;
}

std::vector<FileItemBase*> FilesInFolder(const Package& package, const UserFolder& folder) {
    std::vector<FileItemBase*> files;
    forEachFileIn(package, folder, [&](FileItemBase& file, size_t) { files.push_back(&file); });
    return files;
}

std::vector<TargetChange> RenamedTargets(const Package& package, const UserFolder& folder,
                                         std::u16string_view name) {
    std::vector<TargetChange> changes;
    if (folder.isPrivateFolder())
        return changes;
    const WideText path = folder.parent()->devicePath(package.uid) + u'\\' + WideText(name);
    forEachFileIn(package, folder, [&](FileItemBase& file, size_t end) {
        WideText target = path + file.target.substr(end);
        if (target != file.target)
            changes.push_back({&file, std::move(target)});
    });
    return changes;
}

} // namespace tb
