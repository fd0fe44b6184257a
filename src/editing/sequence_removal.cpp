#include "editing/sequence_removal.h"

#include "editing/add_action_rules.h"

namespace tb {

RemovalConfirmation RemovalConfirmationFor(const InstallItem* node) {
    if (!CanRemoveNode(node))
        return RemovalConfirmation::NotRemovable;
    if (itemAs<DialogItemBase>(node))
        return RemovalConfirmation::DialogChoice;
    return RemovalConfirmation::Question;
}

WideText RemovalQuestion(std::u16string_view label) {
    return u"Are you sure you want to remove '" + WideText(label) + u"' from the package?";
}

} // namespace tb
