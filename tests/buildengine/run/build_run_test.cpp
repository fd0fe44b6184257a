#include "build_run_fixture.h"

#include <algorithm>
#include <fstream>

namespace tb::test {
namespace {

using Events = std::vector<std::string>;

const std::string kStartLine =
    "Starting Build: App.pkg, Configuration: Phone (GCCE), Release (UREL), SDK: TestSDK";
const std::string kNotSigned = "Warning, the package is not signed; it must be signed by a "
                               "developer certificate or by Symbian Signed before it can be "
                               "installed to a phone";

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> out;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST_F(BuildRunTest, ValidationFailureStopsBeforeAnythingIsWritten) {
    ScopedEnv argv("FAKE_MAKESIS_ARGV_FILE", dir.file("argv"));
    package->output.outputName.clear();
    build();
    EXPECT_EQ(log(), kStartLine + "\r\n\r\nValidating package...\r\n"
                                  "Error, no output filename has been specified\r\n\r\n"
                                  "Validation failed: 1 error(s), 0 warning(s)\r\n\r\n");
    EXPECT_EQ(recorder.all, (Events{"8001", "8006", "8003"}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("argv")));
    EXPECT_TRUE(temporaryFolderEmpty());

    package->output.outputName = u"App.sis";
    recorder.clear();
    build();
    EXPECT_EQ(log().rfind(kStartLine, 0), 0u);
    EXPECT_EQ(log().find("Starting Build", 1), std::string::npos);
    EXPECT_EQ(LastOf(recorder.all), "8002");
}

// The log's texts and the built UIDs are linux_tools_test's; here the events and the files.
TEST_F(BuildRunTest, UnsignedBuildSucceeds) {
    ScopedEnv open("FAKE_MAKESIS_NO_FINAL_NEWLINE", "1"); // the last line is still handled
    const InstallItem* second = addFile(u".\\data\\b.txt");
    build();
    EXPECT_EQ(recorder.withoutOutput(), (Events{"8001", "8005(1)", "8005(2)", "8002"}));
    EXPECT_EQ(LastOf(lines()), kNotSigned);
    ASSERT_EQ(recorder.items.size(), 2u);
    EXPECT_EQ(recorder.items[1], second);
    EXPECT_TRUE(std::filesystem::exists(outputFile()) && temporaryFolderEmpty());
}

// Files written on Windows end the folder with a backslash, and the package's own folder is
// stored empty: the validation, the helper and the success line must all mean the same folder.
TEST_F(BuildRunTest, OutputFolderWithOrWithoutFinalSeparatorGivesOnePath) {
    ScopedEnv argv("FAKE_MAKESIS_ARGV_FILE", dir.file("argv"));
    const WideText folder = package->output.outputFolder;
    const std::pair<WideText, std::string> cases[] = {
        {folder, outputFile()},         {folder + u"/", outputFile()},
        {folder + u"\\", outputFile()}, {folder + u"\\\\", outputFile()},
        {u"", dir.file("App.sis")},
    };
    for (const auto& [stored, built] : cases) {
        package->output.outputFolder = stored;
        std::filesystem::remove(dir.file("argv"));
        std::filesystem::remove(built);
        recorder.clear();
        build();
        ASSERT_GE(lines().size(), 2u);
        EXPECT_EQ(lines()[lines().size() - 2], "Package was successfully built to '" + built + "'");
        const std::vector<std::string> args = readLines(dir.file("argv"));
        ASSERT_EQ(args.size(), 4u);
        EXPECT_EQ(args[2], built);
        EXPECT_TRUE(std::filesystem::exists(built));
    }
}

// A tool that ends with 0 but writes nothing; an old output must not pass for the new.
TEST_F(BuildRunTest, ToolWritingNothingFailsTheBuild) {
    std::ofstream(outputFile()) << "old";
    ScopedEnv silent("FAKE_MAKESIS_NO_FILE", "1");
    build();
    EXPECT_EQ(LastOf(recorder.all), "8003");
    EXPECT_FALSE(std::filesystem::exists(outputFile()));
}

// What the signing failures print is linux_tools_test's; here what signsis is given.
TEST_F(BuildRunTest, SigningToolGetsFullPathsAndThePassphraseOnlyWhenThereIsOne) {
    ScopedEnv argv("FAKE_SIGNSIS_ARGV_FILE", dir.file("argv"));
    const std::string cert = dir.write("dev.cer", "c");
    const std::string key = dir.write("keys/dev.key", "ENCRYPTED:pass word");
    // A key stored relative to the package folder reaches the tool as a full path.
    package->signing = {true, u"", fromHostPath(cert), u"keys\\dev.key"};
    build();
    EXPECT_EQ(LastOf(recorder.all), "8003");
    std::vector<std::string> args = readLines(dir.file("argv"));
    ASSERT_EQ(args.size(), 6u); // an empty passphrase ends the arguments after the key
    EXPECT_EQ(std::tie(args[0], args[1], args[3], args[4], args[5]),
              std::tuple("-s", outputFile(), cert, key, "--"));

    package->signing.passphrase = u"pass word";
    std::filesystem::remove(dir.file("argv"));
    recorder.clear();
    build();
    EXPECT_EQ(recorder.withoutOutput(), (Events{"8001", "8005(1)", "8005(2)", "8005(2)", "8002"}));
    EXPECT_EQ(log().find("pass word"), std::string::npos);
    args = readLines(dir.file("argv"));
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(args[5], "pass word");
    const std::string sis = ReadBytes(outputFile());
    EXPECT_EQ(sis.substr(sis.size() - 6), "SIGNED");
}

TEST_F(BuildRunTest, HelperFailuresFailTheBuildOnce) {
    const std::string notAFolder = dir.write("file", "x");
    const struct {
        const char* variable; // set to value for the build
        std::string value;
        std::string ending; // the last lines, each followed by '|'
    } cases[] = {
        {nullptr,
         {},
         "Error, could not find 'TBBuildHelper'; your installation seems corrupt, please "
         "reinstall Tinderbridge and try again|"},
        {"FAKE_MAKESIS_KILL_PARENT", "1", "|Build failed|"},
        {"TMPDIR", notAFolder,
         "Error, can not write the temporary package file 'App.pkg' to '" + notAFolder +
             "': Not a directory||Build failed|"},
    };
    for (const auto& c : cases) {
        controller.setInstallFolder(c.variable ? TB_HELPER_DIR : dir.file("nowhere"));
        ScopedEnv variable(c.variable ? c.variable : "TB_UNUSED", c.value.c_str());
        recorder.clear();
        build();
        EXPECT_EQ(lastLines(size_t(std::count(c.ending.begin(), c.ending.end(), '|'))), c.ending);
        EXPECT_EQ(LastOf(recorder.all), "8003");
        EXPECT_EQ(recorder.terminals, 1);
        EXPECT_TRUE(temporaryFolderEmpty());
    }
}

} // namespace
} // namespace tb::test
