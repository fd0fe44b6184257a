#include "buildengine/build_validator.h"

#include "support/log_lines.h"
#include "support/temp_dir.h"
#include "util/path.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

using test::Lines;

class BuildValidatorTest : public ::testing::Test {
protected:
    BuildValidatorTest() {
        p.names = {u"App", u"Appli"}, p.vendors = {u"Me", u"Moi"}, p.globalVendor = u"Me";
        p.output = {false, fromHostPath(dir.path().string()), u"App.sis"};
    }
    // The findings, between the first line and the summary block.
    Lines run(bool succeeds) {
        log.clear();
        EXPECT_EQ(validator.validate(), succeeds);
        Lines lines = test::LogLines(log);
        return lines.size() < 4 ? lines : Lines(lines.begin() + 1, lines.end() - 3);
    }
    void addDependency(DependencyList& list, uint32_t uid, LocalizedText names) {
        *AddDependency(list, CreateDependency(2)) = {uid, std::move(names)};
    }

    test::TempDir dir;
    std::unique_ptr<Package> package = CreatePackage({1, 2}); // English, French
    Package& p = *package;
    BuildOutputLog log;
    std::string packageFolder = dir.file("pkg");
    BuildValidator validator{p, log, fromHostPath(packageFolder)};
};

TEST_F(BuildValidatorTest, WarningsInOrderWithSummary) {
    EXPECT_EQ(run(true), Lines{});
    p.names = {u"", u""};
    p.vendors = {u"V", u""};
    p.globalVendor.clear();
    addDependency(p.deviceDependencies, 0xABCDEF12, {u"Phone", u""});
    addDependency(p.packageDependencies, 0x10, {u"", u"x"});
    EXPECT_EQ(run(true),
              (Lines{"Warning, no Package name set for 'English'",
                     "Warning, no Package name set for 'French'",
                     "Warning, no Vendor name set for 'French'",
                     "Warning, Global vendor name not set; this must be set in order to upgrade "
                     "a component",
                     "Warning, Device dependency(0xabcdef12) is missing a name for 'French'",
                     "Warning, Package dependency(0x10) is missing a name for 'English'"}));
    EXPECT_EQ(test::LogLines(log)[8], "Validation succeeded: 0 error(s), 6 warning(s)");
}

TEST_F(BuildValidatorTest, OptionsAreNumberedOverTheWholeTree) {
    const auto add = [&](InstallItemKind kind, InstallItem* parent) {
        return AppendChild(p.items, CreateItem(kind, 2), parent);
    };
    InstallItem* lists[] = {add(InstallItemKind::ShowOptionList, nullptr),
                            add(InstallItemKind::ShowOptionList, nullptr)};
    std::vector<OptionItem*> options;
    for (int i = 0; i < 4; ++i)
        options.push_back(itemAs<OptionItem>(add(InstallItemKind::Option, lists[i / 2])));
    for (OptionItem* option : options)
        option->names = {u"a", u"b"};
    options[1]->names = {u"", u""};
    options[3]->names = {u"x", u""};
    EXPECT_EQ(run(true), (Lines{"Warning, option(2) is missing description for 'English'",
                                "Warning, option(2) is missing description for 'French'",
                                "Warning, option(4) is missing description for 'French'"}));
    // A list nested in option 1 takes the numbers before option 2.
    add(InstallItemKind::Option, add(InstallItemKind::ShowOptionList, options[0]));
    EXPECT_EQ(run(true)[2], "Warning, option(3) is missing description for 'English'");
}

TEST_F(BuildValidatorTest, OutputSettings) {
    for (const char16_t* name : {u"my.app.sis", u"App.SIS", u"pkg.sis.bak"}) {
        p.output.outputName = name;
        const bool good = WideText(name).ends_with(u".sis");
        EXPECT_EQ(run(good),
                  good ? Lines{}
                       : Lines{"Error, the output filename must have a '.sis' extension"});
    }
    p.output.outputName.clear();
    p.output.outputFolder.clear(); // the package's folder, which is missing
    EXPECT_EQ(run(false), (Lines{"Error, can not find the output directory '" + packageFolder + "'",
                                 "Error, no output filename has been specified"}));
    EXPECT_EQ(test::LogLines(log)[4], "Validation failed: 2 error(s), 0 warning(s)");
    std::filesystem::create_directory(packageFolder);
    p.output.outputName = u"App.sis";
    EXPECT_EQ(run(true), Lines{});
    BuildOutputLog unknownLog;
    BuildValidator unknownFolder(p, unknownLog, u"");
    EXPECT_FALSE(unknownFolder.validate());
    EXPECT_EQ(test::LogLines(unknownLog)[1], "Error, no output directory specified");

    // A final separator is accepted too (BuildRunTest.OutputFolderWithOrWithoutFinalSeparator).
    const std::string folder = dir.path().string();
    for (const std::string& bad : {folder + "/missing", dir.write("file", "x")}) {
        p.output.outputFolder = fromHostPath(bad);
        EXPECT_EQ(run(false), Lines{"Error, can not find the output directory '" + bad + "'"});
    }
    p.output.outputFolder = fromHostPath(folder);
    p.signing.signPackage = true;
    EXPECT_EQ(run(false), (Lines{"Error, no certificate has been specified",
                                 "Error, no private key has been specified"}));
    p.signing.certificate = u"a.cer"; // existence is looked at only after a failed signing
    p.signing.privateKey = u"a.key";
    EXPECT_EQ(run(true), Lines{});
}

} // namespace
} // namespace tb
