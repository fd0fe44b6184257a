#include "util/text_convert.h"

#include <langinfo.h>
#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>

namespace tb {

namespace {

constexpr UChar32 kReplacement = 0xFFFD;

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// The locale's character set as the process has it; no converter when ICU does not know it.
ConverterPtr openAnsiConverter() {
    const char* codeset = nl_langinfo(CODESET);
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open(codeset && *codeset ? codeset : "US-ASCII", &status));
    if (U_FAILURE(status))
        return nullptr;
    return conv;
}

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

WideText ansiToWide(std::string_view bytes) {
    if (bytes.empty())
        return {};
    ConverterPtr conv = openAnsiConverter();
    if (!conv)
        return utf8ToWide(bytes);
    // Single- and multi-byte sets give at most one UTF-16 unit per byte, except that a
    // 4-byte sequence may give a pair; 2 units per byte is always enough.
    WideText out(bytes.size() * 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = ucnv_toUChars(conv.get(), out.data(), static_cast<int32_t>(out.size()),
                                   bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<size_t>(length));
    return out;
}

std::string wideToAnsi(std::u16string_view text) {
    if (text.empty())
        return {};
    ConverterPtr conv = openAnsiConverter();
    if (!conv)
        return wideToUtf8(text);
    UErrorCode status = U_ZERO_ERROR;
    // Characters the set cannot hold show as '?' rather than an invisible control byte.
    ucnv_setSubstChars(conv.get(), "?", 1, &status);
    status = U_ZERO_ERROR;
    const auto units = static_cast<int32_t>(text.size());
    int32_t needed = ucnv_fromUChars(conv.get(), nullptr, 0, text.data(), units, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return {};
    std::string out(static_cast<size_t>(needed), '\0');
    status = U_ZERO_ERROR;
    ucnv_fromUChars(conv.get(), out.data(), needed, text.data(), units, &status);
    if (U_FAILURE(status))
        return {};
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
