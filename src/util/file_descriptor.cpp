#include "util/file_descriptor.h"

#include <cerrno>
#include <unistd.h>

namespace tb {

Fd::~Fd() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool Fd::close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
}

ssize_t ReadFull(int fd, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += size_t(n);
    }
    return ssize_t(done);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace tb
