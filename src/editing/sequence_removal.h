#pragma once

#include "model/install_item.h"
#include "util/wide_text.h"

#include <string_view>

namespace tb {

// How removing a node of the sequence tree is confirmed: not at all (the first option of a
// list stays), by the Remove/Delete choice (dialogs, whose text files may go too), or by the
// Yes/No question naming the node.
enum class RemovalConfirmation { NotRemovable, DialogChoice, Question };

RemovalConfirmation RemovalConfirmationFor(const InstallItem* node);

// "Are you sure you want to remove '<label>' from the package?"
WideText RemovalQuestion(std::u16string_view label);

// The Remove/Delete choice for a dialog.
inline constexpr std::u16string_view kRemoveDialogQuestion =
    u"Are you sure you want to remove the dialog from the package?";
inline constexpr std::u16string_view kRemoveDialogRemoveHint =
    u"Choose Remove to remove the dialog from the package.";
inline constexpr std::u16string_view kRemoveDialogDeleteHint =
    u"Choose Delete to permanently delete the dialog and the associated text files.";

} // namespace tb
