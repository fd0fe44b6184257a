#pragma once

#include <string_view>

namespace tb {

// File, folder, dialog and package names: not empty, none of < > : " / \ ? * |, and not a
// reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9) or "." / "..".
bool IsValidName(std::u16string_view name);

// Longer than 3 characters, a '/' that is neither first nor last, no double quote.
bool IsValidMimeType(std::u16string_view text);

} // namespace tb
