#include "cli/cli.h"
#include "model/package_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace tb {
namespace {

using test::ReadBytes;

const std::string kData = TB_TEST_DATA_DIR "/pkg/";

struct Result {
    int code;
    std::string out, err;
};

// Each test gets its own settings and SDK registry, never the user's.
class CliTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
    test::ScopedEnv common{"TINDERBRIDGE_COMMON_FILES", dir.file("common")};

    // Runs one command line in process.
    static Result run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        int code = cli::Run(args, out, err);
        return {code, out.str(), err.str()};
    }
    void registerSdks(const std::string& devices) {
        dir.write("common/Symbian/devices.xml",
                  "<?xml version=\"1.0\"?><devices>" + devices + "</devices>");
    }
};

// Every form's round trip is package_forms_test's; here what the commands print and write.
TEST_F(CliTest, DumpShowsTheNestedSequenceAndRewriteWritesTheFile) {
    const Result dump = run({"dump", kData + "conditions.pkg"});
    ASSERT_EQ(dump.code, 0) << dump.err;
    for (const char* part :
         {"\"fileType\": 4,\n      \"nullFile\": true",
          "\"kind\": 10,\n      \"children\": [\n        {\n          \"kind\": 11,\n"
          "          \"condition\": \"package(0x1028315f)\"",
          R"("condition": "exists(\"z:\\system\\install\\Series60v3.2.sis\") AND)",
          "\"else\": true"})
        EXPECT_NE(dump.out.find(part), std::string::npos) << part << "\n" << dump.out;
    const Result r = run({"rewrite", kData + "worked_example.pkg", dir.file("out.pkg")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadBytes(dir.file("out.pkg")), ReadBytes(kData + "worked_example.pkg"));
}

TEST_F(CliTest, FailuresPrintTheProgramsMessages) {
    const std::string corrupt = dir.write("corrupt.pkg", "&EN\n#{\"a\"}, (1), 1, 0, 0, TYPE=XX\n");
    const std::string example = kData + "worked_example.pkg";
    const struct {
        std::vector<std::string> args;
        const char* message; // how the error output starts
    } cases[] = {
        {{"validate", dir.file("missing.pkg")},
         "The package could not be opened.\nPlease make sure"},
        {{"rewrite", corrupt, dir.file("out.pkg")},
         "The package is corrupt and could not be opened."},
        {{"rewrite", example, dir.file("no/such/x.pkg")},
         "An error occured while saving the package. The path to the file can not be found."},
        // The refusals themselves are the document's (CheckNewPackage); here their message.
        {{"new", "a|b", "--location", dir.path().string()}, "The package name cannot:"},
        {{"export", example, "out.pkg"},
         "Invalid output file. You must specify an absolute path to the file.\n"},
        {{"export", example, dir.file("out.pkg")}, "No Symbian SDK could be found."},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(std::tuple(r.code, r.err.rfind(c.message, 0), r.out), std::tuple(1, 0u, ""))
            << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.pkg")) ||
                 std::filesystem::exists("out.pkg"));
}

TEST_F(CliTest, UsageErrorsAndHelp) {
    const std::string at = dir.path().string();
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{},
          {"frobnicate"},
          {"rewrite", "only-one.pkg"},
          {"sdks", "--verbose"},
          {"new", "A"},
          {"new", "A", "--location", at, "--type", "XX"},
          {"new", "A", "--location", at, "--languages", "EN,XX"},
          {"new", "A", "--location", at, "--device", "6"},
          {"new", "A", "--location", at, "--current-language", "1"}})
        EXPECT_EQ(run(usage).code, 2) << usage.size() << " " << usage.back();
    const Result dump = run({"dump", "--help"}), general = run({"--help"});
    EXPECT_EQ(std::tuple(dump.code, general.code), std::tuple(0, 0));
    EXPECT_NE(dump.out.find("tinderbridge-cli dump"), std::string::npos);
    EXPECT_NE(general.out.find("rewrite"), std::string::npos);
}

TEST_F(CliTest, NewCreatesThePackageLayoutAndValidatePrintsTheFindings) {
    auto r =
        run({"new", "Demo", "--location", dir.path().string(), "--create-directory", "--languages",
             "EN,fr", "--current-language", "1", "--type", "PA", "--device", "8"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("Demo/Demo.pkg") + "\n");
    std::unique_ptr<Package> p;
    ASSERT_EQ(LoadPackage(dir.file("Demo/Demo.pkg"), p), 0);
    ASSERT_EQ(p->deviceDependencies.size(), 1u);
    EXPECT_EQ(
        std::tuple(p->languages, p->type, p->deviceDependencies[0]->uid),
        std::tuple(std::vector<uint32_t>{1, 2}, PackageType::PreinstalledApplication, 0x101f6300u));
    EXPECT_FALSE(std::filesystem::exists(dir.file("config/Orchardly")))
        << "the command line leaves the window's settings alone";

    const Result ok = run({"validate", dir.file("Demo/Demo.pkg")});
    EXPECT_EQ(ok.code, 0) << ok.err;
    EXPECT_NE(ok.out.find("succeeded: 0 error(s), 4 warning(s)\n"), std::string::npos) << ok.out;
    dir.write("Broken.pkg", "&EN\n#{\"x\"},(0x1),1,0,0\n; output_folder \"/no/such/folder\"\n");
    const Result failed = run({"validate", dir.file("Broken.pkg")});
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.out.find("output directory '/no/such/folder'"), std::string::npos);
}

// The sdks command lists what the export chooses from: id, name and root.
TEST_F(CliTest, ExportResolvesForTheChosenSdk) {
    const std::string pkg = dir.write(
        "P.pkg", "&EN\n#{\"x\"},(0x1),1,0,0\n"
                 "\"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\a.exe\"-\"!:\\a\"\n");
    const std::string out = dir.file("out.pkg");
    registerSdks("<device id=\"S\" name=\"s\"><epocroot>/opt/s/</epocroot></device>"
                 "<device id=\"T\" name=\"t\"><epocroot>/opt/t</epocroot></device>");
    EXPECT_EQ(run({"sdks"}).out, "S\ts\t/opt/s\nT\tt\t/opt/t\n");
    auto r = run({"export", pkg, out, "--sdk", "T", "--platform", "winscw", "--target", "udeb"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Package was successfully exported to '" + out + "'\n");
    std::unique_ptr<Package> p;
    ASSERT_EQ(LoadPackage(out, p), 0);
    EXPECT_EQ(itemAs<InstallFileItem>(p->items.first)->source,
              u"/opt/t/epoc32/release/winscw/udeb/a.exe");

    EXPECT_EQ(run({"export", pkg, dir.file("no/out.pkg")})
                  .err.rfind("An error occured while exporting the package. The path to", 0),
              0u);
    EXPECT_EQ(run({"export", pkg, out, "--sdk", "Q"}).code, 1);
    EXPECT_EQ(run({"export", pkg, out, "--platform", "x86"}).code, 1);
}

struct Outcome {
    int exitCode = -1;
    std::string screen;
};

// Whole builds through the program, TBBuildHelper and the makesis/signsis stand-ins, each on a
// terminal of its own as from a shell.
class BuildCommandTest : public CliTest {
protected:
    // A package with one file and its output in its own folder.
    BuildCommandTest() {
        registerSdks("<device id=\"Test\" name=\"test\"><epocroot>" TB_TEST_SDK_DIR
                     "</epocroot></device>");
        dir.write("Demo/data.txt", "data");
        dir.write("Demo/Demo.pkg", "&EN\n#{\"Demo\"},(0x80000000),1,0,0\n%{\"V\"}\n:\"V\"\n"
                                   "\"data.txt\"-\"!:\\data.txt\"\n; output_name \"Demo.sis\"\n"
                                   "; output_folder \"" +
                                       dir.file("Demo") + "\"\n");
    }
    const std::string pkg = dir.file("Demo/Demo.pkg");

    // Runs the program until it ends, with everything it shows on the terminal; once that
    // contains `when`, `act` gets the program's process. A program waiting for an answer on
    // the terminal would keep it open: give up after a silence no sound build makes.
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
        for (char buffer[4096];;) {
            if (act && outcome.screen.find(when) != std::string::npos)
                std::exchange(act, nullptr)(child);
            pollfd fd{terminal, POLLIN, 0};
            if (poll(&fd, 1, 60000) <= 0) {
                kill(child, SIGKILL);
                ADD_FAILURE() << "the build is still waiting; it shows:\n" << outcome.screen;
                break;
            }
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
    EXPECT_EQ(std::tuple(built.exitCode, built.screen.find("\r\r"),
                         std::filesystem::exists(dir.file("Demo/Demo.sis"))),
              std::tuple(0, std::string::npos, true))
        << built.screen;
    EXPECT_NE(built.screen.find("Configuration: Phone (ARMV5), Release (UREL), SDK: Test"),
              std::string::npos);

    std::filesystem::remove(dir.file("Demo/data.txt"));
    EXPECT_EQ(run({"build", pkg}).exitCode, 1);
}

TEST_F(BuildCommandTest, CtrlCCancelsTheBuild) {
    test::ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "30000");
    const Outcome built =
        run({"build", pkg}, "Building package...", [](pid_t child) { kill(child, SIGINT); });
    EXPECT_EQ(built.exitCode, 130) << built.screen;
    EXPECT_FALSE(std::filesystem::exists(dir.file("Demo/Demo.sis")));
}

// The signing tool would ask for a pass phrase on the terminal, and nobody would answer it:
// the build fails at once instead (with the message of linux_tools_test's SignPassMissing).
TEST_F(BuildCommandTest, KeyNeedingAPassphraseFailsAtOnceUnderATerminal) {
    test::ScopedEnv linux{"FAKE_TOOLS", "linux"};
    dir.write("Demo/dev.cer", "certificate");
    dir.write("Demo/dev.key", "ENCRYPTED:secret");
    dir.write("Demo/Demo.pkg", test::ReadBytes(pkg) + "; sign_package\n; certificate \"dev.cer\"\n"
                                                      "; private_key \"dev.key\"\n");
    const Outcome built = run({"build", pkg});
    EXPECT_EQ(std::tuple(built.exitCode, built.screen.find("Enter private key password")),
              std::tuple(1, std::string::npos))
        << built.screen;
}

} // namespace
} // namespace tb
