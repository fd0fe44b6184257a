#include "views/dialogs/language_file_dialog.h"

#include "editing/file_checks.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/dialogs/file_item_dialogs.h"
#include "views/dialogs/install_file_dialog_parts.h"
#include "views/dialogs/language_file_sources.h"
#include "views/dialogs/language_file_wizard.h"
#include "views/dialogs/launch_file_dialog_parts.h"
#include "views/dialogs/launch_language_file_dialog.h"

#include <QLabel>

namespace tb {
namespace {

using test::WhenModal;

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

class LanguageFileDialogTest : public test::FilePackageTest {
protected:
    void SetUp() override { open(); }
};

TEST_F(LanguageFileDialogTest, EditingKeepsASourcePerLanguage) {
    auto* lang = file<InstallLanguageFileItem>(u"en.rsc");
    WhenModal<LanguageFileDialog> when([this](LanguageFileDialog& dialog) {
        EXPECT_EQ(dialog.nameBox()->text(), "lang.rsc");
        EXPECT_EQ(dialog.targetControls().folderLabel()->text(), "[Resources]");
        QTreeWidget* list = dialog.sourceList().list();
        EXPECT_EQ(Column(list, 0), QStringList({"English", "French"}));
        EXPECT_EQ(Column(list, 1), QStringList({"en.rsc", "fr.rsc"}));

        dialog.nameBox()->setText("a|b");
        dialog.okButton()->click();
        EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kInvalidTargetName)});
        dialog.nameBox()->setText("lang2.rsc");

        files.answer = ui::HostPathToQString(folder() + "res/fr2.rsc");
        Browse(dialog.sourceList(), 1);
        EXPECT_EQ(files.asked.value(0), "") << "a plain file-open dialog";
        EXPECT_EQ(Column(list, 1).value(1), files.answer) << "shown as chosen";
        dialog.installTypeBox()->setCurrentIndex(1);
        dialog.driveBox()->setCurrentIndex(5);
        dialog.okButton()->click();
    });
    EXPECT_TRUE(EditFileItem(nullptr, document, lang, kBy));
    EXPECT_TRUE(when.seen());
    EXPECT_EQ(lang->target, u"\\resource\\apps\\lang2.rsc");
    EXPECT_EQ(lang->sources, (LocalizedText{u"en.rsc", u".\\res\\fr2.rsc"}))
        << "stored relative to the package folder";
    EXPECT_EQ(lang->drive, u'E');
    EXPECT_EQ(lang->fileType, FileType::FR);
    EXPECT_EQ(lang->runOption, RunOption::RI);
    EXPECT_EQ(log.changes.size(), 1u);
}

TEST_F(LanguageFileDialogTest, EveryLanguageNeedsASource) {
    auto* lang = file<InstallLanguageFileItem>(u"en.rsc");
    lang->sources[1].clear();
    WhenModal<LanguageFileDialog> when([this](LanguageFileDialog& dialog) {
        dialog.sourceList().list()->setCurrentItem(dialog.sourceList().list()->topLevelItem(0));
        dialog.okButton()->click();
        EXPECT_EQ(dialog.sourceList().list()->currentItem(),
                  dialog.sourceList().list()->topLevelItem(1))
            << "the language without source";
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    EXPECT_FALSE(EditFileItem(nullptr, document, lang, kBy));
    EXPECT_EQ(shownTexts(), std::vector<QString>{ui::ToQString(kSourceForEachLanguage)});
    EXPECT_TRUE(log.changes.empty());
}

TEST_F(LanguageFileDialogTest, TheWizardMakesANewFilePageByPage) {
    WhenModal<LanguageFileWizard> when([this](LanguageFileWizard& wizard) {
        EXPECT_EQ(wizard.currentPage()->title(), "Target name");
        wizard.next();
        wizard.targetControls().nameBox()->setText("CON");
        wizard.next();
        EXPECT_EQ(wizard.currentId(), LanguageFileWizard::NamePage);
        wizard.targetControls().nameBox()->setText("app.exe");
        wizard.next();

        EXPECT_EQ(wizard.currentPage()->title(), "Saving location");
        EXPECT_EQ(wizard.targetControls().folderLabel()->text(), "[Binaries]")
            << "the extension's folder";
        EXPECT_EQ(wizard.driveBox()->currentText(), "Let user choose");
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
        EXPECT_FALSE(wizard.waitBox()->isEnabled());
        wizard.installTypeBox()->setCurrentIndex(3);
        EXPECT_TRUE(wizard.waitBox()->isEnabled());
        wizard.waitBox()->setChecked(false);
        wizard.button(QWizard::FinishButton)->click();
    });
    std::unique_ptr<InstallLanguageFileItem> item = RunInstallLanguageFileWizard(nullptr, document);
    EXPECT_EQ(shownTexts(), (std::vector<QString>{ui::ToQString(kEnterTargetName),
                                                  ui::ToQString(kInvalidTargetName),
                                                  ui::ToQString(kSourceForEachLanguage)}));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->target, u"\\sys\\bin\\app.exe");
    EXPECT_EQ(item->drive, u'C');
    EXPECT_EQ(item->sources, (LocalizedText{u".\\en\\app.exe", u"..\\fr\\app.exe"}))
        << "relative to the package folder";
    EXPECT_EQ(item->runOption, RunOption::RB);
    EXPECT_FALSE(item->runWaitEnd);

    WhenModal<LanguageFileWizard> cancel([](LanguageFileWizard& wizard) { wizard.reject(); });
    EXPECT_EQ(RunInstallLanguageFileWizard(nullptr, document), nullptr);
}

TEST_F(LanguageFileDialogTest, LaunchLanguageFileFillsTheMimeTypeFromTheSource) {
    WhenModal<LaunchLanguageFileDialog> when([this](LaunchLanguageFileDialog& dialog) {
        MimeOverrideControls& mime = dialog.mimeControls();
        EXPECT_FALSE(mime.mimeBox()->isEnabled());
        files.answer = ui::HostPathToQString(folder() + "help_en.html");
        Browse(dialog.sourceList(), 0);
        EXPECT_EQ(files.asked.value(0), "Select File");
        EXPECT_EQ(mime.mimeBox()->text(), "text/html");
        dialog.okButton()->click(); // French has no source yet

        files.answer = ui::HostPathToQString(folder() + "help_fr.html");
        Browse(dialog.sourceList(), 1);
        mime.overrideBox()->setChecked(true);
        EXPECT_TRUE(mime.mimeBox()->isEnabled());
        mime.mimeBox()->setText("text/");
        dialog.okButton()->click();
        mime.mimeBox()->setText("application/xhtml+xml");
        dialog.okButton()->click();
    });
    std::unique_ptr<InstallLanguageFileItem> item = RunLaunchLanguageFileDialog(nullptr, document);
    EXPECT_TRUE(when.seen());
    EXPECT_EQ(shownTexts(), (std::vector<QString>{ui::ToQString(kSourceForEachLanguage),
                                                  ui::ToQString(kInvalidMimeType)}));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->fileType, FileType::FM);
    EXPECT_EQ(item->mimeType, u"application/xhtml+xml");
    EXPECT_EQ(item->sources, (LocalizedText{u".\\help_en.html", u".\\help_fr.html"}));

    // Edited later: the override off stores the extension's type.
    auto* placed = static_cast<InstallLanguageFileItem*>(
        document.insertItem(std::move(item), ItemPlace::after(nullptr), kBy));
    log.changes.clear();
    WhenModal<LaunchLanguageFileDialog> edit([](LaunchLanguageFileDialog& dialog) {
        EXPECT_TRUE(dialog.mimeControls().overrideBox()->isChecked());
        dialog.mimeControls().overrideBox()->setChecked(false);
        dialog.okButton()->click();
    });
    EXPECT_TRUE(EditFileItem(nullptr, document, placed, kBy));
    EXPECT_EQ(placed->mimeType, u"text/html");
    EXPECT_EQ(log.changes.size(), 1u);
}

} // namespace
} // namespace tb
