#pragma once

#include "model/package.h"

#include <array>
#include <string_view>

namespace tb {

// The build settings travel at the end of the package file as comment lines starting with one
// of these words; the SDK tools skip them as comments.
enum class TrailerField {
    AutoIncrementVersion, // OutputSettings::autoIncrementVersion
    OverrideLogoMime,     // PackageLogo::overrideMime
    OutputName,           // OutputSettings::outputName
    OutputFolder,         // OutputSettings::outputFolder
    SignPackage,          // SigningSettings::signPackage
    Certificate,          // SigningSettings::certificate
    PrivateKey,           // SigningSettings::privateKey
    Passphrase,           // SigningSettings::passphrase
};

struct TrailerKey {
    std::u16string_view word; // as it stands in the file, lower case
    bool isFlag;              // flag: the word alone means true; text: a quoted value follows
    TrailerField field;
};

constexpr size_t kTrailerKeyCount = 8;

// The eight keys in the order they are written.
const std::array<TrailerKey, kTrailerKeyCount>& TrailerKeys();

// Exact comparison, letter case included; null for any other word.
const TrailerKey* FindTrailerKey(std::u16string_view word);

// The model field behind a key: the flag accessors give null for text keys and the text
// accessors null for flags.
bool* TrailerFlag(Package& package, const TrailerKey& key);
const bool* TrailerFlag(const Package& package, const TrailerKey& key);
WideText* TrailerText(Package& package, const TrailerKey& key);
const WideText* TrailerText(const Package& package, const TrailerKey& key);

// A flag key sets its flag (value is ignored); a text key takes value, and a null value leaves
// the text as it is.
void ApplyTrailerKey(Package& package, const TrailerKey& key, const WideText* value);

// Appends the trailer block (blank line, banner, key lines, CR LF after each) to text. Values
// are written as stored, between double quotes.
void WriteTrailer(const Package& package, WideText& text);

} // namespace tb
