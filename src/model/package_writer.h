#pragma once

#include "model/package.h"
#include "util/error_code.h"

#include <functional>
#include <string>
#include <string_view>

namespace tb {

// Returned when a text of the package contains a double quote: the file format has no escape,
// so such a package cannot be written in a form that reads back. Nothing is written.
constexpr ErrorCode kErrorQuoteInText = -11;

// Resolve mode: every non-empty source path goes through this before it is written (the build
// and export pass ExpandSourcePath with their SDK, platform and target).
using SourcePathResolver = std::function<WideText(const WideText& storedPath)>;

// The whole package file text (CR LF lines, trailer block included), no byte order mark.
WideText PackageText(const Package& package, const SourcePathResolver& resolve = {});

// Finds a text that would not read back (one holding a double quote); null when none.
const WideText* FindUnwritableText(const Package& package);

// Writes the package file (FF FE + UTF-16LE) atomically; kErrorQuoteInText leaves the target
// untouched, as does any failure of the write.
ErrorCode WritePackage(const Package& package, const std::string& filePath,
                       const SourcePathResolver& resolve = {});

} // namespace tb
