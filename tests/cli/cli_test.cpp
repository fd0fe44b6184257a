#include "cli/cli.h"
#include "model/package_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

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
    const struct {
        const char* file;
        std::vector<const char*> parts;
    } cases[] = {
        {"worked_example.pkg",
         {"\"names\": [\n    \"Demo\",\n    \"Demo FR\"\n  ]",
          "\"outputFolder\": \"C:\\\\Work\\\\Demo\\\\\""}},
        {"conditions.pkg",
         {"\"headerOptions\": [\n    \"SH\"\n  ]", "\"fileType\": 4,\n      \"nullFile\": true",
          "\"kind\": 10,\n      \"children\": [\n        {\n          \"kind\": 11,\n"
          "          \"condition\": \"package(0x1028315f)\"",
          "\"else\": true"}},
    };
    for (const auto& c : cases) {
        Result r = run({"dump", kData + c.file});
        ASSERT_EQ(r.code, 0) << r.err;
        for (const char* part : c.parts)
            EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    }
    Result r = run({"rewrite", kData + "worked_example.pkg", dir.file("out.pkg")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadBytes(dir.file("out.pkg")), ReadBytes(kData + "worked_example.pkg"));
}

TEST_F(CliTest, FailuresPrintTheProgramsMessages) {
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

    // The refusals themselves are the document's (CheckNewPackage); here their message.
    Result name = run({"new", "a|b", "--location", dir.path().string()});
    EXPECT_EQ(name.code, 1);
    EXPECT_EQ(name.err.rfind("The package name cannot:", 0), 0u);
}

TEST_F(CliTest, UsageErrorsAndHelp) {
    const std::string at = dir.path().string();
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{},
          {"frobnicate"},
          {"rewrite", "only-one.pkg"},
          {"dump", "a.pkg", "b.pkg"},
          {"sdks", "--verbose"},
          {"new", "A"},
          {"new", "A", "--location", at, "--type", "XX"},
          {"new", "A", "--location", at, "--languages", "EN,XX"},
          {"new", "A", "--location", at, "--device", "6"},
          {"new", "A", "--location", at, "--current-language", "1"}})
        EXPECT_EQ(run(usage).code, 2) << usage.size() << " " << usage.back();
    Result dump = run({"dump", "--help"});
    EXPECT_EQ(dump.code, 0);
    EXPECT_NE(dump.out.find("tinderbridge-cli dump"), std::string::npos);
    Result general = run({"--help"});
    EXPECT_EQ(general.code, 0);
    EXPECT_NE(general.out.find("rewrite"), std::string::npos);
}

TEST_F(CliTest, SdksListsIdNameAndRoot) {
    registerSdks(R"(<device id="S60_3rd" name="com.nokia.s60"><epocroot>/opt/s60/</epocroot>)"
                 R"(</device><device id="UIQ" name="com.uiq"><epocroot>/opt/uiq</epocroot>)"
                 R"(</device>)");
    Result r = run({"sdks"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "S60_3rd\tcom.nokia.s60\t/opt/s60\nUIQ\tcom.uiq\t/opt/uiq\n");
}

TEST_F(CliTest, NewCreatesThePackageLayout) {
    auto r =
        run({"new", "Demo", "--location", dir.path().string(), "--create-directory", "--languages",
             "EN,fr", "--current-language", "1", "--type", "PA", "--device", "8"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("Demo/Demo.pkg") + "\n");
    std::unique_ptr<Package> p;
    ASSERT_EQ(LoadPackage(dir.file("Demo/Demo.pkg"), p), 0);
    EXPECT_EQ(p->languages, (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(p->type, PackageType::PreinstalledApplication);
    ASSERT_EQ(p->deviceDependencies.size(), 1u);
    EXPECT_EQ(p->deviceDependencies[0]->uid, 0x101f6300u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("config/Orchardly")))
        << "the command line leaves the window's settings alone";
}

TEST_F(CliTest, ValidatePrintsFindingsAndFailsOnErrors) {
    ASSERT_EQ(run({"new", "Valid", "--location", dir.path().string()}).code, 0);
    auto ok = run({"validate", dir.file("Valid.pkg")});
    EXPECT_EQ(ok.code, 0) << ok.err;
    EXPECT_NE(ok.out.find("Validation succeeded: 0 error(s), 2 warning(s)\n"), std::string::npos)
        << ok.out;

    dir.write("Broken.pkg", "&EN\n#{\"x\"},(0x1),1,0,0\n; output_folder \"/no/such/folder\"\n");
    auto failed = run({"validate", dir.file("Broken.pkg")});
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.out.find("Error, can not find the output directory '/no/such/folder'"),
              std::string::npos);
    EXPECT_EQ(run({"validate", dir.file("none.pkg")}).code, 1);
}

TEST_F(CliTest, ExportResolvesForTheChosenSdkAndNeedsOne) {
    const std::string pkg = dir.write(
        "P.pkg", "&EN\n#{\"x\"},(0x1),1,0,0\n"
                 "\"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\a.exe\"-\"!:\\a\"\n");
    const std::string out = dir.file("out.pkg");
    auto none = run({"export", pkg, out});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err.rfind("No Symbian SDK could be found.", 0), 0u);

    registerSdks("<device id=\"S\" name=\"s\"><epocroot>/opt/s/</epocroot></device>"
                 "<device id=\"T\" name=\"t\"><epocroot>/opt/t</epocroot></device>");
    auto r = run({"export", pkg, out, "--sdk", "T", "--platform", "winscw", "--target", "udeb"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Package was successfully exported to '" + out + "'\n");
    std::unique_ptr<Package> p;
    ASSERT_EQ(LoadPackage(out, p), 0);
    EXPECT_EQ(itemAs<InstallFileItem>(p->items.first)->source,
              u"/opt/t/epoc32/release/winscw/udeb/a.exe");

    EXPECT_EQ(run({"export", pkg, "out.pkg"}).err,
              "Invalid output file. You must specify an absolute path to the file.\n");
    EXPECT_FALSE(std::filesystem::exists("out.pkg"));
    EXPECT_EQ(run({"export", pkg, dir.file("no/out.pkg")})
                  .err.rfind("An error occured while exporting the package. The path to", 0),
              0u);
    EXPECT_EQ(run({"export", pkg, out, "--sdk", "Q"}).code, 1);
    EXPECT_EQ(run({"export", pkg, out, "--platform", "x86"}).code, 1);
}

} // namespace
} // namespace tb
