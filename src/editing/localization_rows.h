#pragma once

#include "model/package.h"
#include "util/wide_text.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tb {

enum class LocalizationRowKind { PackageName, Vendor, Dependency, Option, Dialog };

// One translatable text of the package: exactly one of the pointers is set for the kinds that
// need one.
struct LocalizationRow {
    LocalizationRowKind kind;
    WideText label;
    Dependency* dependency = nullptr;
    OptionItem* option = nullptr;
    ShowLanguageDialogItem* dialog = nullptr;
};

// The rows of the Localization view in their order: "Package name", "Vendor", a "Dependency"
// per dependency (device/platform first, then package), "Option List %d : Option %d" per
// option, "Dialog %d : %s" per language-dependent dialog. Option lists and dialogs are
// counted from 1 in sequence order at any depth (inside options and condition branches too);
// options from 1 within their list.
std::vector<LocalizationRow> LocalizationRows(Package& package);

// The texts a text row translates; null for a dialog row, whose texts are in files.
LocalizedText* RowTexts(Package& package, const LocalizationRow& row);
// Its text in language; empty for a dialog row or a language out of range.
WideText RowText(Package& package, const LocalizationRow& row, size_t language);
// Puts text in language; false when it was there already (or language is out of range).
bool ReplaceText(LocalizedText& texts, size_t language, const WideText& text);

// A dialog's text as a cell shows it: whole up to 100 characters, else its first 97 followed
// by "..." (96 when the 97th is the first half of a surrogate pair).
WideText DialogTextPreview(std::u16string_view text);

} // namespace tb
