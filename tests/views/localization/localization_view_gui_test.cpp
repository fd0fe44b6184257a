#include "views/localization/edit_dialog_box.h"
#include "views/localization/localization_model.h"
#include "views/localization/localization_view.h"
#include "views/localization/package_view_fixture.h"

#include "ui/qt_text.h"
#include "util/text_file.h"

#include <QPlainTextEdit>
#include <QTreeView>

namespace tb {
namespace {

using test::RowCells;
using test::TypeText;

// Three languages, English shown. The dialog "hello" has an English and a French text file;
// its German file is named but missing.
constexpr const char* kPackage = R"(&EN,FR,GE
#{"App","App FR","App DE"},(0xA0001234),1,0,0
%{"Vendor","","Anbieter"}
:"Vendor"
[0x101F7961],0,0,0,{"S60","S60 FR","S60 DE"}
(0x2000AFDE),1,0,*,{"Qt","","Qt DE"}
{"hello_English.txt" "hello_French.txt" "missing.txt"}-"",FT,TC
"plain.txt"-"",FT,TC
!({"Help","Aide","Hilfe"},{"Extras","","Extras DE"})
IF option1
	!({"A","A FR","A DE"},{"B","B FR","B DE"})
ENDIF
)";

enum Row { kName, kVendor, kS60, kQt, kHelp, kExtras, kA, kB, kDialog };

class LocalizationViewTest : public test::PackageViewTest<LocalizationView> {
protected:
    void SetUp() override {
        writeText("hello_English.txt", u"Hello");
        writeText("hello_French.txt", std::u16string(100, u'b'));
        open(kPackage);
    }

    void writeText(const std::string& name, const std::u16string& text) {
        ASSERT_EQ(WriteTextFile(dir.write(name, ""), text), err::kOk);
    }
    std::u16string readText(const std::string& name) {
        std::u16string text;
        EXPECT_EQ(ReadTextFile(dir.file(name), text), err::kOk);
        return text;
    }
    LocalizationModel& rows() const { return *view->model(); }
    QStringList cells(int row) const { return RowCells(rows(), row); }
    QStringList offered() const { return test::ComboTexts(view->languageBox()); }
    QLineEdit* startEdit(Row row) {
        view->editRow(row);
        return view->openEditor();
    }
    void editDialog(const std::function<void(EditDialogBox&)>& act) {
        test::RunModal<EditDialogBox>([this] { view->editRow(kDialog); }, act);
    }
    const OptionItem& option(Row row) const { return *rows().rowAt(row)->option; }
};

TEST_F(LocalizationViewTest, RowsShowEveryTextInTheCurrentAndTheChosenLanguage) {
    EXPECT_EQ(offered(), (QStringList{"French", "German"}));
    EXPECT_EQ(test::HeaderTexts(rows()), (QStringList{"Item", "Current: English", "French"}));
    // Which rows there are and their labels is LocalizationRowsTest's.
    ASSERT_EQ(rows().rowCount(), kDialog + 1);
    EXPECT_EQ(cells(kName), (QStringList{"Package name", "App", "App FR"}));
    EXPECT_EQ(cells(kQt), (QStringList{"Dependency", "Qt", ""}));
    EXPECT_EQ(cells(kA), (QStringList{"Option List 2 : Option 1", "A", "A FR"}));
    EXPECT_EQ(cells(kDialog), (QStringList{"Dialog 1 : hello", "Hello", QString(100, 'b')}));
    view->languageBox()->setCurrentIndex(1);
    EXPECT_EQ(cells(kVendor).back(), "Anbieter");
    EXPECT_EQ(cells(kDialog).back(), "") << "a file that cannot be read shows nothing";

    writeText("hello_French.txt", std::u16string(101, u'b'));
    view->languageBox()->setCurrentIndex(0);
    view->deactivate(); // rebuilt as when the user comes back to the view
    view->activate();
    EXPECT_EQ(cells(kDialog).back(), QString(97, 'b') + "...");
}

// Leaving the box commits into the language shown in the third column; nothing else changes
// and an unchanged text marks nothing.
TEST_F(LocalizationViewTest, TextsAreEditedInPlaceInTheChosenLanguage) {
    QLineEdit* box = startEdit(kVendor);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), "");
    document.commitEdits();
    EXPECT_FALSE(document.modified()) << "empty and left empty";
    box = startEdit(kVendor);
    TypeText(box, "Vendeur \"SA\"");
    EXPECT_EQ(box->text(), "Vendeur SA") << "a double quote is refused as typed";
    document.commitEdits();
    EXPECT_EQ(package().vendors, (LocalizedText{u"Vendor", u"Vendeur SA", u"Anbieter"}));
    EXPECT_TRUE(document.modified());

    // A click on the third column of an option, then the option's text changes in French only.
    emit view->table()->clicked(rows().index(kExtras, LocalizationModel::kTranslation));
    box = view->openEditor();
    ASSERT_TRUE(box);
    TypeText(box, "Suppl\u00E9ments");
    document.commitEdits();
    EXPECT_EQ(option(kExtras).names, (LocalizedText{u"Extras", u"Suppl\u00E9ments", u"Extras DE"}));

    box = startEdit(kQt);
    TypeText(box, "Qt FR");
    document.setCurrentLanguage(2); // commits first, into French
    EXPECT_EQ(package().packageDependencies.at(0)->names,
              (LocalizedText{u"Qt", u"Qt FR", u"Qt DE"}));

    // Escape cancels; a click on another column edits nothing.
    box = startEdit(kA);
    TypeText(box, "x");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(box, &escape);
    document.commitEdits();
    EXPECT_EQ(option(kA).names, (LocalizedText{u"A", u"A FR", u"A DE"}));
    emit view->table()->clicked(rows().index(kA, LocalizationModel::kCurrent));
    EXPECT_EQ(view->openEditor(), nullptr);
}

// Becoming the current language, the translated one gives its place to the language it
// replaced; a single language leaves nothing to translate.
TEST_F(LocalizationViewTest, SwitchingTheCurrentLanguageSwapsTheColumns) {
    view->languageBox()->setCurrentIndex(1); // German
    document.setCurrentLanguage(2);
    EXPECT_EQ(offered(), (QStringList{"English", "French"}));
    EXPECT_EQ(test::HeaderTexts(rows()), (QStringList{"Item", "Current: German", "English"}));
    EXPECT_EQ(cells(kName), (QStringList{"Package name", "App DE", "App"}));

    open("&EN\n#{\"One\"},(0xA0001234),1,0,0\n%{\"V\"}\n:\"V\"\n");
    EXPECT_EQ(view->languageBox()->count(), 0);
    EXPECT_EQ(test::HeaderTexts(rows()), (QStringList{"Item", "Current: English", ""}));
    EXPECT_EQ(startEdit(kName), nullptr);
}

// The box edits the chosen language's file only; a file that cannot be read is shown as an
// error and left alone.
TEST_F(LocalizationViewTest, EditDialogWritesTheChosenLanguagesFileOnly) {
    view->languageBox()->setCurrentIndex(1); // German: missing.txt
    editDialog([&](EditDialogBox& box) {
        EXPECT_TRUE(box.textBox()->isReadOnly());
        EXPECT_EQ(box.textBox()->toPlainText(),
                  "Error, the file '" + QString::fromStdString(dir.file("missing.txt")) +
                      "' could not be read. Please make sure the file is available and that you "
                      "have permission to access the file.");
        EXPECT_TRUE(box.submit());
    });
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.txt")));

    view->languageBox()->setCurrentIndex(0);
    editDialog([&](EditDialogBox& box) {
        EXPECT_EQ(box.textBox()->toPlainText(), QString(100, 'b'));
        box.textBox()->setPlainText("Bonjour\nMonde");
        EXPECT_TRUE(box.submit());
    });
    EXPECT_EQ(readText("hello_French.txt"), u"Bonjour\r\nMonde");
    EXPECT_EQ(readText("hello_English.txt"), u"Hello");
    EXPECT_EQ(cells(kDialog).back(), "Bonjour\r\nMonde");
    EXPECT_FALSE(document.modified()) << "the text is not in the package file";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LocalizationViewTest, EditDialogImportsTextAndReportsWhatFails) {
    const std::string imported = dir.write("import.txt", "Imported\r\ntext");
    editDialog([&](EditDialogBox& box) {
        files.answer = QString::fromStdString(imported);
        box.importButton()->click();
        EXPECT_EQ(box.textBox()->toPlainText(), "Imported\ntext");
        files.answer = QString::fromStdString(dir.file("gone.txt"));
        box.importButton()->click();
        EXPECT_FALSE(test::WithFileSizeLimit(3, [&] { return box.submit(); }));
        box.reject();
    });
    EXPECT_EQ(shownTexts().size(), 2u);
    EXPECT_TRUE(shownTexts().at(0).startsWith("The file could not be read."));
    EXPECT_TRUE(shownTexts().at(1).startsWith("The dialog could not be saved."));
    EXPECT_EQ(readText("hello_French.txt"), std::u16string(100, u'b'));
}

// "Languages..." hands the package's languages to the shell's dialog and rebuilds the view; a
// language added then has no dialog file until the Edit Dialog box makes one.
TEST_F(LocalizationViewTest, LanguagesDialogChangesTheLanguagesAndANewLanguageGetsItsFile) {
    EXPECT_FALSE(view->languagesButton()->isEnabled()) << "no dialog passed in";
    std::vector<uint32_t> asked;
    bool accept = false;
    view->setLanguagesEditor([&](QWidget*, std::vector<uint32_t>& languages, size_t& current) {
        asked = languages;
        languages = {2, 1, 3, 5};
        current = 1;
        return accept;
    });
    ASSERT_TRUE(view->languagesButton()->isEnabled());
    view->languagesButton()->click();
    EXPECT_EQ(asked, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(package().languages.size(), 3u) << "cancelled";

    accept = true;
    view->languagesButton()->click();
    EXPECT_EQ(package().languages, (std::vector<uint32_t>{2, 1, 3, 5}));
    EXPECT_EQ(document.currentLanguage(), 1u);
    EXPECT_EQ(offered(), (QStringList{"French", "German", "Italian"}));
    EXPECT_TRUE(document.modified());

    view->languageBox()->setCurrentIndex(2); // Italian, new: no file
    editDialog([&](EditDialogBox& box) {
        EXPECT_EQ(box.textBox()->toPlainText(), "");
        box.textBox()->setPlainText("Ciao");
        EXPECT_TRUE(box.submit());
    });
    EXPECT_EQ(readText("hello_Italian.txt"), u"Ciao");
    EXPECT_EQ(rows().rowAt(kDialog)->dialog->sources.at(3), u".\\hello_Italian.txt");
    EXPECT_EQ(cells(kDialog).back(), "Ciao");
}

} // namespace
} // namespace tb
