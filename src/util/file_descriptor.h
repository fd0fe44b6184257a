#pragma once

#include <cstddef>
#include <sys/types.h>

namespace tb {

// Owns a file descriptor; closes it unless closed before.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (errno set otherwise).
    bool close();

private:
    int fd_;
};

// Reads until size bytes or the end of the file (a pipe may deliver less per call); -1 with
// errno on a read error.
ssize_t ReadFull(int fd, char* buffer, size_t size);

// Writes all of data, retrying short writes; false with errno set.
bool WriteAll(int fd, const char* data, size_t size);

} // namespace tb
