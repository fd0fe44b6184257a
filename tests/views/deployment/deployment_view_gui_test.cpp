#include "views/deployment/deployment_view.h"

#include "views/view_fixture.h"

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

using DeploymentTest = PackageViewTest<DeploymentView>;

// The controls show the settings and are taken on the commit (the session test has the output
// name and compression); signing off keeps its texts; refused characters have no effect as typed.
TEST_F(DeploymentTest, ShowsTheSettingsCommitsEveryControlAndRefusesCharactersAsTyped) {
    open(kSigned, false);
    document.commitEdits();
    EXPECT_FALSE(document.modified()) << "a view never shown commits nothing";
    view->activate();
    EXPECT_EQ(std::tuple(view->folderBox()->text(), view->privateKeyBox()->text(),
                         view->autoIncrementBox()->isChecked()),
              std::tuple("/builds/out", "keys/dev.key", true));

    view->signBox()->setChecked(false);
    document.commitEdits();
    EXPECT_EQ(std::tuple(package().signing.passphrase, package().signing.signPackage),
              std::tuple(u"secret", false));

    // The project folder is stored empty at once; the box keeps the custom one.
    view->projectFolderButton()->click();
    EXPECT_EQ(package().output.outputFolder, u"");
    view->customFolderButton()->click();
    EXPECT_EQ(package().output.outputFolder, u"/builds/out");

    // Which characters each box refuses (the classes are TextValidatorsTest's); a stored text
    // the box refuses is not shown, and not lost.
    open("&EN\n#{\"App\"},(0x1),1,0,0\n; certificate \"x|y.cer\"\n");
    EXPECT_EQ(view->certificateBox()->text(), "");
    document.commitEdits();
    EXPECT_EQ(package().signing.certificate, u"x|y.cer");
    view->customFolderButton()->click();
    view->signBox()->setChecked(true);
    const struct {
        QLineEdit* box;
        const char* typed;
        const char* shown;
    } cases[] = {
        {view->outputNameBox(), "a:b|c<d>e\"f/g\\h?i*j.sis", "abcdefghij.sis"},
        {view->folderBox(), "/a:b|c<d>e\"f?g*h", "/a:bcdefgh"},
        {view->certificateBox(), "C:\\certs\\x|y.cer", "C:\\certs\\xy.cer"},
        {view->privateKeyBox(), "k|e<y>.key", "key.key"},
        {view->passphraseBox(), "pa\"ss|:<", "pass|:<"},
    };
    for (const auto& c : cases) {
        Retype(c.box, c.typed);
        EXPECT_EQ(c.box->text(), c.shown) << c.typed;
    }
}

} // namespace
} // namespace tb::test
