#include "util/numbers.h"

#include <algorithm>
#include <limits>

namespace tb {

namespace {

constexpr char16_t kDigits[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Digits of value in radix, most significant first; works on the caller's buffer only, since
// both the build thread and the user-interface thread format numbers.
WideText digitsOf(uint64_t value, unsigned radix) {
    char16_t buffer[64];
    size_t length = 0;
    do {
        buffer[length++] = kDigits[value % radix];
        value /= radix;
    } while (value != 0);
    std::reverse(buffer, buffer + length);
    return WideText(buffer, length);
}

int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return 99;
}

bool hasHexPrefix(std::u16string_view text) {
    return text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
}

bool validRadix(int radix) {
    return radix >= 2 && radix <= 36;
}

// Whole text as digits of radix, no sign, no prefix, no spaces; false on overflow of limit.
bool parseDigits(std::u16string_view text, int radix, uint64_t limit, uint64_t& value) {
    if (text.empty() || !validRadix(radix))
        return false;
    const auto base = static_cast<uint64_t>(radix);
    uint64_t result = 0;
    for (char16_t c : text) {
        int digit = digitValue(c);
        if (digit >= radix)
            return false;
        const auto d = static_cast<uint64_t>(digit);
        if (result > (limit - d) / base)
            return false;
        result = result * base + d;
    }
    value = result;
    return true;
}

} // namespace

WideText numberToText(uint32_t value, int radix) {
    if (radix == 16)
        return u"0x" + digitsOf(value, 16);
    return digitsOf(value, validRadix(radix) ? static_cast<unsigned>(radix) : 10);
}

WideText intToText(int32_t value) {
    if (value >= 0)
        return digitsOf(static_cast<uint64_t>(value), 10);
    // Negate in 64 bits so INT32_MIN is fine.
    return u"-" + digitsOf(static_cast<uint64_t>(-static_cast<int64_t>(value)), 10);
}

bool parseUnsigned(std::u16string_view text, int radix, uint32_t& value) {
    uint64_t result = 0;
    if (!parseDigits(text, radix, std::numeric_limits<uint32_t>::max(), result))
        return false;
    value = static_cast<uint32_t>(result);
    return true;
}

// An optional leading '-'; '+' and spaces are refused like any other stray character.
bool parseSigned(std::u16string_view text, int radix, int32_t& value) {
    const bool negative = !text.empty() && text.front() == u'-';
    if (negative)
        text.remove_prefix(1);
    constexpr uint64_t kMaxPositive = std::numeric_limits<int32_t>::max();
    uint64_t magnitude = 0;
    if (!parseDigits(text, radix, negative ? kMaxPositive + 1 : kMaxPositive, magnitude))
        return false;
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                     : static_cast<int32_t>(magnitude);
    return true;
}

bool parseUid(std::u16string_view text, uint32_t& value) {
    if (hasHexPrefix(text))
        return parseUnsigned(text.substr(2), 16, value);
    return parseUnsigned(text, 10, value);
}

bool parseInt32Field(std::u16string_view text, int32_t& value) {
    if (hasHexPrefix(text)) {
        uint32_t bits = 0;
        if (!parseUnsigned(text.substr(2), 16, bits))
            return false;
        value = static_cast<int32_t>(bits);
        return true;
    }
    if (text.size() >= 2 && text[0] == u'+' && text[1] != u'-')
        text.remove_prefix(1);
    return parseSigned(text, 10, value);
}

WideText stampToText(uint64_t value) {
    return digitsOf(value, 10);
}

bool parseStamp(std::u16string_view text, uint64_t& value) {
    // All ones marks "no stamp" and is never a valid value.
    constexpr uint64_t kLimit = std::numeric_limits<uint64_t>::max() - 1;
    return parseDigits(text, 10, kLimit, value);
}

} // namespace tb
