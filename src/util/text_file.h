#pragma once

#include "model/wide_text.h"
#include "util/error_code.h"

#include <string>
#include <string_view>

namespace tb {

// Reads a text file of unknown encoding: UTF-16 BE/LE or UTF-8 by byte order mark, UTF-8
// without one. Invalid UTF-8 becomes U+FFFD. text is replaced (left empty or partial on error).
ErrorCode ReadTextFile(const std::string& path, WideText& text);

// Writes bytes through a temporary file in the same folder that is renamed over path only once
// complete, so a failure never damages an existing file. A symbolic link is written through.
ErrorCode WriteFileAtomically(const std::string& path, std::string_view bytes);

// Writes FF FE and text as UTF-16LE, atomically as above.
ErrorCode WriteTextFile(const std::string& path, const WideText& text);

} // namespace tb
