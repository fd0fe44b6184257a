#include "views/dialogs/install_file_dialog.h"

#include "editing/file_checks.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/dialogs/file_item_dialogs.h"
#include "views/dialogs/install_file_dialog_parts.h"
#include "views/dialogs/language_file_dialog.h"
#include "views/dialogs/language_file_sources.h"
#include "views/dialogs/language_file_wizard.h"
#include "views/dialogs/launch_file_dialog.h"
#include "views/dialogs/launch_file_dialog_parts.h"
#include "views/dialogs/launch_language_file_dialog.h"

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

// The name checks are FileChecksTest's and their ordering FormDialogTest's; here the dialog
// opens on the file, refuses a bad name and stores the values as one change.
TEST_F(InstallFileDialogTest, OpensOnTheFileChecksTheNameAndStoresTheValues) {
    auto* extra = file(u"extra\\extra.dat");
    const bool ok = edit(extra, [this](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.nameBox()->text(), "extra.dat");
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Private]");
        EXPECT_EQ(dialog.sourceLabel()->text(), "extra\\extra.dat");
        EXPECT_EQ(dialog.driveBox()->currentText(), "E:");
        EXPECT_EQ(dialog.installTypeBox()->currentText(), "Run on installation and uninstallation");
        EXPECT_TRUE(dialog.waitBox()->isChecked() && dialog.waitBox()->isEnabled());
        dialog.installTypeBox()->setCurrentIndex(0);
        EXPECT_FALSE(dialog.waitBox()->isEnabled()) << "install only waits for nothing";

        dialog.nameBox()->setText("read:me");
        dialog.okButton()->click();
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kInvalidTargetName)});
        dialog.nameBox()->setText("readme.txt");
        dialog.driveBox()->setCurrentIndex(3);
        dialog.installTypeBox()->setCurrentIndex(2);
        dialog.waitBox()->setChecked(false);
        dialog.okButton()->click();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(extra->target, u"\\private\\a0001234\\readme.txt");
    EXPECT_EQ(extra->drive, u'C');
    EXPECT_EQ(extra->runOption, RunOption::RR);
    EXPECT_FALSE(extra->runWaitEnd);
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].origin, &kMarker);

    auto choose = test::ChooseTopFolder("[Resources]");
    auto* app = file(u"bin\\app.exe");
    edit(app, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.driveBox()->currentText(), "Let user choose") << "\"!\"";
        dialog.targetControls().editButton()->click();
        dialog.okButton()->click();
    });
    EXPECT_EQ(app->target, u"\\resource\\apps\\app.exe");
    edit(extra, [](InstallFileDialog& dialog) { dialog.okButton()->click(); });
    EXPECT_EQ(log.changes.size(), 2u) << "OK without a change changes nothing";
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
        EXPECT_EQ(dialog.launchBox()->currentText(), "On both installation and uninstallation");
        EXPECT_FALSE(dialog.waitBox()->isChecked()) << "the file has no RW";
        EXPECT_TRUE(dialog.mimeControls().overrideBox()->isChecked());
        EXPECT_TRUE(dialog.mimeControls().mimeBox()->isEnabled());
        dialog.mimeControls().mimeBox()->setText("text/");
        dialog.okButton()->click();
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

QStringList Column(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

void Browse(LanguageFileSources& sources, int row) {
    sources.list()->setCurrentItem(sources.list()->topLevelItem(row));
    sources.browseButton()->click();
}

using LanguageFileDialogTest = InstallFileDialogTest;

// The source missing is the dialog's to point at; the other checks are FormDialog's.
TEST_F(LanguageFileDialogTest, EditingKeepsASourcePerLanguage) {
    auto* lang = file<InstallLanguageFileItem>(u"en.rsc");
    lang->sources[1].clear();
    WhenModal<LanguageFileDialog> when([this](LanguageFileDialog& dialog) {
        EXPECT_EQ(dialog.nameBox()->text(), "lang.rsc");
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Resources]");
        QTreeWidget* list = dialog.sourceList().list();
        EXPECT_EQ(Column(list, 0), QStringList({"English", "French"}));
        EXPECT_EQ(Column(list, 1), QStringList({"en.rsc", ""}));
        list->setCurrentItem(list->topLevelItem(0));
        dialog.okButton()->click();
        EXPECT_EQ(list->currentItem(), list->topLevelItem(1)) << "the language without source";

        dialog.nameBox()->setText("lang2.rsc");
        files.answer = ui::HostPathToQString(folder() + "res/fr2.rsc");
        Browse(dialog.sourceList(), 1);
        EXPECT_EQ(Column(list, 1).value(1), files.answer) << "shown as chosen";
        dialog.installTypeBox()->setCurrentIndex(1);
        dialog.driveBox()->setCurrentIndex(5);
        dialog.okButton()->click();
    });
    EXPECT_TRUE(EditFileItem(nullptr, document, lang, kBy));
    EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kSourceForEachLanguage)});
    EXPECT_EQ(lang->target, u"\\resource\\apps\\lang2.rsc");
    EXPECT_EQ(lang->sources, (LocalizedText{u"en.rsc", u".\\res\\fr2.rsc"}))
        << "stored relative to the package folder";
    EXPECT_EQ(lang->drive, u'E');
    EXPECT_EQ(lang->fileType, FileType::FR);
    EXPECT_EQ(lang->runOption, RunOption::RI);
    EXPECT_EQ(log.changes.size(), 1u);
}

TEST_F(LanguageFileDialogTest, TheWizardMakesANewFilePageByPage) {
    WhenModal<LanguageFileWizard> when([this](LanguageFileWizard& wizard) {
        wizard.next();
        EXPECT_EQ(wizard.currentId(), LanguageFileWizard::NamePage);
        wizard.targetControls().nameBox()->setText("app.exe");
        wizard.next();

        EXPECT_EQ(wizard.currentPage()->title(), "Saving location");
        EXPECT_EQ(wizard.targetControls().folderLabel()->text(), "[Binaries]")
            << "the extension's folder";
        wizard.driveBox()->setCurrentIndex(3);
        wizard.next();

        EXPECT_EQ(wizard.currentPage()->title(), "Source files");
        files.answer = ui::HostPathToQString(folder() + "en/app.exe");
        Browse(wizard.sourceList(), 0);
        EXPECT_EQ(files.asked.value(0), "Select Language File");
        wizard.next();
        EXPECT_EQ(wizard.currentId(), LanguageFileWizard::SourcesPage) << "French has none";
        files.answer = ui::HostPathToQString((dir.path() / "fr/app.exe").string());
        Browse(wizard.sourceList(), 1);
        wizard.next();

        EXPECT_EQ(wizard.currentPage()->title(), "Install options");
        wizard.installTypeBox()->setCurrentIndex(3);
        wizard.waitBox()->setChecked(false);
        wizard.button(QWizard::FinishButton)->click();
    });
    std::unique_ptr<InstallLanguageFileItem> item = RunInstallLanguageFileWizard(nullptr, document);
    EXPECT_EQ(shownTexts(), (std::vector<QString>{ui::ToQString(kEnterTargetName),
                                                  ui::ToQString(kSourceForEachLanguage)}));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->target, u"\\sys\\bin\\app.exe");
    EXPECT_EQ(item->drive, u'C');
    EXPECT_EQ(item->sources, (LocalizedText{u".\\en\\app.exe", u"..\\fr\\app.exe"}))
        << "relative to the package folder";
    EXPECT_EQ(item->runOption, RunOption::RB);
    EXPECT_FALSE(item->runWaitEnd);
}

TEST_F(LanguageFileDialogTest, LaunchLanguageFileFillsTheMimeTypeFromTheSource) {
    WhenModal<LaunchLanguageFileDialog> when([this](LaunchLanguageFileDialog& dialog) {
        MimeOverrideControls& mime = dialog.mimeControls();
        EXPECT_FALSE(mime.mimeBox()->isEnabled());
        files.answer = ui::HostPathToQString(folder() + "help_en.html");
        Browse(dialog.sourceList(), 0);
        EXPECT_EQ(files.asked.value(0), "Select File");
        EXPECT_EQ(mime.mimeBox()->text(), "text/html");

        files.answer = ui::HostPathToQString(folder() + "help_fr.html");
        Browse(dialog.sourceList(), 1);
        mime.overrideBox()->setChecked(true);
        mime.mimeBox()->setText("application/xhtml+xml");
        dialog.okButton()->click();
    });
    std::unique_ptr<InstallLanguageFileItem> item = RunLaunchLanguageFileDialog(nullptr, document);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->fileType, FileType::FM);
    EXPECT_EQ(item->mimeType, u"application/xhtml+xml");
    EXPECT_EQ(item->sources, (LocalizedText{u".\\help_en.html", u".\\help_fr.html"}));
}

} // namespace
} // namespace tb
