#pragma once

#include "model/wide_text.h"
#include "util/atomic_write.h"
#include "util/error_code.h"

#include <string>
#include <string_view>

namespace tb {

// Reads a text file of unknown encoding: UTF-16 BE/LE or UTF-8 by byte order mark, UTF-8
// without one. Invalid UTF-8 becomes U+FFFD. text is replaced (left empty on error). Pipes and
// other unseekable files work too.
ErrorCode ReadTextFile(const std::string& path, WideText& text);

// Writes FF FE and text as UTF-16LE through WriteFileAtomically.
ErrorCode WriteTextFile(const std::string& path, const WideText& text);

// The byte order mark that written text files start with.
inline constexpr std::string_view kUtf16LittleEndianMark{"\xFF\xFE", 2};
// text as UTF-16LE bytes: the text's own memory on a little-endian machine, else converted
// into buffer.
std::string_view Utf16LittleEndianBytes(std::u16string_view text, std::string& buffer);

} // namespace tb
