// Whole builds through the program, TBBuildHelper and the makesis/signsis stand-ins.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
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

    BuildCommandTest() {
        dir.write("common/Symbian/devices.xml",
                  "<devices><device id=\"Test\" name=\"test\"><epocroot>" TB_TEST_SDK_DIR
                  "</epocroot></device></devices>");
        dir.write("Demo/data.txt", "data");
    }

    // A new package with one file, made through the program itself.
    std::string newPackage() {
        Outcome made = runCli({"new", "Demo", "--location", dir.path().string(),
                               "--create-directory"});
        EXPECT_EQ(made.exitCode, 0) << made.output;
        std::string path = dir.file("Demo/Demo.pkg");
        // Add a file line and a vendor before the trailer block.
        std::string text = "&EN\n#{\"Demo\"},(0x80000000),1,0,0\n%{\"V\"}\n:\"V\"\n"
                           "\"data.txt\"-\"!:\\data.txt\"\n; output_name \"Demo.sis\"\n"
                           "; output_folder \"" + dir.file("Demo") + "\"\n";
        dir.write("Demo/Demo.pkg", text);
        return path;
    }

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

TEST_F(BuildCommandTest, NewThenValidateExportAndBuild) {
    std::string pkg = newPackage();
    EXPECT_EQ(runCli({"validate", pkg}).exitCode, 0);
    EXPECT_EQ(runCli({"export", pkg, dir.file("export.pkg")}).exitCode, 0);

    Outcome built = runCli({"build", pkg, "--platform", "armv5"});
    EXPECT_EQ(built.exitCode, 0) << built.output;
    EXPECT_EQ(built.output.rfind("Starting Build: Demo.pkg, Configuration: Phone (ARMV5), "
                                 "Release (UREL), SDK: Test\n\nValidating package...\n",
                                 0),
              0u)
        << built.output;
    EXPECT_NE(built.output.find("Adding " + dir.file("Demo/data.txt") + "...\n"),
              std::string::npos);
    EXPECT_NE(built.output.find("\nPackage was successfully built to '" +
                                dir.file("Demo/Demo.sis") + "'\nWarning, the package is not "
                                                            "signed;"),
              std::string::npos)
        << built.output;
    EXPECT_TRUE(std::filesystem::exists(dir.file("Demo/Demo.sis")));
}

TEST_F(BuildCommandTest, FailingToolFailsTheBuild) {
    std::string pkg = newPackage();
    test::ScopedEnv fail("FAKE_MAKESIS_FAIL_AT", "1");
    std::filesystem::remove(dir.file("Demo/data.txt"));
    Outcome built = runCli({"build", pkg});
    EXPECT_EQ(built.exitCode, 1);
    EXPECT_NE(built.output.find("Error, can not find file '" + dir.file("Demo/data.txt") + "'"),
              std::string::npos)
        << built.output;
    EXPECT_NE(built.output.find("\n\nBuild failed\n"), std::string::npos) << built.output;
}

TEST_F(BuildCommandTest, CtrlCCancelsTheBuild) {
    std::string pkg = newPackage();
    test::ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "30000");
    auto started = std::chrono::steady_clock::now();
    Outcome built = runCli({"build", pkg}, "Building package...",
                           [](pid_t child) { kill(child, SIGINT); });
    EXPECT_EQ(built.exitCode, 130) << built.output;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Demo/Demo.sis")));
}

} // namespace
} // namespace tb
