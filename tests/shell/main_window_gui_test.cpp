#include "shell/app_settings.h"
#include "shell/application.h"
#include "shell/configuration_lists.h"
#include "shell/main_window.h"
#include "shell/messages.h"
#include "shell/status_bar.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/gui_build_events.h"
#include "ui/qt_text.h"
#include "util/error_code.h"
#include "views/view_page.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace tb::test {
namespace {

using ui::MessageAnswer;
namespace cmd = ui::cmd;

SdkList Sdks(size_t count) {
    SdkList sdks;
    for (size_t i = 0; i < count; ++i)
        sdks.push_back({u"S60", u"S60_" + std::u16string(1, char16_t(u'0' + i)), u"/sdk", i == 0});
    return sdks;
}

class MainWindowTest : public ::testing::Test {
protected:
    void start(size_t sdkCount) {
        app = std::make_unique<Application>(settings, events, Sdks(sdkCount));
        window = std::make_unique<MainWindow>(*app, commands);
    }
    // A package file in the temp folder, written by hand as UTF-8.
    std::string packageFile(const std::string& name = "Demo.pkg") {
        return dir.copy(TB_TEST_DATA_DIR "/pkg/handwritten_utf8.pkg", name);
    }
    void openThroughDialog(const std::string& path) {
        files.answer = QString::fromStdString(path);
        commands.execute(cmd::kOpen);
    }
    bool enabled(int id) const { return commands.isEnabled(id); }
    std::tuple<QString, MainWindowMode> state() const {
        return {window->windowTitle(), window->mode()};
    }
    QMenu* submenu(const QString& title) const {
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>())
            if (menu->title() == title)
                return menu;
        return nullptr;
    }

    TempDir dir;
    AppSettings settings{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    ui::GuiBuildEvents events;
    RecordingMessageBoxes boxes;
    AnsweringFileDialogs files;
    ui::CommandRegistry commands;
    std::unique_ptr<Application> app;
    std::unique_ptr<MainWindow> window; // goes first
};

TEST_F(MainWindowTest, PackageCommandsFollowTheOpenPackageAndTheSdks) {
    start(2);
    EXPECT_EQ(state(), std::tuple("Orchardly Tinderbridge 1.0", MainWindowMode::Empty));
    for (int id : {cmd::kClose, cmd::kSave, cmd::kFirstView, cmd::kOpenOutputFolder, cmd::kBuild,
                   cmd::kExport})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(cmd::kNew) && enabled(cmd::kOpen) && enabled(cmd::kOutputPane));
    EXPECT_FALSE(enabled(cmd::kTargetSimple) || enabled(cmd::kMoveDown)); // the Designer's
    EXPECT_FALSE(commands.action(cmd::kTargetFull)->isEnabled());
    QComboBox* platforms = window->configurationLists()->platformList();
    EXPECT_FALSE(platforms->isEnabled() || platforms->count());

    openThroughDialog(packageFile());
    EXPECT_EQ(files.asked.mid(0, 2), QStringList({"Open Package", "Symbian Package (*.pkg)"}));
    EXPECT_TRUE(boxes.shown.empty()); // nothing open, nothing asked
    EXPECT_EQ(state(),
              std::tuple("Demo.pkg - Orchardly Tinderbridge 1.0", MainWindowMode::Editing));
    EXPECT_EQ(window->activeView(), 0);
    EXPECT_TRUE(commands.action(cmd::kFirstView)->isChecked());
    for (int id : {cmd::kClose, cmd::kSave, cmd::kFirstView + 7, cmd::kOpenOutputFolder,
                   cmd::kBuild, cmd::kExport, cmd::kFirstSdk + 1, cmd::kFirstTarget})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_TRUE(submenu("SDK")->menuAction()->isEnabled());
    EXPECT_EQ(submenu("SDK")->actions().size(), 2);
    EXPECT_EQ(std::tuple(platforms->count(), platforms->currentText()),
              std::tuple(3, "Phone (GCCE)"));
    EXPECT_EQ(std::tuple(window->statusPane()->messageText(), window->statusPane()->languageText()),
              std::tuple("Package was successfully opened", "English"));
    EXPECT_EQ(submenu("Recent Files")->actions().at(0)->text(),
              "1 " + QString::fromStdString(dir.file("Demo.pkg")));

    // The tool bar list, the menu radio entries and the configuration move together.
    commands.execute(cmd::kFirstPlatform + 2);
    EXPECT_EQ(std::tuple(app->configuration.platform(), platforms->currentIndex()),
              std::tuple(BuildPlatform::Winscw, 2));
    window->configurationLists()->targetList()->activated(1);
    EXPECT_EQ(app->configuration.target(), BuildTarget::Udeb);
    EXPECT_TRUE(commands.action(cmd::kFirstTarget + 1)->isChecked());
    commands.execute(cmd::kFirstSdk + 1);
    EXPECT_EQ(app->configuration.currentSdk(), app->configuration.sdkAt(1));
    EXPECT_TRUE(commands.action(cmd::kFirstSdk + 1)->isChecked());

    commands.execute(cmd::kFirstView + 3);
    EXPECT_EQ(window->activeView(), 3);
    EXPECT_FALSE(commands.action(cmd::kFirstView)->isChecked());
}

TEST_F(MainWindowTest, WithoutSdksBuildingStaysGreyedWithAPackageOpen) {
    start(0);
    openThroughDialog(packageFile());
    ASSERT_EQ(window->mode(), MainWindowMode::Editing);
    EXPECT_TRUE(enabled(cmd::kSave) && enabled(cmd::kClose));
    for (int id : {cmd::kBuild, cmd::kExport, cmd::kFirstPlatform, cmd::kFirstTarget})
        EXPECT_FALSE(enabled(id)) << id;
    for (const char* title : {"Export", "SDK", "Platform", "Target"})
        EXPECT_FALSE(submenu(title)->menuAction()->isEnabled()) << title;
    QComboBox* targets = window->configurationLists()->targetList();
    EXPECT_FALSE(targets->isEnabled() || targets->count());
}

TEST_F(MainWindowTest, OnlyTwentySdksHaveMenuEntries) {
    start(21);
    QList<QAction*> entries = submenu("SDK")->actions();
    ASSERT_EQ(entries.size(), 20);
    EXPECT_EQ(entries.back(), commands.action(cmd::kFirstSdk + 19));
    EXPECT_TRUE(entries.front()->isChecked());
}

TEST_F(MainWindowTest, CloseAsksAndCancelNoYesDoWhatTheySay) {
    start(1);
    std::string path = packageFile();
    std::string original = ReadBytes(path);
    openThroughDialog(path);

    boxes.answers = {MessageAnswer::Cancel};
    commands.execute(cmd::kClose);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::kSaveChanges));
    EXPECT_EQ(boxes.shown[0].buttons, ui::MessageButtons::YesNoCancel);
    EXPECT_TRUE(app->document.isOpen());

    boxes.answers = {MessageAnswer::No};
    commands.execute(cmd::kClose);
    EXPECT_FALSE(app->document.isOpen());
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(state(), std::tuple("Orchardly Tinderbridge 1.0", MainWindowMode::Empty));
    EXPECT_FALSE(enabled(cmd::kSave) || commands.action(cmd::kFirstView)->isChecked());
    EXPECT_EQ(window->statusPane()->languageText(), "");

    // Opening another package asks about the open one first; Yes saves it.
    openThroughDialog(path);
    boxes.answers = {MessageAnswer::Yes};
    openThroughDialog(packageFile("Other.pkg"));
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE"); // rewritten as UTF-16
    EXPECT_EQ(window->windowTitle(), "Other.pkg - Orchardly Tinderbridge 1.0");
}

TEST_F(MainWindowTest, FailuresAndMissingFilesShowTheirMessages) {
    settings.installDir = u"/no/such/install";
    start(1);
    commands.execute(cmd::kHelp);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(
        "Could not locate the help file '/no/such/install/Tinderbridge.html'.\r\n\r\n"));

    std::string path = packageFile();
    openThroughDialog(path);
    app->document.package()->output.outputFolder = u"/no/such/output";
    commands.execute(cmd::kOpenOutputFolder);
    EXPECT_EQ(boxes.shown.back().text, "The folder '/no/such/output' coult not be found.");
    EXPECT_EQ(boxes.shown.back().icon, ui::MessageIcon::Error);

    std::filesystem::remove_all(dir.path());
    commands.execute(cmd::kSave);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].text, ui::ToQString(messages::SaveMessage(err::kNotFound)));
    EXPECT_TRUE(app->document.isOpen());

    boxes.answers = {MessageAnswer::No};
    openThroughDialog(path);
    EXPECT_EQ(boxes.shown.back().text, ui::ToQString(messages::OpenMessage(err::kNotFound)));
    EXPECT_EQ(window->mode(), MainWindowMode::Empty);
}

TEST_F(MainWindowTest, ADeletedRecentFileOffersToRemoveIt) {
    settings.recentFiles = {{u"/nowhere/Gone.pkg", u"Application", 1}};
    start(1);
    QMenu* recent = submenu("Recent Files");
    ASSERT_TRUE(recent->menuAction()->isEnabled());
    EXPECT_EQ(recent->actions().at(0)->text(), "1 /nowhere/Gone.pkg");

    boxes.answers = {MessageAnswer::No};
    commands.execute(cmd::kFirstRecent);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "The package '/nowhere/Gone.pkg' cannot be opened. Do you want to remove the "
              "reference to it from the Recent Files list?");
    EXPECT_EQ(boxes.shown[0].buttons, ui::MessageButtons::YesNo);
    EXPECT_EQ(app->recentFiles.size(), 1u);

    boxes.answers = {MessageAnswer::Yes};
    commands.execute(cmd::kFirstRecent);
    EXPECT_TRUE(app->recentFiles.empty() && recent->actions().isEmpty());
    EXPECT_FALSE(recent->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, StatusTextsReturnToReadyAfterTheirTime) {
    start(1);
    StatusBar& status = *window->statusPane();
    status.setMessageDuration(40);
    EXPECT_EQ(status.messageText(), "Ready");
    openThroughDialog(packageFile());
    commands.execute(cmd::kSave);
    EXPECT_EQ(status.messageText(),
              "Package saved to '" + QString::fromStdString(dir.file("Demo.pkg")) + "'");
    EXPECT_TRUE(WaitFor([&] { return status.messageText() == "Ready"; }));

    status.buildStarted();
    QThread::msleep(80);
    QCoreApplication::processEvents();
    EXPECT_EQ(status.messageText(), "Build started..."); // until the build ends
    status.buildFailed();
    EXPECT_EQ(status.messageText(), "Build failed");
    EXPECT_TRUE(WaitFor([&] { return status.messageText() == "Ready"; }));
}

TEST_F(MainWindowTest, WelcomePageGoesOnOpenAndBlocksTheOutputPaneCommand) {
    start(1);
    window->setMode(MainWindowMode::Welcome);
    ASSERT_NE(window->welcomePage(), nullptr);
    EXPECT_FALSE(enabled(cmd::kOutputPane));
    EXPECT_FALSE(commands.execute(cmd::kOutputPane));

    openThroughDialog(packageFile());
    EXPECT_EQ(std::tuple(window->mode(), window->welcomePage() == nullptr, window->activeView()),
              std::tuple(MainWindowMode::Editing, true, 0));
    EXPECT_TRUE(enabled(cmd::kOutputPane));
}

TEST_F(MainWindowTest, CloseStoresThePlacementAndRefusesWhenCancelled) {
    start(1);
    window->move(40, 50); // the frame's position, as the settings keep it
    window->resize(900, 700);
    window->show();
    commands.execute(cmd::kToolBar);
    commands.execute(cmd::kOutputPane);
    EXPECT_FALSE(commands.action(cmd::kOutputPane)->isChecked());
    openThroughDialog(packageFile());

    boxes.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    boxes.answers = {MessageAnswer::No};
    EXPECT_TRUE(window->close());
    const AppSettings& s = settings; // the divider keeps its default while the pane is hidden
    EXPECT_EQ(std::tuple(s.windowX, s.windowY, s.windowWidth, s.windowHeight, s.dividerPosition),
              std::tuple(40, 50, 900, 700, 390));
    EXPECT_EQ(
        std::tuple(s.windowMaximized, s.toolBarVisible, s.statusBarVisible, s.outputPaneVisible),
        std::tuple(false, false, true, false));
}

TEST_F(MainWindowTest, DividerIsTheViewAreaHeight) {
    settings.dividerPosition = 200;
    start(1);
    window->setGeometry(0, 0, 900, 700);
    window->show();
    EXPECT_TRUE(WaitFor([&] { return window->outputPane()->isVisible(); }));
    window->resize(900, 600); // the output pane takes the change
    QCoreApplication::processEvents();
    EXPECT_EQ(window->view(0)->parentWidget()->height(), 200);
    window->storePlacement();
    EXPECT_EQ(settings.dividerPosition, 200);
}

} // namespace
} // namespace tb::test
