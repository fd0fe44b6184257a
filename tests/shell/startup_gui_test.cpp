#include "document/app_settings.h"
#include "document/application.h"
#include "document/messages.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/startup.h"
#include "shell/welcome_page.h"
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/command_registry.h"
#include "ui/dont_show_again.h"
#include "ui/gui_build_events.h"
#include "ui/link_button.h"
#include "ui/qt_text.h"
#include "util/date_time.h"
#include "util/error_code.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

namespace tb::test {
namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { boxes.defaultAnswer = ui::MessageAnswer::No; }

    std::string packageFile(const std::string& name) {
        return dir.copy(TB_TEST_DATA_DIR "/pkg/handwritten_utf8.pkg", name);
    }

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
    const std::string first = packageFile("First.pkg"), second = packageFile("Second.pkg");
    const WideText opened = ui::ToWide(QString::fromStdString(first));
    const std::u16string_view notFound = messages::OpenMessage(err::kNotFound);
    const struct {
        std::vector<std::string> arguments;
        size_t sdks;
        MainWindowMode mode;
        std::u16string_view message; // the one message box, if any
    } cases[] = {
        {{first}, 0, MainWindowMode::Empty, messages::kNoSdk},
        {{first, second}, 1, MainWindowMode::Editing, messages::kSaveChanges}, // on closing
        {{}, 1, MainWindowMode::Welcome, {}},
        {{dir.file("missing.pkg")}, 1, MainWindowMode::Empty, notFound},
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
        {false, {}, false},
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

class WelcomeOptionsTest : public ::testing::Test {
protected:
    TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    ui::GuiBuildEvents events;
    Application app{settings, events, SdkList{}};
    ui::CommandRegistry commands;
    CommandLog log;

    void SetUp() override { commands.addHandler(&log); }
};

void Click(QWidget* widget, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

TEST_F(WelcomeOptionsTest, WelcomeLinksAndRecentEntriesPostCommandsAndStartupActionFollowsTheBox) {
    const uint64_t day = 864000000000ull;
    const uint64_t stamp = DateTime::fromFields(2009, 3, 14).stamp;
    for (int i = 0; i < 3; ++i)
        app.recentFiles.add(u"/home/me/P" + std::u16string(1, char16_t(u'0' + i)) + u".pkg",
                            u"Application", stamp + uint64_t(i) * day);
    settings.startupAction = 1;
    WelcomePage page(app, commands, nullptr);
    page.resize(700, 600);
    page.show();

    page.newPackageLink()->click();
    EXPECT_TRUE(log.ids.empty()) << "posted, not run from the click";
    QApplication::processEvents();
    page.openPackageLink()->click();
    QApplication::processEvents();
    EXPECT_EQ(log.ids, (std::vector<int>{ui::cmd::kNew, ui::cmd::kOpen}));

    QTreeWidget* recent = page.recentList();
    ASSERT_EQ(recent->topLevelItemCount(), 3);
    QTreeWidgetItem* second = recent->topLevelItem(1);
    EXPECT_EQ(second->text(0), "/home/me/P1.pkg");
    EXPECT_EQ(second->text(1), ui::ToQString(FormatShortDate(DateTime::fromStamp(stamp + day))));

    log.ids.clear();
    Click(recent->viewport(), recent->visualItemRect(second).center());
    EXPECT_TRUE(log.ids.empty());
    QApplication::processEvents();
    EXPECT_EQ(log.ids, (std::vector<int>{ui::cmd::kFirstRecent + 1}));

    // Shown at start-up (1) until "Don't show this again" is ticked (0).
    EXPECT_FALSE(page.dontShowAgainBox()->isChecked());
    page.dontShowAgainBox()->setChecked(true);
    EXPECT_EQ(settings.startupAction, 0u);
    page.dontShowAgainBox()->setChecked(false);
    EXPECT_EQ(settings.startupAction, 1u);
}

TEST_F(WelcomeOptionsTest, OptionsShowAndStoreTheSettings) {
    settings.defaultLanguage = 2, settings.startupAction = 1;
    settings.showLanguageChangesConfirmation = settings.showBuildCompleteDialog = true;
    OptionsDialog dialog(nullptr, settings);
    EXPECT_EQ(dialog.languageCombo()->count(), 96) << "86 and 95 are reserved";
    EXPECT_EQ(
        std::tuple(dialog.languageCombo()->currentText(), dialog.startupCombo()->currentText()),
        std::tuple("French", "Welcome view"));
    dialog.languageCombo()->setCurrentIndex(dialog.languageCombo()->findText("Welsh"));
    dialog.confirmLanguagesBox()->setChecked(false);
    dialog.startupCombo()->setCurrentIndex(0);
    dialog.buildCompleteBox()->setChecked(false);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::tuple(settings.defaultLanguage, settings.showLanguageChangesConfirmation,
                         settings.startupAction, settings.showBuildCompleteDialog),
              std::tuple(97u, false, 0u, false));

    settings.defaultLanguage = 86; // reserved: nothing chosen, written back as 0
    OptionsDialog none(nullptr, settings);
    EXPECT_EQ(none.languageCombo()->currentIndex(), -1);
    none.okButton()->click();
    EXPECT_EQ(settings.defaultLanguage, 0u);
}

} // namespace
} // namespace tb::test
