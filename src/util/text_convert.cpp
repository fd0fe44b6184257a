#include "util/text_convert.h"

#include <unicode/ustring.h>

namespace tb {

namespace {

constexpr UChar32 kReplacement = 0xFFFD;

} // namespace

WideText utf8ToWide(std::string_view bytes) {
    if (bytes.empty())
        return {};
    // UTF-8 never yields more UTF-16 units than bytes.
    WideText out(bytes.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, bytes.data(),
                         static_cast<int32_t>(bytes.size()), kReplacement, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

std::string wideToUtf8(std::u16string_view text) {
    if (text.empty())
        return {};
    // At most 3 bytes per UTF-16 unit (a pair gives 4 bytes for 2 units).
    std::string out(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), kReplacement, nullptr, &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

char16_t asciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

bool equalsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    }
    return true;
}

} // namespace tb
