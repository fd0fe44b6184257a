#pragma once

#include "model/item_sequence.h"

#include <optional>
#include <string_view>

namespace tb {

inline constexpr std::u16string_view kNewDialogName = u"New Dialog";
inline constexpr std::u16string_view kNewLanguageDialogName = u"New Language Dialog";

inline constexpr std::u16string_view kEnterDialogName = u"Please enter a dialog name.";
inline constexpr std::u16string_view kInvalidDialogName =
    u"The dialog name cannot:\r\n- Contain any of the following characters: < > : \" / \\ ? * "
    u"|\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, 'COM1' and 'LPT1'\r\n- be "
    u"'.' or '..'\r\n\r\nPlease enter a valid name.";
inline constexpr std::u16string_view kDialogNameTaken =
    u"A dialog with that name already exists. Please enter a new name.";

// Whether a dialog of either kind, anywhere in the sequence (inside options and condition
// branches too), is called name. Names compare exactly: "new dialog" is not "New Dialog".
bool DialogNameExists(const ItemSequence& sequence, std::u16string_view name);

// The name a new dialog may take: the message refusing it (empty, not a valid file name,
// taken, checked in that order), or none.
std::optional<std::u16string_view> CheckNewDialogName(const ItemSequence& sequence,
                                                      std::u16string_view name);

} // namespace tb
