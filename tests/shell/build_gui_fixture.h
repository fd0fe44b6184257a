#pragma once

#include "document/app_settings.h"
#include "document/application.h"
#include "model/item_sequence.h"
#include "shell/build_command.h"
#include "support/modal_dialogs.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/command_registry.h"
#include "ui/desktop_services.h"
#include "ui/gui_build_events.h"
#include "util/path.h"

#include <gtest/gtest.h>

#include <vector>

namespace tb::test {

// An open package App.pkg with one file, an application whose builds run the real helper and
// the stand-in tools, recorded message boxes, and a desktop that only records what it shows.
class BuildGuiTest : public ::testing::Test {
protected:
    BuildGuiTest() {
        events.setController(&app.buildController);
        EXPECT_EQ(app.document.create({u"App", {}, {1}, 0, dir.path().string()}), 0);
        dir.write("data/a.txt", "a");
        AppendChild(package().items, std::make_unique<InstallFileItem>(u".\\data\\a.txt"), nullptr);
        ui::SetShowFileHandler(
            [this](const QString& path) { return shownFiles.push_back(path), true; });
    }
    ~BuildGuiTest() override { ui::SetShowFileHandler(nullptr); }

    Package& package() { return *app.document.package(); }
    // Runs a build as the Build command does and waits until it and its events are over.
    void runBuild(
        QWidget* owner, const std::function<void()>& showOutputPane = [] {}) {
        RunBuildCommand(owner, app, showOutputPane);
        WaitFor([this] { return !app.buildController.building(); });
        QCoreApplication::processEvents(); // events of the run after the dialog closed
    }
    std::string firstBox() const {
        return boxes.shown.empty() ? "" : boxes.shown[0].text.toStdString();
    }

    TempDir dir;
    TempDir tmp;
    ScopedEnv tmpEnv{"TMPDIR", tmp.path().string()};
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), TB_BIN_DIR};
    ui::GuiBuildEvents events;
    Application app{settings, events,
                    SdkList{{u"Test SDK", u"TestSDK", fromHostPath(TB_TEST_SDK_DIR), true}}};
    ui::CommandRegistry commands;
    RecordingMessageBoxes boxes;
    std::vector<QString> shownFiles;
    ModalWatchdog watchdog; // nothing modal may outlive a broken test
};

} // namespace tb::test
