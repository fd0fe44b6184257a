#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tb {

class FileItemBase;
class InstallItem;
class UserFolder;
struct Package;

inline constexpr std::u16string_view kFolderExists =
    u"Folder already exist.\nPlease enter a new name.";
inline constexpr std::u16string_view kInvalidFolderName =
    u"The folder name cannot:\r\n- Contain any of the following characters: < > : \" / \\ ? * "
    u"|\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, 'COM1' and 'LPT1'\r\n- be "
    u"'.' or '..'\r\n\r\nPlease enter a valid name.";

// The file an item puts on the device (a plain or language-dependent file, a null file
// too, which names the file it removes), or null: other kinds, files launched in a viewer
// (they have no target) and files without a target. These are the files the device folders
// show, and the ones a folder's rename or removal takes along.
const FileItemBase* DeviceFile(const InstallItem* item);
FileItemBase* DeviceFile(InstallItem* item);

// Why folder may not take name: a sibling has it (ignoring case), or it is no valid folder
// name. None when it may, its own name in another case included.
std::optional<std::u16string_view> CheckFolderName(const UserFolder& folder,
                                                   std::u16string_view name);

// The device files lying in folder or any folder below it, in sequence order, inside options
// and condition branches too.
std::vector<FileItemBase*> FilesInFolder(const Package& package, const UserFolder& folder);

struct TargetChange {
    FileItemBase* file;
    WideText target;
};

// The new targets of the files in folder and below it once folder is called name: the
// folder's part of each target is replaced, what follows it is kept as written. Only the
// targets that change.
std::vector<TargetChange> RenamedTargets(const Package& package, const UserFolder& folder,
                                         std::u16string_view name);

} // namespace tb
