#pragma once

#include "model/item_sequence.h"
#include "shell/app_settings.h"
#include "shell/application.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/command_registry.h"
#include "ui/desktop_services.h"
#include "ui/gui_build_events.h"
#include "util/path.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace tb::test {

#ifndef TB_TEST_SDK_DIR
#define TB_TEST_SDK_DIR TB_BIN_DIR "/../test-sdk"
#endif

// An open package App.pkg with one file, an application whose builds run the real helper and
// the stand-in tools, recorded message boxes, and a desktop that only records what it shows.
class BuildGuiTest : public ::testing::Test {
protected:
    BuildGuiTest() {
        events.setController(&app.buildController);
        NewPackageRequest request;
        request.name = u"App";
        request.location = dir.path().string();
        EXPECT_EQ(app.document.create(request), 0);
        dir.write("data/a.txt", "a");
        AppendChild(package().items, std::make_unique<InstallFileItem>(u".\\data\\a.txt"), nullptr);
        ui::SetShowFileHandler(
            [this](const QString& path) { return shownFiles.push_back(path), true; });
        clock.start(); // nothing modal may outlive a broken test
        poll([this] {
            if (clock.elapsed() < 60000)
                return false;
            ADD_FAILURE() << "a dialog was still open after 60 s";
            while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->done(-1);
            return true;
        });
    }
    ~BuildGuiTest() override { ui::SetShowFileHandler(nullptr); }

    Package& package() { return *app.document.package(); }

    // Runs step every 10 ms, also inside modal loops, until it returns true or the test ends.
    void poll(std::function<bool()> step) {
        timers.push_back(std::make_unique<QTimer>());
        QTimer* timer = timers.back().get();
        QObject::connect(timer, &QTimer::timeout, [timer, step] {
            if (step())
                timer->stop();
        });
        timer->start(10);
    }
    template <class D> static D* modal() {
        return qobject_cast<D*>(QApplication::activeModalWidget());
    }
    // Hands the first modal dialog of type D to action.
    template <class D> void whenModal(std::function<void(D&)> action) {
        poll([action] { return modal<D>() && (action(*modal<D>()), true); });
    }
    static bool waitFor(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
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
    QElapsedTimer clock;
    std::vector<std::unique_ptr<QTimer>> timers;
};

} // namespace tb::test
