#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tb {

constexpr uint32_t kFirstLanguage = 1;
constexpr uint32_t kLastLanguage = 98;

// How the languages line names a language (a two-letter code; 48, which has none makesis
// knows, is its number "48") / its English name; none for 0, 86, 95 and numbers outside 1..98.
std::optional<std::u16string_view> LanguageCode(uint32_t number);
std::optional<std::u16string_view> LanguageName(uint32_t number);
// The name for messages: the English name, or the number itself for one the table lacks.
WideText LanguageDisplayName(uint32_t number);
// Number of the first language (in number order) whose code equals code ignoring case, so "48"
// gives 48; the code SA of earlier versions gives 48 too; -1 otherwise.
int32_t LanguageFromCode(std::u16string_view code);

// Package types: short keyword (written), lookup over short then long keywords, names.
std::u16string_view PackageTypeKeyword(int32_t type);
int32_t PackageTypeFromKeyword(std::u16string_view word);
std::u16string_view PackageTypeName(int32_t type);         // General Info view, wizard
std::u16string_view PackageTypeDocumentName(int32_t type); // document and recent files
constexpr int32_t kPackageTypeCount = 5;

// Keyword lookups ignore case and give -1 when nothing matches.
int32_t FileOptionFromKeyword(std::u16string_view word);
int32_t RunOptionFromKeyword(std::u16string_view word);
int32_t TextOptionFromKeyword(std::u16string_view word);
std::u16string_view RunKeyword(int32_t value);  // RI, RR, RB; empty when out of range
std::u16string_view TextKeyword(int32_t value); // TC, TA, TE; empty when out of range
// RW / RUNWAITEND, letter case included.
bool IsRunWaitKeyword(std::u16string_view word);

enum class HeaderOption { Unknown, Type, NoCompress, ShutdownApps };
HeaderOption HeaderOptionFromKeyword(std::u16string_view word);

struct PlatformEntry {
    uint32_t uid = 0;                 // 0: no dependency is added
    std::u16string_view dependencyName;
};
constexpr int32_t kPlatformCount = 10;
// Indexes 0..9; out-of-range indexes give the empty entry.
PlatformEntry Platform(int32_t index);

// MIME type from the file name's extension (exact case). False, with "text/plain" /
// "image/unknown", when the extension is not in the table.
bool MimeForFile(std::u16string_view path, WideText& mime);
bool ImageMimeForFile(std::u16string_view path, WideText& mime);

} // namespace tb
