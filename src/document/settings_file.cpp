#include "document/settings_file.h"

#include "util/numbers.h"
#include "util/text_convert.h"
#include "util/text_file.h"

#include <algorithm>
#include <filesystem>
#include <new>

namespace tb {

namespace {

constexpr std::u16string_view kFileHeader =
    u"# Orchardly Tinderbridge settings (UTF-8). Values: \"name\"=dword:N or \"name\"=\"text\";\n"
    u"# inside quotes \\\\ \\\" \\n \\r \\t and \\uXXXX are escapes.\n";

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool isHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendEscaped(WideText& out, std::u16string_view text, char16_t extra = 0) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\\' || c == u'"' || (extra && c == extra)) {
            out += u'\\';
            out += c;
        } else if (c == u'\n') {
            out += u"\\n";
        } else if (c == u'\r') {
            out += u"\\r";
        } else if (c == u'\t') {
            out += u"\\t";
        } else if (isHigh(c) && i + 1 < text.size() && isLow(text[i + 1])) {
            out += c;
            out += text[++i];
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || isHigh(c) || isLow(c)) {
            // Unpaired surrogates have no UTF-8 form; controls would upset editors.
            out += u"\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(c >> shift) & 0xF];
        } else {
            out += c;
        }
    }
}

// Reads escaped text up to an unescaped terminator; text is left after the terminator.
bool readEscaped(std::u16string_view& text, char16_t terminator, WideText& out) {
    size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i++];
        if (c == terminator) {
            text.remove_prefix(i);
            return true;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (i >= text.size())
            return false;
        const char16_t e = text[i++];
        if (e == u'\\' || e == u'"' || e == u']') {
            out += e;
        } else if (e == u'n') {
            out += u'\n';
        } else if (e == u'r') {
            out += u'\r';
        } else if (e == u't') {
            out += u'\t';
        } else if (e == u'u') {
            uint32_t unit = 0;
            if (i + 4 > text.size() || !parseUnsigned(text.substr(i, 4), 16, unit))
                return false;
            out += static_cast<char16_t>(unit);
            i += 4;
        } else {
            return false;
        }
    }
    return false;
}

std::u16string_view trimmed(std::u16string_view text) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

// "name"=dword:N or "name"="text".
bool parseValueLine(std::u16string_view line, WideText& name, SettingsFile::Value& value) {
    if (line.empty() || line.front() != u'"')
        return false;
    line.remove_prefix(1);
    if (!readEscaped(line, u'"', name))
        return false;
    line = trimmed(line);
    if (line.empty() || line.front() != u'=')
        return false;
    line = trimmed(line.substr(1));
    if (!line.empty() && line.front() == u'"') {
        line.remove_prefix(1);
        WideText text;
        if (!readEscaped(line, u'"', text) || !trimmed(line).empty())
            return false;
        value = std::move(text);
        return true;
    }
    uint32_t number = 0;
    if (!startsWithNoCase(line, u"dword:") || !parseUid(line.substr(6), number))
        return false;
    value = number;
    return true;
}

} // namespace

ErrorCode SettingsFile::load(const std::string& path) {
    clear();
    WideText text;
    const ErrorCode error = ReadTextFile(path, text);
    if (error == err::kNotFound)
        return err::kOk;
    if (error != err::kOk)
        return error;
    try {
        fromText(text);
    } catch (const std::bad_alloc&) {
        clear();
        return err::kOutOfMemory;
    }
    return err::kOk;
}

ErrorCode SettingsFile::save(const std::string& path) const {
    std::string bytes;
    try {
        bytes = wideToUtf8(toText());
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        std::error_code error;
        if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
            std::filesystem::create_directories(folder, error);
            if (error)
                return mapErrno(error.value());
        }
    } catch (const std::bad_alloc&) {
        return err::kOutOfMemory;
    }
    return WriteFileAtomically(path, bytes);
}

void SettingsFile::fromText(std::u16string_view text) {
    clear();
    std::optional<std::string> key = std::string(); // none while under a damaged header
    while (!text.empty()) {
        const size_t end = text.find(u'\n');
        const std::u16string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::u16string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == u'#' || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            std::u16string_view rest = line.substr(1);
            WideText path;
            if (readEscaped(rest, u']', path) && trimmed(rest).empty())
                key = wideToUtf8(path);
            else
                key.reset();
            continue;
        }
        WideText name;
        Value value;
        if (key && parseValueLine(line, name, value))
            set(*key, wideToUtf8(name), std::move(value));
    }
}

WideText SettingsFile::toText() const {
    WideText out(kFileHeader);
    auto writeValues = [&out](const Key& key) {
        for (const Entry& entry : key.values) {
            out += u'"';
            appendEscaped(out, utf8ToWide(entry.name));
            out += u"\"=";
            if (const auto* number = std::get_if<uint32_t>(&entry.value)) {
                out += u"dword:" + numberToText(*number, 10);
            } else {
                out += u'"';
                appendEscaped(out, std::get<WideText>(entry.value));
                out += u'"';
            }
            out += u'\n';
        }
    };
    for (const Key& key : keys_)
        if (key.path.empty())
            writeValues(key);
    for (const Key& key : keys_) {
        if (key.path.empty())
            continue;
        out += u"\n[";
        appendEscaped(out, utf8ToWide(key.path), u']');
        out += u"]\n";
        writeValues(key);
    }
    return out;
}

const SettingsFile::Value* SettingsFile::find(std::string_view key, std::string_view name) const {
    for (const Key& k : keys_) {
        if (!sameName(k.path, key))
            continue;
        for (const Entry& entry : k.values)
            if (sameName(entry.name, name))
                return &entry.value;
    }
    return nullptr;
}

std::optional<uint32_t> SettingsFile::dword(std::string_view key, std::string_view name) const {
    const Value* value = find(key, name);
    if (const auto* number = value ? std::get_if<uint32_t>(value) : nullptr)
        return *number;
    return std::nullopt;
}

std::optional<WideText> SettingsFile::string(std::string_view key, std::string_view name) const {
    const Value* value = find(key, name);
    if (const auto* text = value ? std::get_if<WideText>(value) : nullptr)
        return *text;
    return std::nullopt;
}

SettingsFile::Key& SettingsFile::keyFor(std::string_view key) {
    for (Key& k : keys_)
        if (sameName(k.path, key))
            return k;
    return keys_.emplace_back(Key{std::string(key), {}});
}

void SettingsFile::set(std::string_view key, std::string_view name, Value value) {
    Key& k = keyFor(key);
    for (Entry& entry : k.values) {
        if (sameName(entry.name, name)) {
            entry.value = std::move(value);
            return;
        }
    }
    k.values.push_back(Entry{std::string(name), std::move(value)});
}

void SettingsFile::setDword(std::string_view key, std::string_view name, uint32_t value) {
    set(key, name, value);
}

void SettingsFile::setString(std::string_view key, std::string_view name,
                             std::u16string_view value) {
    set(key, name, WideText(value));
}

bool SettingsFile::remove(std::string_view key, std::string_view name) {
    for (Key& k : keys_) {
        if (!sameName(k.path, key))
            continue;
        auto it = std::find_if(k.values.begin(), k.values.end(),
                               [name](const Entry& entry) { return sameName(entry.name, name); });
        if (it == k.values.end())
            return false;
        k.values.erase(it);
        return true;
    }
    return false;
}

bool SettingsFile::empty() const {
    return std::all_of(keys_.begin(), keys_.end(), [](const Key& k) { return k.values.empty(); });
}

} // namespace tb
