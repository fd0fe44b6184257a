#include "build_run_fixture.h"

#include <sys/stat.h>

namespace tb::test {
namespace {

using Clock = std::chrono::steady_clock;

class BuildCancelTest : public BuildRunTest {
protected:
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

// Cancel waits for the helper, which stops its tool, killing one that ignores the request; a
// helper that ignores it is killed after the timeout. Nothing is left behind.
TEST_F(BuildCancelTest, CancelReturnsOnceTheHelperHasStopped) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "60000");
    const std::string helper = dir.write("install/TBBuildHelper", "#!/bin/sh\nexec sleep 60\n");
    ::chmod(helper.c_str(), 0755);
    const struct {
        const char* ignoringTerm; // FAKE_MAKESIS_IGNORE_TERM
        bool stubbornHelper;
        double least, most; // seconds cancelBuild takes
    } cases[] = {{nullptr, false, 0, 5}, {"1", false, 0, 8}, {nullptr, true, 9, 20}};
    for (const auto& c : cases) {
        ScopedEnv stubborn("FAKE_MAKESIS_IGNORE_TERM", c.ignoringTerm);
        controller.setInstallFolder(c.stubbornHelper ? dir.file("install") : TB_HELPER_DIR);
        recorder.clear();
        const double seconds = cancelWhileRunning();
        EXPECT_GE(seconds, c.least);
        EXPECT_LT(seconds, c.most);
        EXPECT_FALSE(controller.building());
        EXPECT_EQ(LastOf(recorder.all), "8004");
        EXPECT_EQ(recorder.terminals, 1);
        EXPECT_FALSE(std::filesystem::exists(outputFile()));
        EXPECT_TRUE(temporaryFolderEmpty());
    }
}

// 1 MB of tool output must not stall the build (a pipe nobody empties would).
TEST_F(BuildCancelTest, MegabyteOfOutputKeepsUp) {
    ScopedEnv bulk("FAKE_MAKESIS_OUTPUT_BYTES", std::to_string(1 << 20));
    build();
    EXPECT_EQ(LastOf(recorder.all), "8002");
}

} // namespace
} // namespace tb::test
