#pragma once

#include "buildengine/build_controller.h"
#include "buildengine/build_event_queue.h"
#include "model/package.h"
#include "support/log_lines.h"
#include "support/temp_dir.h"
#include "util/path.h"
#include "util/text_convert.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tb::test {

inline const std::string kNotSigned = "Warning, the package is not signed; it must be signed by a "
                                      "developer certificate or by Symbian Signed before it can be "
                                      "installed to a phone";

// Events as short texts: "8001", "8005(1)"...; outputChanged is counted and itemProcessed
// kept apart so that tests can compare the rest whole.
struct EventRecorder : BuildListener {
    void buildStarted() override { all.push_back("8001"); }
    void buildSucceeded() override { all.push_back("8002"); }
    void buildFailed() override { all.push_back("8003"); }
    void buildCancelled() override { all.push_back("8004"); }
    void buildStage(int32_t stage) override {
        all.push_back("8005(" + std::to_string(stage) + ")");
    }
    void outputChanged() override { ++outputs; }
    void itemProcessed(const InstallItem* item) override { items.push_back(item); }
    void clear() { *this = EventRecorder(); }

    std::vector<std::string> all;
    std::vector<const InstallItem*> items;
    int outputs = 0;
};

// One package in a temporary folder, built through the real helper and the stand-in tools.
class BuildRunTest : public ::testing::Test {
protected:
    BuildRunTest() {
        controller.addListener(&recorder);
        package->uid = 0xA0001234;
        package->names[0] = u"App";
        package->vendors[0] = package->globalVendor = u"Vendor";
        std::filesystem::create_directories(dir.path() / "out");
        package->output = {false, fromHostPath(dir.file("out")), u"App.sis"};
        dir.write("data/a.txt", "a");
        dir.write("data/b.txt", "b");
        addFile(u".\\data\\a.txt");
    }

    InstallItem* addFile(const WideText& source) {
        return AppendChild(package->items, std::make_unique<InstallFileItem>(source), nullptr);
    }

    void build() { build(configuration); }
    void build(const BuildConfiguration& sdk) {
        controller.startBuild(packageFile, *package, sdk);
        controller.waitForBuild(); // the events wait in the queue meanwhile
        queue.deliverPending(controller.listeners());
    }

    std::string log() const { return wideToUtf8(controller.log().read()); }
    Lines lines() const { return LogLines(controller.log()); }
    bool temporaryFolderEmpty() const { return std::filesystem::is_empty(tmp.path()); }
    std::string outputFile() const { return dir.file("out/App.sis"); }

    TempDir dir;
    TempDir tmp; // $TMPDIR of the build
    ScopedEnv tmpEnv{"TMPDIR", tmp.path().string()};
    std::string packageFile = dir.file("App.pkg");
    BuildEventQueue queue;
    BuildController controller{queue, TB_HELPER_DIR};
    EventRecorder recorder;
    BuildConfiguration configuration{
        SdkList{{u"Test SDK", u"TestSDK", fromHostPath(TB_TEST_SDK_DIR), true}}};
    std::unique_ptr<Package> package = CreatePackage({1});
};

} // namespace tb::test
