#pragma once

#include "util/error_code.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tb {

// Takes the next bytes of the file; false once writing has failed (stop producing then).
using ByteWriter = std::function<bool(std::string_view bytes)>;
// Produces a file's bytes, in order, through the writer; 0, or the code that abandons the save.
using ByteSource = std::function<ErrorCode(const ByteWriter& write)>;

// Writes size bytes from source to path. Normally through a temporary file in the same folder
// that is renamed over path only once complete, so a failure never damages an existing file.
// An existing file that nobody may write (no write bit at all, even for root) or that this
// process may not write is refused with kAccessDenied and left alone. A writable file that the
// rename cannot serve - in a folder this process may not add files to, with several hard
// links, or owned by someone the new file could not be given to - is rewritten in place
// instead, where a failure halfway cannot be undone. A symbolic link is written through. size
// only needs to be right for the in-place case, which claims the room first.
ErrorCode WriteFileAtomically(const std::string& path, uint64_t size, const ByteSource& source);

// The same for bytes in memory, whole or in pieces written one after the other.
ErrorCode WriteFileAtomically(const std::string& path, std::string_view bytes);
ErrorCode WriteFileAtomically(const std::string& path,
                              std::initializer_list<std::string_view> pieces);

} // namespace tb
