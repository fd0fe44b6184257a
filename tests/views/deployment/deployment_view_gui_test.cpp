#include "views/deployment/deployment_view.h"

#include "views/general_info/header_view_fixture.h"

#include <QRadioButton>

namespace tb::test {
namespace {

constexpr char kSigned[] = "&EN\n#{\"App\"},(0x1),1,0,0,NC\n"
                           "; auto_increment_version\n"
                           "; output_name \"App.sis\"\n"
                           "; output_folder \"/builds/out\"\n"
                           "; sign_package\n"
                           "; certificate \"C:\\certs\\dev.cer\"\n"
                           "; private_key \"keys/dev.key\"\n"
                           "; passphrase \"secret\"\n";

using DeploymentTest = HeaderViewTest<DeploymentView>;

// The controls show the settings and are taken on the commit, an unchanged one marking
// nothing; signing off greys its rows and keeps their texts.
TEST_F(DeploymentTest, ShowsTheSettingsAndCommitsEveryControl) {
    open(kSigned, false);
    document.commitEdits();
    EXPECT_FALSE(document.modified()) << "a view never shown commits nothing";
    view.activate();
    EXPECT_TRUE(view.customFolderButton()->isChecked());
    EXPECT_EQ(view.folderBox()->text(), "/builds/out");
    EXPECT_FALSE(view.compressBox()->isChecked());
    EXPECT_TRUE(view.autoIncrementBox()->isChecked());
    EXPECT_EQ(view.certificateBox()->text(), "C:\\certs\\dev.cer");
    EXPECT_EQ(view.privateKeyBox()->text(), "keys/dev.key");
    EXPECT_EQ(view.passphraseBox()->text(), "secret");

    Retype(view.outputNameBox(), "New.sis");
    Retype(view.folderBox(), "/builds/new");
    view.compressBox()->setChecked(true);
    view.autoIncrementBox()->setChecked(false);
    view.signBox()->setChecked(false);
    EXPECT_FALSE(view.certificateBox()->isEnabled() || view.browseKeyButton()->isEnabled() ||
                 view.passphraseBox()->isEnabled());
    EXPECT_FALSE(document.modified()) << "taken on the commit";
    document.commitEdits();
    const Package& p = package();
    EXPECT_EQ(std::tuple(p.output.outputName, p.output.outputFolder, p.signing.passphrase),
              std::tuple(u"New.sis", u"/builds/new", u"secret"));
    EXPECT_TRUE(p.compress);
    EXPECT_FALSE(p.output.autoIncrementVersion || p.signing.signPackage);

    save();
    view.deactivate(); // leaving the view commits too, and nothing changed
    EXPECT_FALSE(document.modified());
}

TEST_F(DeploymentTest, RefusedCharactersHaveNoEffectAsTyped) {
    open("&EN\n#{\"App\"},(0x1),1,0,0\n; certificate \"x|y.cer\"\n; output_name \"a:b.sis\"\n");
    // A stored text the box refuses is neither shown nor lost.
    EXPECT_EQ(view.certificateBox()->text(), "");
    EXPECT_EQ(view.outputNameBox()->text(), "");
    document.commitEdits();
    EXPECT_EQ(package().signing.certificate, u"x|y.cer");
    EXPECT_EQ(package().output.outputName, u"a:b.sis");
    EXPECT_FALSE(document.modified());

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
    files.answer = "/certs/bad|name.cer"; // from the file dialog: not shown
    view.browseCertificate();
    EXPECT_EQ(view.certificateBox()->text(), "/home/me/dev.cer");
}

TEST_F(DeploymentTest, TheProjectFolderIsStoredEmptyAndTheChoiceTakesEffectAtOnce) {
    const QString packageFolder = QString::fromStdString(dir.file("App"));
    open(kSigned);
    save();
    view.projectFolderButton()->click();
    EXPECT_FALSE(view.folderBox()->isEnabled() || view.browseFolderButton()->isEnabled());
    EXPECT_TRUE(document.modified()) << "at once, before any commit";
    EXPECT_EQ(package().output.outputFolder, u"");
    view.customFolderButton()->click();
    EXPECT_EQ(package().output.outputFolder, u"/builds/out") << "the box kept the folder";

    // A custom folder that is the package's own is stored empty as well (OutputFolderTest has
    // the forms); the view then shows the project folder.
    Retype(view.folderBox(), packageFolder + "/");
    document.commitEdits();
    EXPECT_EQ(package().output.outputFolder, u"");
    view.invalidate();
    EXPECT_TRUE(view.projectFolderButton()->isChecked());
    EXPECT_EQ(view.folderBox()->text(), packageFolder);
}

TEST_F(DeploymentTest, AHeaderChangeElsewhereShowsCompressionAndKeepsWhatIsTyped) {
    open(kSigned);
    Retype(view.outputNameBox(), "Typed.sis");
    const int elsewhere = 0;
    document.changePackage(
        PackageChangeKind::Header, [](Package& p) { p.compress = true; }, &elsewhere);
    EXPECT_TRUE(view.compressBox()->isChecked());
    EXPECT_EQ(view.outputNameBox()->text(), "Typed.sis");
    document.commitEdits();
    EXPECT_EQ(package().output.outputName, u"Typed.sis");

    document.changePackage(
        PackageChangeKind::BuildSettings, [](Package& p) { p.output.outputName = u"Set.sis"; },
        &elsewhere);
    EXPECT_EQ(view.outputNameBox()->text(), "Set.sis");
}

} // namespace
} // namespace tb::test
