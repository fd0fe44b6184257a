// A build started from a terminal: the signing tool asks for a pass phrase on the controlling
// terminal when it has one, and nobody would answer it there.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tb {
namespace {

TEST(TerminalBuild, KeyNeedingAPassphraseFailsAtOnce) {
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
    test::ScopedEnv common{"TINDERBRIDGE_COMMON_FILES", dir.file("common")};
    test::ScopedEnv linux{"FAKE_TOOLS", "linux"};
    dir.write("common/Symbian/devices.xml",
              "<devices><device id=\"Test\" name=\"test\"><epocroot>" TB_TEST_SDK_DIR
              "</epocroot></device></devices>");
    dir.write("Demo/data.txt", "data");
    dir.write("Demo/dev.cer", "certificate");
    dir.write("Demo/dev.key", "ENCRYPTED:secret");
    const std::string pkg = dir.write(
        "Demo/Demo.pkg", "&EN\n#{\"Demo\"},(0x80000000),1,0,0\n%{\"V\"}\n:\"V\"\n"
                         "\"data.txt\"-\"!:\\data.txt\"\n; output_name \"Demo.sis\"\n"
                         "; sign_package\n; certificate \"dev.cer\"\n; private_key \"dev.key\"\n");

    const auto started = std::chrono::steady_clock::now();
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
    const auto giveUp = started + std::chrono::seconds(60);
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
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("build under a terminal ended after %.2f s\n", seconds);

    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << screen;
    EXPECT_NE(screen.find("Error, the private key requires a passphrase"), std::string::npos)
        << screen;
    EXPECT_EQ(screen.find("Enter private key password"), std::string::npos) << screen;
}

} // namespace
} // namespace tb
