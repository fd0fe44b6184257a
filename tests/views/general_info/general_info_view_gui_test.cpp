#include "views/general_info/general_info_view.h"

#include "util/text_convert.h"
#include "views/general_info/header_view_fixture.h"
#include "views/general_info/uid_edit.h"

#include <QLabel>

#include <map>

namespace tb::test {
namespace {

constexpr char kTwoLanguages[] = "&EN,FR\n"
                                 "#{\"App\",\"Appli\"},(0xA0001234),1,2,3\n"
                                 "%{\"Vendor\",\"Vendeur\"}\n"
                                 ":\"Global\"\n";

using GeneralInfoTest = HeaderViewTest<GeneralInfoView>;

TEST_F(GeneralInfoTest, ShowsTheCurrentLanguageAndCommitsOnlyWhatWasTyped) {
    open(kTwoLanguages);
    EXPECT_EQ(view.vendorBox()->text(), "Vendor");
    EXPECT_EQ(view.uidLabel()->text(), "0xa0001234");
    EXPECT_EQ(view.versionBox(2)->text(), "3");

    Retype(view.nameBox(), "My\"App"); // the quote is refused as typed
    Retype(view.vendorBox(), "V2");
    EXPECT_EQ(view.nameBox()->text(), "MyApp");
    EXPECT_FALSE(document.modified()) << "nothing is taken before the commit";
    document.setCurrentLanguage(1);
    EXPECT_EQ(package().names, (LocalizedText{u"MyApp", u"Appli"}));
    EXPECT_EQ(package().vendors, (LocalizedText{u"V2", u"Vendeur"}));
    EXPECT_TRUE(document.modified());
    EXPECT_EQ(view.nameBox()->text(), "Appli") << "the new language's texts are shown";

    save();
    Retype(view.globalVendorBox(), "Global"); // typed, but the same text
    document.commitEdits();
    EXPECT_FALSE(document.modified()) << "an unchanged value marks nothing";

    // Version boxes take digits that fit (NumberBoxesTest has the range), an empty box is zero.
    Retype(view.versionBox(1), "");
    Retype(view.versionBox(2), "2x1474836479"); // the last digit would not fit
    EXPECT_EQ(view.versionBox(2)->text(), "2147483647");
    document.commitEdits();
    EXPECT_EQ(std::tuple(package().versionMinor, package().versionBuild),
              std::tuple(0, 2147483647));
    EXPECT_EQ(view.versionBox(1)->text(), "0");

    // A value the box cannot show (a negative one from a hand-written file) stays stored
    // until the user types.
    open("&EN\n#{\"App\"},(0x1),-1,2,3\n");
    EXPECT_EQ(view.versionBox(0)->text(), "");
    document.commitEdits();
    EXPECT_EQ(package().versionMajor, -1);
    EXPECT_FALSE(document.modified());
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
        EXPECT_EQ(ComboTexts(view.typeBox()), c.entries) << c.keyword;
        EXPECT_EQ(view.typeBox()->currentIndex(), c.current) << c.keyword;
    }
    view.typeBox()->activated(0);
    EXPECT_EQ(package().type, PackageType::PreinstalledApplication);
    EXPECT_TRUE(document.modified());
    save();
    view.typeBox()->activated(0);
    EXPECT_FALSE(document.modified());
}

// Records what the other views hear of a UID change.
struct ChangeLog : DocumentListener {
    void packageChanged(const PackageChange& change) override { kinds.push_back(change.kind); }
    void editBatchStarted() override { batches += "("; }
    void editBatchEnded() override { batches += ")"; }
    std::vector<PackageChangeKind> kinds;
    std::string batches;
};

// Which targets a UID change moves is UidChangeTest's; here one of each place.
constexpr char kPrivateFiles[] = "&EN\n"
                                 "#{\"App\"},(0xA0001234),1,0,0\n"
                                 "=\"logo.png\",\"image/png\",\"!:\\private\\a0001234\\logo.png\"\n"
                                 "\"app.exe\"-\"!:\\sys\\bin\\app.exe\"\n"
                                 "\"\"-\"!:\\private\\A0001234\\cache.dat\",FN\n"
                                 "{\"lang.txt\"}-\"!:\\private\\a0001234\\lang.txt\"\n"
                                 "!({\"One\"})\n"
                                 "IF option1\n"
                                 "  \"b.txt\"-\"!:\\private\\a0001234\\data\\b.txt\"\n"
                                 "ENDIF\n";

// Each file's target by its (first) source; "(null)" for the null file.
std::map<std::string, std::string> Targets(const Package& package) {
    std::map<std::string, std::string> targets;
    for (InstallItem* item : CollectFileItems(package.items)) {
        const auto* language = itemAs<InstallLanguageFileItem>(item);
        const WideText source =
            language ? language->sources.at(0) : itemAs<InstallFileItem>(item)->source;
        targets[source.empty() ? "(null)" : wideToUtf8(source)] =
            wideToUtf8(itemAs<FileItemBase>(item)->target);
    }
    return targets;
}

TEST_F(GeneralInfoTest, EditUidRefusesNonNumbersAndMovesThePrivateFolderAsOneBatch) {
    open(kPrivateFiles);
    save();
    ChangeLog log;
    document.addListener(&log);

    bool checked = false;
    WhenModal<EditUidDialog> dialog([&](EditUidDialog& d) {
        EXPECT_EQ(d.uidBox()->text(), "0xa0001234");
        EXPECT_EQ(d.uidBox()->selectedText(), "0xa0001234");
        for (const char* bad : {"0", "12ab"}) {
            d.uidBox()->setText(bad);
            EXPECT_FALSE(d.submit()) << bad;
            ASSERT_FALSE(boxes.shown.empty());
            EXPECT_EQ(boxes.shown.back().text,
                      "You must enter a number in hexadecimal or normal form.");
        }
        d.uidBox()->setText("3758096385"); // 0xE0000001
        checked = d.submit();
    });
    view.editUidButton()->click();
    ASSERT_TRUE(dialog.seen() && checked);
    document.removeListener(&log);

    EXPECT_EQ(package().uid, 0xE0000001u);
    EXPECT_EQ(view.uidLabel()->text(), "0xe0000001");
    EXPECT_EQ(Targets(package()), (std::map<std::string, std::string>{
                                      {"app.exe", "\\sys\\bin\\app.exe"},
                                      {"(null)", "\\private\\e0000001\\cache.dat"},
                                      {"lang.txt", "\\private\\e0000001\\lang.txt"},
                                      {"b.txt", "\\private\\e0000001\\data\\b.txt"},
                                  }));
    EXPECT_EQ(package().logo.target, u"\\private\\e0000001\\logo.png");
    EXPECT_EQ(log.batches, "()") << "the other views refresh once";
    EXPECT_EQ(log.kinds, (std::vector{PackageChangeKind::Header, PackageChangeKind::Logo}));
    EXPECT_TRUE(document.modified());

    // The same UID, or Cancel, changes nothing.
    save();
    WhenModal<EditUidDialog> same([](EditUidDialog& d) {
        d.uidBox()->setText("0xE0000001");
        d.submit();
    });
    view.editUid();
    WhenModal<EditUidDialog> cancelled([](EditUidDialog& d) {
        d.uidBox()->setText("0x5");
        d.reject();
    });
    view.editUid();
    EXPECT_TRUE(same.seen() && cancelled.seen());
    EXPECT_EQ(package().uid, 0xE0000001u);
    EXPECT_FALSE(document.modified());
}

} // namespace
} // namespace tb::test
