#include "editing/uid_change.h"

#include "editing/device_folders.h"
#include "model/package.h"

namespace tb {

std::optional<WideText> MovedPrivateTarget(std::u16string_view target, uint32_t oldUid,
                                           uint32_t newUid) {
    if (oldUid == newUid || FolderOfTarget(target, oldUid) != DeviceFolder::Private)
        return std::nullopt;
    return PrivateFolderPath(newUid) + WideText(target.substr(PrivateFolderPath(oldUid).size()));
}

std::vector<TargetMove> PrivateFolderMoves(const Package& package, uint32_t newUid) {
    std::vector<TargetMove> moves;
    for (InstallItem* item : CollectFileItems(package.items)) {
        auto* file = itemAs<FileItemBase>(item);
        if (!file)
            continue;
        if (std::optional<WideText> moved = MovedPrivateTarget(file->target, package.uid, newUid))
            moves.push_back({file, std::move(*moved)});
    }
    return moves;
}

} // namespace tb
