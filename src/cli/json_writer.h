#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tb {

// Minimal streaming JSON writer with two-space indentation; UTF-16 strings are emitted as
// UTF-8 with the escapes JSON requires.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    JsonWriter& key(std::string_view name);
    void value(std::u16string_view text);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(int64_t number);
    void value(bool flag);
    void stringArray(const std::vector<std::u16string>& texts);

    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void newline();

    std::string out_;
    std::vector<bool> hasEntries_; // one per open container
    bool afterKey_ = false;
};

} // namespace tb
