#pragma once

#include "util/wide_text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tb {

struct RecentFileEntry {
    WideText path;           // full path of the package file
    WideText typeName;       // display text of the package's type, e.g. "Application"
    uint64_t lastOpened = 0; // local time, 100 ns intervals since 1601-01-01

    bool operator==(const RecentFileEntry&) const = default;
};

// Stored form "path:typeName:lastOpened". Read from the right (the last colon starts the time,
// the one before it the type name), so Windows drive paths and POSIX paths with colons both
// come back whole. None for a text without two colons, an empty path or a bad number (decimal,
// or hexadecimal after "0x").
std::optional<RecentFileEntry> ParseRecentFileEntry(std::u16string_view text);
WideText FormatRecentFileEntry(const RecentFileEntry& entry);
// False for an entry the stored form cannot carry back: empty path, colon in the type name.
bool IsStorableRecentFileEntry(const RecentFileEntry& entry);

// The last packages created or opened, most recent first; paths compare exactly.
class RecentFileList {
public:
    static constexpr size_t kCapacity = 5;

    RecentFileList() = default;
    // Stored entries in their order and with their times; repeated paths and entries past the
    // capacity are dropped.
    explicit RecentFileList(const std::vector<RecentFileEntry>& entries);

    const std::vector<RecentFileEntry>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const RecentFileEntry& operator[](size_t index) const { return entries_[index]; }
    std::optional<size_t> find(std::u16string_view path) const;

    // After a package was created or opened: its entry (new, or the existing one with the
    // type name brought up to date) goes to the front stamped with the current local time;
    // the oldest entry falls out past the capacity.
    void add(std::u16string_view path, std::u16string_view typeName);
    void add(std::u16string_view path, std::u16string_view typeName, uint64_t now);
    // The entry was opened from the list: stamped and moved to the front.
    bool markOpened(size_t index);
    bool markOpened(size_t index, uint64_t now);
    bool remove(size_t index);
    // The package's type changed while it was open.
    bool setTypeName(size_t index, std::u16string_view typeName);
    void clear() { entries_.clear(); }

private:
    std::vector<RecentFileEntry> entries_;
};

} // namespace tb
