#include "shell/app_settings.h"
#include "shell/main_window.h"
#include "shell/messages.h"
#include "shell/startup.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/qt_text.h"
#include "util/error_code.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tb::test {
namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { boxes.defaultAnswer = ui::MessageAnswer::No; }

    std::string packageFile(const std::string& name) {
        std::filesystem::copy_file(TB_TEST_DATA_DIR "/pkg/handwritten_utf8.pkg", dir.file(name));
        return dir.file(name);
    }

    // Runs the program; inspect sees the window once the loop runs and then closes it.
    int run(const std::vector<std::string>& arguments, size_t sdkCount,
            const std::function<void(MainWindow&)>& inspect = {}) {
        SdkList sdks(sdkCount, SdkInfo{u"S60", u"S60_5th", u"/sdk", true});
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* window = qobject_cast<MainWindow*>(widget);
                    window && window->isVisible()) {
                    if (inspect)
                        inspect(*window);
                    window->close();
                }
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(10000);
        return RunTinderbridge(arguments, StartupOptions{paths, sdks});
    }

    TempDir dir;
    SettingsPaths paths{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    RecordingMessageBoxes boxes;
};

TEST_F(StartupTest, WithoutSdkSaysSoAndEndsWithZeroWithoutOpeningThePackage) {
    std::string package = packageFile("Demo.pkg");
    EXPECT_EQ(run({package}, 0), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::kNoSdk));
    EXPECT_EQ(boxes.shown[0].icon, ui::MessageIcon::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, ui::MessageButtons::Ok);
    EXPECT_TRUE(AppSettings(paths).recentFiles.empty());
    EXPECT_TRUE(std::filesystem::exists(paths.userFile)); // saved at exit
}

TEST_F(StartupTest, OpensOnlyTheFirstArgumentAndSavesSettingsAtExit) {
    std::string first = packageFile("First.pkg");
    std::string second = packageFile("Second.pkg");
    MainWindowMode mode{};
    QString title;
    EXPECT_EQ(run({first, second}, 1,
                  [&](MainWindow& window) {
                      mode = window.mode();
                      title = window.windowTitle();
                  }),
              0);
    EXPECT_EQ(mode, MainWindowMode::Editing);
    EXPECT_EQ(title, "First.pkg - Orchardly Tinderbridge 1.0");
    ASSERT_EQ(boxes.shown.size(), 1u); // the close question only
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::kSaveChanges));
    AppSettings saved(paths);
    ASSERT_EQ(saved.recentFiles.size(), 1u);
    EXPECT_EQ(saved.recentFiles[0].path, ui::ToWide(QString::fromStdString(first)));
}

TEST_F(StartupTest, StartupActionChoosesWelcomePageOrEmptyWindowAndMaximisedIsKept) {
    MainWindowMode mode{};
    bool maximised = false;
    auto look = [&](MainWindow& window) {
        mode = window.mode();
        maximised = window.isMaximized();
    };
    EXPECT_EQ(run({}, 1, look), 0); // first start: StartupAction 1
    EXPECT_EQ(mode, MainWindowMode::Welcome);

    AppSettings settings(paths);
    settings.startupAction = 0;
    settings.windowMaximized = true;
    ASSERT_TRUE(settings.save());
    EXPECT_EQ(run({}, 1, look), 0);
    EXPECT_EQ(mode, MainWindowMode::Empty);
    EXPECT_TRUE(maximised);
    EXPECT_TRUE(AppSettings(paths).windowMaximized);
}

TEST_F(StartupTest, AnUnreadableArgumentLeavesTheEmptyWindow) {
    MainWindowMode mode{};
    EXPECT_EQ(run({dir.file("missing.pkg")}, 1, [&](MainWindow& w) { mode = w.mode(); }), 0);
    EXPECT_EQ(mode, MainWindowMode::Empty);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::OpenMessage(err::kNotFound)));
}

} // namespace
} // namespace tb::test
