#include "views/dialogs/install_file_dialog.h"

#include "editing/file_checks.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/dialogs/file_item_dialogs.h"
#include "views/dialogs/install_file_dialog_parts.h"
#include "views/dialogs/select_target_folder_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace tb {
namespace {

using test::WhenModal;

QStringList Entries(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

class InstallFileDialogTest : public test::FilePackageTest {
protected:
    void SetUp() override { open(); }

    // Runs the dialog for item through EditFileItem; act gets it open.
    template <class Dialog = InstallFileDialog, class Act> bool edit(InstallItem* item, Act act) {
        WhenModal<Dialog> when(act);
        const bool ok = EditFileItem(nullptr, document, item, kBy);
        EXPECT_TRUE(when.seen());
        return ok;
    }
};

TEST_F(InstallFileDialogTest, OpensOnTheFileWithItsDriveAndInstallType) {
    auto* extra = file(u"extra\\extra.dat");
    edit(extra, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Install File extra.dat");
        EXPECT_EQ(dialog.nameBox()->text(), "extra.dat");
        EXPECT_EQ(dialog.targetControls().folder(), u"\\private\\a0001234\\");
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Private]");
        EXPECT_EQ(dialog.sourceLabel()->text(), "extra\\extra.dat");
        QStringList drives = Entries(dialog.driveBox());
        ASSERT_EQ(drives.size(), 27);
        EXPECT_EQ(drives.front(), "Let user choose");
        EXPECT_EQ(drives[1], "A:");
        EXPECT_EQ(drives.back(), "Z:");
        EXPECT_EQ(dialog.driveBox()->currentText(), "E:");
        EXPECT_EQ(Entries(dialog.installTypeBox()),
                  QStringList({"Install only", "Run on installation", "Run on unistallation",
                               "Run on installation and uninstallation"}));
        EXPECT_EQ(dialog.installTypeBox()->currentIndex(), 3);
        EXPECT_EQ(dialog.waitBox()->text(), "Wait for program to finish execution");
        EXPECT_TRUE(dialog.waitBox()->isChecked());
        EXPECT_TRUE(dialog.waitBox()->isEnabled());
        dialog.installTypeBox()->setCurrentIndex(0);
        EXPECT_FALSE(dialog.waitBox()->isEnabled()) << "install only waits for nothing";
        dialog.installTypeBox()->setCurrentIndex(2);
        EXPECT_TRUE(dialog.waitBox()->isEnabled());
        dialog.reject();
    });
    EXPECT_TRUE(log.changes.empty()) << "Cancel changes nothing";
    EXPECT_FALSE(document.modified());

    edit(file(u"bin\\app.exe"), [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.driveBox()->currentIndex(), 0) << "\"!\"";
        EXPECT_EQ(dialog.installTypeBox()->currentIndex(), 0);
        EXPECT_FALSE(dialog.waitBox()->isEnabled());
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Binaries]");
        dialog.reject();
    });
}

// The name is checked in order; the dialog stays open with the focus on the name box.
TEST_F(InstallFileDialogTest, NameChecksThenTheValuesAreStored) {
    auto* app = file(u"bin\\app.exe");
    const bool ok = edit(app, [this](InstallFileDialog& dialog) {
        const struct {
            const char* name;
            std::u16string_view message;
        } refused[] = {
            {"", kEnterTargetName}, {"read:me", kInvalidTargetName}, {"CON", kInvalidTargetName}};
        for (const auto& c : refused) {
            dialog.nameBox()->setText(c.name);
            dialog.okButton()->click();
            ASSERT_FALSE(boxes.shown.empty());
            EXPECT_EQ(boxes.shown.back().text, ui::ToQString(c.message)) << c.name;
            EXPECT_EQ(boxes.shown.back().icon, ui::MessageIcon::Error);
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
    EXPECT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(app->target, u"\\sys\\bin\\readme.txt");
    EXPECT_EQ(app->drive, u'C');
    EXPECT_EQ(app->fileType, FileType::FR);
    EXPECT_EQ(app->runOption, RunOption::RR);
    EXPECT_FALSE(app->runWaitEnd);
    EXPECT_TRUE(document.modified());
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].type, ItemChangeType::Changed);
    EXPECT_EQ(log.changes[0].item, app);
    EXPECT_EQ(log.changes[0].origin, &kMarker);
}

TEST_F(InstallFileDialogTest, OkWithoutChangeMarksNothingAndALowerCaseDriveStays) {
    auto* cond = file(u"cond.txt");
    cond->drive = u'c';
    EXPECT_TRUE(edit(cond, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.driveBox()->currentText(), "C:");
        dialog.okButton()->click();
    }));
    EXPECT_EQ(cond->drive, u'c');
    EXPECT_TRUE(log.changes.empty());
    EXPECT_FALSE(document.modified());
}

TEST_F(InstallFileDialogTest, EditChoosesTheTargetFolder) {
    auto* app = file(u"bin\\app.exe");
    WhenModal<SelectTargetFolderDialog> choose([](SelectTargetFolderDialog& dialog) {
        dialog.limitBox()->setChecked(false);
        for (int i = 0; i < dialog.folderTree()->topLevelItemCount(); ++i)
            if (dialog.folderTree()->topLevelItem(i)->text(0) == "[Resources]")
                dialog.folderTree()->setCurrentItem(dialog.folderTree()->topLevelItem(i));
        dialog.okButton()->click();
    });
    edit(app, [](InstallFileDialog& dialog) {
        dialog.targetControls().editButton()->click();
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Resources]");
        dialog.okButton()->click();
    });
    EXPECT_TRUE(choose.seen());
    EXPECT_EQ(app->target, u"\\resource\\apps\\app.exe");
}

// Pre-installed packages know no drive or install type: the dialog leaves them alone.
TEST_F(InstallFileDialogTest, PreinstalledPackagesGetTheReducedForm) {
    open(test::kFiles, "&EN,FR\n#{\"App\",\"App FR\"},(0xA0001234),1,0,0,TYPE=PA\n%{\"V\",\"V\"}\n"
                       ":\"V\"\n");
    auto* extra = file(u"extra\\extra.dat");
    edit(extra, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Install File extra.dat");
        EXPECT_EQ(dialog.driveBox(), nullptr);
        EXPECT_EQ(dialog.installTypeBox(), nullptr);
        EXPECT_EQ(dialog.waitBox(), nullptr);
        EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 0);
        EXPECT_NE(dialog.sourceLabel(), nullptr);
        dialog.nameBox()->setText("more.dat");
        dialog.okButton()->click();
    });
    EXPECT_EQ(extra->target, u"\\private\\a0001234\\more.dat");
    EXPECT_EQ(extra->drive, u'e');
    EXPECT_EQ(extra->fileType, FileType::FR);
    EXPECT_EQ(extra->runOption, RunOption::RB);
    EXPECT_TRUE(extra->runWaitEnd);
}

// A null file has no source and installs nothing: its target and drive only.
TEST_F(InstallFileDialogTest, NullFilesGetTargetAndDriveOnly) {
    auto* cache = file(u"\\private\\a0001234\\cache.dat");
    ASSERT_TRUE(IsNullFile(cache));
    edit(cache, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Install File cache.dat");
        EXPECT_EQ(dialog.sourceLabel(), nullptr);
        EXPECT_EQ(dialog.installTypeBox(), nullptr);
        EXPECT_EQ(dialog.waitBox(), nullptr);
        ASSERT_NE(dialog.driveBox(), nullptr);
        dialog.driveBox()->setCurrentIndex(4);
        dialog.nameBox()->setText("cache2.dat");
        dialog.okButton()->click();
    });
    EXPECT_EQ(cache->target, u"\\private\\a0001234\\cache2.dat");
    EXPECT_EQ(cache->drive, u'D');
    EXPECT_EQ(cache->fileType, FileType::FN);
    EXPECT_EQ(log.changes.size(), 1u);
}

TEST_F(InstallFileDialogTest, OnlyFileItemsHaveADialog) {
    EXPECT_TRUE(HasFileDialog(file(u"bin\\app.exe")));
    EXPECT_TRUE(HasFileDialog(file(u"en.rsc")));
    EXPECT_FALSE(HasFileDialog(package().items.first->next->next)); // the option list
    EXPECT_FALSE(EditFileItem(nullptr, document, package().items.first->next->next, kBy));
    EXPECT_FALSE(HasFileDialog(nullptr));
}

} // namespace
} // namespace tb
