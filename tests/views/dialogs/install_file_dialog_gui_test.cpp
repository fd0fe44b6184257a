#include "views/dialogs/install_file_dialog.h"

#include "editing/file_checks.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/dialogs/file_item_dialogs.h"
#include "views/dialogs/install_file_dialog_parts.h"
#include "views/dialogs/launch_file_dialog.h"
#include "views/dialogs/launch_file_dialog_parts.h"

#include <QLabel>

namespace tb {
namespace {

using test::WhenModal;

class InstallFileDialogTest : public test::FilePackageTest {
protected:
    void SetUp() override { open(); }

    // Runs the dialog for item through EditFileItem; act gets it open.
    template <class Act> bool edit(InstallItem* item, Act act) {
        WhenModal<InstallFileDialog> when(act);
        const bool ok = EditFileItem(nullptr, document, item, kBy);
        EXPECT_TRUE(when.seen());
        return ok;
    }
};

// The dialog opens on the file; the name is checked in order, the dialog staying open with the
// focus on the name box; then the values are stored as one change.
TEST_F(InstallFileDialogTest, OpensOnTheFileChecksTheNameAndStoresTheValues) {
    auto* extra = file(u"extra\\extra.dat");
    const bool ok = edit(extra, [this](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.nameBox()->text(), "extra.dat");
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Private]");
        EXPECT_EQ(dialog.sourceLabel()->text(), "extra\\extra.dat");
        const QStringList drives = test::ComboTexts(dialog.driveBox());
        EXPECT_EQ(QStringList({drives.value(0), drives.value(1), drives.value(26)}),
                  QStringList({"Let user choose", "A:", "Z:"}));
        EXPECT_EQ(dialog.driveBox()->currentText(), "E:");
        EXPECT_EQ(test::ComboTexts(dialog.installTypeBox()),
                  QStringList({"Install only", "Run on installation", "Run on unistallation",
                               "Run on installation and uninstallation"}));
        EXPECT_EQ(dialog.installTypeBox()->currentIndex(), 3);
        EXPECT_TRUE(dialog.waitBox()->isChecked() && dialog.waitBox()->isEnabled());
        dialog.installTypeBox()->setCurrentIndex(0);
        EXPECT_FALSE(dialog.waitBox()->isEnabled()) << "install only waits for nothing";

        const struct {
            const char* name;
            std::u16string_view message;
        } refused[] = {{"", kEnterTargetName}, {"read:me", kInvalidTargetName}};
        for (const auto& c : refused) {
            dialog.nameBox()->setText(c.name);
            dialog.okButton()->click();
            ASSERT_FALSE(boxes.shown.empty());
            EXPECT_EQ(boxes.shown.back().text, ui::ToQString(c.message)) << c.name;
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.focusWidget(), dialog.nameBox());
        }
        dialog.nameBox()->setText("readme.txt");
        dialog.driveBox()->setCurrentIndex(3);
        dialog.installTypeBox()->setCurrentIndex(2);
        dialog.waitBox()->setChecked(false);
        dialog.okButton()->click();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(extra->target, u"\\private\\a0001234\\readme.txt");
    EXPECT_EQ(extra->drive, u'C');
    EXPECT_EQ(extra->runOption, RunOption::RR);
    EXPECT_FALSE(extra->runWaitEnd);
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].item, extra);
    EXPECT_EQ(log.changes[0].origin, &kMarker);

    edit(file(u"bin\\app.exe"), [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.driveBox()->currentIndex(), 0) << "\"!\"";
        EXPECT_FALSE(dialog.waitBox()->isEnabled());
        dialog.reject();
    });
    EXPECT_EQ(log.changes.size(), 1u) << "Cancel changes nothing";
    edit(extra, [](InstallFileDialog& dialog) { dialog.okButton()->click(); });
    EXPECT_EQ(log.changes.size(), 1u) << "nor does OK without a change";
}

TEST_F(InstallFileDialogTest, EditChoosesTheTargetFolder) {
    auto* app = file(u"bin\\app.exe");
    auto choose = test::ChooseTopFolder("[Resources]");
    edit(app, [](InstallFileDialog& dialog) {
        dialog.targetControls().editButton()->click();
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Resources]");
        dialog.okButton()->click();
    });
    EXPECT_EQ(app->target, u"\\resource\\apps\\app.exe");
}

// Pre-installed packages know no drive or install type, a null file no source or install type:
// the dialog leaves out what the file has not and keeps it as it was.
TEST_F(InstallFileDialogTest, PreinstalledPackagesAndNullFilesGetTheReducedForm) {
    auto* cache = file(u"\\private\\a0001234\\cache.dat");
    edit(cache, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.sourceLabel(), nullptr);
        EXPECT_EQ(dialog.installTypeBox(), nullptr);
        EXPECT_EQ(dialog.waitBox(), nullptr);
        dialog.driveBox()->setCurrentIndex(4);
        dialog.nameBox()->setText("cache2.dat");
        dialog.okButton()->click();
    });
    EXPECT_EQ(cache->target, u"\\private\\a0001234\\cache2.dat");
    EXPECT_EQ(cache->drive, u'D');
    EXPECT_EQ(cache->fileType, FileType::FN);

    open(test::kFiles, "&EN,FR\n#{\"App\",\"App FR\"},(0xA0001234),1,0,0,TYPE=PA\n%{\"V\",\"V\"}\n"
                       ":\"V\"\n");
    auto* extra = file(u"extra\\extra.dat");
    edit(extra, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 0);
        EXPECT_EQ(dialog.waitBox(), nullptr);
        dialog.nameBox()->setText("more.dat");
        dialog.okButton()->click();
    });
    EXPECT_EQ(extra->target, u"\\private\\a0001234\\more.dat");
    EXPECT_EQ(extra->drive, u'e');
    EXPECT_EQ(extra->runOption, RunOption::RB);
    EXPECT_TRUE(extra->runWaitEnd);
}

// The MIME rules are FileChecksTest's; here the launch form shows the override and stores the
// extension's type without it.
TEST_F(InstallFileDialogTest, LaunchFormShowsTheRunOptionAndChecksAnOverriddenMimeType) {
    auto* readme = file<InstallFileItem>(u"docs\\readme.txt");
    auto edit = [&](auto act) {
        WhenModal<LaunchFileDialog> when(act);
        EditFileItem(nullptr, document, readme, kBy);
        EXPECT_TRUE(when.seen());
    };
    readme->runOption = RunOption::RB;
    readme->mimeType = u"text/html"; // not the extension's default: overridden
    edit([](LaunchFileDialog& dialog) {
        EXPECT_EQ(test::ComboTexts(dialog.launchBox()),
                  QStringList({"On installation", "On uninstallation",
                               "On both installation and uninstallation"}));
        EXPECT_EQ(dialog.launchBox()->currentIndex(), 2);
        EXPECT_FALSE(dialog.waitBox()->isChecked()) << "the file has no RW";
        EXPECT_TRUE(dialog.mimeControls().overrideBox()->isChecked());
        EXPECT_TRUE(dialog.mimeControls().mimeBox()->isEnabled());
        dialog.mimeControls().mimeBox()->setText("text/");
        dialog.okButton()->click();
        EXPECT_EQ(dialog.focusWidget(), dialog.mimeControls().mimeBox());
        dialog.mimeControls().mimeBox()->setText("text/x-readme");
        dialog.launchBox()->setCurrentIndex(1);
        dialog.waitBox()->setChecked(true);
        dialog.okButton()->click();
    });
    EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kInvalidMimeType)});
    EXPECT_EQ(readme->mimeType, u"text/x-readme");
    EXPECT_EQ(readme->runOption, RunOption::RR);
    EXPECT_TRUE(readme->runWaitEnd);

    // The extension's own type, or none, is no override; OK then stores the extension's type.
    for (const char16_t* mime : {u"text/plain", u""}) {
        readme->mimeType = mime;
        edit([mime](LaunchFileDialog& dialog) {
            EXPECT_EQ(dialog.mimeControls().mimeBox()->text(), ui::ToQString(mime));
            EXPECT_FALSE(dialog.mimeControls().overrideBox()->isChecked());
            dialog.okButton()->click();
        });
        EXPECT_EQ(readme->mimeType, u"text/plain");
    }
    EXPECT_EQ(log.changes.size(), 2u) << "the first OK changed nothing";
}

TEST_F(InstallFileDialogTest, OnlyFileItemsHaveADialog) {
    EXPECT_TRUE(HasFileDialog(file(u"en.rsc")));
    EXPECT_FALSE(HasFileDialog(package().items.first->next->next)); // the option list
    EXPECT_FALSE(EditFileItem(nullptr, document, package().items.first->next->next, kBy));
    EXPECT_FALSE(HasFileDialog(nullptr));
}

} // namespace
} // namespace tb
