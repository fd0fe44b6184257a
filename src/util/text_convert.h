#pragma once

#include "util/wide_text.h"

#include <string>
#include <string_view>

namespace tb {

// UTF-8 <-> UTF-16, invalid input replaced by U+FFFD.
WideText utf8ToWide(std::string_view bytes);
std::string wideToUtf8(std::u16string_view text);

// ASCII-only case folding for keyword comparisons.
char16_t asciiUpper(char16_t c);
bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b);

} // namespace tb
