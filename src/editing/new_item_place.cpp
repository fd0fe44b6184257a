#include "editing/new_item_place.h"

namespace tb {

ItemPlace NewItemPlace(InstallItem* selected) {
    if (!selected)
        return ItemPlace::lastChildOf(nullptr);
    if (selected->kind == InstallItemKind::Option ||
        selected->kind == InstallItemKind::ConditionBranch)
        return ItemPlace::lastChildOf(selected);
    return ItemPlace::after(selected);
}

ItemPlace NewOptionPlace(InstallItem& optionList) {
    return ItemPlace::lastChildOf(&optionList);
}

ItemPlace NewElseIfPlace(InstallItem& branch) {
    return ItemPlace::after(&branch);
}

ItemPlace NewElsePlace(InstallItem& branch) {
    return ItemPlace::lastChildOf(branch.parent);
}

} // namespace tb
