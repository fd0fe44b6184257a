#include "editing/dialog_names.h"

#include <gtest/gtest.h>

#include <optional>

namespace tb {
namespace {

template <class Item> Item* add(ItemSequence& sequence, const char16_t* name, InstallItem* parent) {
    auto item = std::make_unique<Item>(1);
    item->name = name;
    return static_cast<Item*>(AppendChild(sequence, std::move(item), parent));
}

// Readme at the top, "New Dialog" (language dialog) inside an option, Deep inside a condition
// branch inside another option.
class DialogNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallItem* readme =
            AppendChild(sequence, std::make_unique<ShowDialogItem>(u".\\Readme.txt"), nullptr);
        itemAs<ShowDialogItem>(readme)->name = u"Readme";
        InstallItem* list = AppendChild(sequence, std::make_unique<ShowOptionListItem>(), nullptr);
        InstallItem* first = AppendChild(sequence, std::make_unique<OptionItem>(1), list);
        InstallItem* second = AppendChild(sequence, std::make_unique<OptionItem>(1), list);
        add<ShowLanguageDialogItem>(sequence, u"New Dialog", first);
        InstallItem* block = AppendChild(sequence, std::make_unique<ConditionBlockItem>(), second);
        InstallItem* branch = AppendChild(sequence, std::make_unique<ConditionBranchItem>(), block);
        AppendChild(sequence, std::make_unique<ShowDialogItem>(u".\\Deep.txt"), branch);
        itemAs<ShowDialogItem>(branch->firstChild)->name = u"Deep";
    }
    ItemSequence sequence;
};

TEST_F(DialogNamesTest, NewNamesAreCheckedForEmptyThenValidThenTakenExactly) {
    const struct {
        const char16_t* name;
        std::optional<std::u16string_view> refused;
    } cases[] = {
        {u"", kEnterDialogName},
        {u"aux", kInvalidDialogName},
        {u"New Dialog", kDialogNameTaken}, // a language dialog inside an option
        {u"Deep", kDialogNameTaken},       // inside a condition branch
        {u"Readme", kDialogNameTaken},
        {u"new dialog", std::nullopt}, // names compare with their case
        {u"README", std::nullopt},
        {u"Readme ", std::nullopt},
        {u"New Language Dialog", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
        EXPECT_EQ(CheckNewDialogName(sequence, c.name), c.refused);
    }
}

} // namespace
} // namespace tb
