// The Designer's dialogs other than the file ones: options, packages, conditions, dialogs.
#include "views/dialogs/action_dialogs_api.h"

#include "editing/dialog_names.h"
#include "views/dialogs/condition_dialog.h"
#include "views/dialogs/edit_option_dialog.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/dialogs/include_language_package_dialog.h"
#include "views/dialogs/include_package_dialog.h"
#include "views/dialogs/show_dialog_dialog.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <filesystem>

namespace tb {
namespace {

using test::kBy;
using test::ReadBytes;
using test::WhenModal;

// The bytes of a dialog text file holding text (ASCII) as the program writes it.
std::string TextFileBytes(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text)
        bytes += std::string{c, '\0'};
    return bytes;
}

// An open package (English, French, German; French shown), unmodified.
class ActionDialogsTest : public test::AppTest {
protected:
    void SetUp() override {
        const std::string path =
            dir.write("App.pkg", "&EN,FR,GE\n#{\"App\",\"App\",\"App\"},(0xA0001234),1,0,0\n");
        ASSERT_EQ(document.open(path, false), 0);
        document.setCurrentLanguage(1);
    }

    // Puts item last inside parent (null: the top level) and leaves the package unmodified.
    template <class Item> Item* add(std::unique_ptr<Item> item, InstallItem* parent = nullptr) {
        auto* added = static_cast<Item*>(
            document.insertItem(std::move(item), ItemPlace::lastChildOf(parent), kBy));
        EXPECT_EQ(document.save(), 0);
        return added;
    }

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
    auto* item = add(std::move(option), add(std::make_unique<ShowOptionListItem>()));
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
            if (!dialog.submit())
                dialog.reject();
        });
        EXPECT_EQ(EditOption(nullptr, document, item, kBy), !c.refused) << c.text;
        EXPECT_EQ(shownTexts(),
                  c.refused ? std::vector<QString>{c.refused} : std::vector<QString>{});
        EXPECT_EQ(document.modified(), c.modified) << c.text;
    }
    EXPECT_EQ(item->names, (LocalizedText{u"One", u"   ", u"Eins"}));
}

TEST_F(ActionDialogsTest, EditingAnIncludedPackageMarksOnlyAChange) {
    auto package = std::make_unique<IncludePackageItem>(u".\\sub\\Lib.sis");
    package->uid = 0xA00012AB;
    auto* item = add(std::move(package));
    for (bool check : {true, false}) {
        WhenModal<IncludePackageDialog> answer([&](IncludePackageDialog& dialog) {
            dialog.onlyIfNotInstalledBox()->setChecked(check);
            EXPECT_TRUE(dialog.submit());
        });
        EXPECT_TRUE(EditIncludePackage(nullptr, document, item, kBy));
        EXPECT_EQ(std::tuple(item->unconditional, document.modified()), std::tuple(!check, !check));
    }

    auto languages = std::make_unique<IncludeLanguagePackageItem>(3);
    languages->paths = {u".\\a.sis", u".\\b.sis", u".\\c.sis"};
    auto* perLanguage = add(std::move(languages));
    WhenModal<IncludeLanguagePackageDialog> same(
        [](IncludeLanguagePackageDialog& dialog) { EXPECT_TRUE(dialog.submit()); });
    EXPECT_TRUE(EditIncludeLanguagePackage(nullptr, document, perLanguage, kBy));
    EXPECT_FALSE(document.modified()) << "the rows not chosen again are kept as they were";
}

TEST_F(ActionDialogsTest, LanguagePackagesNeedAFilePerLanguageAllWithOneUid) {
    const std::string english = sisFile("en/App.sis", 0x12345678);
    const std::string french = sisFile("fr/App.sis", 0x12345678);
    WhenModal<IncludeLanguagePackageDialog> answer([&](IncludeLanguagePackageDialog& dialog) {
        QTreeWidget* list = dialog.sourceList();
        ASSERT_EQ(list->topLevelItemCount(), 3);
        auto choose = [&](int row, const std::string& path) {
            list->setCurrentItem(list->topLevelItem(row));
            files.answer = QString::fromStdString(path);
            dialog.browseButton()->click();
        };
        choose(0, english);
        EXPECT_EQ(dialog.uidLabel()->text(), "0x12345678");
        EXPECT_FALSE(dialog.submit());
        choose(1, sisFile("short.sis", 1, 12));
        choose(1, dir.file("missing.sis"));
        EXPECT_EQ(shownTexts(), (std::vector<QString>{
                                    "You must select a source file for each language.",
                                    "The selected file is not a SIS file or it is corrupt.",
                                    "The file could not be opened. The file is in use by another "
                                    "application or you don't have permission to access the "
                                    "file."}));
        EXPECT_TRUE(list->topLevelItem(1)->text(1).isEmpty());

        choose(1, french);
        choose(2, sisFile("App_other.sis", 0x0BADF00D));
        boxes.shown.clear();
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{"All SIS files must have the same UID. "
                                                     "Please choose different files."});
        choose(2, french);
        dialog.onlyIfNotInstalledBox()->setChecked(false);
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<IncludeLanguagePackageItem> item = NewIncludeLanguagePackage(nullptr, document);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->paths,
              (LocalizedText{u".\\en\\App.sis", u".\\fr\\App.sis", u".\\fr\\App.sis"}));
    EXPECT_EQ(std::tuple(item->uid, item->unconditional), std::tuple(0x12345678u, true));
}

TEST_F(ActionDialogsTest, ConditionsAreCheckedByTheGrammarAndComeBackParsed) {
    auto start = std::make_unique<ConditionNode>(ConditionNode::Kind::Option);
    start->number = 1;
    WhenModal<ConditionDialog> answer([&](ConditionDialog& dialog) {
        EXPECT_EQ(dialog.conditionBox()->text(), "option1");
        dialog.conditionBox()->setText("Colour = 1"); // the parser's message shows
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{"The condition is not valid: 'Colour' is "
                                                     "not known in a condition."});
        dialog.conditionBox()->setText("NOT package(0xA0001234) and language=2");
        EXPECT_TRUE(dialog.submit());
    });
    std::optional<Condition> condition = AskCondition(nullptr, start.get());
    ASSERT_TRUE(condition && *condition);
    EXPECT_EQ(ConditionText(**condition), u"NOT package(0xa0001234) AND (language = 2)");
}

// The name rules are LocalizationTest's and the writing DialogTextFilesTest's; here a new dialog
// takes imported text, keeps it through a refusal and asks before it replaces a file.
TEST_F(ActionDialogsTest, ANewDialogImportsRefusesATakenNameAndAsksBeforeReplacing) {
    auto taken = std::make_unique<ShowLanguageDialogItem>(3);
    taken->name = u"New Dialog";
    add(std::move(taken));
    const std::string readme = dir.write("Readme.txt", "old");
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        files.answer = QString::fromStdString(dir.write("other/notes.txt", "Line one\r\nLine two"));
        dialog.importButton()->click();
        files.answer = QString::fromStdString(dir.file("missing.txt"));
        dialog.importButton()->click();
        dialog.buttonKindBox()->setCurrentIndex(2);
        EXPECT_FALSE(dialog.submit());
        boxes.answers = {ui::MessageAnswer::No, ui::MessageAnswer::Yes};
        dialog.nameBox()->setText("Readme");
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(ReadBytes(readme), "old") << "No: the file stays as it was";
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<ShowDialogItem> item = NewShowDialog(nullptr, document);
    ASSERT_TRUE(item);
    const QString replace = "The file '" + QString::fromStdString(readme) +
                            "' already exists. Do you want to replace it?";
    EXPECT_EQ(shownTexts(),
              (std::vector<QString>{ui::ToQString(kImportTextFailed),
                                    ui::ToQString(kDialogNameTaken), replace, replace}));
    EXPECT_EQ(std::tuple(wideToUtf8(item->source), item->textOption),
              std::tuple(".\\Readme.txt", TextOption::TE));
    EXPECT_EQ(ReadBytes(readme), TextFileBytes("Line one\r\nLine two"));
    EXPECT_FALSE(document.modified()); // placing it is the caller's edit
}

TEST_F(ActionDialogsTest, ALanguageDialogWritesOneFilePerLanguageOrNoneAtAll) {
    // French is shown: its file gets the text, the others start empty.
    std::filesystem::create_directory(dir.file("Intro_German.txt"));
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        dialog.nameBox()->setText("Intro");
        dialog.textBox()->setPlainText("Bonjour");
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kDialogCreateFailed)});
        EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_English.txt"))) << "rolled back";

        std::filesystem::remove(dir.file("Intro_German.txt"));
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<ShowLanguageDialogItem> item = NewShowLanguageDialog(nullptr, document);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->sources, (LocalizedText{u".\\Intro_English.txt", u".\\Intro_French.txt",
                                            u".\\Intro_German.txt"}));
    EXPECT_EQ((std::vector{ReadBytes(dir.file("Intro_English.txt")),
                           ReadBytes(dir.file("Intro_French.txt")),
                           ReadBytes(dir.file("Intro_German.txt"))}),
              (std::vector{TextFileBytes(""), TextFileBytes("Bonjour"), TextFileBytes("")}));
}

// Only the button kind is part of the package: a new text rewrites the file and nothing else. A
// save that fails keeps the dialog open and the item as it was.
TEST_F(ActionDialogsTest, EditingMarksThePackageModifiedOnlyForTheButtonKind) {
    auto readme = std::make_unique<ShowDialogItem>();
    readme->name = u"Readme";
    readme->source = u".\\Readme.txt";
    dir.write("Readme.txt", TextFileBytes("Hello\r\nWorld"));
    auto* dialog = add(std::move(readme));
    for (int buttonKind : {0, 1}) {
        WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
            EXPECT_FALSE(edit.nameBox());
            edit.textBox()->setPlainText("Hello\nthere");
            edit.buttonKindBox()->setCurrentIndex(buttonKind);
            EXPECT_TRUE(edit.submit());
        });
        EXPECT_TRUE(EditShowDialog(nullptr, document, dialog, kBy));
        EXPECT_EQ(ReadBytes(dir.file("Readme.txt")), TextFileBytes("Hello\r\nthere"));
        EXPECT_EQ(std::tuple(dialog->textOption, document.modified()),
                  std::tuple(TextOption(buttonKind), buttonKind == 1));
    }

    ASSERT_EQ(document.save(), 0);
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
        std::filesystem::remove(dir.file("Readme.txt"));
        std::filesystem::create_directory(dir.file("Readme.txt"));
        edit.buttonKindBox()->setCurrentIndex(2);
        EXPECT_FALSE(edit.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kDialogSaveFailed)});
        edit.reject();
    });
    EXPECT_FALSE(EditShowDialog(nullptr, document, dialog, kBy));
    EXPECT_EQ(std::tuple(dialog->textOption, document.modified()),
              std::tuple(TextOption::TA, false));
}

// A language added after the dialog was made has no text file yet: OK makes it by the naming
// rule and the item then names it. A named file that cannot be read is shown read-only and
// never written back.
TEST_F(ActionDialogsTest, ALanguageWithoutATextFileGetsOneAndAnUnreadableOneIsLeftAlone) {
    auto item = std::make_unique<ShowLanguageDialogItem>(3);
    item->name = u"Intro";
    item->sources = {u".\\Intro_English.txt", u"", u""};
    auto* dialog = add(std::move(item));
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
        EXPECT_TRUE(edit.textBox()->toPlainText().isEmpty());
        edit.textBox()->setPlainText("Bonjour");
        EXPECT_TRUE(edit.submit());
    });
    EXPECT_TRUE(EditShowLanguageDialog(nullptr, document, dialog, kBy));
    EXPECT_EQ(ReadBytes(dir.file("Intro_French.txt")), TextFileBytes("Bonjour"));
    EXPECT_EQ(dialog->sources,
              (LocalizedText{u".\\Intro_English.txt", u".\\Intro_French.txt", u""}));
    EXPECT_TRUE(document.modified());

    ASSERT_EQ(document.save(), 0);
    std::filesystem::remove(dir.file("Intro_French.txt"));
    WhenModal<ShowDialogDialog> unreadable([&](ShowDialogDialog& edit) {
        EXPECT_EQ(edit.textBox()->toPlainText(),
                  "Error, the file '" + QString::fromStdString(dir.file("Intro_French.txt")) +
                      "' could not be read. Please make sure the file is available and that "
                      "you have permission to access the file.");
        EXPECT_TRUE(edit.textBox()->isReadOnly());
        EXPECT_TRUE(edit.submit());
    });
    EXPECT_TRUE(EditShowLanguageDialog(nullptr, document, dialog, kBy));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_French.txt")));
    EXPECT_FALSE(document.modified());
}

} // namespace
} // namespace tb
