// What a new user meets besides the main window: the Welcome page, Options and the New
// Package wizard with its languages.
#include "document/app_settings.h"
#include "document/application.h"
#include "document/messages.h"
#include "model/package_reader.h"
#include "shell/new_package_dialog.h"
#include "shell/options_dialog.h"
#include "shell/package_languages_dialog.h"
#include "shell/welcome_page.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/confirmation_dialog.h"
#include "ui/dont_show_again.h"
#include "ui/gui_build_events.h"
#include "ui/language_pickers.h"
#include "ui/link_button.h"
#include "ui/qt_text.h"
#include "util/error_code.h"
#include "util/path.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

namespace tb::test {
namespace {

namespace cmd = ui::cmd;
namespace fs = std::filesystem;
using ui::MessageAnswer;
using ui::ToQString;

// An application without SDKs on settings of its own.
class AppTest : public ::testing::Test {
protected:
    TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    ui::GuiBuildEvents events;
    Application app{settings, events, SdkList{}};
    RecordingMessageBoxes boxes;
    ModalWatchdog watchdog;
};

class WelcomeOptionsTest : public AppTest {
protected:
    WelcomeOptionsTest() { commands.addHandler(&log); }
    ui::CommandRegistry commands;
    CommandLog log;
};

TEST_F(WelcomeOptionsTest, WelcomeLinksPostCommandsAndOptionsStoreTheSettings) {
    for (const char16_t* path : {u"/P0.pkg", u"/P1.pkg", u"/P2.pkg"})
        app.recentFiles.add(path, u"Application", 1);
    settings.startupAction = 1;
    WelcomePage page(app, commands, nullptr);

    QTreeWidget* recent = page.recentList();
    ASSERT_EQ(recent->topLevelItemCount(), 3);
    page.newPackageLink()->click();
    page.openPackageLink()->click();
    emit recent->itemClicked(recent->topLevelItem(1), 0);
    EXPECT_TRUE(log.ids.empty()) << "posted, not run from the click";
    QApplication::processEvents();
    EXPECT_EQ(log.ids, (std::vector<int>{cmd::kNew, cmd::kOpen, cmd::kFirstRecent + 1}));

    // Shown at start-up (1) until "Don't show this again" is ticked (0).
    page.dontShowAgainBox()->setChecked(true);
    EXPECT_EQ(settings.startupAction, 0u);

    // The language list leaves the reserved numbers out (a stored one shows nothing and is
    // written back as 0); a language after the gaps keeps its number.
    settings.defaultLanguage = 86;
    OptionsDialog reserved(nullptr, settings);
    QComboBox& languages = *reserved.languageCombo();
    EXPECT_EQ(std::tuple(languages.count(), languages.currentIndex()), std::tuple(96, -1));
    reserved.okButton()->click();
    EXPECT_EQ(settings.defaultLanguage, 0u);

    settings.startupAction = 1;
    settings.showLanguageChangesConfirmation = settings.showBuildCompleteDialog = true;
    OptionsDialog dialog(nullptr, settings);
    dialog.languageCombo()->setCurrentIndex(dialog.languageCombo()->findText("Welsh"));
    dialog.confirmLanguagesBox()->setChecked(false);
    dialog.startupCombo()->setCurrentIndex(0);
    dialog.buildCompleteBox()->setChecked(false);
    dialog.okButton()->click();
    EXPECT_EQ(std::tuple(dialog.result(), settings.defaultLanguage,
                         settings.showLanguageChangesConfirmation, settings.startupAction,
                         settings.showBuildCompleteDialog),
              std::tuple(QDialog::Accepted, 97u, false, 0u, false));
}

void TickOnly(PackageLanguagesDialog& dialog, std::vector<uint32_t> languages, uint32_t current) {
    for (uint32_t number : ui::ChoosableLanguages())
        dialog.languageList()->setChecked(number, false);
    for (uint32_t number : languages)
        dialog.languageList()->setChecked(number, true);
    dialog.currentCombo()->setCurrentIndex(dialog.currentCombo()->findData(current));
}

class NewPackageTest : public AppTest {
protected:
    void SetUp() override {
        fs::create_directory(work);
        settings.lastPackageLocation = fromHostPath(work.string());
    }

    // Presses Create with these values; true when the dialog accepted.
    bool create(NewPackageDialog& dialog, const QString& name) {
        dialog.nameEdit()->setText(name);
        dialog.createButton()->click();
        return dialog.result() == QDialog::Accepted;
    }
    QString lastMessage() const {
        return boxes.shown.empty() ? QString() : boxes.shown.back().text;
    }

    fs::path work = dir.path() / "work";
};

TEST_F(NewPackageTest, StartsFromSettingsAndReturnsTheChosenRequest) {
    settings.lastPackageTarget = 4;
    WhenModal<NewPackageDialog> fill([&](NewPackageDialog& dialog) {
        QTreeWidget& devices = *dialog.deviceTree();
        EXPECT_EQ(
            std::tuple(devices.currentItem()->text(0), devices.currentItem()->parent()->text(0)),
            std::tuple("5th Edition", "S60"));
        devices.setCurrentItem(devices.currentItem()->parent());
        EXPECT_FALSE(dialog.createButton()->isEnabled()) << "a group node is no device";
        dialog.selectDevice(9);
        dialog.typeList()->setCurrentRow(2);
        dialog.nameEdit()->setText("Demo");
        dialog.createDirectoryBox()->setChecked(true);
        WhenModal<PackageLanguagesDialog> languages([](PackageLanguagesDialog& languages) {
            TickOnly(languages, {1, 3, 2}, 2);
            languages.okButton()->click();
        });
        dialog.languagesButton()->click();
        dialog.createButton()->click();
    });
    std::optional<NewPackageRequest> request = RunNewPackageDialog(nullptr, app);
    ASSERT_TRUE(request);
    EXPECT_EQ(std::tuple(request->name, request->type, request->targetDevice, request->languages,
                         request->currentLanguage, request->location, request->createDirectory),
              std::tuple(u"Demo", PackageType::Patch, 9, std::vector<uint32_t>{1, 2, 3}, 1u,
                         work.string(), true));

    settings.lastPackageTarget = 7; // not offered
    NewPackageDialog fallback(nullptr, app);
    EXPECT_EQ(fallback.deviceTree()->currentItem()->text(0), "Generic");
}

// The checks are CheckNewPackage's; the dialog shows their message and asks about the open package
// between the location and the existing-file checks.
TEST_F(NewPackageTest, RefusalsAndTheSaveQuestionInTheirOrder) {
    ASSERT_EQ(app.document.create({u"Old", {}, {1}, 0, work.string()}), 0);
    const std::string oldPath = app.document.filePath();
    auto changeOld = [&](const char16_t* name) { app.document.package()->names[0] = name; };
    auto oldSaved = [&](const char16_t* name) {
        std::unique_ptr<Package> onDisk;
        return LoadPackage(oldPath, onDisk) == 0 && onDisk->names.at(0) == name;
    };

    NewPackageDialog dialog(nullptr, app);
    dialog.show();
    EXPECT_FALSE(create(dialog, "a|b"));
    EXPECT_EQ(lastMessage(), ToQString(messages::kInvalidPackageName));
    dialog.locationEdit()->setText(QString::fromStdString((work / "Nope").string()));
    EXPECT_FALSE(create(dialog, "New"));
    ASSERT_EQ(boxes.shown.size(), 2u) << "no question before the location is good";
    dialog.locationEdit()->setText(QString::fromStdString(work.string()));

    changeOld(u"Cancelled");
    boxes.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(create(dialog, "New"));
    EXPECT_EQ(lastMessage(), ToQString(messages::kSaveChanges));
    EXPECT_FALSE(oldSaved(u"Cancelled"));

    boxes.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(create(dialog, "Old")) << "saved, then refused: Old.pkg exists";
    EXPECT_EQ(lastMessage(), ToQString(messages::kPackageExists));
    EXPECT_TRUE(oldSaved(u"Cancelled"));

    changeOld(u"Declined");
    boxes.answers = {MessageAnswer::No};
    EXPECT_TRUE(create(dialog, "New"));
    EXPECT_FALSE(oldSaved(u"Declined"));

    // A save that fails is said and keeps the wizard open: the changes are not lost.
    fs::remove(oldPath);
    fs::create_directory(oldPath);
    boxes.answers = {MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::No}; // Ok: the error
    NewPackageDialog again(nullptr, app);
    EXPECT_FALSE(create(again, "New"));
    EXPECT_EQ(lastMessage(), ToQString(messages::SaveMessage(err::kAccessDenied)));
    EXPECT_TRUE(create(again, "New")) << "No goes on without saving";
}

TEST_F(NewPackageTest, PackageLanguagesNeedOneLanguageAndFollowTheTicks) {
    PackageLanguagesDialog dialog(nullptr, {2, 1}, 1, false, settings);
    dialog.languageList()->setChecked(1, false);
    EXPECT_EQ(dialog.currentCombo()->currentText(), "French") << "current was unticked";
    dialog.languageList()->setChecked(2, false);
    dialog.okButton()->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(lastMessage(), ToQString(messages::kNoLanguage));
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    dialog.languageList()->setChecked(3, true);
    dialog.languageList()->setChecked(2, true);
    dialog.okButton()->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::tuple(dialog.languages(), dialog.currentLanguage()),
              std::tuple(std::vector<uint32_t>{2, 3}, 1u))
        << "German, ticked first, stayed current";
}

TEST_F(NewPackageTest, LanguageChangeConfirmationAppliesOnlyOnYes) {
    std::vector<uint32_t> languages{1};
    size_t current = 0;
    // Ticks English and Italian (current) and answers the question, if any, with answer.
    auto run = [&](std::function<void(ui::ConfirmationDialog&)> answer) {
        WhenModal<ui::ConfirmationDialog> question(std::move(answer));
        WhenModal<PackageLanguagesDialog> edit([&](PackageLanguagesDialog& dialog) {
            TickOnly(dialog, {1, 5}, 5);
            dialog.okButton()->click();
            if (dialog.result() != QDialog::Accepted)
                dialog.reject(); // after No the dialog is still open
        });
        bool applied = RunPackageLanguagesDialog(
            nullptr, languages, current, settings.showLanguageChangesConfirmation, settings);
        return std::pair(applied, question.seen());
    };

    auto no = [](ui::ConfirmationDialog& question) { question.noButton()->click(); };
    EXPECT_EQ(run(no), std::pair(false, true));
    EXPECT_EQ(languages, (std::vector<uint32_t>{1}));

    EXPECT_EQ(run([&](ui::ConfirmationDialog& question) {
                  question.dontShowAgainBox()->setChecked(true);
                  question.yesButton()->click();
              }),
              std::pair(true, true));
    EXPECT_EQ(std::tuple(languages, current, settings.showLanguageChangesConfirmation),
              std::tuple(std::vector<uint32_t>{1, 5}, 1u, false));

    settings.showLanguageChangesConfirmation = true;
    current = 0;
    EXPECT_EQ(run(no), std::pair(true, false)) << "same set, only the current one changed";
    EXPECT_EQ(current, 1u);
}

} // namespace
} // namespace tb::test
