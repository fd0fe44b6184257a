#include "document/recent_file_list.h"

#include "util/date_time.h"
#include "util/numbers.h"

#include <algorithm>

namespace tb {

namespace {

bool parseHex64(std::u16string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 16)
        return false;
    uint64_t result = 0;
    for (char16_t c : text) {
        unsigned digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        result = result << 4 | digit;
    }
    value = result;
    return true;
}

} // namespace

std::optional<RecentFileEntry> ParseRecentFileEntry(std::u16string_view text) {
    const size_t timeColon = text.rfind(u':');
    if (timeColon == std::u16string_view::npos || timeColon == 0)
        return std::nullopt;
    const size_t typeColon = text.rfind(u':', timeColon - 1);
    if (typeColon == std::u16string_view::npos || typeColon == 0)
        return std::nullopt;
    RecentFileEntry entry;
    const std::u16string_view number = text.substr(timeColon + 1);
    const bool parsed = number.starts_with(u"0x") ? parseHex64(number.substr(2), entry.lastOpened)
                                                  : parseStamp(number, entry.lastOpened);
    if (!parsed)
        return std::nullopt;
    entry.path = text.substr(0, typeColon);
    entry.typeName = text.substr(typeColon + 1, timeColon - typeColon - 1);
    return entry;
}

WideText FormatRecentFileEntry(const RecentFileEntry& entry) {
    return entry.path + u':' + entry.typeName + u':' + stampToText(entry.lastOpened);
}

bool IsStorableRecentFileEntry(const RecentFileEntry& entry) {
    return !entry.path.empty() && entry.typeName.find(u':') == WideText::npos;
}

RecentFileList::RecentFileList(const std::vector<RecentFileEntry>& entries) {
    for (const RecentFileEntry& entry : entries) {
        if (entries_.size() == kCapacity)
            break;
        if (!find(entry.path))
            entries_.push_back(entry);
    }
}

std::optional<size_t> RecentFileList::find(std::u16string_view path) const {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [path](const RecentFileEntry& entry) { return entry.path == path; });
    if (it == entries_.end())
        return std::nullopt;
    return static_cast<size_t>(it - entries_.begin());
}

void RecentFileList::add(std::u16string_view path, std::u16string_view typeName) {
    add(path, typeName, DateTime::now().stamp);
}

void RecentFileList::add(std::u16string_view path, std::u16string_view typeName, uint64_t now) {
    if (const auto index = find(path)) {
        entries_[*index].typeName = typeName;
        markOpened(*index, now);
        return;
    }
    if (entries_.size() >= kCapacity)
        entries_.resize(kCapacity - 1);
    entries_.insert(entries_.begin(), RecentFileEntry{WideText(path), WideText(typeName), now});
}

bool RecentFileList::markOpened(size_t index) {
    return markOpened(index, DateTime::now().stamp);
}

bool RecentFileList::markOpened(size_t index, uint64_t now) {
    if (index >= entries_.size())
        return false;
    entries_[index].lastOpened = now;
    std::rotate(entries_.begin(), entries_.begin() + static_cast<ptrdiff_t>(index),
                entries_.begin() + static_cast<ptrdiff_t>(index) + 1);
    return true;
}

bool RecentFileList::setTypeName(size_t index, std::u16string_view typeName) {
    if (index >= entries_.size())
        return false;
    entries_[index].typeName = WideText(typeName);
    return true;
}

bool RecentFileList::remove(size_t index) {
    if (index >= entries_.size())
        return false;
    entries_.erase(entries_.begin() + static_cast<ptrdiff_t>(index));
    return true;
}

} // namespace tb
