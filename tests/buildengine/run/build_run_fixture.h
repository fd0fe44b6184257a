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

// Events as short texts: "8001", "8005(1)"...; itemProcessed and outputChanged are kept apart
// so most tests can look at the rest.
class EventRecorder : public BuildListener {
public:
    void buildStarted() override { all.push_back("8001"); }
    void buildSucceeded() override { end("8002"); }
    void buildFailed() override { end("8003"); }
    void buildCancelled() override { end("8004"); }
    void buildStage(int32_t stage) override {
        all.push_back("8005(" + std::to_string(stage) + ")");
    }
    void outputChanged() override { all.push_back("8006"); }
    void itemProcessed(const InstallItem* item) override { items.push_back(item); }

    std::vector<std::string> withoutOutput() const {
        std::vector<std::string> out;
        for (const std::string& e : all)
            if (e != "8006")
                out.push_back(e);
        return out;
    }
    void clear() { *this = EventRecorder(); }

    std::vector<std::string> all;
    std::vector<const InstallItem*> items;
    int terminals = 0;

private:
    void end(const char* code) {
        all.push_back(code);
        ++terminals;
    }
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
        waitForEnd();
    }
    void waitForEnd() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (recorder.terminals == 0 && std::chrono::steady_clock::now() < deadline)
            queue.waitAndDeliver(controller.listeners(), std::chrono::milliseconds(100));
        controller.waitForBuild();
        queue.deliverPending(controller.listeners());
    }

    std::string log() const { return wideToUtf8(controller.log().read()); }
    Lines lines() const { return LogLines(controller.log()); }
    // The last count lines, each followed by '|'.
    std::string lastLines(size_t count) const {
        const Lines all = lines();
        std::string out;
        for (size_t i = all.size() - std::min(count, all.size()); i < all.size(); ++i)
            out += all[i] + "|";
        return out;
    }
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
