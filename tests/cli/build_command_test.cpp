// Whole builds through the program, TBBuildHelper and the makesis/signsis stand-ins.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tb {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;
};

class BuildCommandTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
    test::ScopedEnv common{"TINDERBRIDGE_COMMON_FILES", dir.file("common")};

    // A package with one file and its output in its own folder.
    BuildCommandTest() {
        dir.write("common/Symbian/devices.xml",
                  "<devices><device id=\"Test\" name=\"test\"><epocroot>" TB_TEST_SDK_DIR
                  "</epocroot></device></devices>");
        dir.write("Demo/data.txt", "data");
        dir.write("Demo/Demo.pkg", "&EN\n#{\"Demo\"},(0x80000000),1,0,0\n%{\"V\"}\n:\"V\"\n"
                                   "\"data.txt\"-\"!:\\data.txt\"\n; output_name \"Demo.sis\"\n"
                                   "; output_folder \"" +
                                       dir.file("Demo") + "\"\n");
    }
    const std::string pkg = dir.file("Demo/Demo.pkg");

    // Runs the program with stdout and stderr into one file; onStarted may act on the child
    // once its output contains waitFor.
    Outcome runCli(const std::vector<std::string>& args, const std::string& waitFor = {},
                   const std::function<void(pid_t)>& onStarted = {}) {
        std::string log = dir.file("cli.log");
        pid_t child = fork();
        if (child == 0) {
            FILE* out = std::fopen(log.c_str(), "w");
            dup2(fileno(out), 1);
            dup2(fileno(out), 2);
            std::vector<char*> argv{const_cast<char*>(TB_CLI_PATH)};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(TB_CLI_PATH, argv.data());
            _exit(127);
        }
        if (onStarted) {
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (test::ReadBytes(log).find(waitFor) == std::string::npos &&
                   std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            onStarted(child);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadBytes(log)};
    }
};

// The log's texts are checked in the whole builds; here the exit codes, the line ends and the
// file written.
TEST_F(BuildCommandTest, BuildWritesThePackageAndFailsWithOne) {
    const Outcome built = runCli({"build", pkg, "--platform", "armv5"});
    EXPECT_EQ(built.exitCode, 0) << built.output;
    EXPECT_EQ(built.output.rfind("Starting Build: Demo.pkg, Configuration: Phone (ARMV5), Release "
                                 "(UREL), SDK: Test\n\nValidating package...\n",
                                 0),
              0u)
        << built.output;
    EXPECT_TRUE(std::filesystem::exists(dir.file("Demo/Demo.sis")));

    std::filesystem::remove(dir.file("Demo/data.txt"));
    const Outcome failed = runCli({"build", pkg});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.output.find("\n\nBuild failed\n"), std::string::npos) << failed.output;
}

TEST_F(BuildCommandTest, CtrlCCancelsTheBuild) {
    test::ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "30000");
    auto started = std::chrono::steady_clock::now();
    Outcome built =
        runCli({"build", pkg}, "Building package...", [](pid_t child) { kill(child, SIGINT); });
    EXPECT_EQ(built.exitCode, 130) << built.output;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Demo/Demo.sis")));
}

// Started from a terminal, the signing tool would ask for a pass phrase there, and nobody would
// answer it: the build fails at once instead.
TEST_F(BuildCommandTest, KeyNeedingAPassphraseFailsAtOnceUnderATerminal) {
    test::ScopedEnv linux{"FAKE_TOOLS", "linux"};
    dir.write("Demo/dev.cer", "certificate");
    dir.write("Demo/dev.key", "ENCRYPTED:secret");
    dir.write("Demo/Demo.pkg", test::ReadBytes(pkg) + "; sign_package\n; certificate \"dev.cer\"\n"
                                                      "; private_key \"dev.key\"\n");
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0) << std::strerror(errno);
    if (child == 0) {
        const char* argv[] = {TB_CLI_PATH, "build", pkg.c_str(), nullptr};
        execv(TB_CLI_PATH, const_cast<char**>(argv));
        _exit(127);
    }
    // Everything the build shows on its terminal, until it ends. A tool waiting for an answer
    // there would keep it open: give up long after any sound build would have ended.
    std::string screen;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (char buffer[4096];;) {
        pollfd fd{terminal, POLLIN, 0};
        if (std::chrono::steady_clock::now() > giveUp) {
            kill(child, SIGKILL);
            ADD_FAILURE() << "the build is still waiting; it shows:\n" << screen;
            break;
        }
        if (poll(&fd, 1, 200) <= 0)
            continue;
        const ssize_t n = read(terminal, buffer, sizeof buffer);
        if (n <= 0)
            break; // EIO once the last process on the terminal has ended
        screen.append(buffer, size_t(n));
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(terminal);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << screen;
    EXPECT_NE(screen.find("Error, the private key requires a passphrase"), std::string::npos)
        << screen;
    EXPECT_EQ(screen.find("Enter private key password"), std::string::npos) << screen;
}

} // namespace
} // namespace tb
