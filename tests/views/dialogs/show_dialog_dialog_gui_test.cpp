#include "views/dialogs/show_dialog_dialog.h"

#include "editing/dialog_names.h"
#include "views/dialogs/action_dialog_fixture.h"
#include "views/dialogs/action_dialogs_api.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>

namespace tb {
namespace {

using test::ReadBytes;
using test::TextFileBytes;
using test::WhenModal;

const QString kCreateFailed = ui::ToQString(kDialogCreateFailed);

class ShowDialogTest : public test::ActionDialogTest {
protected:
    // A dialog of kind named name whose text files are written now, as the dialog would.
    template <class Item> Item* addDialog(const char16_t* name, std::vector<std::string> texts) {
        std::unique_ptr<Item> item;
        if constexpr (std::is_same_v<Item, ShowDialogItem>)
            item = std::make_unique<Item>();
        else
            item = std::make_unique<Item>(3);
        item->name = name;
        std::vector<WideText> sources;
        for (size_t i = 0; i < texts.size(); ++i) {
            const std::string file = ui::ToHostPath(ui::ToQString(name)) +
                                     (texts.size() > 1 ? "_" + std::to_string(i) : "") + ".txt";
            dir.write(file, TextFileBytes(texts[i]));
            sources.push_back(u".\\" + ui::ToWide(QString::fromStdString(file)));
        }
        if constexpr (std::is_same_v<Item, ShowDialogItem>)
            item->source = sources.at(0);
        else
            item->sources = sources;
        return add(std::move(item));
    }
};

TEST_F(ShowDialogTest, NewNamesAreRefusedInOrderAndTheDialogKeepsWhatWasTyped) {
    addDialog<ShowLanguageDialogItem>(u"New Dialog", {"en", "fr", "ge"});
    const struct {
        const char* name;
        std::u16string_view message;
    } refused[] = {
        {"", kEnterDialogName},
        {"aux", kInvalidDialogName},
        {"a?b", kInvalidDialogName},
        {"New Dialog", kDialogNameTaken},
    };
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Show Dialog");
        EXPECT_EQ(dialog.nameBox()->text(), "New Dialog");
        EXPECT_EQ(dialog.nameBox()->selectedText(), "New Dialog");
        EXPECT_EQ(dialog.buttonKindBox()->currentText(), "Continue");
        dialog.textBox()->setPlainText("Line one\nLine two");
        dialog.buttonKindBox()->setCurrentIndex(2);
        for (const auto& c : refused) {
            boxes.shown.clear();
            dialog.nameBox()->setText(c.name);
            EXPECT_FALSE(dialog.submit()) << c.name;
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, ui::ToQString(c.message));
            EXPECT_EQ(boxes.shown[0].icon, ui::MessageIcon::Error);
            EXPECT_EQ(dialog.textBox()->toPlainText(), "Line one\nLine two");
            EXPECT_EQ(dialog.focusWidget(), dialog.nameBox());
        }
        // Only the text file exists afterwards: nothing was written for a refused name.
        EXPECT_EQ(dir.entries().size(), 4u);
        dialog.nameBox()->setText("new dialog");
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<ShowDialogItem> item = NewShowDialog(nullptr, document);
    EXPECT_TRUE(answer.seen());
    ASSERT_TRUE(item);
    EXPECT_EQ(item->name, u"new dialog");
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
        EXPECT_EQ(dialog.nameBox()->text(), "Readme");
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<ShowDialogItem> item = NewShowDialog(nullptr, document);
    ASSERT_TRUE(item);
    const QString question = "The file '" + QString::fromStdString(dir.file("Readme.txt")) +
                             "' already exists. Do you want to replace it?";
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, question);
    EXPECT_EQ(boxes.shown[0].buttons, ui::MessageButtons::YesNo);
    EXPECT_EQ(ReadBytes(dir.file("Readme.txt")), TextFileBytes("new"));
}

TEST_F(ShowDialogTest, ALanguageDialogWritesOneFilePerLanguageOrNoneAtAll) {
    // French is shown: its file gets the text, the others start empty.
    std::filesystem::create_directory(dir.file("Intro_German.txt"));
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Show Language Dependent Dialog");
        EXPECT_EQ(dialog.nameBox()->text(), "New Language Dialog");
        dialog.nameBox()->setText("Intro");
        dialog.textBox()->setPlainText("Bonjour");
        EXPECT_FALSE(dialog.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{kCreateFailed});
        EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_English.txt")));
        EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_French.txt")));

        std::filesystem::remove(dir.file("Intro_German.txt"));
        EXPECT_TRUE(dialog.submit());
    });
    std::unique_ptr<ShowLanguageDialogItem> item = NewShowLanguageDialog(nullptr, document);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->name, u"Intro");
    EXPECT_EQ(item->sources, (LocalizedText{u".\\Intro_English.txt", u".\\Intro_French.txt",
                                            u".\\Intro_German.txt"}));
    EXPECT_EQ(ReadBytes(dir.file("Intro_English.txt")), TextFileBytes(""));
    EXPECT_EQ(ReadBytes(dir.file("Intro_French.txt")), TextFileBytes("Bonjour"));
    EXPECT_EQ(ReadBytes(dir.file("Intro_German.txt")), TextFileBytes(""));
}

// Only the button kind is part of the package: a new text rewrites the file and nothing else.
TEST_F(ShowDialogTest, EditingMarksThePackageModifiedOnlyForTheButtonKind) {
    auto* dialog = addDialog<ShowDialogItem>(u"Readme", {"Hello\r\nWorld"});
    const struct {
        const char* text;
        int buttonKind;
        bool modified;
    } cases[] = {
        {"Hello\nthere", 0, false},
        {"Hello\nthere", 1, true},
    };
    for (const auto& c : cases) {
        WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
            EXPECT_EQ(edit.nameLabel()->text(), "Readme");
            EXPECT_FALSE(edit.nameBox());
            edit.textBox()->setPlainText(c.text);
            edit.buttonKindBox()->setCurrentIndex(c.buttonKind);
            EXPECT_TRUE(edit.submit());
        });
        EXPECT_TRUE(EditShowDialog(nullptr, document, dialog, kBy));
        EXPECT_EQ(ReadBytes(dir.file("Readme.txt")), TextFileBytes("Hello\r\nthere"));
        EXPECT_EQ(document.modified(), c.modified);
        EXPECT_EQ(dialog->textOption, TextOption(c.buttonKind));
    }
}

TEST_F(ShowDialogTest, AnUnreadableTextIsShownReadOnlyAndNeverWrittenBack) {
    auto* dialog = addDialog<ShowLanguageDialogItem>(u"Intro", {"en", "fr", "ge"});
    std::filesystem::remove(dir.file("Intro_1.txt"));
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
        EXPECT_EQ(edit.textBox()->toPlainText(),
                  "Error, the file '" + QString::fromStdString(dir.file("Intro_1.txt")) +
                      "' could not be read. Please make sure the file is available and that "
                      "you have permission to access the file.");
        EXPECT_TRUE(edit.textBox()->isReadOnly());
        EXPECT_FALSE(edit.importButton()->isEnabled());
        EXPECT_TRUE(edit.submit());
    });
    EXPECT_TRUE(EditShowLanguageDialog(nullptr, document, dialog, kBy));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Intro_1.txt")));
    EXPECT_FALSE(document.modified());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ShowDialogTest, EditShowsAndSavesTheCurrentLanguagesFile) {
    auto* dialog = addDialog<ShowLanguageDialogItem>(u"Intro", {"en", "fr", "ge"});
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
        EXPECT_EQ(edit.textBox()->toPlainText(), "fr");
        edit.textBox()->setPlainText("salut");
        EXPECT_TRUE(edit.submit());
    });
    EXPECT_TRUE(EditShowLanguageDialog(nullptr, document, dialog, kBy));
    EXPECT_EQ(ReadBytes(dir.file("Intro_0.txt")), TextFileBytes("en"));
    EXPECT_EQ(ReadBytes(dir.file("Intro_1.txt")), TextFileBytes("salut"));
    EXPECT_FALSE(document.modified());
}

TEST_F(ShowDialogTest, AFailedSaveKeepsTheDialogOpen) {
    auto* dialog = addDialog<ShowDialogItem>(u"Readme", {"text"});
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
        std::filesystem::remove(dir.file("Readme.txt"));
        std::filesystem::create_directory(dir.file("Readme.txt"));
        edit.buttonKindBox()->setCurrentIndex(1);
        EXPECT_FALSE(edit.submit());
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kDialogSaveFailed)});
        edit.reject();
    });
    EXPECT_FALSE(EditShowDialog(nullptr, document, dialog, kBy));
    EXPECT_EQ(dialog->textOption, TextOption::TC);
    EXPECT_FALSE(document.modified());
}

TEST_F(ShowDialogTest, ImportReplacesTheTextOrSaysWhyItCannotAndCancelWritesNothing) {
    const std::string utf8 = dir.write("other/notes.txt", "first\r\nsecond");
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& dialog) {
        dialog.textBox()->setPlainText("typed");
        files.answer = QString::fromStdString(utf8);
        dialog.importButton()->click();
        EXPECT_EQ(files.asked.value(0), "Import Text From File");
        EXPECT_TRUE(files.asked.value(1).startsWith("Text Files (*.txt)"));
        EXPECT_EQ(dialog.textBox()->toPlainText(), "first\nsecond");

        files.answer = QString::fromStdString(dir.file("missing.txt"));
        dialog.importButton()->click();
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kImportTextFailed)});
        EXPECT_EQ(dialog.textBox()->toPlainText(), "first\nsecond");
        dialog.reject();
    });
    EXPECT_FALSE(NewShowDialog(nullptr, document));
    // Cancel writes nothing.
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"App.pkg", "other"}));
}

// A language added after the dialog was made has no text file yet: OK makes it by the naming
// rule, and the item then names it.
TEST_F(ShowDialogTest, ALanguageWithoutATextFileGetsOneOnOk) {
    auto item = std::make_unique<ShowLanguageDialogItem>(3);
    item->name = u"Intro";
    item->sources = {u".\\Intro_English.txt", u"", u""};
    auto* dialog = add(std::move(item));
    WhenModal<ShowDialogDialog> answer([&](ShowDialogDialog& edit) {
        EXPECT_FALSE(edit.textBox()->isReadOnly());
        EXPECT_TRUE(edit.textBox()->toPlainText().isEmpty());
        edit.textBox()->setPlainText("Bonjour");
        EXPECT_TRUE(edit.submit());
    });
    EXPECT_TRUE(EditShowLanguageDialog(nullptr, document, dialog, kBy));
    EXPECT_EQ(ReadBytes(dir.file("Intro_French.txt")), TextFileBytes("Bonjour"));
    EXPECT_EQ(dialog->sources,
              (LocalizedText{u".\\Intro_English.txt", u".\\Intro_French.txt", u""}));
    EXPECT_TRUE(document.modified());
}

} // namespace
} // namespace tb
