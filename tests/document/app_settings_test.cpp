#include "document/app_settings.h"
#include "document/settings_file.h"
#include "support/temp_dir.h"
#include "util/path.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tb {
namespace {

class AppSettingsTest : public ::testing::Test {
protected:
    AppSettings make() const { return AppSettings(user, machine, "/opt/tb"); }
    // Stores values as another program version (or a hand edit) would have left them.
    void store(std::u16string_view text) const {
        SettingsFile file;
        file.fromText(text);
        ASSERT_EQ(file.save(user), err::kOk);
    }
    SettingsFile stored() const {
        SettingsFile file;
        file.load(user);
        return file;
    }

    test::TempDir dir;
    test::ScopedEnv home{"HOME", dir.file("home")};
    std::string user = dir.file("config/Orchardly/settings.conf");
    std::string machine = dir.file("etc/settings.conf");
};

// The window's values and numbers at their defaults: DamagedAndOutOfRangeValuesFallBack.
TEST_F(AppSettingsTest, FirstStartLocationAndTheMachinesInstallDir) {
    const AppSettings s = make();
    EXPECT_EQ(s.lastPackageLocation, fromHostPath(dir.file("home")));
    EXPECT_EQ(s.installDir, u"/opt/tb");

    SettingsFile file;
    file.setString("", "InstallDir", u"/usr/lib/tinderbridge");
    ASSERT_EQ(file.save(machine), err::kOk);
    EXPECT_EQ(make().installDir, u"/usr/lib/tinderbridge");
    file.setString("", "InstallDir", u"");
    ASSERT_EQ(file.save(machine), err::kOk);
    EXPECT_EQ(make().installDir, u"/opt/tb");
}

TEST_F(AppSettingsTest, DamagedAndOutOfRangeValuesFallBack) {
    store(u"\"Window X\"=dword:4294967206\n\"Window Y\"=dword:5\n\"Window Height\"=dword:600\n"
          u"\"Window Width\"=\"800\"\n\"Divider\"=\"12\"\n\"LastPackageTarget\"=dword:10\n"
          u"\"DefaultLanguage\"=dword:99\n\"StartupAction\"=dword:0\n"
          u"\"FileViewColumns\"=\"100,0x50,abc\"\n\"DependenciesViewColumns\"=\"120,0x50\"\n"
          u"\"PropertiesViewColumns\"=\"1,4294967296\"\n\"LocalizationViewColumns\"=\"1,,2\"\n"
          u"[RecentFiles]\n\"File1\"=\"/a.pkg:Application:1\"\n\"File2\"=\"damaged\"\n"
          u"\"File3\"=dword:7\n\"File4\"=\"\"\n\"File5\"=\"C:\\\\a\\\\b.pkg:Add-on:0x10\"");
    AppSettings s = make(); // the window's four values go together
    EXPECT_EQ(std::tuple(s.windowX, s.windowY, s.windowWidth, s.windowHeight, s.dividerPosition),
              std::tuple(0, 0, 1024, 768, 390));
    EXPECT_EQ(std::tuple(s.lastPackageTarget, s.defaultLanguage, s.startupAction),
              std::tuple(0u, 1u, 0u));
    EXPECT_TRUE(s.fileViewColumns.empty());
    EXPECT_EQ(s.dependenciesViewColumns, (std::vector<uint32_t>{120, 80}));
    EXPECT_TRUE(s.propertiesViewColumns.empty() && s.localizationViewColumns.empty());
    ASSERT_EQ(s.recentFiles.size(), 2u);
    EXPECT_EQ(s.recentFiles[1], (RecentFileEntry{u"C:\\a\\b.pkg", u"Add-on", 16}));

    ASSERT_TRUE(s.save());
    const SettingsFile file = stored();
    EXPECT_EQ(file.string("RecentFiles", "File1"), u"/a.pkg:Application:1");
    EXPECT_EQ(file.string("RecentFiles", "File2"), u"C:\\a\\b.pkg:Add-on:16"); // renumbered
    for (const char* slot : {"File3", "File4", "File5"})
        EXPECT_EQ(file.string("RecentFiles", slot), u"");
    // Empty lists leave what was stored.
    EXPECT_EQ(file.string("", "FileViewColumns"), u"100,0x50,abc");
}

TEST_F(AppSettingsTest, EveryFieldRoundTripsAndOtherValuesStay) {
    store(u"\"FromAnotherVersion\"=dword:3");
    AppSettings s = make();
    s.windowX = -1200, s.windowY = 30, s.windowWidth = 900, s.windowHeight = 700;
    s.windowMaximized = s.logoSettingsVisible = true;
    s.outputPaneVisible = s.toolBarVisible = s.statusBarVisible = false;
    s.showBuildCompleteDialog = s.showLanguageChangesConfirmation = false;
    s.dividerPosition = 222, s.lastPackageLocation = u"/work/new folder";
    s.lastPackageTarget = 9, s.defaultLanguage = 98, s.startupAction = 0;
    s.fileViewColumns = {1, 2}, s.dependenciesViewColumns = {3};
    s.propertiesViewColumns = {4294967295u}, s.localizationViewColumns = {0, 5};
    s.recentFiles = {
        {u"/x:y/a.pkg", u"Application", 5}, {u"", u"Lost", 1}, {u"C:\\b.pkg", u"Add-on", 6}};
    ASSERT_TRUE(s.save());

    // Every field read back and saved again gives the same file.
    const std::string saved = test::ReadBytes(user);
    const AppSettings r = make();
    EXPECT_EQ(r.windowX, -1200);
    EXPECT_EQ(r.recentFiles, (std::vector<RecentFileEntry>{s.recentFiles[0], s.recentFiles[2]}));
    ASSERT_TRUE(r.save());
    EXPECT_EQ(test::ReadBytes(user), saved);
    EXPECT_EQ(stored().dword("", "FromAnotherVersion"), 3u);
}

TEST_F(AppSettingsTest, FailuresNeverDamageStoredSettings) {
    store(u"\"Divider\"=dword:5");
    const std::string before = test::ReadBytes(user);
    {
        AppSettings crashed = make(); // changed, never saved: as after a crash
        crashed.dividerPosition = 77;
    }
    EXPECT_EQ(test::ReadBytes(user), before);

    const std::string blocker = dir.write("blocker", "not a folder");
    AppSettings unreachable(blocker + "/settings.conf", machine, "/opt/tb");
    EXPECT_EQ(unreachable.windowWidth, 1024); // read as a first start
    EXPECT_FALSE(unreachable.save());
    EXPECT_EQ(test::ReadBytes(blocker), "not a folder");

    // A settings path that cannot be read keeps the start values and is not replaced.
    std::filesystem::create_directories(dir.file("folder.conf"));
    AppSettings unreadable(dir.file("folder.conf"), machine, "/opt/tb");
    EXPECT_EQ(std::tuple(unreadable.windowWidth, unreadable.dividerPosition), std::tuple(800, 155));
    EXPECT_FALSE(unreadable.save());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.conf")));
}

TEST_F(AppSettingsTest, DefaultPathsFollowTheEnvironment) {
    {
        test::ScopedEnv config("XDG_CONFIG_HOME", "/cfg/");
        EXPECT_EQ(DefaultSettingsPaths().userFile, "/cfg/Orchardly/Tinderbridge/1.0/settings.conf");
    }
    test::ScopedEnv relative("XDG_CONFIG_HOME", "relative");
    const SettingsPaths paths = DefaultSettingsPaths();
    EXPECT_EQ(paths.userFile,
              dir.file("home") + "/.config/Orchardly/Tinderbridge/1.0/settings.conf");
    EXPECT_EQ(paths.machineFile, "/etc/xdg/Orchardly/Tinderbridge/1.0/settings.conf");
    EXPECT_EQ(paths.exeDir, std::filesystem::canonical("/proc/self/exe").parent_path().string());
}

} // namespace
} // namespace tb
