#pragma once

#include "util/error_code.h"
#include "util/text_file.h"
#include "util/wide_text.h"

#include <string>
#include <string_view>

namespace tb {

// The text of a file for reading once. A UTF-16LE file with its byte order mark (what the
// program writes) is mapped and read in place: a large package then costs no buffer of its own
// size, which on a fresh process is most of the time its reading takes. Anything else (other
// encodings, pipes, a big-endian host) is decoded by ReadTextFile.
class MappedTextFile {
public:
    MappedTextFile() = default;
    ~MappedTextFile();
    MappedTextFile(const MappedTextFile&) = delete;
    MappedTextFile& operator=(const MappedTextFile&) = delete;

    // Codes as ReadTextFile's.
    ErrorCode open(const std::string& path, InvalidUtf8 invalid = InvalidUtf8::Replace);
    std::u16string_view text() const { return text_; }

private:
    void unmap();

    void* mapping_ = nullptr;
    size_t mappedBytes_ = 0;
    WideText decoded_;
    std::u16string_view text_;
};

} // namespace tb
