#include "buildengine/sis_file.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tb {

namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kUid3Offset = 8;

uint32_t littleEndianWord(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

} // namespace

ErrorCode ReadSisUid(const std::string& path, uint32_t& uid) {
    // Non-blocking so that a FIFO in place of the file cannot stall the build thread.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return mapErrno(errno);

    std::array<unsigned char, kHeaderSize> header{};
    size_t got = 0;
    ErrorCode result = err::kOk;
    while (got < header.size()) {
        const ssize_t n = ::read(fd, header.data() + got, header.size() - got);
        if (n > 0) {
            got += static_cast<size_t>(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            result = errno == EAGAIN ? kErrorNotSisFile : mapErrno(errno);
            break;
        }
    }
    ::close(fd);
    if (result != err::kOk)
        return result;
    if (got < header.size())
        return kErrorNotSisFile;
    uid = littleEndianWord(header.data() + kUid3Offset);
    return err::kOk;
}

} // namespace tb
