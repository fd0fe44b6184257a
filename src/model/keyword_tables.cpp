#include "model/tables.h"

#include "util/text_convert.h"

#include <array>
#include <span>

namespace tb {

namespace {

struct KeywordEntry {
    std::u16string_view keyword; // empty: skipped by lookups
    int32_t value;
};

// First entry (in table order) whose keyword equals word ignoring case; -1.
int32_t Lookup(std::span<const KeywordEntry> table, std::u16string_view word) {
    for (const KeywordEntry& entry : table) {
        if (!entry.keyword.empty() && equalsIgnoreAsciiCase(entry.keyword, word))
            return entry.value;
    }
    return -1;
}

template <size_t N>
std::u16string_view At(const std::array<std::u16string_view, N>& table, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= N)
        return {};
    return table[static_cast<size_t>(index)];
}

constexpr std::array<std::u16string_view, kPackageTypeCount> kTypeShort = {u"SA", u"SP", u"PU",
                                                                           u"PA", u"PP"};
constexpr std::array<std::u16string_view, kPackageTypeCount> kTypeLong = {
    u"SISAPP", u"SISPATCH", u"PARTIALUPGRADE", u"PIAPP", u"PIPATCH"};
constexpr std::array<std::u16string_view, kPackageTypeCount> kTypeName = {
    u"Application", u"Add-on", u"Patch", u"Pre-installed application", u"Pre-installed add-on"};
constexpr std::array<std::u16string_view, kPackageTypeCount> kTypeDocumentName = {
    u"Application", u"Add-on", u"Patch", u"Preinstalled Application", u"Preinstalled Add-on"};

constexpr std::array<KeywordEntry, 10> kFileOptions = {{
    {u"FF", 0},
    {u"FN", 4},
    {u"FT", 3},
    {u"FR", 1},
    {u"FM", 2},
    {u"FILE", 0},
    {u"FILENULL", 4},
    {u"FILETEXT", 3},
    {u"FILERUN", 1},
    {u"FILEMIME", 2},
}};

constexpr std::array<KeywordEntry, 6> kRunOptions = {{
    {u"RI", 0},
    {u"RR", 1},
    {u"RB", 2},
    {u"RUNINSTALL", 0},
    {u"RUNREMOVE", 1},
    {u"RUNBOTH", 2},
}};

constexpr std::array<KeywordEntry, 6> kTextOptions = {{
    {u"TC", 0},
    {u"TA", 1},
    {u"TE", 2},
    {u"TEXTCONTINUE", 0},
    {u"TEXTABORT", 1},
    {u"TEXTEXIT", 2},
}};

constexpr std::array<std::u16string_view, 3> kRunShort = {u"RI", u"RR", u"RB"};
constexpr std::array<std::u16string_view, 3> kTextShort = {u"TC", u"TA", u"TE"};

constexpr std::array<PlatformEntry, kPlatformCount> kPlatforms = {{
    {0, {}},
    {0x101f7961, u"S60 3rd Edition"},
    {0x102032be, u"S60 3rd Edition, FP1"},
    {0x102752ae, u"S60 3rd Edition, FP2"},
    {0x1028315f, u"S60 5th Edition"},
    {0x1028315f, u"Symbian^1"},
    {0, {}},
    {0, {}},
    {0x101f6300, u"UIQ v3.0"},
    {0x101f63df, u"UIQ v3.1"},
}};

} // namespace

std::u16string_view PackageTypeKeyword(int32_t type) {
    return At(kTypeShort, type);
}

int32_t PackageTypeFromKeyword(std::u16string_view word) {
    for (const auto* table : {&kTypeShort, &kTypeLong}) {
        for (size_t i = 0; i < table->size(); ++i) {
            if (equalsIgnoreAsciiCase((*table)[i], word))
                return static_cast<int32_t>(i);
        }
    }
    return -1;
}

std::u16string_view PackageTypeName(int32_t type) {
    return At(kTypeName, type);
}

std::u16string_view PackageTypeDocumentName(int32_t type) {
    return At(kTypeDocumentName, type);
}

int32_t FileOptionFromKeyword(std::u16string_view word) {
    return Lookup(kFileOptions, word);
}

int32_t RunOptionFromKeyword(std::u16string_view word) {
    return Lookup(kRunOptions, word);
}

int32_t TextOptionFromKeyword(std::u16string_view word) {
    return Lookup(kTextOptions, word);
}

std::u16string_view RunKeyword(int32_t value) {
    return At(kRunShort, value);
}

std::u16string_view TextKeyword(int32_t value) {
    return At(kTextShort, value);
}

bool IsRunWaitKeyword(std::u16string_view word) {
    return word == u"RW" || word == u"RUNWAITEND";
}

HeaderOption HeaderOptionFromKeyword(std::u16string_view word) {
    static constexpr std::array<KeywordEntry, 5> kHeaderOptions = {{
        {u"TYPE", static_cast<int32_t>(HeaderOption::Type)},
        {u"NC", static_cast<int32_t>(HeaderOption::NoCompress)},
        {u"NOCOMPRESS", static_cast<int32_t>(HeaderOption::NoCompress)},
        {u"SH", static_cast<int32_t>(HeaderOption::ShutdownApps)},
        {u"SHUTDOWNAPPS", static_cast<int32_t>(HeaderOption::ShutdownApps)},
    }};
    const int32_t value = Lookup(kHeaderOptions, word);
    return value < 0 ? HeaderOption::Unknown : static_cast<HeaderOption>(value);
}

PlatformEntry Platform(int32_t index) {
    if (index < 0 || index >= kPlatformCount)
        return {};
    return kPlatforms[static_cast<size_t>(index)];
}

} // namespace tb
