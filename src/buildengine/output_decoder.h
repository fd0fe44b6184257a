#pragma once

#include "util/wide_text.h"

#include <string_view>

struct UConverter;

namespace tb {

// Converts byte text that arrives in pieces (the helper's pipe) to UTF-16. A multibyte sequence
// cut between two pieces is kept until the rest arrives, so no character is ever split.
class OutputDecoder {
public:
    // charset: an ICU converter name; null for the locale's character set. Unknown sets fall
    // back to UTF-8.
    explicit OutputDecoder(const char* charset = nullptr);
    ~OutputDecoder();
    OutputDecoder(const OutputDecoder&) = delete;
    OutputDecoder& operator=(const OutputDecoder&) = delete;

    WideText decode(std::string_view bytes);
    // Ends the stream: an incomplete sequence left over becomes a replacement character.
    WideText finish();

private:
    WideText convert(std::string_view bytes, bool flush);

    UConverter* converter_ = nullptr;
};

} // namespace tb
