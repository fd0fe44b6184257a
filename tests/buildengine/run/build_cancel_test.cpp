#include "build_run_fixture.h"

#include <sys/stat.h>

namespace tb::test {
namespace {

using Clock = std::chrono::steady_clock;

class BuildCancelTest : public BuildRunTest {
protected:
    // Starts a build and waits until the helper runs, then cancels; returns the seconds
    // cancelBuild took.
    double cancelWhileRunning() {
        controller.startBuild(packageFile, *package, configuration);
        const auto deadline = Clock::now() + std::chrono::seconds(30);
        while (log().find("Building package...") == std::string::npos && Clock::now() < deadline)
            queue.waitAndDeliver(controller.listeners(), std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the tool is running
        const auto start = Clock::now();
        controller.cancelBuild();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        queue.deliverPending(controller.listeners());
        return seconds;
    }
};

TEST_F(BuildCancelTest, CancelReturnsOnceTheHelperHasStopped) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "60000");
    EXPECT_LT(cancelWhileRunning(), 5.0);
    EXPECT_FALSE(controller.building());
    EXPECT_EQ(LastOf(recorder.all), "8004");
    EXPECT_EQ(recorder.terminals, 1);
    EXPECT_FALSE(std::filesystem::exists(outputFile()));
    EXPECT_TRUE(temporaryFolderEmpty());
}

TEST_F(BuildCancelTest, ToolIgnoringTerminationIsKilled) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "60000");
    ScopedEnv stubborn("FAKE_MAKESIS_IGNORE_TERM", "1");
    EXPECT_LT(cancelWhileRunning(), 8.0);
    EXPECT_EQ(LastOf(recorder.all), "8004");
}

TEST_F(BuildCancelTest, HelperIgnoringCancelIsKilledAfterTheTimeout) {
    const std::string helper = dir.write("install/TBBuildHelper", "#!/bin/sh\nexec sleep 60\n");
    ::chmod(helper.c_str(), 0755);
    controller.setInstallFolder(dir.file("install"));
    const double seconds = cancelWhileRunning();
    EXPECT_GE(seconds, 9.0);
    EXPECT_LT(seconds, 20.0);
    EXPECT_EQ(LastOf(recorder.all), "8004");
    EXPECT_TRUE(temporaryFolderEmpty());
}

// 1 MB of tool output must not stall the build (a pipe nobody empties would).
TEST_F(BuildCancelTest, MegabyteOfOutputKeepsUp) {
    ScopedEnv bulk("FAKE_MAKESIS_OUTPUT_BYTES", std::to_string(1 << 20));
    build();
    EXPECT_EQ(LastOf(recorder.all), "8002");
}

} // namespace
} // namespace tb::test
