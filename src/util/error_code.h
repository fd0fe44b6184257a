#pragma once

#include <cstdint>

namespace tb {

// 0 is success. Callers mostly compare with the named values.
using ErrorCode = int32_t;

namespace err {
constexpr ErrorCode kOk = 0;
constexpr ErrorCode kAccessDenied = 5;      // locked file or missing permission
constexpr ErrorCode kNotReady = 21;
constexpr ErrorCode kNotSupported = 50;
constexpr ErrorCode kAlreadyExists = 183;
constexpr ErrorCode kNotFound = 1168;       // missing file or path
constexpr ErrorCode kCorruptPackage = -2;
constexpr ErrorCode kOutOfMemory = -3;
constexpr ErrorCode kNotImplemented = -4;
constexpr ErrorCode kGeneric = -5;
constexpr ErrorCode kMoreData = -6;
constexpr ErrorCode kBadPath = -7;
constexpr ErrorCode kOther = -8;
constexpr ErrorCode kInvalidName = -10;
constexpr ErrorCode kConversion = 8;        // byte text that does not convert
} // namespace err

// Windows system error numbers, as the table of the program's error codes is written.
ErrorCode mapError(uint32_t osError);
// errno values of this platform onto the same codes.
ErrorCode mapErrno(int errnoValue);

} // namespace tb
