#pragma once

#include "util/wide_text.h"

#include <mutex>
#include <string_view>

namespace tb {

// The lines of the current build, written by the build thread and read by the user interface.
// Every operation takes the lock for its whole length, so a reader never sees half a line.
class BuildOutputLog {
public:
    // Appends text and "\r\n" in one step.
    void appendLine(std::u16string_view text);
    void clear();
    WideText read() const;
    // Length of the text; lets a reader copy only what is new.
    size_t size() const;
    // The text from position on (empty when position is past the end).
    WideText readFrom(size_t position) const;

private:
    mutable std::mutex mutex_;
    WideText text_;
};

} // namespace tb
