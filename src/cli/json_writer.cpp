#include "cli/json_writer.h"

#include "util/text_convert.h"

#include <cstdio>

namespace tb {

namespace {

void appendEscaped(std::string& out, std::string_view utf8) {
    out += '"';
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
}

} // namespace

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(2 * hasEntries_.size(), ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasEntries_.empty()) {
        if (hasEntries_.back())
            out_ += ',';
        hasEntries_.back() = true;
        newline();
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    hasEntries_.push_back(false);
}

void JsonWriter::endObject() {
    bool any = hasEntries_.back();
    hasEntries_.pop_back();
    if (any)
        newline();
    out_ += '}';
    if (hasEntries_.empty())
        out_ += '\n';
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    hasEntries_.push_back(false);
}

void JsonWriter::endArray() {
    bool any = hasEntries_.back();
    hasEntries_.pop_back();
    if (any)
        newline();
    out_ += ']';
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    appendEscaped(out_, name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

void JsonWriter::value(std::u16string_view text) { value(std::string_view(wideToUtf8(text))); }

void JsonWriter::value(std::string_view text) {
    beforeValue();
    appendEscaped(out_, text);
}

void JsonWriter::value(int64_t number) {
    beforeValue();
    out_ += std::to_string(number);
}

void JsonWriter::value(bool flag) {
    beforeValue();
    out_ += flag ? "true" : "false";
}

void JsonWriter::stringArray(const std::vector<std::u16string>& texts) {
    beginArray();
    for (const auto& t : texts)
        value(std::u16string_view(t));
    endArray();
}

} // namespace tb
