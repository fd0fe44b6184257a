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
                    seen = {window->mode(), window->windowTitle(), window->isMaximized()};
                    if (user)
                        user(*window);
                    window->close();
                }
        });
        QObject guard; // ends a run nobody closes
        QTimer::singleShot(10000, &guard, [] { QCoreApplication::exit(99); });
        return RunTinderbridge(arguments, StartupOptions{paths, sdks});
    }

    std::tuple<MainWindowMode, QString, bool> seen; // mode, title, maximised
    TempDir dir;
    SettingsPaths paths{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    RecordingMessageBoxes boxes;
};

TEST_F(StartupTest, WithoutSdkSaysSoAndEndsWithZeroWithoutOpeningThePackage) {
    EXPECT_EQ(run({packageFile("Demo.pkg")}, 0), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::kNoSdk));
    EXPECT_EQ(boxes.shown[0].icon, ui::MessageIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, ui::MessageButtons::Ok);
    EXPECT_TRUE(AppSettings(paths).recentFiles.empty());
    EXPECT_TRUE(std::filesystem::exists(paths.userFile)); // saved at exit
}

TEST_F(StartupTest, OpensOnlyTheFirstArgumentAndSavesSettingsAtExit) {
    std::string first = packageFile("First.pkg");
    EXPECT_EQ(run({first, packageFile("Second.pkg")}, 1), 0);
    EXPECT_EQ(seen,
              std::tuple(MainWindowMode::Editing, "First.pkg - Orchardly Tinderbridge 1.0", false));
    ASSERT_EQ(boxes.shown.size(), 1u); // the close question only
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::kSaveChanges));
    AppSettings saved(paths);
    ASSERT_EQ(saved.recentFiles.size(), 1u);
    EXPECT_EQ(saved.recentFiles[0].path, ui::ToWide(QString::fromStdString(first)));
}

// The welcome page at the first start (StartupAction 1), unless a package is named: one that
// cannot be read leaves the empty window; StartupAction 0 starts empty.
TEST_F(StartupTest, StartupActionChoosesWelcomePageOrEmptyWindow) {
    EXPECT_EQ(run({}, 1), 0);
    EXPECT_EQ(std::get<0>(seen), MainWindowMode::Welcome);
    EXPECT_EQ(run({dir.file("missing.pkg")}, 1), 0);
    EXPECT_EQ(std::get<0>(seen), MainWindowMode::Empty);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::OpenMessage(err::kNotFound)));

    AppSettings settings(paths);
    settings.startupAction = 0;
    ASSERT_TRUE(settings.save());
    EXPECT_EQ(run({}, 1), 0);
    EXPECT_EQ(seen, std::tuple(MainWindowMode::Empty, "Orchardly Tinderbridge 1.0", false));
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
        {false, maximise, true}, {true, {}, true},   {true, {}, true},   {true, {}, true},
        {true, restore, false},  {false, {}, false}, {false, {}, false},
    };
    int round = 0;
    for (const auto& r : rounds) {
        ++round;
        ASSERT_EQ(run({}, 1, r.user), 0);
        EXPECT_EQ(std::get<2>(seen), r.startsMaximised) << "round " << round;
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
