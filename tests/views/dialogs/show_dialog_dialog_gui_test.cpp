#include "views/dialogs/show_dialog_dialog.h"

#include "editing/dialog_names.h"
#include "views/dialogs/action_dialog_fixture.h"
#include "views/dialogs/action_dialogs_api.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <filesystem>

namespace tb {
namespace {

using test::ReadBytes;
using test::TextFileBytes;
using test::WhenModal;

using ShowDialogTest = test::ActionDialogTest;

// The name rules are DialogNamesTest's; here a refusal keeps the dialog as it was typed.
TEST_F(ShowDialogTest, ANewNameTakenIsRefusedAndTheDialogKeepsWhatWasTyped) {
    auto taken = std::make_unique<ShowLanguageDialogItem>(3);
    taken->name = u"New Dialog";
    add(std::move(taken));
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        EXPECT_EQ(dialog.nameBox()->text(), "New Dialog");
        dialog.textBox()->setPlainText("Line one\nLine two");
        dialog.buttonKindBox()->setCurrentIndex(2);
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kDialogNameTaken)});
        EXPECT_EQ(dialog.textBox()->toPlainText(), "Line one\nLine two");
        EXPECT_EQ(dialog.focusWidget(), dialog.nameBox());
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"App.pkg"}) << "nothing written yet";
        dialog.nameBox()->setText("new dialog");
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<ShowDialogItem> item = NewShowDialog(nullptr, document);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->source, u".\\new dialog.txt");
    EXPECT_EQ(item->textOption, TextOption::TE);
    EXPECT_EQ(ReadBytes(dir.file("new dialog.txt")), TextFileBytes("Line one\r\nLine two"));
    EXPECT_FALSE(document.modified()); // placing it is the caller's edit
}

TEST_F(ShowDialogTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
    dir.write("Readme.txt", "old");
    boxes.answers = {ui::MessageAnswer::No, ui::MessageAnswer::Yes};
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        dialog.nameBox()->setText("Readme");
        dialog.textBox()->setPlainText("new");
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(ReadBytes(dir.file("Readme.txt")), "old");
        EXPECT_TRUE(dialog.submit());
    });
    ASSERT_TRUE(NewShowDialog(nullptr, document));
    EXPECT_EQ(shownTexts(), std::vector<QString>(
                                2, "The file '" + QString::fromStdString(dir.file("Readme.txt")) +
                                       "' already exists. Do you want to replace it?"));
    EXPECT_EQ(ReadBytes(dir.file("Readme.txt")), TextFileBytes("new"));
}

TEST_F(ShowDialogTest, ALanguageDialogWritesOneFilePerLanguageOrNoneAtAll) {
    // French is shown: its file gets the text, the others start empty.
    std::filesystem::create_directory(dir.file("Intro_German.txt"));
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        dialog.nameBox()->setText("Intro");
        dialog.textBox()->setPlainText("Bonjour");
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kDialogCreateFailed)});
        EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_English.txt")));
        EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_French.txt")));

        std::filesystem::remove(dir.file("Intro_German.txt"));
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<ShowLanguageDialogItem> item = NewShowLanguageDialog(nullptr, document);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->sources, (LocalizedText{u".\\Intro_English.txt", u".\\Intro_French.txt",
                                            u".\\Intro_German.txt"}));
    EXPECT_EQ(ReadBytes(dir.file("Intro_English.txt")), TextFileBytes(""));
    EXPECT_EQ(ReadBytes(dir.file("Intro_French.txt")), TextFileBytes("Bonjour"));
    EXPECT_EQ(ReadBytes(dir.file("Intro_German.txt")), TextFileBytes(""));
}

// Only the button kind is part of the package: a new text rewrites the file and nothing else. A
// save that fails keeps the dialog open and the item as it was.
TEST_F(ShowDialogTest, EditingMarksThePackageModifiedOnlyForTheButtonKind) {
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
        EXPECT_EQ(document.modified(), buttonKind == 1);
        EXPECT_EQ(dialog->textOption, TextOption(buttonKind));
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
    EXPECT_EQ(dialog->textOption, TextOption::TA);
    EXPECT_FALSE(document.modified());
}

TEST_F(ShowDialogTest, ImportReplacesTheTextOrSaysWhyItCannotAndCancelWritesNothing) {
    const std::string utf8 = dir.write("other/notes.txt", "first\r\nsecond");
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        dialog.textBox()->setPlainText("typed");
        files.answer = QString::fromStdString(utf8);
        dialog.importButton()->click();
        EXPECT_EQ(files.asked.value(0), "Import Text From File");
        EXPECT_EQ(dialog.textBox()->toPlainText(), "first\nsecond");

        files.answer = QString::fromStdString(dir.file("missing.txt"));
        dialog.importButton()->click();
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kImportTextFailed)});
        EXPECT_EQ(dialog.textBox()->toPlainText(), "first\nsecond");
        dialog.reject();
    });
    EXPECT_FALSE(NewShowDialog(nullptr, document));
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"App.pkg", "other"}));
}

// A language added after the dialog was made has no text file yet: OK makes it by the naming
// rule and the item then names it. A named file that cannot be read is shown read-only and
// never written back.
TEST_F(ShowDialogTest, ALanguageWithoutATextFileGetsOneAndAnUnreadableOneIsLeftAlone) {
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
        EXPECT_FALSE(edit.importButton()->isEnabled());
        EXPECT_TRUE(edit.submit());
    });
    EXPECT_TRUE(EditShowLanguageDialog(nullptr, document, dialog, kBy));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_French.txt")));
    EXPECT_FALSE(document.modified());
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace tb
