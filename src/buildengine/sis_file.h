#pragma once

#include "util/error_code.h"

#include <cstdint>
#include <string>

namespace tb {

// The file ends before the 16-byte header, so it cannot be a SIS file.
constexpr ErrorCode kErrorNotSisFile = -12;

// Reads the package UID of a SIS file: the third little-endian 32-bit word of its 16-byte
// header. Open and read failures give their mapped errno code; uid is changed only on success.
ErrorCode ReadSisUid(const std::string& path, uint32_t& uid);

} // namespace tb
