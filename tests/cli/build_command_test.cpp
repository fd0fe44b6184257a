// Whole builds through the program, TBBuildHelper and the makesis/signsis stand-ins, each on a
// terminal of its own as from a shell.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace tb {
namespace {

struct Outcome {
    int exitCode = -1;
    std::string screen;
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

    // Runs the program until it ends, with everything it shows on the terminal; once that
    // contains `when`, `act` gets the program's process. A program waiting for an answer on
    // the terminal would keep it open: give up long after any sound build would have ended.
    Outcome run(std::vector<std::string> args, const std::string& when = {},
                std::function<void(pid_t)> act = {}) {
        int terminal = -1;
        const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
        if (child < 0)
            return {-1, std::strerror(errno)};
        if (child == 0) {
            std::vector<char*> argv{const_cast<char*>(TB_CLI_PATH)};
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(TB_CLI_PATH, argv.data());
            _exit(127);
        }
        Outcome outcome;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        for (char buffer[4096];;) {
            if (std::chrono::steady_clock::now() > giveUp) {
                kill(child, SIGKILL);
                ADD_FAILURE() << "the build is still waiting; it shows:\n" << outcome.screen;
                break;
            }
            if (act && outcome.screen.find(when) != std::string::npos)
                std::exchange(act, nullptr)(child);
            pollfd fd{terminal, POLLIN, 0};
            if (poll(&fd, 1, 200) <= 0)
                continue;
            const ssize_t n = read(terminal, buffer, sizeof buffer);
            if (n <= 0)
                break; // EIO once the last process on the terminal has ended
            outcome.screen.append(buffer, size_t(n));
        }
        int status = 0;
        waitpid(child, &status, 0);
        close(terminal);
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return outcome;
    }
};

// The log's texts are checked in the whole builds; here the exit codes, the arguments, the line
// ends (the terminal turns each \n into \r\n) and the file written.
TEST_F(BuildCommandTest, BuildWritesThePackageAndFailsWithOne) {
    const Outcome built = run({"build", pkg, "--platform", "armv5"});
    EXPECT_EQ(built.exitCode, 0) << built.screen;
    EXPECT_NE(built.screen.find("Configuration: Phone (ARMV5), Release (UREL), SDK: Test"),
              std::string::npos)
        << built.screen;
    EXPECT_EQ(built.screen.find("\r\r"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.file("Demo/Demo.sis")));

    std::filesystem::remove(dir.file("Demo/data.txt"));
    const Outcome failed = run({"build", pkg});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.screen.find("Build failed"), std::string::npos) << failed.screen;
}

TEST_F(BuildCommandTest, CtrlCCancelsTheBuild) {
    test::ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "30000");
    const Outcome built =
        run({"build", pkg}, "Building package...", [](pid_t child) { kill(child, SIGINT); });
    EXPECT_EQ(built.exitCode, 130) << built.screen;
    EXPECT_FALSE(std::filesystem::exists(dir.file("Demo/Demo.sis")));
}

// The signing tool would ask for a pass phrase on the terminal, and nobody would answer it:
// the build fails at once instead.
TEST_F(BuildCommandTest, KeyNeedingAPassphraseFailsAtOnceUnderATerminal) {
    test::ScopedEnv linux{"FAKE_TOOLS", "linux"};
    dir.write("Demo/dev.cer", "certificate");
    dir.write("Demo/dev.key", "ENCRYPTED:secret");
    dir.write("Demo/Demo.pkg", test::ReadBytes(pkg) + "; sign_package\n; certificate \"dev.cer\"\n"
                                                      "; private_key \"dev.key\"\n");
    const Outcome built = run({"build", pkg});
    EXPECT_EQ(built.exitCode, 1) << built.screen;
    EXPECT_NE(built.screen.find("Error, the private key requires a passphrase"), std::string::npos)
        << built.screen;
    EXPECT_EQ(built.screen.find("Enter private key password"), std::string::npos) << built.screen;
}

} // namespace
} // namespace tb
