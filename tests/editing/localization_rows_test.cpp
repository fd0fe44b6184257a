#include "editing/localization_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace tb {
namespace {

using Labels = std::vector<std::u16string>;

// Two languages. Texts are "<what>/<language>".
class LocalizationRowsTest : public ::testing::Test {
protected:
    InstallItem* add(std::unique_ptr<InstallItem> item, InstallItem* parent = nullptr) {
        return AppendChild(package.items, std::move(item), parent);
    }
    InstallItem* optionList(InstallItem* parent, std::initializer_list<const char16_t*> texts) {
        InstallItem* list = add(std::make_unique<ShowOptionListItem>(), parent);
        for (const char16_t* text : texts)
            static_cast<OptionItem*>(add(CreateItem(InstallItemKind::Option, 2), list))->names = {
                text, WideText(text) + u"/fr"};
        return list;
    }
    ShowLanguageDialogItem* dialog(const char16_t* name, InstallItem* parent = nullptr) {
        auto* item = static_cast<ShowLanguageDialogItem*>(
            add(CreateItem(InstallItemKind::ShowLanguageDialog, 2), parent));
        item->name = name;
        return item;
    }
    void SetUp() override {
        package.languages = {1, 2};
        package.names = {u"App", u"App/fr"};
        package.vendors = {u"Vendor", u"Vendor/fr"};
    }

    Package package;
};

// Lists are numbered as the sequence meets them, wherever they are; the options of a list come
// together, before what they install; dialogs follow every option, and plain dialogs get none.
TEST_F(LocalizationRowsTest, NestedListsAndDialogsAreCountedInSequenceOrder) {
    AddDependency(package.packageDependencies, CreateDependency(2))->names = {u"Qt", u"Qt/fr"};
    AddDependency(package.deviceDependencies, CreateDependency(2))->names = {u"S60", u"S60/fr"};
    dialog(u"Welcome");
    add(std::make_unique<ShowDialogItem>(u"plain.txt"));
    InstallItem* outer = optionList(nullptr, {u"a", u"b"});
    optionList(outer->firstChild, {u"inner"});
    InstallItem* block = add(std::make_unique<ConditionBlockItem>());
    InstallItem* branch = add(std::make_unique<ConditionBranchItem>(), block);
    optionList(branch, {u"in branch"});
    dialog(u"License", branch);

    std::vector<LocalizationRow> rows = LocalizationRows(package);
    Labels labels, french;
    for (const LocalizationRow& row : rows) {
        labels.push_back(row.label);
        french.push_back(RowText(package, row, 1));
    }
    EXPECT_EQ(labels, (Labels{u"Package name", u"Vendor", u"Dependency", u"Dependency",
                              u"Option List 1 : Option 1", u"Option List 1 : Option 2",
                              u"Option List 2 : Option 1", u"Option List 3 : Option 1",
                              u"Dialog 1 : Welcome", u"Dialog 2 : License"}));
    EXPECT_EQ(french, (Labels{u"App/fr", u"Vendor/fr", u"S60/fr", u"Qt/fr", u"a/fr", u"b/fr",
                              u"inner/fr", u"in branch/fr", u"", u""}));
    EXPECT_EQ(RowTexts(package, rows.back()), nullptr) << "a dialog's texts are in files";
    EXPECT_EQ(RowText(package, rows[0], 2), u"") << "no such language";
}

TEST(DialogTextPreviewTest, LongTextsAreCutTo97CharactersWithoutSplittingOne) {
    const std::u16string hundred(100, u'a');
    EXPECT_EQ(DialogTextPreview(hundred), hundred);
    EXPECT_EQ(DialogTextPreview(hundred + u"b"), std::u16string(97, u'a') + u"...");
    EXPECT_EQ(DialogTextPreview(u""), u"");
    // U+1F600 as a surrogate pair whose first half would be the 97th unit.
    const std::u16string split =
        std::u16string(96, u'a') + u"\U0001F600" + std::u16string(10, u'b');
    EXPECT_EQ(DialogTextPreview(split), std::u16string(96, u'a') + u"...");
    const std::u16string whole =
        std::u16string(95, u'a') + u"\U0001F600" + std::u16string(10, u'b');
    EXPECT_EQ(DialogTextPreview(whole), std::u16string(95, u'a') + u"\U0001F600...");
}

} // namespace
} // namespace tb
