#include "views/dialogs/action_dialogs_api.h"
#include "views/dialogs/condition_dialog.h"
#include "views/dialogs/edit_option_dialog.h"
#include "views/dialogs/include_language_package_dialog.h"
#include "views/dialogs/include_package_dialog.h"

#include "views/dialogs/action_dialog_fixture.h"

#include <QLabel>

namespace tb {
namespace {

using test::WhenModal;

class ActionDialogsTest : public test::ActionDialogTest {
protected:
    // A SIS file: UID 1, UID 2, the package UID, the checksum; bytes cut it short.
    std::string sisFile(const std::string& name, uint32_t uid, size_t bytes = 16) {
        std::string header(16, '\0');
        for (int i = 0; i < 4; ++i)
            header[8 + i] = char((uid >> (8 * i)) & 0xFF);
        return dir.write(name, header.substr(0, bytes));
    }
};

TEST_F(ActionDialogsTest, OptionTextsAreCheckedAndOnlyAChangeMarksThePackage) {
    auto option = std::make_unique<OptionItem>(3);
    option->names = {u"One", u"Un", u"Eins"};
    auto* list = add(std::make_unique<ShowOptionListItem>());
    auto* item = static_cast<OptionItem*>(
        document.insertItem(std::move(option), ItemPlace::lastChildOf(list), kBy));
    ASSERT_EQ(document.save(), 0);

    const struct {
        const char* text;
        const char* refused; // null: accepted
        bool modified;
    } cases[] = {
        {"", "You must enter a description.", false},
        {"Un \"deux\"", "Description may not contain any \" char", false},
        {"Un", nullptr, false},
        {"   ", nullptr, true},
    };
    for (const auto& c : cases) {
        boxes.shown.clear();
        WhenModal<EditOptionDialog> answer([&](EditOptionDialog& dialog) {
            EXPECT_EQ(dialog.textBox()->text(), "Un"); // the shown language's
            dialog.textBox()->setText(c.text);
            EXPECT_EQ(dialog.submit(), !c.refused);
            if (c.refused)
                dialog.reject();
        });
        EXPECT_EQ(EditOption(nullptr, document, item, kBy), !c.refused) << c.text;
        EXPECT_EQ(shownTexts(),
                  c.refused ? std::vector<QString>{c.refused} : std::vector<QString>{});
        EXPECT_EQ(document.modified(), c.modified) << c.text;
    }
    EXPECT_EQ(item->names, (LocalizedText{u"One", u"   ", u"Eins"}));
}

TEST_F(ActionDialogsTest, IncludePackageEditsOnlyWhetherItIsInstalledAgain) {
    auto package = std::make_unique<IncludePackageItem>(u".\\sub\\Lib.sis");
    package->uid = 0xA00012AB;
    auto* item = add(std::move(package));
    for (bool check : {true, false}) {
        WhenModal<IncludePackageDialog> answer([&](IncludePackageDialog& dialog) {
            EXPECT_EQ(dialog.uidLabel()->text(), "0xA00012AB");
            dialog.onlyIfNotInstalledBox()->setChecked(check);
            EXPECT_TRUE(dialog.submit());
        });
        EXPECT_TRUE(EditIncludePackage(nullptr, document, item, kBy));
        EXPECT_EQ(item->unconditional, !check);
        EXPECT_EQ(document.modified(), !check);
    }
}

TEST_F(ActionDialogsTest, LanguagePackagesNeedAFilePerLanguageAllWithOneUid) {
    const std::string english = sisFile("en/App.sis", 0x12345678);
    const std::string french = sisFile("fr/App.sis", 0x12345678);
    const std::string other = sisFile("App_other.sis", 0x0BADF00D);
    const std::string shortFile = sisFile("short.sis", 1, 12);

    WhenModal<IncludeLanguagePackageDialog> answer([&](IncludeLanguagePackageDialog& dialog) {
        QTreeWidget* list = dialog.sourceList();
        ASSERT_EQ(list->topLevelItemCount(), 3);
        EXPECT_TRUE(dialog.onlyIfNotInstalledBox()->isChecked());
        auto choose = [&](int row, const std::string& path) {
            list->setCurrentItem(list->topLevelItem(row));
            files.answer = QString::fromStdString(path);
            dialog.browseButton()->click();
        };
        auto refusedWith = [&](const char* message) {
            boxes.shown.clear();
            EXPECT_FALSE(dialog.submit());
            EXPECT_EQ(shownTexts(), std::vector<QString>{message});
        };
        choose(0, english);
        EXPECT_EQ(dialog.uidLabel()->text(), "0x12345678");
        refusedWith("You must select a source file for each language.");

        boxes.shown.clear();
        choose(1, shortFile);
        choose(1, dir.file("missing.sis"));
        EXPECT_EQ(shownTexts(), (std::vector<QString>{
                                    "The selected file is not a SIS file or it is corrupt.",
                                    "The file could not be opened. The file is in use by another "
                                    "application or you don't have permission to access the "
                                    "file."}));
        EXPECT_TRUE(list->topLevelItem(1)->text(1).isEmpty());

        choose(1, french);
        choose(2, other);
        EXPECT_EQ(dialog.uidLabel()->text(), "0xBADF00D");
        refusedWith("All SIS files must have the same UID. Please choose different files.");
        choose(2, french);
        dialog.onlyIfNotInstalledBox()->setChecked(false);
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<IncludeLanguagePackageItem> item = NewIncludeLanguagePackage(nullptr, document);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->paths,
              (LocalizedText{u".\\en\\App.sis", u".\\fr\\App.sis", u".\\fr\\App.sis"}));
    EXPECT_EQ(item->uid, 0x12345678u);
    EXPECT_TRUE(item->unconditional);
}

TEST_F(ActionDialogsTest, EditingALanguagePackageKeepsTheRowsNotChosenAgain) {
    auto package = std::make_unique<IncludeLanguagePackageItem>(3);
    package->paths = {u".\\a.sis", u".\\b.sis", u".\\c.sis"};
    package->uid = 0x100;
    auto* item = add(std::move(package));
    const std::string other = sisFile("d.sis", 0x200);

    // Unchanged: nothing marked. A file with another UID in one row: refused.
    WhenModal<IncludeLanguagePackageDialog> same(
        [](IncludeLanguagePackageDialog& dialog) { EXPECT_TRUE(dialog.submit()); });
    EXPECT_TRUE(EditIncludeLanguagePackage(nullptr, document, item, kBy));
    EXPECT_FALSE(document.modified());

    WhenModal<IncludeLanguagePackageDialog> mixed([&](IncludeLanguagePackageDialog& dialog) {
        EXPECT_EQ(dialog.uidLabel()->text(), "0x100");
        dialog.sourceList()->setCurrentItem(dialog.sourceList()->topLevelItem(1));
        files.answer = QString::fromStdString(other);
        dialog.browseButton()->click();
        EXPECT_FALSE(dialog.submit());
        dialog.reject();
    });
    EXPECT_FALSE(EditIncludeLanguagePackage(nullptr, document, item, kBy));
    EXPECT_EQ(item->paths[1], u".\\b.sis");
    EXPECT_FALSE(document.modified());
}

TEST_F(ActionDialogsTest, ConditionsAreCheckedByTheGrammarAndComeBackParsed) {
    auto start = std::make_unique<ConditionNode>(ConditionNode::Kind::Option);
    start->number = 1;
    WhenModal<ConditionDialog> answer([&](ConditionDialog& dialog) {
        EXPECT_EQ(dialog.conditionBox()->text(), "option1");
        // The grammar's messages are the condition parser's tests'; here one shows.
        dialog.conditionBox()->setText("Colour = 1");
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{"The condition is not valid: 'Colour' is "
                                                     "not known in a condition."});
        dialog.conditionBox()->setText("NOT package(0xA0001234) and language=2");
        EXPECT_TRUE(dialog.submit());
    });
    std::optional<Condition> condition = AskCondition(nullptr, start.get());
    ASSERT_TRUE(condition && *condition);
    EXPECT_EQ(ConditionText(**condition), u"NOT package(0xa0001234) AND (language = 2)");

    WhenModal<ConditionDialog> cancel([](ConditionDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(AskCondition(nullptr, nullptr));
}

} // namespace
} // namespace tb
