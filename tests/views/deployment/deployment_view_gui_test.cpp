#include "views/deployment/deployment_view.h"

#include "util/path.h"
#include "views/general_info/header_view_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace tb::test {
namespace {

constexpr char kHead[] = "&EN\n#{\"App\"},(0x1),1,0,0\n";
constexpr char kSigned[] = "&EN\n#{\"App\"},(0x1),1,0,0,NC\n"
                           "; auto_increment_version\n"
                           "; output_name \"App.sis\"\n"
                           "; output_folder \"/builds/out\"\n"
                           "; sign_package\n"
                           "; certificate \"C:\\certs\\dev.cer\"\n"
                           "; private_key \"keys/dev.key\"\n"
                           "; passphrase \"secret\"\n";

class DeploymentTest : public HeaderViewTest<DeploymentView> {
protected:
    QString packageFolder() const { return QString::fromStdString(dir.file("App")); }
};

TEST_F(DeploymentTest, ShowsTheSettingsAndCommitsEveryControl) {
    open(kSigned);
    EXPECT_TRUE(view.customFolderButton()->isChecked());
    EXPECT_EQ(view.folderBox()->text(), "/builds/out");
    EXPECT_TRUE(view.folderBox()->isEnabled() && view.browseFolderButton()->isEnabled());
    EXPECT_EQ(view.outputNameBox()->text(), "App.sis");
    EXPECT_FALSE(view.compressBox()->isChecked());
    EXPECT_TRUE(view.autoIncrementBox()->isChecked());
    EXPECT_TRUE(view.signBox()->isChecked());
    EXPECT_EQ(view.certificateBox()->text(), "C:\\certs\\dev.cer");
    EXPECT_EQ(view.privateKeyBox()->text(), "keys/dev.key");
    EXPECT_EQ(view.passphraseBox()->text(), "secret");

    Retype(view.outputNameBox(), "New.sis");
    Retype(view.folderBox(), "/builds/new");
    Retype(view.passphraseBox(), "other");
    view.compressBox()->setChecked(true);
    view.autoIncrementBox()->setChecked(false);
    EXPECT_FALSE(app.document.modified()) << "taken on the commit";
    app.document.commitEdits();
    const Package& p = package();
    EXPECT_EQ(std::tuple(p.output.outputName, p.output.outputFolder, p.signing.passphrase),
              std::tuple(u"New.sis", u"/builds/new", u"other"));
    EXPECT_TRUE(p.compress);
    EXPECT_FALSE(p.output.autoIncrementVersion);
    EXPECT_EQ(p.signing.certificate, u"C:\\certs\\dev.cer");
    EXPECT_TRUE(app.document.modified());

    save();
    view.deactivate(); // leaving the view commits too, and nothing changed
    EXPECT_FALSE(app.document.modified());
}

TEST_F(DeploymentTest, RefusedCharactersHaveNoEffectAsTyped) {
    open(kHead);
    view.customFolderButton()->click();
    view.signBox()->setChecked(true);
    const struct {
        QLineEdit* box;
        const char* typed;
        const char* shown;
    } cases[] = {
        {view.outputNameBox(), "a:b|c<d>e\"f/g\\h?i*j.sis", "abcdefghij.sis"},
        {view.folderBox(), "/a:b|c<d>e\"f?g*h", "/a:bcdefgh"},
        {view.certificateBox(), "C:\\certs\\x|y.cer", "C:\\certs\\xy.cer"},
        {view.certificateBox(), "/home/me/dev.cer", "/home/me/dev.cer"},
        {view.privateKeyBox(), "k|e<y>.key", "key.key"},
        {view.passphraseBox(), "pa\"ss|:<", "pass|:<"},
    };
    for (const auto& c : cases) {
        Retype(c.box, c.typed);
        EXPECT_EQ(c.box->text(), c.shown) << c.typed;
    }
}

TEST_F(DeploymentTest, ATextTheBoxRefusesIsNeitherShownNorLost) {
    open("&EN\n#{\"App\"},(0x1),1,0,0\n; certificate \"x|y.cer\"\n; output_name \"a:b.sis\"\n");
    EXPECT_EQ(view.certificateBox()->text(), "");
    EXPECT_EQ(view.outputNameBox()->text(), "");
    app.document.commitEdits();
    EXPECT_EQ(package().signing.certificate, u"x|y.cer");
    EXPECT_EQ(package().output.outputName, u"a:b.sis");
    EXPECT_FALSE(app.document.modified());

    view.signBox()->setChecked(true);
    Retype(view.certificateBox(), "good.cer");
    files.answer = "/certs/bad|name.cer"; // from the file dialog: not shown
    view.browseCertificate();
    EXPECT_EQ(view.certificateBox()->text(), "good.cer");
    app.document.commitEdits();
    EXPECT_EQ(package().signing.certificate, u"good.cer");
}

TEST_F(DeploymentTest, TheProjectFolderIsStoredEmptyAndTheChoiceTakesEffectAtOnce) {
    open(kSigned);
    save();
    view.projectFolderButton()->click();
    EXPECT_FALSE(view.folderBox()->isEnabled() || view.browseFolderButton()->isEnabled());
    EXPECT_TRUE(app.document.modified()) << "at once, before any commit";
    EXPECT_EQ(package().output.outputFolder, u"");
    view.customFolderButton()->click();
    EXPECT_TRUE(view.folderBox()->isEnabled());
    EXPECT_EQ(package().output.outputFolder, u"/builds/out") << "the box kept the folder";

    // A custom folder that is the package's own is stored empty as well.
    Retype(view.folderBox(), packageFolder() + "/");
    app.document.commitEdits();
    EXPECT_EQ(package().output.outputFolder, u"");
    view.invalidate();
    EXPECT_TRUE(view.projectFolderButton()->isChecked());
    EXPECT_EQ(view.folderBox()->text(), packageFolder());

    // Choosing "Custom folder" on the package's folder changes nothing stored yet.
    save();
    view.customFolderButton()->click();
    EXPECT_FALSE(app.document.modified());

    // A package written with its own folder as the output folder opens as "Project folder".
    open("&EN\n#{\"App\"},(0x1),1,0,0\n; output_folder \"" + dir.file("App") + "\"\n");
    EXPECT_TRUE(view.projectFolderButton()->isChecked());
    EXPECT_EQ(package().output.outputFolder, u"");
}

TEST_F(DeploymentTest, SigningOffGreysTheRowsAndKeepsTheirTexts) {
    open(kSigned);
    view.signBox()->setChecked(false);
    for (QWidget* control : {static_cast<QWidget*>(view.certificateBox()),
                             static_cast<QWidget*>(view.browseCertificateButton()),
                             static_cast<QWidget*>(view.privateKeyBox()),
                             static_cast<QWidget*>(view.browseKeyButton()),
                             static_cast<QWidget*>(view.passphraseBox())})
        EXPECT_FALSE(control->isEnabled());
    EXPECT_EQ(view.passphraseBox()->text(), "secret");
    app.document.commitEdits();
    EXPECT_FALSE(package().signing.signPackage);
    EXPECT_EQ(package().signing.passphrase, u"secret");
}

TEST_F(DeploymentTest, AHeaderChangeElsewhereShowsCompressionAndKeepsWhatIsTyped) {
    open(kSigned);
    Retype(view.outputNameBox(), "Typed.sis");
    const int elsewhere = 0;
    app.document.changePackage(
        PackageChangeKind::Header, [](Package& p) { p.compress = true; }, &elsewhere);
    EXPECT_TRUE(view.compressBox()->isChecked());
    EXPECT_EQ(view.outputNameBox()->text(), "Typed.sis");
    app.document.commitEdits();
    EXPECT_EQ(package().output.outputName, u"Typed.sis");

    app.document.changePackage(
        PackageChangeKind::BuildSettings, [](Package& p) { p.output.outputName = u"Set.sis"; },
        &elsewhere);
    EXPECT_EQ(view.outputNameBox()->text(), "Set.sis");
}

TEST_F(DeploymentTest, AViewNeverShownCommitsNothing) {
    open(kSigned, false);
    app.document.commitEdits();
    EXPECT_FALSE(app.document.modified());
    EXPECT_EQ(package().output.outputFolder, u"/builds/out");
    EXPECT_TRUE(package().signing.signPackage);
}

} // namespace
} // namespace tb::test
