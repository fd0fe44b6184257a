#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tb {

// Numbers the user types into the header's boxes. A text that is not wholly a number, or whose
// value does not fit the field, gives none: it never turns into another value.

// A version component: hexadecimal after "0x", decimal otherwise, up to the largest signed
// 32-bit value; an empty text is 0.
std::optional<int32_t> ParseVersionComponent(std::u16string_view text);

// A package UID: hexadecimal after "0x", decimal otherwise, unsigned 32 bits; 0 is no UID.
std::optional<uint32_t> ParseUidText(std::u16string_view text);

// "0x" and the lower-case hexadecimal digits, as the UID is shown and offered for editing.
WideText UidText(uint32_t uid);

} // namespace tb
