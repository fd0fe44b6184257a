#pragma once

#include <string>
#include <vector>

namespace tb {

// All program text is UTF-16; bytes exist only at the edges (files, pipes).
using WideText = std::u16string;

// One text per package language, aligned with Package::languages by position.
using LocalizedText = std::vector<WideText>;

} // namespace tb
