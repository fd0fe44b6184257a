#pragma once

#include "util/error_code.h"
#include "util/wide_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tb {

// Typed values grouped by key path, the way a registry key with subkeys holds them. A value is a
// DWORD or a string; asking for one type finds nothing when the value has the other, so
// "missing or of another type" reads the same. Key paths and value names ignore ASCII case.
//
// Text form (UTF-8, one item per line, surrounding blanks ignored):
//   # comment
//   "Window Width"=dword:1024
//   "LastPackageLocation"="/home/me"
//   [RecentFiles]
//   "File1"="/home/me/App.pkg:Application:133000000000000000"
// Values before the first [header] (or after "[]") belong to the root key "". Names, strings
// and key paths escape \\ \" \n \r \t, and \uXXXX stands for one UTF-16 unit (other control
// characters and unpaired surrogates). A dword is decimal or 0x hexadecimal. Lines that do not
// parse are skipped; so are the values under a damaged header.
class SettingsFile {
public:
    using Value = std::variant<uint32_t, WideText>;

    // Replaces the contents. A missing file leaves the store empty and gives kOk; a file that
    // cannot be read leaves it empty and gives the error.
    ErrorCode load(const std::string& path);
    // Creates missing folders, then replaces the file atomically.
    ErrorCode save(const std::string& path) const;

    void fromText(std::u16string_view text);
    WideText toText() const;

    std::optional<uint32_t> dword(std::string_view key, std::string_view name) const;
    std::optional<WideText> string(std::string_view key, std::string_view name) const;
    void setDword(std::string_view key, std::string_view name, uint32_t value);
    void setString(std::string_view key, std::string_view name, std::u16string_view value);
    bool remove(std::string_view key, std::string_view name);
    void clear() { keys_.clear(); }
    bool empty() const;

private:
    struct Entry {
        std::string name;
        Value value;
    };
    struct Key {
        std::string path;
        std::vector<Entry> values;
    };

    const Value* find(std::string_view key, std::string_view name) const;
    Key& keyFor(std::string_view key);
    void set(std::string_view key, std::string_view name, Value value);

    std::vector<Key> keys_; // in first-use order, so a saved file keeps a readable layout
};

} // namespace tb
