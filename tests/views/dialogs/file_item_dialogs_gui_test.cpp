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

#include <QLabel>

#include <tuple>

namespace tb {
namespace {

using test::WhenModal;

// What the file dialogs store, in one comparable piece.
auto Stored(const FileItemBase* file) {
    return std::tuple(wideToUtf8(file->target), char(file->drive), file->fileType, file->runOption,
                      file->runWaitEnd);
}

class InstallFileDialogTest : public test::FilePackageTest {
protected:
    void SetUp() override { open(); }

    // Runs the dialog D for item through EditFileItem; act gets it open.
    template <class D = InstallFileDialog, class Act> bool edit(InstallItem* item, Act act) {
        WhenModal<D> when(act);
        const bool ok = EditFileItem(nullptr, document, item, test::kBy);
        EXPECT_TRUE(when.seen());
        return ok;
    }
    // Chooses path (in the package folder) as the source of the language at row.
    void browse(LanguageFileSources& sources, int row, const std::string& path) {
        files.answer = ui::HostPathToQString(folder() + path);
        sources.list()->setCurrentItem(sources.list()->topLevelItem(row));
        sources.browseButton()->click();
    }
};

// The name checks are FileChoicesTest's and their ordering FormDialogTest's; here the dialog
// opens on the file, refuses a bad name and stores the values as one change.
TEST_F(InstallFileDialogTest, OpensOnTheFileChecksTheNameAndStoresTheValues) {
    auto* extra = file(u"extra\\extra.dat");
    EXPECT_TRUE(edit(extra, [this](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.nameBox()->text(), "extra.dat");
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
    }));
    EXPECT_EQ(Stored(extra), std::tuple("\\private\\a0001234\\readme.txt", 'C', FileType::FR,
                                        RunOption::RR, false));
    EXPECT_EQ(log.changes.size(), 1u);

    auto choose = test::ChooseTopFolder("[Resources]");
    auto* app = file(u"bin\\app.exe");
    edit(app, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.driveBox()->currentText(), "Let user choose") << "\"!\"";
        dialog.targetControls().editButton()->click();
        dialog.okButton()->click();
    });
    EXPECT_EQ(app->target, u"\\resource\\apps\\app.exe");
}

// Pre-installed packages know no drive or install type, a null file no source or install type:
// the dialog leaves out what the file has not and keeps it as it was.
TEST_F(InstallFileDialogTest, PreinstalledPackagesAndNullFilesGetTheReducedForm) {
    auto* cache = file(u"\\private\\a0001234\\cache.dat");
    edit(cache, [](InstallFileDialog& dialog) {
        EXPECT_EQ(std::tuple(dialog.sourceLabel(), dialog.installTypeBox(), dialog.waitBox()),
                  std::tuple(nullptr, nullptr, nullptr));
        dialog.driveBox()->setCurrentIndex(4);
        dialog.nameBox()->setText("cache2.dat");
        dialog.okButton()->click();
    });
    EXPECT_EQ(Stored(cache), std::tuple("\\private\\a0001234\\cache2.dat", 'D', FileType::FN,
                                        RunOption::RI, true));

    open(test::kFiles, "&EN,FR\n#{\"App\",\"App FR\"},(0xA0001234),1,0,0,TYPE=PA\n%{\"V\",\"V\"}\n"
                       ":\"V\"\n");
    auto* extra = file(u"extra\\extra.dat");
    edit(extra, [](InstallFileDialog& dialog) {
        EXPECT_EQ(dialog.findChildren<QComboBox*>().size(), 0);
        EXPECT_EQ(dialog.waitBox(), nullptr);
        dialog.nameBox()->setText("more.dat");
        dialog.okButton()->click();
    });
    EXPECT_EQ(Stored(extra),
              std::tuple("\\private\\a0001234\\more.dat", 'e', FileType::FR, RunOption::RB, true));
}

// The MIME rules are FileChoicesTest's; here the launch form shows the override and stores the
// extension's type without it.
TEST_F(InstallFileDialogTest, LaunchFormShowsTheRunOptionAndChecksAnOverriddenMimeType) {
    auto* readme = file<InstallFileItem>(u"docs\\readme.txt");
    readme->runOption = RunOption::RB;
    readme->mimeType = u"text/html"; // not the extension's default: overridden
    edit<LaunchFileDialog>(readme, [](LaunchFileDialog& dialog) {
        EXPECT_EQ(dialog.launchBox()->currentText(), "On both installation and uninstallation");
        EXPECT_FALSE(dialog.waitBox()->isChecked()) << "the file has no RW";
        EXPECT_TRUE(dialog.mimeControls().overrideBox()->isChecked());
        dialog.mimeControls().mimeBox()->setText("text/");
        dialog.okButton()->click();
        dialog.mimeControls().mimeBox()->setText("text/x-readme");
        dialog.launchBox()->setCurrentIndex(1);
        dialog.waitBox()->setChecked(true);
        dialog.okButton()->click();
    });
    EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kInvalidMimeType)});
    EXPECT_EQ(readme->mimeType, u"text/x-readme");
    EXPECT_EQ(std::tuple(readme->runOption, readme->runWaitEnd), std::tuple(RunOption::RR, true));

    // The extension's own type, or none, is no override; OK then stores the extension's type.
    for (const char16_t* mime : {u"text/plain", u""}) {
        readme->mimeType = mime;
        edit<LaunchFileDialog>(readme, [mime](LaunchFileDialog& dialog) {
            EXPECT_EQ(dialog.mimeControls().mimeBox()->text(), ui::ToQString(mime));
            EXPECT_FALSE(dialog.mimeControls().overrideBox()->isChecked());
            dialog.okButton()->click();
        });
        EXPECT_EQ(readme->mimeType, u"text/plain");
    }
    EXPECT_EQ(log.changes.size(), 2u) << "the first OK changed nothing";
}

using LanguageFileDialogTest = InstallFileDialogTest;

// The source missing is the dialog's to point at; the other checks are FormDialog's.
TEST_F(LanguageFileDialogTest, EditingKeepsASourcePerLanguage) {
    auto* lang = file<InstallLanguageFileItem>(u"en.rsc");
    lang->sources[1].clear();
    EXPECT_TRUE(edit<LanguageFileDialog>(lang, [this](LanguageFileDialog& dialog) {
        QTreeWidget* list = dialog.sourceList().list();
        EXPECT_EQ(std::pair(list->topLevelItem(0)->text(1), list->topLevelItem(1)->text(1)),
                  std::pair(QString("en.rsc"), QString()));
        list->setCurrentItem(list->topLevelItem(0));
        dialog.okButton()->click();
        EXPECT_EQ(list->currentItem(), list->topLevelItem(1)) << "the language without source";

        dialog.nameBox()->setText("lang2.rsc");
        browse(dialog.sourceList(), 1, "res/fr2.rsc");
        dialog.installTypeBox()->setCurrentIndex(1);
        dialog.driveBox()->setCurrentIndex(5);
        dialog.okButton()->click();
    }));
    EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kSourceForEachLanguage)});
    EXPECT_EQ(Stored(lang),
              std::tuple("\\resource\\apps\\lang2.rsc", 'E', FileType::FR, RunOption::RI, true));
    EXPECT_EQ(lang->sources, (LocalizedText{u"en.rsc", u".\\res\\fr2.rsc"}))
        << "stored relative to the package folder";
    EXPECT_EQ(log.changes.size(), 1u);
}

TEST_F(LanguageFileDialogTest, TheWizardMakesANewFilePageByPage) {
    WhenModal<LanguageFileWizard> when([this](LanguageFileWizard& wizard) {
        wizard.next();
        EXPECT_EQ(wizard.currentId(), LanguageFileWizard::NamePage);
        wizard.targetControls().nameBox()->setText("app.exe");
        wizard.next();
        wizard.driveBox()->setCurrentIndex(3);
        wizard.next();
        browse(wizard.sourceList(), 0, "en/app.exe");
        wizard.next();
        EXPECT_EQ(wizard.currentId(), LanguageFileWizard::SourcesPage) << "French has none";
        browse(wizard.sourceList(), 1, "../fr/app.exe");
        wizard.next();
        wizard.installTypeBox()->setCurrentIndex(3);
        wizard.waitBox()->setChecked(false);
        wizard.button(QWizard::FinishButton)->click();
    });
    std::unique_ptr<InstallLanguageFileItem> item = RunInstallLanguageFileWizard(nullptr, document);
    EXPECT_EQ(shownTexts(), (std::vector<QString>{ui::ToQString(kEnterTargetName),
                                                  ui::ToQString(kSourceForEachLanguage)}));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Stored(item.get()),
              std::tuple("\\sys\\bin\\app.exe", 'C', FileType::FR, RunOption::RB, false));
    EXPECT_EQ(item->sources, (LocalizedText{u".\\en\\app.exe", u"..\\fr\\app.exe"}))
        << "relative to the package folder";
}

} // namespace
} // namespace tb
