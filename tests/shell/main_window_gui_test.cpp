#include "document/app_settings.h"
#include "document/application.h"
#include "document/messages.h"
#include "shell/configuration_lists.h"
#include "shell/main_window.h"
#include "shell/status_bar.h"
#include "shell/view_bar.h"
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
#include <QThread>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace tb::test {
namespace {

using ui::MessageAnswer;
namespace cmd = ui::cmd;

// WCAG contrast ratio of two colours, 1 to 21; 3 is the least for readable interface text.
double ContrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& colour) {
        auto channel = [](double c) {
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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
    // A package file in the temp folder, written by hand as UTF-8, opened through the dialog.
    std::string packageFile(const std::string& name = "Demo.pkg") {
        return dir.copy(TB_TEST_DATA_DIR "/pkg/handwritten_utf8.pkg", name);
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

// Welcome page, a package open, the configuration and views chosen, closed. Saving and opening
// again are the sessions'.
TEST_F(MainWindowTest, WalksThroughItsStates) {
    start(2);
    window->setMode(MainWindowMode::Welcome);
    ASSERT_NE(window->welcomePage(), nullptr);
    EXPECT_FALSE(enabled(cmd::kOutputPane) || commands.execute(cmd::kOutputPane));
    EXPECT_TRUE(enabled(cmd::kNew) && enabled(cmd::kOpen));
    QComboBox* platforms = window->configurationLists()->platformList();
    EXPECT_FALSE(platforms->isEnabled() || platforms->count());

    openThroughDialog(packageFile());
    EXPECT_TRUE(boxes.shown.empty()); // nothing open, nothing asked
    EXPECT_EQ(window->windowTitle(), "Demo.pkg - Orchardly Tinderbridge 1.0");
    EXPECT_EQ(std::tuple(window->welcomePage(), window->activeView()), std::tuple(nullptr, 0));
    EXPECT_TRUE(commands.action(cmd::kFirstView)->isChecked());
    for (int id :
         {cmd::kClose, cmd::kSave, cmd::kFirstView + 7, cmd::kOpenOutputFolder, cmd::kBuild,
          cmd::kExport, cmd::kFirstSdk + 1, cmd::kFirstTarget, cmd::kOutputPane})
        EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(cmd::kTargetSimple) || enabled(cmd::kMoveDown)); // the Designer's
    EXPECT_EQ(std::tuple(platforms->count(), platforms->currentText()),
              std::tuple(3, "Phone (GCCE)"));
    EXPECT_EQ(std::tuple(window->statusPane()->messageText(), window->statusPane()->languageText()),
              std::tuple("Package was successfully opened", "English"));

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
    EXPECT_FALSE(commands.action(cmd::kFirstView)->isChecked());

    // Close asks (the answers' meaning is the document's); the window goes back to empty.
    boxes.answers = {MessageAnswer::No};
    commands.execute(cmd::kClose);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(std::tuple(boxes.shown[0].text, boxes.shown[0].buttons),
              std::tuple(ui::ToQString(messages::kSaveChanges), ui::MessageButtons::YesNoCancel));
    EXPECT_EQ(std::tuple(window->windowTitle(), window->mode()),
              std::tuple("Orchardly Tinderbridge 1.0", MainWindowMode::Empty));
    for (int id : {cmd::kClose, cmd::kSave, cmd::kFirstView, cmd::kOpenOutputFolder, cmd::kBuild,
                   cmd::kExport})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(commands.action(cmd::kFirstView)->isChecked());
    EXPECT_EQ(window->statusPane()->languageText(), "");
}

TEST_F(MainWindowTest, NoSdkGreysBuilding) {
    start(0);
    openThroughDialog(packageFile());
    ASSERT_EQ(window->mode(), MainWindowMode::Editing);
    EXPECT_TRUE(enabled(cmd::kSave) && enabled(cmd::kClose));
    for (int id : {cmd::kBuild, cmd::kExport, cmd::kFirstPlatform, cmd::kFirstTarget})
        EXPECT_FALSE(enabled(id)) << id;
    for (const char* title : {"Export", "SDK", "Platform", "Target"})
        EXPECT_FALSE(submenu(title)->menuAction()->isEnabled()) << title;
    EXPECT_FALSE(window->configurationLists()->targetList()->isEnabled());
}

TEST_F(MainWindowTest, HelpOutputFolderAndSaveSayWhatWentWrong) {
    settings.installDir = fromHostPath(dir.path().string());
    const QString guide = QString::fromStdString(
        dir.write("Tinderbridge.html", "<html><body><h1>The guide</h1><a href=\"#end\">end</a>"
                                       "<h2 id=\"end\">End</h2></body></html>"));
    const QString folder = QString::fromStdString(dir.path().string());
    start(1);
    openThroughDialog(packageFile());

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
        ASSERT_EQ(boxes.shown.size(), c.message.isEmpty() ? 0u : 1u);
        if (!c.message.isEmpty()) {
            EXPECT_TRUE(boxes.shown[0].text.startsWith(c.message));
            EXPECT_EQ(boxes.shown[0].icon, ui::MessageIcon::Error);
        }
    }
    ui::HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(window->findChildren<ui::HelpWindow*>().size(), 1);
    EXPECT_TRUE(help->browser()->toPlainText().startsWith("The guide"));
    // The guide's own links stay in the window.
    desktop.opened.clear();
    emit help->browser()->anchorClicked(QUrl("#end"));
    EXPECT_EQ(help->browser()->source().adjusted(QUrl::RemoveFragment), QUrl::fromLocalFile(guide));
    EXPECT_EQ(help->browser()->source().fragment(), "end");
    EXPECT_TRUE(desktop.opened.empty());

    boxes.shown.clear();
    std::filesystem::remove_all(dir.path());
    commands.execute(cmd::kSave);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::SaveMessage(err::kNotFound)));
    EXPECT_TRUE(app->document.isOpen());
}

TEST_F(MainWindowTest, RecentMenuEntriesOpenTheFileTheyNameAndFollowTheList) {
    for (const char* name : {"A.pkg", "B.pkg", "C.pkg"})
        settings.recentFiles.push_back({fromHostPath(packageFile(name)), u"Application", 1});
    boxes.defaultAnswer = MessageAnswer::No; // the close question
    start(1);
    expectRecentMenuFollowsTheList();
    for (int entry : {2, 1, 3, 3, 2}) { // menu positions from 1
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

TEST_F(MainWindowTest, ADeletedRecentFileOffersToRemoveIt) {
    settings.recentFiles = {{u"/nowhere/Gone.pkg", u"Application", 1}};
    start(1);
    QMenu* recent = submenu("Recent Files");
    ASSERT_TRUE(recent->menuAction()->isEnabled());
    boxes.answers = {MessageAnswer::No, MessageAnswer::Yes};
    commands.execute(cmd::kFirstRecent);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(std::tuple(boxes.shown[0].text, boxes.shown[0].buttons),
              std::tuple("The package '/nowhere/Gone.pkg' cannot be opened. Do you want to remove "
                         "the reference to it from the Recent Files list?",
                         ui::MessageButtons::YesNo));
    EXPECT_EQ(app->recentFiles.size(), 1u);

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
    EXPECT_EQ(window->view(0)->parentWidget()->height(), 200);
    commands.execute(cmd::kToolBar);
    commands.execute(cmd::kOutputPane);
    EXPECT_FALSE(commands.action(cmd::kOutputPane)->isChecked());
    openThroughDialog(packageFile());

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

TEST_F(MainWindowTest, DisabledViewBarLabelsStayReadable) {
    start(1); // no package: the views and most buttons are disabled
    auto* bar = window->findChild<ViewBar*>();
    ASSERT_NE(bar, nullptr);
    const QColor background = bar->palette().color(QPalette::Mid);
    const QList<QToolButton*> buttons = bar->findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 8);
    for (QToolButton* button : buttons) {
        ASSERT_FALSE(button->isEnabled());
        const QPalette& colours = button->palette();
        const double disabled =
            ContrastRatio(colours.color(QPalette::Disabled, QPalette::ButtonText), background);
        EXPECT_GE(disabled, 3.0) << button->text().toStdString();
        EXPECT_LT(disabled,
                  ContrastRatio(colours.color(QPalette::Active, QPalette::ButtonText), background));
    }
}

// The window hands each view its tool bar commands while it shows it, and takes them back when
// the package closes or the window goes; the hand-over between views and the rules read again
// are the Designer session's.
TEST_F(MainWindowTest, ToolBarCommandsBelongToTheShownView) {
    start(0);
    const int phone = int(ViewIndex::PhoneView);
    int ran = 0;
    window->view(phone)->commands().claim(cmd::kTargetFull, [&] { ++ran; });
    const std::string path = packageFile();
    ASSERT_EQ(app->document.open(path, false), err::kOk);
    commands.execute(cmd::kFirstView + phone);
    EXPECT_TRUE(enabled(cmd::kTargetFull) && !enabled(cmd::kTargetSimple));
    commands.action(cmd::kTargetFull)->trigger();
    EXPECT_EQ(ran, 1);
    app->document.close();
    EXPECT_FALSE(enabled(cmd::kTargetFull)) << "no view is shown without a package";
    ASSERT_EQ(app->document.open(path, false), err::kOk);
    commands.execute(cmd::kFirstView + phone);
    EXPECT_TRUE(enabled(cmd::kTargetFull));
    window.reset();
    EXPECT_FALSE(enabled(cmd::kTargetFull)) << "the window and its views are gone";
    EXPECT_FALSE(commands.execute(cmd::kTargetFull));
}

} // namespace
} // namespace tb::test
