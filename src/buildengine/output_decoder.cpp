#include "buildengine/output_decoder.h"

#include <langinfo.h>
#include <unicode/ucnv.h>

namespace tb {

OutputDecoder::OutputDecoder(const char* charset) {
    if (!charset) {
        charset = nl_langinfo(CODESET);
        if (!charset || !*charset)
            charset = "US-ASCII";
    }
    UErrorCode status = U_ZERO_ERROR;
    converter_ = ucnv_open(charset, &status);
    if (U_FAILURE(status) || !converter_) {
        status = U_ZERO_ERROR;
        converter_ = ucnv_open("UTF-8", &status);
        if (U_FAILURE(status))
            converter_ = nullptr;
    }
}

OutputDecoder::~OutputDecoder() {
    if (converter_)
        ucnv_close(converter_);
}

WideText OutputDecoder::decode(std::string_view bytes) {
    return convert(bytes, false);
}

WideText OutputDecoder::finish() {
    return convert({}, true);
}

WideText OutputDecoder::convert(std::string_view bytes, bool flush) {
    WideText out;
    if (!converter_)
        return out;
    const char* source = bytes.data();
    const char* const sourceEnd = bytes.data() + bytes.size();
    // One unit per byte covers every set but the odd four-byte sequence; the loop takes care
    // of the rest.
    out.resize(bytes.size() + 8);
    size_t used = 0;
    for (;;) {
        UChar* target = reinterpret_cast<UChar*>(out.data()) + used;
        UChar* const targetStart = target;
        UChar* const targetEnd = reinterpret_cast<UChar*>(out.data()) + out.size();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(converter_, &target, targetEnd, &source, sourceEnd, nullptr, flush, &status);
        used += static_cast<size_t>(target - targetStart);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2);
            continue;
        }
        if (U_FAILURE(status))
            ucnv_resetToUnicode(converter_);
        break;
    }
    out.resize(used);
    return out;
}

} // namespace tb
