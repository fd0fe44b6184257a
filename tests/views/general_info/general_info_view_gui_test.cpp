#include "views/general_info/general_info_view.h"

#include "util/text_convert.h"
#include "views/general_info/uid_edit.h"
#include "views/view_fixture.h"

#include <QLabel>

namespace tb::test {
namespace {

using GeneralInfoTest = PackageViewTest<GeneralInfoView>;

TEST_F(GeneralInfoTest, CommitsTypedTextsIntoTheShownLanguageAndKeepsWhatItCannotShow) {
    open("&EN,FR\n#{\"App\",\"Appli\"},(0x1),-1,2,3\n%{\"Vendor\",\"Vendeur\"}\n:\"Global\"\n");
    EXPECT_EQ(view->versionBox(0)->text(), "") << "a negative number cannot be shown";
    Retype(view->globalVendorBox(), "Global"); // typed, but the same text
    document.commitEdits();
    EXPECT_FALSE(document.modified()) << "an unchanged value marks nothing";
    Retype(view->nameBox(), "MyApp");
    EXPECT_FALSE(document.modified()) << "nothing is taken before the commit";
    document.setCurrentLanguage(1);
    EXPECT_EQ(package().names, (LocalizedText{u"MyApp", u"Appli"}));
    EXPECT_EQ(view->nameBox()->text(), "Appli") << "the new language's texts are shown";
    EXPECT_EQ(package().versionMajor, -1) << "kept until the user types";
    save();
    Retype(view->versionBox(1), "");
    document.commitEdits();
    EXPECT_EQ(package().versionMinor, 0) << "an empty box is zero";
}

TEST_F(GeneralInfoTest, TheTypeChangesWithinItsGroupAtOnce) {
    const QStringList installable{"Application", "Add-on", "Patch"};
    const QStringList preinstalled{"Pre-installed application", "Pre-installed add-on"};
    const struct {
        const char* keyword;
        QStringList entries;
        int current;
    } cases[] = {{"SP", installable, 1}, {"PU", installable, 2}, {"PP", preinstalled, 1}};
    for (const auto& c : cases) {
        open(std::string("&EN\n#{\"App\"},(0x1),1,0,0,TYPE=") + c.keyword + "\n");
        EXPECT_EQ(ComboTexts(view->typeBox()), c.entries) << c.keyword;
        EXPECT_EQ(view->typeBox()->currentIndex(), c.current) << c.keyword;
    }
    view->typeBox()->activated(0);
    EXPECT_EQ(package().type, PackageType::PreinstalledApplication);
}

// Records what the other views hear of a UID change.
struct ChangeLog : DocumentListener {
    void packageChanged(const PackageChange& change) override { kinds.push_back(change.kind); }
    void editBatchStarted() override { batches += "("; }
    void editBatchEnded() override { batches += ")"; }
    std::vector<PackageChangeKind> kinds;
    std::string batches;
};

// Which targets a UID change moves is UidChangeTest's; here one of each place: \sys\bin, a
// null file, a file inside an option and the logo.
constexpr char kPrivateFiles[] = "&EN\n"
                                 "#{\"App\"},(0xA0001234),1,0,0\n"
                                 "=\"logo.png\",\"image/png\",\"!:\\private\\a0001234\\logo.png\"\n"
                                 "\"app.exe\"-\"!:\\sys\\bin\\app.exe\"\n"
                                 "\"\"-\"!:\\private\\A0001234\\cache.dat\",FN\n"
                                 "!({\"One\"})\n"
                                 "IF option1\n"
                                 "  \"b.txt\"-\"!:\\private\\a0001234\\data\\b.txt\"\n"
                                 "ENDIF\n";

TEST_F(GeneralInfoTest, EditUidRefusesNonNumbersAndMovesThePrivateFolderAsOneBatch) {
    open(kPrivateFiles);
    save();
    ChangeLog log;
    document.addListener(&log);
    WhenModal<EditUidDialog> dialog([&](EditUidDialog& d) {
        EXPECT_EQ(d.uidBox()->selectedText(), "0xa0001234");
        d.uidBox()->setText("12ab");
        EXPECT_FALSE(d.submit());
        d.uidBox()->setText("3758096385"); // 0xE0000001
        EXPECT_TRUE(d.submit());
    });
    view->editUidButton()->click();
    ASSERT_TRUE(dialog.seen());
    document.removeListener(&log);
    EXPECT_EQ(shownTexts(),
              std::vector<QString>{"You must enter a number in hexadecimal or normal form."});
    EXPECT_EQ(view->uidLabel()->text(), "0xe0000001");
    std::string targets;
    for (const InstallItem* item : CollectFileItems(package().items))
        targets += wideToUtf8(itemAs<FileItemBase>(item)->target) + " ";
    EXPECT_EQ(targets, "\\sys\\bin\\app.exe \\private\\e0000001\\cache.dat "
                       "\\private\\e0000001\\data\\b.txt ");
    EXPECT_EQ(package().logo.target, u"\\private\\e0000001\\logo.png");
    EXPECT_EQ(log.batches, "()") << "the other views refresh once";
    EXPECT_EQ(log.kinds, (std::vector{PackageChangeKind::Header, PackageChangeKind::Logo}));

    EXPECT_TRUE(document.modified());
}

} // namespace
} // namespace tb::test
