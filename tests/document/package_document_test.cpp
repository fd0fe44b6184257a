#include "document/package_document.h"

#include "document/app_settings.h"
#include "document/messages.h"
#include "document/recent_file_list.h"
#include "document/user_prompt.h"
#include "model/package_reader.h"
#include "model/package_writer.h"
#include "support/temp_dir.h"
#include "util/path.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

namespace fs = std::filesystem;

struct ScriptedPrompt : UserPrompt {
    PromptAnswer answer = PromptAnswer::No;
    std::vector<std::u16string> asked, errors;
    PromptAnswer askYesNoCancel(std::u16string_view q) override {
        asked.emplace_back(q);
        return answer;
    }
    void showError(std::u16string_view m) override { errors.emplace_back(m); }
};

struct EventLog : DocumentListener {
    std::string events;
    void documentCreated() override { events += "created "; }
    void documentOpened() override { events += "opened "; }
    void documentSaved() override { events += "saved "; }
    void documentClosed() override { events += "closed "; }
    void commitEdits() override { events += "commit "; }
};

class PackageDocumentTest : public ::testing::Test {
protected:
    test::TempDir dir;
    AppSettings settings{dir.file("settings.conf"), dir.file("machine.conf"), dir.file("bin")};
    RecentFileList recent;
    BuildConfiguration configuration{SdkList{}};
    PackageDocument document{settings, recent, configuration, nullptr};
    EventLog listener;

    void SetUp() override { document.addListener(&listener); }
};

const char* const kMinimal = "&EN\n#{\"a\"},(0x1),1,0,0\n";

TEST_F(PackageDocumentTest, CreateWithDirectoryLaysOutFolderOutputAndRecentEntry) {
    const NewPackageRequest request{
        u"Demo", PackageType::Application, {1, 2}, 1, dir.path().string(), true, 4};
    ASSERT_FALSE(CheckNewPackage(request));
    ASSERT_EQ(document.create(request), 0);

    const std::string expected = dir.file("Demo/Demo.pkg");
    EXPECT_EQ(std::tuple(document.filePath(), document.fileName(), document.folder()),
              std::tuple(expected, "Demo.pkg", dir.file("Demo")));
    EXPECT_EQ(document.currentLanguage(), 1u);
    EXPECT_EQ(listener.events, "created ") << "no events while the new file is written";
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(std::tie(recent[0].path, recent[0].typeName),
              std::tuple(fromHostPath(expected), u"Application"));
    EXPECT_EQ(settings.lastPackageTarget, 4u);

    std::unique_ptr<Package> onDisk;
    ASSERT_EQ(LoadPackage(expected, onDisk), 0);
    EXPECT_EQ(onDisk->uid, 0x80000000u);
    EXPECT_EQ(onDisk->names, (LocalizedText{u"", u"Demo"}));
    EXPECT_EQ(std::tie(onDisk->output.outputName, onDisk->output.outputFolder),
              std::tuple(u"Demo.sis", u""))
        << "the project folder is stored empty";
    ASSERT_EQ(onDisk->deviceDependencies.size(), 1u);
    EXPECT_EQ(onDisk->deviceDependencies[0]->names[1], u"S60 5th Edition");

    // The same request again is refused before anything is touched; so are bad names and
    // locations.
    EXPECT_EQ(CheckNewPackage(request), messages::kPackageExists);
    NewPackageRequest bad{u"CON", {}, {1}, 0, dir.path().string()};
    EXPECT_EQ(CheckNewPackage(bad), messages::kInvalidPackageName);
    bad.name = u"Demo";
    for (const std::string& location : {dir.file("nope"), dir.write("file", "x")}) {
        bad.location = location;
        EXPECT_EQ(CheckNewPackage(bad), messages::kInvalidLocation);
    }
    // The generic device (0) needs no dependency.
    document.close();
    ASSERT_EQ(document.create({u"Generic", {}, {1}, 0, dir.path().string()}), 0);
    ASSERT_EQ(LoadPackage(dir.file("Generic.pkg"), onDisk), 0);
    EXPECT_TRUE(onDisk->deviceDependencies.empty());
    EXPECT_EQ(settings.lastPackageTarget, 0u);
}

TEST_F(PackageDocumentTest, OpenFillsOutputDefaultsAndFallsBackToFirstLanguage) {
    std::string path = dir.write("My.App.pkg", "&FR,GE\n#{\"a\",\"b\"},(0x1),1,0,0\n");
    settings.defaultLanguage = 1; // English, which the package lacks
    ASSERT_EQ(document.open(path, true), 0);
    const OutputSettings& output = document.package()->output;
    EXPECT_EQ(std::tie(output.outputName, output.outputFolder), std::tuple(u"My.App.sis", u""));
    EXPECT_EQ(std::tuple(document.currentLanguage(), recent.size()), std::tuple(0u, 1u));

    settings.defaultLanguage = 3; // German: second in the package
    ASSERT_EQ(document.open(path, false), 0);
    EXPECT_EQ(document.currentLanguage(), 1u);
    EXPECT_EQ(listener.events, "opened closed opened ");

    EXPECT_EQ(document.open(dir.file("missing.pkg"), true), err::kNotFound);
    EXPECT_FALSE(document.isOpen()) << "a failed open leaves no package open";
    EXPECT_EQ(document.open(dir.write("bad.pkg", "&XX\n"), true), err::kCorruptPackage);
}

// A save clears modified and refreshes the recent entry; one that fails keeps the package and
// the file. Closing always asks, and a failed save stops it.
TEST_F(PackageDocumentTest, SaveAndTheCloseQuestion) {
    ScriptedPrompt prompt;
    EXPECT_TRUE(document.closeWithQuestion(prompt)) << "nothing open, nothing asked";
    const std::string path = dir.write("a.pkg", kMinimal);
    ASSERT_EQ(document.open(path, true), 0);
    document.changePackage(
        PackageChangeKind::Header, [](Package& p) { p.type = PackageType::PreinstalledAddOn; },
        nullptr);
    ASSERT_EQ(document.save(), 0);
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(recent[0].typeName, u"Preinstalled Add-on");
    EXPECT_EQ(listener.events, "opened commit saved ");

    const std::string before = test::ReadBytes(path);
    document.package()->names[0] = u"say \"hi\"";
    EXPECT_EQ(document.save(), kErrorQuoteInText);
    EXPECT_EQ(test::ReadBytes(path), before);
    prompt.answer = PromptAnswer::Yes;
    EXPECT_FALSE(document.closeWithQuestion(prompt)) << "a failed save stops the close";
    EXPECT_EQ(prompt.errors.size(), 1u);
    prompt.answer = PromptAnswer::Cancel;
    EXPECT_FALSE(document.closeWithQuestion(prompt));
    EXPECT_EQ(prompt.asked, std::vector<std::u16string>(2, u"Save any changes?"));
    prompt.answer = PromptAnswer::No;
    EXPECT_TRUE(document.closeWithQuestion(prompt));
    EXPECT_FALSE(document.isOpen());
    EXPECT_EQ(test::ReadBytes(path), before) << "No closes without writing";

    // A folder where the file was: the rename fails, the package stays open.
    ASSERT_EQ(document.open(path, false), 0);
    fs::remove(path);
    fs::create_directory(path);
    document.package()->names[0] = u"fine";
    EXPECT_NE(document.save(), 0);
    EXPECT_EQ(document.package()->names[0], u"fine");
}

// The menu's order after an open is main_window_gui_test's; here the stored path without
// its extension and the new time.
TEST_F(PackageDocumentTest, OpenRecentAddsTheExtensionAndStampsTheEntry) {
    std::string a = dir.write("a.pkg", kMinimal);
    recent.add(fromHostPath(a.substr(0, a.size() - 4)), u"Application", 2);
    recent.add(fromHostPath(dir.file("b.pkg")), u"Application", 3);
    ASSERT_EQ(document.openRecent(1), 0);
    EXPECT_EQ(document.filePath(), a);
    EXPECT_EQ(recent[0].path, fromHostPath(a.substr(0, a.size() - 4)));
    EXPECT_GT(recent[0].lastOpened, 3u);
}

TEST_F(PackageDocumentTest, RelativeLocationsBecomeAbsoluteFolders) {
    const std::string work = dir.file("work");
    fs::create_directory(work);
    test::ScopedWorkingDirectory cwd(work);
    const struct {
        const char* location;
        bool createDirectory;
        const char16_t* name;
        std::string folder;
    } cases[] = {
        {"./", true, u"Sub", work + "/Sub"},
        {"../work/.", false, u"Up", work},
    };
    for (const auto& c : cases) {
        document.close();
        ASSERT_EQ(document.create({c.name, {}, {1}, 0, c.location, c.createDirectory}), 0)
            << c.location;
        EXPECT_EQ(document.folder(), c.folder) << c.location;
        EXPECT_EQ(settings.lastPackageLocation, fromHostPath(work)) << c.location;
        std::unique_ptr<Package> onDisk;
        ASSERT_EQ(LoadPackage(document.filePath(), onDisk), 0) << c.location;
        EXPECT_EQ(onDisk->output.outputFolder, u"") << c.location;
    }
}

TEST_F(PackageDocumentTest, RelativeOutputFoldersAreTakenFromThePackagesFolder) {
    const std::string folder = dir.file("pkgs");
    const struct {
        const char* stored;
        std::string expected;
    } cases[] = {
        {"./out/", folder + "/out/"},
        {"..\\bin", dir.file("bin")},
        {"/elsewhere/out", "/elsewhere/out"},
        {"D:\\out", "D:\\out"}, // a Windows drive path stays as it is
        {"$(EPOCROOT)out", "$(EPOCROOT)out"},
        // The package's own folder, however written, is kept empty.
        {"..\\pkgs\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string path = dir.write(
            "pkgs/P.pkg", std::string(kMinimal) + "; output_folder \"" + c.stored + "\"\n");
        ASSERT_EQ(document.open(path, false), 0) << c.stored;
        EXPECT_EQ(document.package()->output.outputFolder, fromHostPath(c.expected)) << c.stored;
    }
}

// $(EPOCROOT) and the build macros, and a missing folder, are CliTest's export.
TEST_F(PackageDocumentTest, ExportResolvesPathsAndReportsBadTargets) {
    ASSERT_EQ(document.open(
                  dir.write("p.pkg", std::string(kMinimal) + "\"gfx\\i.mbm\"-\"!:\\i\"\n"), false),
              0);
    const SdkInfo sdk{u"n", u"S", u"/opt/sdk", false};
    const std::string out = dir.file("out.pkg");
    ASSERT_EQ(document.exportTo(sdk, BuildPlatform::Armv5, BuildTarget::Udeb, out), 0);
    std::unique_ptr<Package> exported;
    ASSERT_EQ(LoadPackage(out, exported), 0);
    EXPECT_EQ(itemAs<InstallFileItem>(exported->items.first)->source,
              fromHostPath(dir.file("gfx/i.mbm")));
    EXPECT_EQ(itemAs<InstallFileItem>(document.package()->items.first)->source, u"gfx\\i.mbm")
        << "the open package keeps its stored paths";
    EXPECT_EQ(document.exportTo(sdk, BuildPlatform::Gcce, BuildTarget::Urel, dir.file("CON")),
              err::kInvalidName);
}

} // namespace
} // namespace tb
