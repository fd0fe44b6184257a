// The main window: its states, menus, closing and start-up.
#include "document/app_settings.h"
#include "document/application.h"
#include "document/messages.h"
#include "shell/configuration_lists.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/gui_build_events.h"
#include "ui/help_window.h"
#include "ui/qt_text.h"
#include "util/error_code.h"
#include "util/path.h"
#include "views/view_page.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>

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

// A package file written by hand as UTF-8, copied into the temporary folder.
std::string SamplePackage(TempDir& dir, const std::string& name = "Demo.pkg") {
    return dir.copy(TB_TEST_DATA_DIR "/pkg/handwritten_utf8.pkg", name);
}

class MainWindowTest : public ::testing::Test {
protected:
    void start(size_t sdkCount) {
        SdkList sdks;
        for (size_t i = 0; i < sdkCount; ++i)
            sdks.push_back({u"S60", u"S60_" + std::u16string(1, char16_t(u'0' + i)), u"/sdk", !i});
        app = std::make_unique<Application>(settings, events, sdks);
        window = std::make_unique<MainWindow>(*app, commands);
    }
    void openThroughDialog(const std::string& path) {
        files.answer = QString::fromStdString(path);
        commands.execute(cmd::kOpen);
    }
    bool enabled(int id) const { return commands.isEnabled(id); }
    QMenu* submenu(const QString& title) const {
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>())
            if (menu->title() == title)
                return menu;
        return nullptr;
    }
    // The Recent Files menu's texts against those the recent files list calls for.
    void expectRecentMenuFollowsTheList() const {
        QStringList menu, list;
        for (QAction* action : submenu("Recent Files")->actions())
            menu << action->text();
        for (size_t i = 0; i < app->recentFiles.size(); ++i)
            list << QStringLiteral("%1 %2").arg(i + 1).arg(ui::ToQString(app->recentFiles[i].path));
        EXPECT_EQ(menu, list);
    }

    TempDir dir;
    AppSettings settings{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    ui::GuiBuildEvents events;
    RecordingMessageBoxes boxes;
    AnsweringFileDialogs files;
    RecordingDesktop desktop;
    ui::CommandRegistry commands;
    std::unique_ptr<Application> app;
    std::unique_ptr<MainWindow> window; // goes first
};

// Welcome page, a package open, the configuration and views chosen, help and folders shown, a
// failed save, closed. Saving and opening again are the sessions'.
TEST_F(MainWindowTest, WalksThroughItsStatesAndSaysWhatWentWrong) {
    settings.installDir = fromHostPath(dir.path().string());
    const QString guide = QString::fromStdString(
        dir.write("Tinderbridge.html", "<html><body><h1>The guide</h1><a href=\"#end\">end</a>"
                                       "<h2 id=\"end\">End</h2></body></html>"));
    const QString folder = QString::fromStdString(dir.path().string());
    start(2);
    window->setMode(MainWindowMode::Welcome);
    ASSERT_NE(window->welcomePage(), nullptr);
    EXPECT_FALSE(enabled(cmd::kOutputPane) || commands.execute(cmd::kOutputPane));
    QComboBox* platforms = window->configurationLists()->platformList();

    openThroughDialog(SamplePackage(dir));
    EXPECT_EQ(window->windowTitle(), "Demo.pkg - Orchardly Tinderbridge 1.0");
    EXPECT_EQ(std::tuple(window->welcomePage(), window->activeView()), std::tuple(nullptr, 0));
    for (int id :
         {cmd::kClose, cmd::kSave, cmd::kFirstView + 7, cmd::kOpenOutputFolder, cmd::kBuild,
          cmd::kExport, cmd::kFirstSdk + 1, cmd::kFirstTarget, cmd::kOutputPane})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_EQ(std::tuple(platforms->count(), platforms->currentText()),
              std::tuple(3, "Phone (GCCE)"));

    // The tool bar list, the menu radio entries and the configuration move together.
    commands.execute(cmd::kFirstPlatform + 2);
    EXPECT_EQ(std::tuple(app->configuration.platform(), platforms->currentIndex()),
              std::tuple(BuildPlatform::Winscw, 2));
    window->configurationLists()->targetList()->activated(1);
    commands.execute(cmd::kFirstSdk + 1);
    EXPECT_EQ(std::tuple(app->configuration.target(), app->configuration.currentSdk()),
              std::tuple(BuildTarget::Udeb, app->configuration.sdkAt(1)));
    EXPECT_TRUE(commands.action(cmd::kFirstTarget + 1)->isChecked() &&
                commands.action(cmd::kFirstSdk + 1)->isChecked());
    commands.execute(cmd::kFirstView + 3);
    EXPECT_EQ(window->activeView(), 3);

    // Help and the output folder open without a desktop opener; missing ones are reported.
    const struct {
        bool missing; // the guide or the output folder; reported as such, opener or not
        bool opens;
        int command;
        bool helpWindow;
        QString message;
    } cases[] = {
        {false, true, cmd::kHelp, false, {}},
        {false, true, cmd::kOpenOutputFolder, false, {}},
        {false, false, cmd::kHelp, true, {}},
        {false, false, cmd::kHelp, true, {}}, // the same window again, see below
        {false, false, cmd::kOpenOutputFolder, false,
         "There is no application available to open the folder '" + folder + "'."},
        {true, true, cmd::kHelp, false,
         "Could not locate the help file '/no/such/install/Tinderbridge.html'.\r\n\r\n"},
        {true, true, cmd::kOpenOutputFolder, false,
         "The folder '/no/such/output' coult not be found."},
    };
    for (const auto& c : cases) {
        if (c.missing) {
            settings.installDir = u"/no/such/install";
            app->document.package()->output.outputFolder = u"/no/such/output";
        }
        desktop.opens = c.opens;
        desktop.opened.clear();
        boxes.shown.clear();
        if (window->helpWindow())
            window->helpWindow()->close();
        commands.execute(c.command);
        SCOPED_TRACE(std::to_string(c.command) + (c.opens ? " opens" : ""));
        const QString handed = c.command == cmd::kHelp ? guide : folder;
        EXPECT_EQ(desktop.opened,
                  c.missing ? std::vector<QUrl>{} : std::vector<QUrl>{QUrl::fromLocalFile(handed)});
        EXPECT_EQ(window->helpWindow() && window->helpWindow()->isVisible(), c.helpWindow);
        QStringList shown;
        for (const auto& box : boxes.shown)
            shown << box.text.left(c.message.size());
        EXPECT_EQ(shown, c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    ui::HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(window->findChildren<ui::HelpWindow*>().size(), 1);
    // The guide's own links stay in the window.
    desktop.opened.clear();
    emit help->browser()->anchorClicked(QUrl("#end"));
    QUrl end = QUrl::fromLocalFile(guide);
    end.setFragment("end");
    EXPECT_EQ(std::tuple(help->browser()->source(), desktop.opened.size()), std::tuple(end, 0u));

    boxes.shown.clear();
    std::filesystem::remove_all(dir.path());
    commands.execute(cmd::kSave);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::SaveMessage(err::kNotFound)));
    EXPECT_TRUE(app->document.isOpen());

    // Close asks (the answers' meaning is the document's); the window goes back to empty.
    boxes.answers = {MessageAnswer::No};
    commands.execute(cmd::kClose);
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(std::tuple(window->windowTitle(), window->mode()),
              std::tuple("Orchardly Tinderbridge 1.0", MainWindowMode::Empty));
    for (int id : {cmd::kClose, cmd::kSave, cmd::kFirstView, cmd::kOpenOutputFolder, cmd::kBuild,
                   cmd::kExport})
        EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(MainWindowTest, RecentMenuEntriesOpenTheFileTheyNameOrOfferToForgetItAndFollowTheList) {
    for (const char* name : {"A.pkg", "B.pkg", "C.pkg"})
        settings.recentFiles.push_back({fromHostPath(SamplePackage(dir, name)), u"Application", 1});
    settings.recentFiles.push_back({u"/nowhere/Gone.pkg", u"Application", 1});
    start(1);
    boxes.answers = {MessageAnswer::No, MessageAnswer::Yes};
    commands.execute(cmd::kFirstRecent + 3);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(std::tuple(boxes.shown[0].text, boxes.shown[0].buttons),
              std::tuple("The package '/nowhere/Gone.pkg' cannot be opened. Do you want to remove "
                         "the reference to it from the Recent Files list?",
                         ui::MessageButtons::YesNo));
    EXPECT_EQ(app->recentFiles.size(), 4u);
    commands.execute(cmd::kFirstRecent + 3);
    EXPECT_EQ(app->recentFiles.size(), 3u);
    expectRecentMenuFollowsTheList();

    boxes.defaultAnswer = MessageAnswer::No; // the close question
    for (int entry : {2, 1, 3, 3, 2}) {      // menu positions from 1
        SCOPED_TRACE(entry);
        QList<QAction*> actions = submenu("Recent Files")->actions();
        ASSERT_GE(actions.size(), entry);
        const QString named = actions[entry - 1]->text().section(' ', 1);
        actions[entry - 1]->trigger();
        EXPECT_EQ(window->windowTitle(),
                  QFileInfo(named).fileName() + " - Orchardly Tinderbridge 1.0");
        expectRecentMenuFollowsTheList();
        EXPECT_EQ(submenu("Recent Files")->actions().value(0)->text(), "1 " + named);
    }
}

// The divider is the view area's height: a resize goes to the output pane; hiding the pane
// keeps it.
TEST_F(MainWindowTest, CloseStoresThePlacementAndRefusesWhenCancelled) {
    settings.dividerPosition = 200;
    start(1);
    window->move(40, 50); // the frame's position, as the settings keep it
    window->resize(900, 700);
    window->show();
    EXPECT_TRUE(WaitFor([&] { return window->outputPane()->isVisible(); }));
    window->resize(900, 600);
    QCoreApplication::processEvents();
    commands.execute(cmd::kToolBar);
    commands.execute(cmd::kOutputPane);
    openThroughDialog(SamplePackage(dir));

    boxes.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible() && app->document.isOpen());
    EXPECT_TRUE(window->close());
    const AppSettings& s = settings;
    EXPECT_EQ(std::tuple(s.windowX, s.windowY, s.windowWidth, s.windowHeight, s.dividerPosition),
              std::tuple(40, 50, 900, 600, 200));
    EXPECT_EQ(
        std::tuple(s.windowMaximized, s.toolBarVisible, s.statusBarVisible, s.outputPaneVisible),
        std::tuple(false, false, true, false));
}

// Without an SDK a package opens but cannot be built. The window hands each view its tool bar
// commands while it shows it, and takes them back when another view shows, the package closes
// or the window goes.
TEST_F(MainWindowTest, NoSdkGreysBuildingAndToolBarCommandsBelongToTheShownView) {
    start(0);
    const int phone = int(ViewIndex::PhoneView);
    int ran = 0;
    window->view(phone)->commands().claim(cmd::kTargetFull, [&] { ++ran; });
    const std::string path = SamplePackage(dir);
    openThroughDialog(path);
    ASSERT_EQ(window->mode(), MainWindowMode::Editing);
    EXPECT_FALSE(enabled(cmd::kBuild) || submenu("Platform")->menuAction()->isEnabled() ||
                 window->configurationLists()->targetList()->isEnabled());

    commands.execute(cmd::kFirstView + phone);
    EXPECT_TRUE(enabled(cmd::kTargetFull) && !enabled(cmd::kTargetSimple));
    commands.action(cmd::kTargetFull)->trigger();
    EXPECT_EQ(ran, 1);
    commands.execute(cmd::kFirstView + int(ViewIndex::Designer));
    EXPECT_TRUE(!enabled(cmd::kTargetFull) && enabled(cmd::kInsertFile));
    commands.execute(cmd::kFirstView + phone);
    for (int id = cmd::kInsertFile; id <= cmd::kInsertNullFile; ++id)
        EXPECT_FALSE(enabled(id)) << id;
    app->document.close();
    EXPECT_FALSE(enabled(cmd::kTargetFull)) << "no view is shown without a package";
    ASSERT_EQ(app->document.open(path, false), err::kOk);
    commands.execute(cmd::kFirstView + phone);
    EXPECT_TRUE(enabled(cmd::kTargetFull));
    window.reset();
    EXPECT_FALSE(enabled(cmd::kTargetFull) || commands.execute(cmd::kTargetFull)) << "views gone";
}

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { boxes.defaultAnswer = ui::MessageAnswer::No; }

    // Runs the program, notes how its window looked once the loop ran, lets the user act on
    // it and closes it.
    int run(const std::vector<std::string>& arguments, size_t sdkCount,
            const std::function<void(MainWindow&)>& user = {}) {
        SdkList sdks(sdkCount, SdkInfo{u"S60", u"S60_5th", u"/sdk", true});
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<MainWindow*>(widget);
                    window && window->isVisible()) {
                    seen = {window->mode(), window->isMaximized()};
                    if (user)
                        user(*window);
                    window->close();
                }
        });
        QObject guard; // ends a run nobody closes
        QTimer::singleShot(10000, &guard, [] { QCoreApplication::exit(99); });
        return RunTinderbridge(arguments, StartupOptions{paths, sdks});
    }

    std::pair<MainWindowMode, bool> seen; // mode, maximised
    TempDir dir;
    SettingsPaths paths{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    RecordingMessageBoxes boxes;
};

// The first package named (only that one, and only with an SDK), else the welcome page as
// StartupAction 1 asks, else the empty window; the settings saved at exit.
TEST_F(StartupTest, ArgumentsSdksAndStartupActionChooseTheFirstWindow) {
    const std::string first = SamplePackage(dir, "First.pkg"),
                      second = SamplePackage(dir, "Second.pkg");
    const WideText opened = ui::ToWide(QString::fromStdString(first));
    const struct {
        std::vector<std::string> arguments;
        size_t sdks;
        MainWindowMode mode;
        std::u16string_view message; // the one message box, if any
    } cases[] = {
        {{first}, 0, MainWindowMode::Empty, messages::kNoSdk},
        {{first, second}, 1, MainWindowMode::Editing, messages::kSaveChanges}, // on closing
        {{}, 1, MainWindowMode::Welcome, {}},
        {{dir.file("missing.pkg")},
         1,
         MainWindowMode::Empty,
         messages::OpenMessage(err::kNotFound)},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(paths.userFile);
        boxes.shown.clear();
        EXPECT_EQ(run(c.arguments, c.sdks), 0);
        EXPECT_EQ(seen.first, c.mode);
        EXPECT_LE(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown.empty() ? QString() : boxes.shown[0].text, ui::ToQString(c.message));
        const std::vector<RecentFileEntry> recent = AppSettings(paths).recentFiles;
        EXPECT_EQ(recent.empty() ? WideText() : recent[0].path,
                  c.mode == MainWindowMode::Editing ? opened : WideText());
    }
    AppSettings settings(paths);
    settings.startupAction = 0;
    ASSERT_TRUE(settings.save());
    EXPECT_EQ(run({}, 1), 0);
    EXPECT_EQ(seen.first, MainWindowMode::Empty);
}

TEST_F(StartupTest, PlacementComesBackUnchangedRunAfterRunMaximisedOrNot) {
    AppSettings first(paths);
    first.windowX = 40, first.windowY = 50, first.windowWidth = 900, first.windowHeight = 700;
    ASSERT_TRUE(first.save());
    auto maximise = [](MainWindow& window) {
        window.showMaximized();
        WaitFor([&] { return window.isMaximized(); });
    };
    QRect restored;
    auto restore = [&](MainWindow& window) {
        window.showNormal();
        WaitFor([&] { return !window.isMaximized(); });
        restored = QRect(window.pos(), window.size());
    };
    const struct {
        bool startsMaximised;
        std::function<void(MainWindow&)> user;
        bool endsMaximised;
    } rounds[] = {
        {false, maximise, true},
        {true, {}, true},
        {true, restore, false},
    };
    int round = 0;
    for (const auto& r : rounds) {
        ++round;
        ASSERT_EQ(run({}, 1, r.user), 0);
        EXPECT_EQ(seen.second, r.startsMaximised) << "round " << round;
        const AppSettings stored(paths);
        EXPECT_EQ(std::tuple(stored.windowX, stored.windowY, stored.windowWidth,
                             stored.windowHeight, stored.windowMaximized),
                  std::tuple(40, 50, 900, 700, r.endsMaximised))
            << "round " << round;
    }
    EXPECT_EQ(restored, QRect(40, 50, 900, 700));
}

} // namespace
} // namespace tb::test
