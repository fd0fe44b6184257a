#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <string_view>

namespace tb {

// Radix 16: "0x" and upper-case digits without leading zeros; other radixes: plain digits.
WideText numberToText(uint32_t value, int radix);
WideText intToText(int32_t value);

// The whole text must be a number of that radix; overflow, bad characters or trailing text
// give false and leave value unchanged.
bool parseUnsigned(std::u16string_view text, int radix, uint32_t& value);
bool parseSigned(std::u16string_view text, int radix, int32_t& value);
// Hexadecimal after "0x"/"0X", else decimal.
bool parseUid(std::u16string_view text, uint32_t& value);
// A signed 32-bit field as package files hold it: decimal with an optional '+' or '-' within
// the signed range, or hexadecimal after "0x"/"0X" up to 0xFFFFFFFF taken as its bit pattern.
bool parseInt32Field(std::u16string_view text, int32_t& value);

WideText stampToText(uint64_t value);
// Whole decimal text; the all-ones value is refused.
bool parseStamp(std::u16string_view text, uint64_t& value);

} // namespace tb
