#include "build_run_fixture.h"

#include <fstream>
#include <sys/stat.h>

namespace tb::test {
namespace {

using Events = std::vector<std::string>;

const std::string kStartLine =
    "Starting Build: App.pkg, Configuration: Phone (GCCE), Release (UREL), SDK: TestSDK";

// What signsis was given (the double's record, then removed), the temporary file's name left out.
std::vector<std::string> signingArguments(const std::string& record) {
    std::vector<std::string> out;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);)
        out.push_back(out.size() == 2 ? "<temporary>" : line);
    std::filesystem::remove(record);
    return out;
}

TEST_F(BuildRunTest, ValidationFailureStopsBeforeAnythingIsWritten) {
    ScopedEnv argv("FAKE_MAKESIS_ARGV_FILE", dir.file("argv"));
    package->output.outputName.clear();
    build();
    EXPECT_EQ(log(), kStartLine + "\r\n\r\nValidating package...\r\n"
                                  "Error, no output filename has been specified\r\n\r\n"
                                  "Validation failed: 1 error(s), 0 warning(s)\r\n\r\n");
    EXPECT_EQ(std::tuple(recorder.all, recorder.outputs), std::tuple(Events{"8001", "8003"}, 1));
    EXPECT_TRUE(!std::filesystem::exists(dir.file("argv")) && temporaryFolderEmpty());

    package->output.outputName = u"App.sis";
    recorder.clear();
    ScopedEnv bulk("FAKE_MAKESIS_OUTPUT_BYTES", "1048576"); // must not stall the build
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
    EXPECT_EQ(recorder.all, (Events{"8001", "8005(1)", "8005(2)", "8002"}));
    EXPECT_EQ(recorder.items, (std::vector<const InstallItem*>{package->items.first, second}));
    EXPECT_TRUE(std::filesystem::exists(outputFile()) && temporaryFolderEmpty());
}

// Files written on Windows end the folder with a backslash, and the package's own folder is
// stored empty: the validation, the helper and the success line must all mean the same folder.
TEST_F(BuildRunTest, OutputFolderWithOrWithoutFinalSeparatorGivesOnePath) {
    ScopedEnv argv("FAKE_MAKESIS_ARGV_FILE", dir.file("argv"));
    const WideText folder = package->output.outputFolder;
    for (const WideText& stored :
         {folder, folder + u"/", folder + u"\\", folder + u"\\\\", WideText()}) {
        const std::string built = stored.empty() ? dir.file("App.sis") : outputFile();
        package->output.outputFolder = stored;
        std::filesystem::remove(dir.file("argv"));
        build();
        EXPECT_NE(log().find("\r\nPackage was successfully built to '" + built + "'\r\n"),
                  std::string::npos);
        EXPECT_EQ(ReadBytes(dir.file("argv")), "-v\nApp.pkg\n" + built + "\n--\n");
    }
}

// What the signing failures print is linux_tools_test's; here what signsis is given.
TEST_F(BuildRunTest, SigningToolGetsFullPathsAndThePassphraseOnlyWhenThereIsOne) {
    ScopedEnv argv("FAKE_SIGNSIS_ARGV_FILE", dir.file("argv"));
    const std::string cert = dir.write("dev.cer", "c");
    const std::string key = dir.write("keys/dev.key", "ENCRYPTED:pass word");
    // A key stored relative to the package folder reaches the tool as a full path.
    package->signing = {true, u"", fromHostPath(cert), u"keys\\dev.key"};
    build(); // fails: the key wants a passphrase
    // An empty passphrase ends the arguments after the key.
    EXPECT_EQ(signingArguments(dir.file("argv")),
              (Lines{"-s", outputFile(), "<temporary>", cert, key, "--"}));

    package->signing.passphrase = u"pass word";
    recorder.clear();
    build();
    EXPECT_EQ(recorder.all, (Events{"8001", "8005(1)", "8005(2)", "8005(2)", "8002"}));
    EXPECT_EQ(log().find("pass word"), std::string::npos);
    EXPECT_EQ(signingArguments(dir.file("argv")),
              (Lines{"-s", outputFile(), "<temporary>", cert, key, "pass word", "--"}));
    const std::string sis = ReadBytes(outputFile());
    EXPECT_EQ(sis.substr(sis.size() - 6), "SIGNED");
}

TEST_F(BuildRunTest, HelperFailuresFailTheBuildOnce) {
    const std::string notAFolder = dir.write("file", "x");
    std::ofstream(outputFile()) << "old"; // must not pass for the first case's output
    const struct {
        const char* variable; // set to value for the build; none: no helper installed
        std::string value;
        Lines ending;
    } cases[] = {
        // A tool that ends with 0 but writes nothing.
        {"FAKE_MAKESIS_NO_FILE",
         "1",
         {"Error, makesis did not write '" + outputFile() + "'", "", "Build failed"}},
        {nullptr,
         {},
         {"Error, could not find 'TBBuildHelper'; your installation seems corrupt, please "
          "reinstall Tinderbridge and try again"}},
        {"FAKE_MAKESIS_KILL_PARENT", "1", {"", "Build failed"}},
        {"TMPDIR",
         notAFolder,
         {"Error, can not write the temporary package file 'App.pkg' to '" + notAFolder +
              "': Not a directory",
          "", "Build failed"}},
    };
    for (const auto& c : cases) {
        controller.setInstallFolder(c.variable ? TB_HELPER_DIR : dir.file("nowhere"));
        ScopedEnv variable(c.variable ? c.variable : "TB_UNUSED", c.value.c_str());
        recorder.clear();
        build();
        const Lines all = lines();
        ASSERT_GE(all.size(), c.ending.size());
        EXPECT_EQ(Lines(all.end() - c.ending.size(), all.end()), c.ending);
        EXPECT_EQ(recorder.all, (Events{"8001", "8005(1)", "8003"}));
        EXPECT_TRUE(temporaryFolderEmpty());
    }
}

// Cancel waits for the helper, which stops its tool, killing one that ignores the request; a
// helper that ignores it is killed after the timeout. Nothing is left behind.
TEST_F(BuildRunTest, CancelReturnsOnceTheHelperHasStopped) {
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
        controller.startBuild(packageFile, *package, configuration);
        for (int i = 0; i < 1500 && log().find("Building package...") == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the tool is running
        const auto start = std::chrono::steady_clock::now();
        controller.cancelBuild();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        queue.deliverPending(controller.listeners());
        EXPECT_TRUE(took.count() >= c.least && took.count() < c.most) << took.count();
        EXPECT_EQ(recorder.all, (Events{"8001", "8005(1)", "8004"}));
        EXPECT_FALSE(controller.building() || std::filesystem::exists(outputFile()));
        EXPECT_TRUE(temporaryFolderEmpty());
    }
}

} // namespace
} // namespace tb::test
