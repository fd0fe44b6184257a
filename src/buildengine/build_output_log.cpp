#include "buildengine/build_output_log.h"

namespace tb {

void BuildOutputLog::appendLine(std::u16string_view text) {
    std::lock_guard lock(mutex_);
    text_.append(text);
    text_.append(u"\r\n");
}

void BuildOutputLog::clear() {
    std::lock_guard lock(mutex_);
    text_.clear();
}

WideText BuildOutputLog::read() const {
    std::lock_guard lock(mutex_);
    return text_;
}

size_t BuildOutputLog::size() const {
    std::lock_guard lock(mutex_);
    return text_.size();
}

WideText BuildOutputLog::readFrom(size_t position) const {
    std::lock_guard lock(mutex_);
    return position < text_.size() ? text_.substr(position) : WideText();
}

} // namespace tb
