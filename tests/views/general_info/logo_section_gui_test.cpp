#include "views/general_info/logo_section.h"

#include "editing/file_checks.h"
#include "ui/qt_text.h"
#include "views/general_info/general_info_view.h"
#include "views/general_info/logo_settings_dialog.h"
#include "views/view_fixture.h"

#include <QImage>
#include <QLabel>
#include <QToolButton>

namespace tb::test {
namespace {

// The smallest GIF: one transparent pixel (Qt reads GIF but does not write it).
const std::string kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01"
                       "\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                       "D\x01\x00;",
                       43);

class LogoTest : public PackageViewTest<GeneralInfoView> {
protected:
    LogoTest() {
        open("&EN\n#{\"App\"},(0xA0001234),1,0,0\n");
        save();
    }
    LogoSection& logo() { return *view->logoSection(); }
    // A 20x10 image written by Qt in the format of the name's extension.
    std::string image(const std::string& name) {
        const std::string file = dir.write("App/gfx/" + name, "");
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        EXPECT_TRUE(picture.save(QString::fromStdString(file))) << name;
        return file;
    }
    void select(const std::string& file) {
        files.answer = QString::fromStdString(file);
        logo().selectLogo();
    }
};

TEST_F(LogoTest, PicturesAreDecodedABrokenOneIsRefusedAndRemoveClearsTheLogo) {
    const struct {
        std::string file;
        const char16_t* source;
        const char16_t* mime;
        QString size; // empty: no size shown
    } cases[] = {
        {image("logo.png"), u".\\gfx\\logo.png", u"image/png", "20x10"},
        {dir.write("App/gfx/logo.gif", kGif), u".\\gfx\\logo.gif", u"image/gif", "1x1"},
        {dir.write("shared/icons.mbm", "not decoded"), u"..\\shared\\icons.mbm",
         u"image/x-epoc-mbm", ""},
    };
    for (const auto& c : cases) {
        select(c.file);
        EXPECT_EQ(package().logo.source, c.source) << "kept relative to the package";
        EXPECT_EQ(package().logo.mimeType, c.mime) << c.file;
        ASSERT_TRUE(logo().picture()) << c.file;
        EXPECT_EQ(logo().picture()->placeholder, c.size.isEmpty()) << c.file;
        EXPECT_EQ(logo().sizeLabel()->text(), c.size) << c.file;
    }
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
    EXPECT_TRUE(logo().pictureLabel()->pixmap().isNull());
    EXPECT_FALSE(logo().settingsButton()->isEnabled() || logo().removeButton()->isEnabled());

    logo().toggleButton()->click();
    EXPECT_TRUE(settings.logoSettingsVisible) << "collapsed on a first start, then opened";
    EXPECT_TRUE(GeneralInfoView(app, registry, nullptr).logoSection()->expanded())
        << "the next start shows it the same way";

    open("&EN\n#{\"App\"},(0x1),1,0,0\n=\"gfx\\logo.png\",\"image/png\",\"\"\n");
    EXPECT_EQ(logo().sizeLabel()->text(), "20x10") << "an opened package shows its logo";
}

// The rules are FileChecksTest's: the MIME type is checked first, then the name. Not saved on
// the device, the logo has no target and the drive becomes C.
TEST_F(LogoTest, SettingsCheckTheMimeTypeAndTheNameAndTakeTheTargetFolderAndDrive) {
    select(image("logo.png"));
    PackageLogo& stored = package().logo;
    WhenModal<LogoSettingsDialog> dialog([&](LogoSettingsDialog& d) {
        EXPECT_FALSE(d.mimeBox()->isEnabled() || d.nameBox()->isEnabled());
        d.overrideBox()->setChecked(true);
        d.saveBox()->setChecked(true);
        d.mimeBox()->setText("png");
        d.nameBox()->setText("lo:go.png");
        EXPECT_FALSE(d.submit());
        d.mimeBox()->setText("image/x-mine");
        EXPECT_FALSE(d.submit());
        auto folders = ChooseTopFolder("[Resources]");
        d.selectFolderButton()->click();
        d.nameBox()->setText("app_logo.png");
        d.driveBox()->setCurrentIndex(5);
        EXPECT_TRUE(d.submit());
    });
    logo().settingsButton()->click();
    EXPECT_EQ(shownTexts(), (std::vector<QString>{ui::ToQString(kInvalidMimeType),
                                                  ui::ToQString(kInvalidTargetName)}));
    EXPECT_EQ(stored.target, u"\\resource\\apps\\app_logo.png");
    EXPECT_EQ(stored.drive, u'E');
    EXPECT_EQ(stored.mimeType, u"image/x-mine");

    WhenModal<LogoSettingsDialog> notSaved([&](LogoSettingsDialog& d) {
        EXPECT_EQ(d.folderLabel()->text(), "[Resources]");
        d.saveBox()->setChecked(false);
        d.overrideBox()->setChecked(false);
        d.submit();
    });
    logo().settingsButton()->click();
    EXPECT_EQ(stored.target, u"");
    EXPECT_EQ(stored.drive, u'C');
    EXPECT_EQ(stored.mimeType, u"image/png") << "back to the file's own type";
}

} // namespace
} // namespace tb::test
