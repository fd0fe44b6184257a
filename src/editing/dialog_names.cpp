#include "editing/dialog_names.h"

#include "util/names.h"

namespace tb {

bool DialogNameExists(const ItemSequence& sequence, std::u16string_view name) {
    for (const InstallItem* item : CollectDialogItems(sequence)) {
        const auto* dialog = itemAs<DialogItemBase>(item);
        if (dialog && dialog->name == name)
            return true;
    }
    return false;
}

std::optional<std::u16string_view> CheckNewDialogName(const ItemSequence& sequence,
                                                      std::u16string_view name) {
    if (name.empty())
        return kEnterDialogName;
    if (!IsValidName(name))
        return kInvalidDialogName;
    if (DialogNameExists(sequence, name))
        return kDialogNameTaken;
    return std::nullopt;
}

} // namespace tb
