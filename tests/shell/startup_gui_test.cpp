#include "document/app_settings.h"
#include "document/messages.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/qt_text.h"
#include "util/error_code.h"

#include <QApplication>
#include <QTimer>

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

} // namespace
} // namespace tb::test
