#pragma once

#include "util/atomic_write.h"
#include "util/error_code.h"
#include "util/wide_text.h"

#include <string>
#include <string_view>

namespace tb {

// What becomes of bytes that are not valid UTF-8 in a file without a byte order mark: U+FFFD,
// or, as makesis reads a package file in an 8-bit encoding, the character of the same value
// (ISO-8859-1), so that nothing of such a file is lost.
enum class InvalidUtf8 { Replace, AsLatin1 };

// Reads a text file of unknown encoding: UTF-16 BE/LE or UTF-8 by byte order mark, UTF-8
// without one. Invalid UTF-8 becomes U+FFFD (but see InvalidUtf8). text is replaced (left empty
// on error). Pipes and other unseekable files work too.
ErrorCode ReadTextFile(const std::string& path, WideText& text,
                       InvalidUtf8 invalid = InvalidUtf8::Replace);

// Writes FF FE and text as UTF-16LE through WriteFileAtomically.
ErrorCode WriteTextFile(const std::string& path, const WideText& text);

// The byte order mark that written text files start with.
inline constexpr std::string_view kUtf16LittleEndianMark{"\xFF\xFE", 2};
// text as UTF-16LE bytes: the text's own memory on a little-endian machine, else converted
// into buffer.
std::string_view Utf16LittleEndianBytes(std::u16string_view text, std::string& buffer);

} // namespace tb
