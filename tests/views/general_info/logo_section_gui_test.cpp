#include "views/general_info/logo_section.h"

#include "editing/file_checks.h"
#include "ui/qt_text.h"
#include "util/text_convert.h"
#include "views/general_info/general_info_view.h"
#include "views/general_info/header_view_fixture.h"
#include "views/general_info/logo_settings_dialog.h"

#include <QImage>
#include <QLabel>
#include <QToolButton>

namespace tb::test {
namespace {

constexpr char kPackage[] = "&EN\n#{\"App\"},(0xA0001234),1,0,0\n";

// The smallest GIF: one transparent pixel (Qt reads GIF but does not write it).
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01"
                       "\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                       "D\x01\x00;",
                       43);

class LogoTest : public HeaderViewTest<GeneralInfoView> {
protected:
    LogoTest() {
        open(kPackage);
        save();
    }
    LogoSection& logo() { return *view.logoSection(); }
    // An image of that size written by Qt in the format of the name's extension.
    std::string image(const std::string& name, int width, int height) {
        const std::string file = dir.file("App/gfx/" + name);
        std::filesystem::create_directories(dir.file("App/gfx"));
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        EXPECT_TRUE(picture.save(QString::fromStdString(file))) << name;
        return file;
    }
    void select(const std::string& file) {
        files.answer = QString::fromStdString(file);
        logo().selectLogo();
    }
};

TEST_F(LogoTest, SelectedPicturesAreDecodedAndAMultiBitmapShowsThePlaceholder) {
    const struct {
        std::string file;
        const char16_t* source;
        const char16_t* mime;
        QString size; // empty: no size shown
    } cases[] = {
        {image("logo.png", 20, 10), u".\\gfx\\logo.png", u"image/png", "20x10"},
        {dir.write("App/gfx/logo.gif", kGif), u".\\gfx\\logo.gif", u"image/gif", "1x1"},
        {dir.write("shared/icons.mbm", "not decoded"), u"..\\shared\\icons.mbm",
         u"image/x-epoc-mbm", ""},
    };
    for (const auto& c : cases) {
        select(c.file);
        const PackageLogo& stored = package().logo;
        EXPECT_TRUE(stored.present) << c.file;
        EXPECT_EQ(stored.source, c.source) << "kept relative to the package";
        EXPECT_EQ(stored.mimeType, c.mime) << c.file;
        ASSERT_TRUE(logo().picture()) << c.file;
        EXPECT_EQ(logo().picture()->placeholder, c.size.isEmpty()) << c.file;
        EXPECT_EQ(logo().sizeLabel()->text(), c.size) << c.file;
        EXPECT_EQ(logo().sizeLabel()->isHidden(), c.size.isEmpty()) << c.file;
    }
    EXPECT_EQ(files.asked.value(1),
              "Bitmap Image (*.bmp);;JPEG Image (*.jpg, *.jpeg) (*.jpg *.jpeg);;GIF Image "
              "(*.gif);;PNG Image (*.png);;Symbian Multi-Bitmap (*.mbm);;All Files (*.*)");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LogoTest, TheSameFileAgainOrABrokenOneChangesNothingAndRemoveClearsIt) {
    const std::string png = image("logo.png", 5, 5);
    select(png);
    save();
    select(png);
    EXPECT_FALSE(document.modified()) << "the same file again";

    const std::string broken = dir.write("App/gfx/broken.png", "PNG? no");
    select(broken);
    EXPECT_EQ(shownTexts(), std::vector<QString>{QString::fromStdString(
                                "'" + broken +
                                "' is not an image file or it is corrupt. Please select another "
                                "file.")});
    EXPECT_EQ(package().logo.source, u".\\gfx\\logo.png");
    EXPECT_FALSE(document.modified());

    files.answer.clear(); // cancelled
    logo().selectLogo();
    EXPECT_EQ(package().logo.source, u".\\gfx\\logo.png");

    package().logo.target = u"\\resource\\apps\\logo.png";
    package().logo.overrideMime = true;
    logo().removeButton()->click();
    const PackageLogo& stored = package().logo;
    EXPECT_FALSE(stored.present || stored.overrideMime);
    EXPECT_EQ(stored.source + stored.mimeType + stored.target, u"");
    EXPECT_TRUE(logo().pictureLabel()->pixmap().isNull());
    EXPECT_TRUE(logo().sizeLabel()->isHidden());
    EXPECT_FALSE(logo().settingsButton()->isEnabled() || logo().removeButton()->isEnabled());

    // A package opened with a logo shows it.
    image("shown.png", 7, 3);
    open("&EN\n#{\"App\"},(0x1),1,0,0\n=\"gfx\\shown.png\",\"image/png\",\"\"\n");
    EXPECT_EQ(logo().sizeLabel()->text(), "7x3");
}

TEST_F(LogoTest, TheSectionCollapsesAndTheUserSettingRemembersIt) {
    select(image("logo.png", 5, 5));
    EXPECT_FALSE(logo().expanded()) << "collapsed on a first start";
    EXPECT_FALSE(logo().selectButton()->isVisibleTo(&logo()));
    logo().toggleButton()->click();
    EXPECT_TRUE(settings.logoSettingsVisible);
    EXPECT_TRUE(logo().selectButton()->isVisibleTo(&logo()));
    GeneralInfoView next(app, registry, nullptr);
    EXPECT_TRUE(next.logoSection()->expanded()) << "the next start shows it the same way";

    logo().toggleButton()->click();
    EXPECT_FALSE(settings.logoSettingsVisible);
    ASSERT_TRUE(settings.save());
    AppSettings reloaded(dir.file("user.conf"), dir.file("machine.conf"), dir.path().string());
    EXPECT_FALSE(reloaded.logoSettingsVisible);
}

TEST_F(LogoTest, SettingsCheckTheMimeTypeAndTheNameAndTakeTheTargetFolderAndDrive) {
    select(image("logo.png", 5, 5));
    LogoSettingsDialog dialog(nullptr, package().logo, package().uid, document.userFolders());
    EXPECT_EQ(dialog.mimeBox()->text(), "image/png");
    EXPECT_FALSE(dialog.mimeBox()->isEnabled() || dialog.nameBox()->isEnabled() ||
                 dialog.driveBox()->isEnabled() || dialog.selectFolderButton()->isEnabled());

    dialog.overrideBox()->setChecked(true);
    EXPECT_TRUE(dialog.mimeBox()->isEnabled());
    dialog.saveBox()->setChecked(true);
    EXPECT_TRUE(dialog.nameBox()->isEnabled());
    // The rules are FileChecksTest's: the MIME type is checked first, then the name.
    dialog.mimeBox()->setText("png");
    dialog.nameBox()->setText("lo:go.png");
    EXPECT_FALSE(dialog.submit());
    dialog.mimeBox()->setText("image/x-mine");
    EXPECT_FALSE(dialog.submit());
    EXPECT_EQ(shownTexts(), (std::vector<QString>{ui::ToQString(kInvalidMimeType),
                                                  ui::ToQString(kInvalidTargetName)}));
    EXPECT_EQ(dialog.nameBox()->text(), "lo:go.png") << "the dialog stays with what was entered";

    auto folders = ChooseTopFolder("[Resources]");
    dialog.selectFolderButton()->click();
    EXPECT_EQ(dialog.folderLabel()->text(), "[Resources]");
    dialog.nameBox()->setText("app_logo.png");
    dialog.driveBox()->setCurrentIndex(5);
    ASSERT_TRUE(dialog.submit());
    const PackageLogo& result = dialog.result();
    EXPECT_EQ(result.target, u"\\resource\\apps\\app_logo.png");
    EXPECT_EQ(result.drive, u'E');
    EXPECT_EQ(result.mimeType, u"image/x-mine");
}

TEST_F(LogoTest, NotSavedOnTheDeviceClearsTheTargetAndTheDriveBecomesC) {
    select(image("logo.png", 5, 5));
    PackageLogo& stored = package().logo;
    stored.target = u"\\private\\a0001234\\img\\logo.png";
    stored.drive = u'!';
    stored.overrideMime = true;
    stored.mimeType = u"image/x-mine";
    save();
    bool opened = false;
    WhenModal<LogoSettingsDialog> dialog([&](LogoSettingsDialog& d) {
        opened = d.saveBox()->isChecked() && d.overrideBox()->isChecked() &&
                 d.folderLabel()->text() == "[Private]\\img" && d.nameBox()->text() == "logo.png" &&
                 d.driveBox()->currentIndex() == 0;
        d.saveBox()->setChecked(false);
        d.overrideBox()->setChecked(false);
        d.submit();
    });
    logo().settingsButton()->click();
    EXPECT_TRUE(opened);
    EXPECT_EQ(stored.target, u"");
    EXPECT_EQ(stored.drive, u'C');
    EXPECT_FALSE(stored.overrideMime);
    EXPECT_EQ(stored.mimeType, u"image/png") << "back to the file's own type";
    EXPECT_TRUE(document.modified());

    save();
    WhenModal<LogoSettingsDialog> unchanged([](LogoSettingsDialog& d) { d.submit(); });
    logo().settingsButton()->click();
    EXPECT_TRUE(unchanged.seen());
    EXPECT_FALSE(document.modified()) << "OK with nothing changed marks nothing";
}

} // namespace
} // namespace tb::test
