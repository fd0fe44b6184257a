#include "views/localization/edit_dialog_box.h"
#include "views/localization/localization_model.h"
#include "views/localization/localization_view.h"
#include "views/view_fixture.h"

#include "util/text_file.h"

#include <QPlainTextEdit>

namespace tb::test {
namespace {

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

class LocalizationViewTest : public PackageViewTest<LocalizationView> {
protected:
    void SetUp() override {
        writeText("hello_English.txt", u"Hello");
        writeText("hello_French.txt", std::u16string(100, u'b'));
        open(kPackage);
    }

    void writeText(const std::string& name, const std::u16string& text) {
        ASSERT_EQ(WriteTextFile(dir.write("App/" + name, ""), text), err::kOk);
    }
    std::u16string readText(const std::string& name) {
        std::u16string text;
        EXPECT_EQ(ReadTextFile(dir.file("App/" + name), text), err::kOk);
        return text;
    }
    QStringList cells(int row) const { return RowCells(*view->model(), row); }
    QStringList offered() const { return ComboTexts(view->languageBox()); }
    QLineEdit* startEdit(Row row) {
        view->editRow(row);
        return view->openEditor();
    }
    void editDialog(const std::function<void(EditDialogBox&)>& act) {
        runModal<EditDialogBox>([this] { view->editRow(kDialog); }, act);
    }
};

// Which rows there are, their labels and how long texts are cut are
// LocalizationTest's and DialogTextPreviewTest's.
TEST_F(LocalizationViewTest, RowsShowEveryTextInTheCurrentAndTheChosenLanguage) {
    EXPECT_EQ(offered(), (QStringList{"French", "German"}));
    ASSERT_EQ(view->model()->rowCount(), kDialog + 1);
    EXPECT_EQ(cells(kA), (QStringList{"Option List 2 : Option 1", "A", "A FR"}));
    EXPECT_EQ(cells(kDialog), (QStringList{"Dialog 1 : hello", "Hello", QString(100, 'b')}));
    view->languageBox()->setCurrentIndex(1);
    EXPECT_EQ(cells(kVendor).back(), "Anbieter");
    EXPECT_EQ(cells(kDialog).back(), "") << "a file that cannot be read shows nothing";

    // Becoming the current language, the translated one gives its place to the one it replaced.
    document.setCurrentLanguage(2);
    EXPECT_EQ(offered(), (QStringList{"English", "French"}));
    EXPECT_EQ(cells(kName), (QStringList{"Package name", "App DE", "App"}));
}

// Leaving the box commits into the language shown in the third column only.
TEST_F(LocalizationViewTest, TextsAreEditedInPlaceInTheChosenLanguage) {
    emit view->table()->clicked(view->model()->index(kExtras, LocalizationModel::kTranslation));
    QLineEdit* box = view->openEditor();
    ASSERT_TRUE(box);
    TypeText(box, "Suppl\u00E9ments");
    document.commitEdits();
    EXPECT_EQ(view->model()->rowAt(kExtras)->option->names,
              (LocalizedText{u"Extras", u"Suppl\u00E9ments", u"Extras DE"}));

    box = startEdit(kQt);
    TypeText(box, "Qt FR");
    document.setCurrentLanguage(2); // commits first, into French
    EXPECT_EQ(package().packageDependencies.at(0)->names,
              (LocalizedText{u"Qt", u"Qt FR", u"Qt DE"}));

    open("&EN\n#{\"One\"},(0xA0001234),1,0,0\n%{\"V\"}\n:\"V\"\n");
    EXPECT_EQ(startEdit(kName), nullptr) << "a single language leaves nothing to translate";
}

// The box edits the chosen language's file only; a file that cannot be read is shown as an
// error and left alone, one that cannot be written is reported and kept.
TEST_F(LocalizationViewTest, EditDialogWritesTheChosenLanguagesFileOnly) {
    view->languageBox()->setCurrentIndex(1); // German: missing.txt
    editDialog([&](EditDialogBox& box) {
        EXPECT_TRUE(box.textBox()->isReadOnly());
        EXPECT_TRUE(box.textBox()->toPlainText().startsWith("Error, the file '"));
        EXPECT_TRUE(box.submit());
    });
    EXPECT_FALSE(std::filesystem::exists(dir.file("App/missing.txt")));

    view->languageBox()->setCurrentIndex(0);
    editDialog([&](EditDialogBox& box) {
        files.answer = QString::fromStdString(dir.write("import.txt", "Imported\r\ntext"));
        box.importButton()->click();
        EXPECT_EQ(box.textBox()->toPlainText(), "Imported\ntext");
        EXPECT_FALSE(WithFileSizeLimit(3, [&] { return box.submit(); }));
        EXPECT_EQ(readText("hello_French.txt"), std::u16string(100, u'b')) << "kept";
        box.textBox()->setPlainText("Bonjour\nMonde");
        EXPECT_TRUE(box.submit());
    });
    ASSERT_EQ(shownTexts().size(), 1u);
    EXPECT_TRUE(shownTexts()[0].startsWith("The dialog could not be saved."));
    EXPECT_EQ(readText("hello_French.txt") + u"|" + readText("hello_English.txt"),
              u"Bonjour\r\nMonde|Hello");
    EXPECT_EQ(cells(kDialog).back(), "Bonjour\r\nMonde");
    EXPECT_FALSE(document.modified()) << "the text is not in the package file";

    // A language added through "Languages..." has no file until the box makes one.
    view->setLanguagesEditor([](QWidget*, std::vector<uint32_t>& languages, size_t&) {
        languages.push_back(5);
        return true;
    });
    view->languagesButton()->click();
    EXPECT_EQ(offered(), (QStringList{"French", "German", "Italian"}));
    view->languageBox()->setCurrentIndex(2);
    editDialog([&](EditDialogBox& box) {
        EXPECT_EQ(box.textBox()->toPlainText(), "");
        box.textBox()->setPlainText("Ciao");
        EXPECT_TRUE(box.submit());
    });
    EXPECT_EQ(readText("hello_Italian.txt"), u"Ciao");
    EXPECT_EQ(view->model()->rowAt(kDialog)->dialog->sources.at(3), u".\\hello_Italian.txt");
}

} // namespace
} // namespace tb::test
