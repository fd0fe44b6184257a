#include "views/general_info/general_info_view.h"

#include "editing/file_checks.h"
#include "shell/build_gui_fixture.h"
#include "ui/qt_text.h"
#include "views/general_info/logo_section.h"
#include "views/general_info/logo_settings_dialog.h"
#include "views/general_info/uid_edit.h"
#include "views/view_fixture.h"

#include <QImage>
#include <QLabel>
#include <QToolButton>

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
}

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
    DocumentLog log;
    document.addListener(&log);
    WhenModal<EditUidDialog> dialog([&](EditUidDialog& d) {
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
    EXPECT_EQ(targets(), "\\sys\\bin\\app.exe\n\\private\\e0000001\\cache.dat\n"
                         "\\private\\e0000001\\data\\b.txt\n");
    EXPECT_EQ(package().logo.target, u"\\private\\e0000001\\logo.png");
    EXPECT_EQ(log.seen, "(HccL)") << "the other views refresh once";
}

// General Info raises the build number after a successful build only, shown or not.
class BuildIncrementTest : public BuildGuiTest {
protected:
    BuildIncrementTest() {
        settings.showBuildCompleteDialog = false;
        package().versionBuild = 41;
    }
    // Gives the build number afterwards and whether the package is modified.
    std::pair<int, bool> build() {
        runBuild(nullptr);
        return {package().versionBuild, app.document.modified()};
    }
    GeneralInfoView view{app, commands, nullptr};
};

TEST_F(BuildIncrementTest, OnlyASuccessfulBuildRaisesTheBuildNumberWhenAsked) {
    EXPECT_EQ(build(), std::pair(41, false)) << "automatic increment is off";
    package().output.autoIncrementVersion = true;
    package().output.outputName = u"App.txt"; // refused by the validation
    EXPECT_EQ(build(), std::pair(41, false)) << "a failed build";
    EXPECT_EQ(boxes.shown.size(), 1u);
    package().output.outputName = u"App.sis";
    EXPECT_EQ(build(), std::pair(42, true)) << "the view was never shown";

    // No other notification raises it, and the largest number never wraps.
    for (BuildEventCode code :
         {BuildEventCode::Started, BuildEventCode::Failed, BuildEventCode::Cancelled,
          BuildEventCode::Stage, BuildEventCode::OutputChanged, BuildEventCode::ItemReached})
        DeliverBuildEvent({code, 1, nullptr}, app.buildController.listeners());
    EXPECT_EQ(package().versionBuild, 42);
    package().versionBuild = 2147483647;
    DeliverBuildEvent({BuildEventCode::Succeeded}, app.buildController.listeners());
    EXPECT_EQ(package().versionBuild, 2147483647);
}

class LogoTest : public PackageViewTest<GeneralInfoView> {
protected:
    // A 20x10 picture in App/gfx/logo.png.
    LogoTest() {
        open("&EN\n#{\"App\"},(0xA0001234),1,0,0\n");
        save();
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        EXPECT_TRUE(picture.save(QString::fromStdString(png)));
    }
    LogoSection& logo() { return *view->logoSection(); }
    void select(const std::string& file) {
        files.answer = QString::fromStdString(file);
        logo().selectLogo();
    }
    const std::string png = dir.write("App/gfx/logo.png", "");
};

TEST_F(LogoTest, PicturesAreDecodedABrokenOneIsRefusedAndRemoveClearsTheLogo) {
    const auto shown = [this] {
        return std::tuple(package().logo.source, package().logo.mimeType,
                          logo().sizeLabel()->text(), logo().picture()->placeholder);
    };
    select(png);
    EXPECT_EQ(shown(), std::tuple(u".\\gfx\\logo.png", u"image/png", "20x10", false));
    select(dir.write("shared/icons.mbm", "not decoded"));
    EXPECT_EQ(shown(), std::tuple(u"..\\shared\\icons.mbm", u"image/x-epoc-mbm", "", true))
        << "the source is kept relative to the package; a multi-bitmap is not decoded";
    EXPECT_EQ(files.asked.value(1),
              "Bitmap Image (*.bmp);;JPEG Image (*.jpg, *.jpeg) (*.jpg *.jpeg);;GIF Image "
              "(*.gif);;PNG Image (*.png);;Symbian Multi-Bitmap (*.mbm);;All Files (*.*)");

    const std::string broken = dir.write("App/gfx/broken.png", "PNG? no");
    save();
    select(broken);
    EXPECT_EQ(shownTexts(), std::vector<QString>{QString::fromStdString(
                                "'" + broken +
                                "' is not an image file or it is corrupt. Please select another "
                                "file.")});
    EXPECT_FALSE(document.modified());

    package().logo.overrideMime = true;
    logo().removeButton()->click();
    const PackageLogo& stored = package().logo;
    EXPECT_FALSE(stored.present || stored.overrideMime);
    EXPECT_EQ(stored.source + stored.mimeType + stored.target, u"");

    open("&EN\n#{\"App\"},(0x1),1,0,0\n=\"gfx\\logo.png\",\"image/png\",\"\"\n");
    EXPECT_EQ(logo().sizeLabel()->text(), "20x10") << "an opened package shows its logo";
}

// The rules are FileChoicesTest's. Not saved on the device, the logo has no target and the
// drive becomes C.
TEST_F(LogoTest, SettingsCheckTheMimeTypeAndTheNameAndTakeTheTargetFolderAndDrive) {
    select(png);
    PackageLogo& stored = package().logo;
    WhenModal<LogoSettingsDialog> dialog([&](LogoSettingsDialog& d) {
        d.overrideBox()->setChecked(true);
        d.saveBox()->setChecked(true);
        d.mimeBox()->setText("image/x-mine");
        d.nameBox()->setText("lo:go.png");
        EXPECT_FALSE(d.submit());
        auto folders = ChooseTopFolder("[Resources]");
        d.selectFolderButton()->click();
        d.nameBox()->setText("app_logo.png");
        d.driveBox()->setCurrentIndex(5);
        EXPECT_TRUE(d.submit());
    });
    logo().settingsButton()->click();
    EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kInvalidTargetName)});
    EXPECT_EQ(std::tuple(stored.target, stored.drive, stored.mimeType),
              std::tuple(u"\\resource\\apps\\app_logo.png", u'E', u"image/x-mine"));

    WhenModal<LogoSettingsDialog> notSaved([&](LogoSettingsDialog& d) {
        d.saveBox()->setChecked(false);
        d.overrideBox()->setChecked(false);
        d.submit();
    });
    logo().settingsButton()->click();
    EXPECT_EQ(std::tuple(stored.target, stored.drive, stored.mimeType),
              std::tuple(u"", u'C', u"image/png"))
        << "the MIME type back to the file's own";
}

} // namespace
} // namespace tb::test
