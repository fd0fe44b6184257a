#include "cli/cli_run.h"
#include "model/package_reader.h"
#include "support/temp_dir.h"
#include "util/path.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

using test::run;

// Each test gets its own settings and SDK registry, never the user's.
class DocumentCommandsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
    test::ScopedEnv common{"TINDERBRIDGE_COMMON_FILES", dir.file("common")};

    void registerSdk() {
        dir.write("common/Symbian/devices.xml",
                  "<devices><device id=\"S\" name=\"s\"><epocroot>/opt/s/</epocroot></device>"
                  "<device id=\"T\" name=\"t\"><epocroot>/opt/t</epocroot></device></devices>");
    }
    std::string newPackage(const std::string& name) {
        auto r = run({"new", name, "--location", dir.path().string()});
        EXPECT_EQ(r.code, 0) << r.err;
        return dir.file(name + ".pkg");
    }
};

TEST_F(DocumentCommandsTest, NewCreatesThePackageLayout) {
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

// The refusals themselves are the document's (CheckNewPackage); here their message and code.
TEST_F(DocumentCommandsTest, NewRefusals) {
    std::string location = dir.path().string();
    auto bad = run({"new", "a|b", "--location", location});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err.rfind("The package name cannot:", 0), 0u);
    for (std::vector<std::string> usage : {
             std::vector<std::string>{"new", "A"},
             {"new", "A", "--location", location, "--type", "XX"},
             {"new", "A", "--location", location, "--languages", "EN,XX"},
             {"new", "A", "--location", location, "--device", "6"},
             {"new", "A", "--location", location, "--current-language", "1"},
         })
        EXPECT_EQ(run(usage).code, 2) << usage.back();
}

TEST_F(DocumentCommandsTest, ValidatePrintsFindingsAndFailsOnErrors) {
    std::string path = newPackage("Valid");
    auto ok = run({"validate", path});
    EXPECT_EQ(ok.code, 0) << ok.err;
    EXPECT_NE(ok.out.find("Validation succeeded: 0 error(s), 2 warning(s)\n"), std::string::npos)
        << ok.out;

    std::filesystem::remove(path);
    dir.write("Broken.pkg", "&EN\n#{\"x\"},(0x1),1,0,0\n; output_folder \"/no/such/folder\"\n");
    auto failed = run({"validate", dir.file("Broken.pkg")});
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.out.find("Error, can not find the output directory '/no/such/folder'"),
              std::string::npos);
    EXPECT_EQ(run({"validate", dir.file("none.pkg")}).code, 1);
}

TEST_F(DocumentCommandsTest, ExportResolvesForTheChosenSdkAndNeedsOne) {
    dir.write("P.pkg",
              "&EN\n#{\"x\"},(0x1),1,0,0\n"
              "\"$(EPOCROOT)\\epoc32\\release\\$(PLATFORM)\\$(TARGET)\\a.exe\"-\"!:\\a\"\n");
    std::string out = dir.file("out.pkg");
    auto none = run({"export", dir.file("P.pkg"), out});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err.rfind("No Symbian SDK could be found.", 0), 0u);

    registerSdk();
    auto r = run({"export", dir.file("P.pkg"), out, "--sdk", "T", "--platform", "winscw",
                  "--target", "udeb"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Package was successfully exported to '" + out + "'\n");
    std::unique_ptr<Package> p;
    ASSERT_EQ(LoadPackage(out, p), 0);
    EXPECT_EQ(itemAs<InstallFileItem>(p->items.first)->source,
              u"/opt/t/epoc32/release/winscw/udeb/a.exe");

    EXPECT_EQ(run({"export", dir.file("P.pkg"), "out.pkg"}).err,
              "Invalid output file. You must specify an absolute path to the file.\n");
    EXPECT_FALSE(std::filesystem::exists("out.pkg"));
    EXPECT_EQ(run({"export", dir.file("P.pkg"), dir.file("no/out.pkg")})
                  .err.rfind("An error occured while exporting the package. The path to", 0),
              0u);
    EXPECT_EQ(run({"export", dir.file("P.pkg"), out, "--sdk", "Q"}).code, 1);
    EXPECT_EQ(run({"export", dir.file("P.pkg"), out, "--platform", "x86"}).code, 1);
}

} // namespace
} // namespace tb
