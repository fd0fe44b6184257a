#pragma once

#include <string>
#include <string_view>

namespace tbhelper {

// Writes the tools' output and the helper's own lines to one descriptor with CR LF line ends
// (the tools end lines with LF; a CR LF already there is kept).
class OutputRelay {
public:
    explicit OutputRelay(int fd) : fd_(fd) {}

    // Tool output, passed through as it comes; a line may end in a later piece.
    void pass(std::string_view bytes);
    // One line of the helper's own; an open tool line is ended first.
    void line(std::string_view text);

private:
    void write(std::string_view bytes);

    int fd_;
    char last_ = '\n';
    std::string buffer_;
};

} // namespace tbhelper
