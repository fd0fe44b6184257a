#include "editing/dialog_names.h"

#include <gtest/gtest.h>

#include <optional>

namespace tb {
namespace {

class DialogNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallItem* readme =
            AppendChild(sequence, std::make_unique<ShowDialogItem>(u".\\Readme.txt"), nullptr);
        itemAs<ShowDialogItem>(readme)->name = u"Readme";
        InstallItem* list = AppendChild(sequence, std::make_unique<ShowOptionListItem>(), nullptr);
        InstallItem* first = AppendChild(sequence, std::make_unique<OptionItem>(1), list);
        InstallItem* second = AppendChild(sequence, std::make_unique<OptionItem>(1), list);
        itemAs<ShowLanguageDialogItem>(
            AppendChild(sequence, std::make_unique<ShowLanguageDialogItem>(1), first))
            ->name = u"New Dialog";
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
        {u"", kEnterDialogName},           {u"aux", kInvalidDialogName},
        {u"New Dialog", kDialogNameTaken}, {u"Deep", kDialogNameTaken},
        {u"Readme", kDialogNameTaken},     {u"README", std::nullopt},
        {u"Readme ", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
        EXPECT_EQ(CheckNewDialogName(sequence, c.name), c.refused);
    }
}

} // namespace
} // namespace tb
