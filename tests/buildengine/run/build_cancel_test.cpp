#include "build_run_fixture.h"
#include "buildengine/helper_process.h"

#include <sys/stat.h>

namespace tb::test {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

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
        const double seconds = secondsSince(start);
        queue.deliverPending(controller.listeners());
        return seconds;
    }
};

TEST_F(BuildCancelTest, CancelReturnsOnceTheHelperHasStopped) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "60000");
    const double seconds = cancelWhileRunning();
    EXPECT_LT(seconds, 5.0);
    EXPECT_FALSE(controller.building());
    EXPECT_EQ(LastOf(recorder.all), "8004");
    EXPECT_EQ(recorder.terminals, 1);
    EXPECT_FALSE(std::filesystem::exists(outputFile()));
    EXPECT_TRUE(temporaryFolderEmpty());
}

TEST_F(BuildCancelTest, ToolIgnoringTerminationIsKilled) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "60000");
    ScopedEnv stubborn("FAKE_MAKESIS_IGNORE_TERM", "1");
    const double seconds = cancelWhileRunning();
    std::printf("cancel with a tool ignoring SIGTERM took %.2f s\n", seconds);
    EXPECT_LT(seconds, 8.0);
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

// 1 MB of tool output through a whole build against the helper alone with the same output.
TEST_F(BuildCancelTest, MegabyteOfOutputKeepsUp) {
    ScopedEnv bulk("FAKE_MAKESIS_OUTPUT_BYTES", std::to_string(1 << 20));
    const std::string pkg = dir.write("plain.pkg", "&EN\n#{\"A\"}, (0x1), 1, 0, 0\n");
    auto start = Clock::now();
    HelperProcess alone;
    ASSERT_EQ(
        alone.start(controller.helperPath(), {TB_TEST_SDK_DIR, pkg, dir.file("out/plain.sis")}), 0);
    std::string bytes;
    while (alone.readAvailable(bytes) == HelperProcess::ReadResult::Open)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    alone.waitForExit();
    const double helperSeconds = secondsSince(start);
    EXPECT_GE(bytes.size(), size_t(1) << 20);

    start = Clock::now();
    build();
    const double buildSeconds = secondsSince(start);
    EXPECT_EQ(LastOf(recorder.all), "8002");
    std::printf("1 MB of output: helper alone %.3f s, whole build %.3f s\n", helperSeconds,
                buildSeconds);
    EXPECT_LT(buildSeconds - helperSeconds, 3.0);
}

} // namespace
} // namespace tb::test
