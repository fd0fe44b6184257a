#include "buildengine/helper_process.h"
#include "buildengine/output_decoder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tb::test {
namespace {

// The helper's exit code (-1 when it did not exit by itself) and its output.
std::pair<int, std::string> runHelper(const std::vector<std::string>& arguments) {
    HelperProcess helper;
    EXPECT_EQ(helper.start(std::string(TB_HELPER_DIR) + "/TBBuildHelper", arguments), 0);
    std::string output;
    while (helper.readAvailable(output) == HelperProcess::ReadResult::Open)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    helper.waitForExit();
    const ProcessExit exit = helper.exitStatus();
    return {exit.kind == ProcessExit::Kind::Exited ? exit.value : -1, output};
}

TEST(BuildHelper, MissingToolsAndWrongArguments) {
    TempDir dir;
    const std::string pkg = dir.write("a.pkg", "&EN\n#{\"A\"}, (0x1), 1, 0, 0\n");
    const auto usage = runHelper({TB_TEST_SDK_DIR, pkg, dir.file("a.sis"), "-x", "c", "k"});
    EXPECT_EQ(std::pair(usage.first, usage.second.substr(0, 20)),
              std::pair(2, std::string("Usage: TBBuildHelper")));
    ScopedEnv path("PATH", dir.path().string()); // no makesis anywhere
    EXPECT_EQ(runHelper({dir.file("sdk"), pkg, dir.file("a.sis")}),
              std::pair(4, "Error, can not find makesis in '" + dir.file("sdk") +
                               "/epoc32/tools' or on the PATH\r\n"));
}

// The Linux makesis takes any argument before the package file that starts with '-' or '/'
// for a switch: it must run in the package's folder and get the file by a name it accepts.
TEST(BuildHelper, MakesisGetsThePackageByNameInItsFolder) {
    TempDir dir;
    ScopedEnv linux("FAKE_TOOLS", "linux");
    ScopedEnv folders("FAKE_MAKESIS_CWD_FILE", dir.file("cwd"));
    ScopedEnv arguments("FAKE_MAKESIS_ARGV_FILE", dir.file("argv"));
    const struct {
        const char* file;
        const char* given; // what makesis gets
    } cases[] = {{"a.pkg", "a.pkg"}, {"-a.pkg", "./-a.pkg"}, {"a b.pkg", "a b.pkg"}};
    for (const auto& c : cases) {
        const std::string pkg =
            dir.write(std::string("tmp/") + c.file, "&EN\n#{\"A\"}, (0x1), 1, 0, 0\n");
        std::filesystem::remove(dir.file("argv"));
        std::filesystem::remove(dir.file("cwd"));
        const auto [code, output] = runHelper({TB_TEST_SDK_DIR, pkg, dir.file("out.sis")});
        EXPECT_EQ(code, 0) << output;
        EXPECT_NE(output.find(std::string(c.given) + "(2) : processing header\r\n"),
                  std::string::npos)
            << output;
        EXPECT_EQ(ReadBytes(dir.file("cwd")), dir.file("tmp") + "\n");
        EXPECT_EQ(ReadBytes(dir.file("argv")),
                  "-v\n" + std::string(c.given) + "\n" + dir.file("out.sis") + "\n--\n");
    }
}

TEST(OutputDecoder, KeepsACharacterCutBetweenPieces) {
    OutputDecoder decoder("UTF-8");
    const std::string text = "caf\xC3\xA9 \xF0\x9F\x98\x80!"; // é and a four-byte emoji
    WideText out;
    for (char c : text)
        out += decoder.decode(std::string_view(&c, 1));
    out += decoder.finish();
    EXPECT_EQ(out, u"caf\u00E9 \U0001F600!");

    EXPECT_EQ(decoder.decode("a\xC3"), u"a");
    EXPECT_EQ(decoder.finish(), u"\uFFFD");
}

} // namespace
} // namespace tb::test
