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
(0x2000AFDE),1,0,*,{"Qt","","Qt DE"}
{"hello_English.txt" "hello_French.txt" "missing.txt"}-"",FT,TC
!({"A","A FR","A DE"},{"B","B FR","B DE"})
)";

enum Row { kName, kVendor, kQt, kA, kB, kDialog };

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
    void editDialog(const std::function<void(EditDialogBox&)>& act) {
        runModal<EditDialogBox>([this] { view->editRow(kDialog); }, act);
    }
};

// Which rows there are, their labels and how long texts are cut are
// LocalizationTest's and DialogTextPreviewTest's.
TEST_F(LocalizationViewTest, RowsShowEveryTextInTheCurrentAndTheChosenLanguage) {
    EXPECT_EQ(offered(), (QStringList{"French", "German"}));
    EXPECT_EQ(cells(kA), (QStringList{"Option List 1 : Option 1", "A", "A FR"}));
    EXPECT_EQ(cells(kDialog), (QStringList{"Dialog 1 : hello", "Hello", QString(100, 'b')}));
    view->languageBox()->setCurrentIndex(1);
    EXPECT_EQ(cells(kVendor).back(), "Anbieter");
    EXPECT_EQ(cells(kDialog).back(), "") << "a file that cannot be read shows nothing";
    view->editRow(kQt);
    ASSERT_TRUE(view->openEditor());
    TypeText(view->openEditor(), "Qt neu");

    // Becoming the current language, the translated one gives its place to the one it replaced;
    // the text being typed is taken first, into the language it was typed for.
    document.setCurrentLanguage(2);
    EXPECT_EQ(offered(), (QStringList{"English", "French"}));
    EXPECT_EQ(cells(kName), (QStringList{"Package name", "App DE", "App"}));
    EXPECT_EQ(package().packageDependencies.at(0)->names, (LocalizedText{u"Qt", u"", u"Qt neu"}));
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
        EXPECT_FALSE(WithFileSizeLimit(3, [&] { return box.submit(); }));
        EXPECT_EQ(readText("hello_French.txt"), std::u16string(100, u'b')) << "kept";
        box.textBox()->setPlainText("Bonjour\nMonde");
        EXPECT_TRUE(box.submit());
    });
    EXPECT_EQ(shownTexts().size(), 1u) << "the failed write is reported";
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
    view->languageBox()->setCurrentIndex(2);
    editDialog([&](EditDialogBox& box) {
        box.textBox()->setPlainText("Ciao");
        EXPECT_TRUE(box.submit());
    });
    EXPECT_EQ(readText("hello_Italian.txt"), u"Ciao");
    EXPECT_EQ(view->model()->rowAt(kDialog)->dialog->sources.at(3), u".\\hello_Italian.txt");
}

} // namespace
} // namespace tb::test
