#include "cli/cli_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

using test::ReadBytes;
using test::Result;
using test::run;

const std::string kData = TB_TEST_DATA_DIR "/pkg/";

TEST(CliTest, DumpShowsLanguagesAndTheNestedSequence) {
    Result r = run({"dump", kData + "worked_example.pkg"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"names\": [\n    \"Demo\",\n    \"Demo FR\"\n  ]"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"outputFolder\": \"C:\\\\Work\\\\Demo\\\\\""), std::string::npos);
    // The help file sits inside the first option, inside the option list.
    size_t list = r.out.find("\"kind\": 7");
    size_t help = r.out.find("help.txt");
    ASSERT_NE(list, std::string::npos);
    EXPECT_LT(list, help);
    EXPECT_NE(r.out.find("\"children\"", list), std::string::npos);
}

// Condition blocks, null files and header options as dumped; the program's own file rewritten
// byte for byte.
TEST(CliTest, DumpAndRewriteOfTheFormsProjectsUse) {
    Result r = run({"dump", kData + "conditions.pkg"});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* part :
         {"\"headerOptions\": [\n    \"SH\"\n  ]", "\"fileType\": 4,\n      \"nullFile\": true",
          "\"kind\": 10", "\"kind\": 11,\n          \"condition\": \"package(0x1028315f)\"",
          "\"condition\": \"(MachineUid = 0x20002d7f) OR (MachineUid = 0x2000da56)\"",
          "\"else\": true"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;

    // Every form's round trip is package_forms_test's; here the command writes the file.
    test::TempDir dir;
    r = run({"rewrite", kData + "worked_example.pkg", dir.file("out.pkg")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadBytes(dir.file("out.pkg")), ReadBytes(kData + "worked_example.pkg"));
}

TEST(CliTest, FailuresPrintTheProgramsMessages) {
    test::TempDir dir;
    Result missing = run({"dump", dir.file("missing.pkg")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err.rfind("The package could not be opened.\nPlease make sure", 0), 0u)
        << missing.err;
    EXPECT_TRUE(missing.out.empty());

    std::string corrupt = dir.write("corrupt.pkg", "&EN\n#{\"a\"}, (1), 1, 0, 0, TYPE=XX\n");
    Result bad = run({"rewrite", corrupt, dir.file("out.pkg")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err.rfind("The package is corrupt and could not be opened.", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.pkg")));

    Result unwritable = run({"rewrite", kData + "worked_example.pkg", dir.file("no/such/x.pkg")});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_NE(unwritable.err.find("The path to the file can not be found."), std::string::npos);
}

TEST(CliTest, UsageErrorsAndHelp) {
    for (const std::vector<std::string>& usage : {std::vector<std::string>{},
                                                  {"frobnicate"},
                                                  {"rewrite", "only-one.pkg"},
                                                  {"dump", "a.pkg", "b.pkg"},
                                                  {"sdks", "--verbose"}})
        EXPECT_EQ(run(usage).code, 2) << usage.size();
    for (const char* command : {"rewrite", "dump", "sdks"}) {
        Result help = run({command, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_NE(help.out.find(std::string("tinderbridge-cli ") + command), std::string::npos);
    }
    Result general = run({"--help"});
    EXPECT_EQ(general.code, 0);
    EXPECT_NE(general.out.find("rewrite"), std::string::npos);
}

TEST(CliTest, SdksListsIdNameAndRoot) {
    test::TempDir dir;
    dir.write("Symbian/devices.xml",
              R"(<?xml version="1.0"?><devices><device id="S60_3rd" name="com.nokia.s60">)"
              R"(<epocroot>/opt/s60/</epocroot></device><device id="UIQ" name="com.uiq">)"
              R"(<epocroot>/opt/uiq</epocroot></device></devices>)");
    test::ScopedEnv common("TINDERBRIDGE_COMMON_FILES", dir.path().string());
    Result r = run({"sdks"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "S60_3rd\tcom.nokia.s60\t/opt/s60\nUIQ\tcom.uiq\t/opt/uiq\n");
}

} // namespace
} // namespace tb
