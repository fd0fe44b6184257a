#include "helper/output_relay.h"

#include <cerrno>
#include <unistd.h>

namespace tbhelper {

void OutputRelay::pass(std::string_view bytes) {
    buffer_.clear();
    buffer_.reserve(bytes.size() + bytes.size() / 16 + 2);
    for (char c : bytes) {
        if (c == '\n' && last_ != '\r')
            buffer_.push_back('\r');
        buffer_.push_back(c);
        last_ = c;
    }
    write(buffer_);
}

void OutputRelay::line(std::string_view text) {
    buffer_.clear();
    if (last_ != '\n')
        buffer_.append("\r\n");
    buffer_.append(text);
    buffer_.append("\r\n");
    last_ = '\n';
    write(buffer_);
}

void OutputRelay::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // the reader is gone (only reached when SIGPIPE is ignored)
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

} // namespace tbhelper
