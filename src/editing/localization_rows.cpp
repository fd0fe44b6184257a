#include "editing/localization_rows.h"

#include "editing/dependency_texts.h"
#include "util/format.h"

namespace tb {

namespace {

constexpr size_t kPreviewWhole = 100;
constexpr size_t kPreviewCut = 97;

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

std::vector<LocalizationRow> LocalizationRows(Package& package) {
    std::vector<LocalizationRow> rows;
    rows.push_back({LocalizationRowKind::PackageName, u"Package name"});
    rows.push_back({LocalizationRowKind::Vendor, u"Vendor"});
    for (const DependencyRow& dependency : DependencyRows(package))
        rows.push_back({LocalizationRowKind::Dependency, u"Dependency", dependency.dependency});

    std::vector<LocalizationRow> dialogs;
    int optionLists = 0;
    for (InstallItem* item = package.items.first; item; item = NextInPreOrder(item, nullptr)) {
        if (item->kind == InstallItemKind::ShowOptionList) {
            ++optionLists;
            int options = 0;
            // The list's options, here; the walk goes on into what they install.
            for (InstallItem* child = item->firstChild; child; child = child->next)
                if (auto* option = itemAs<OptionItem>(child))
                    rows.push_back({LocalizationRowKind::Option,
                                    format(u"Option List %d : Option %d", {optionLists, ++options}),
                                    nullptr, option});
        } else if (auto* dialog = itemAs<ShowLanguageDialogItem>(item)) {
            dialogs.push_back({LocalizationRowKind::Dialog,
                               // The name is not cut as a formatted text would be.
                               format(u"Dialog %d : ", {int(dialogs.size() + 1)}) + dialog->name,
                               nullptr, nullptr, dialog});
        }
    }
    rows.insert(rows.end(), dialogs.begin(), dialogs.end());
    return rows;
}

LocalizedText* RowTexts(Package& package, const LocalizationRow& row) {
    switch (row.kind) {
    case LocalizationRowKind::PackageName:
        return &package.names;
    case LocalizationRowKind::Vendor:
        return &package.vendors;
    case LocalizationRowKind::Dependency:
        return row.dependency ? &row.dependency->names : nullptr;
    case LocalizationRowKind::Option:
        return row.option ? &row.option->names : nullptr;
    case LocalizationRowKind::Dialog:
        break;
    }
    return nullptr;
}

WideText RowText(Package& package, const LocalizationRow& row, size_t language) {
    const LocalizedText* texts = RowTexts(package, row);
    return texts && language < texts->size() ? (*texts)[language] : WideText();
}

bool ReplaceText(LocalizedText& texts, size_t language, const WideText& text) {
    if (language >= texts.size() || texts[language] == text)
        return false;
    texts[language] = text;
    return true;
}

WideText DialogTextPreview(std::u16string_view text) {
    if (text.size() <= kPreviewWhole)
        return WideText(text);
    size_t cut = kPreviewCut;
    if (isHighSurrogate(text[cut - 1]))
        --cut;
    return WideText(text.substr(0, cut)) + u"...";
}

} // namespace tb
