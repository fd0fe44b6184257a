#include "document/app_settings.h"
#include "document/recent_file_list.h"
#include "document/settings_file.h"
#include "support/temp_dir.h"
#include "util/path.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tb {
namespace {

TEST(SettingsFile, AnyStringAndNameRoundTripsThroughTheFile) {
    const WideText tricky[] = {u"",
                               u"  leading and trailing  ",
                               u"a=b\\c\"d",
                               u"line\nnext\r\nlast\t",
                               u"[not a header]",
                               u"# not a comment",
                               u"non-BMP \U0001F600 \u00E9",
                               WideText(u"lone \xD800 high, lone \xDC00 low, nul \0 end", 35),
                               u"\u0085\u2028\x7F"};
    SettingsFile file;
    for (size_t i = 0; i < std::size(tricky); ++i)
        file.setString("Odd]\\Key\n", " name=" + std::to_string(i) + "\"", tricky[i]);
    file.setDword("", "Max", 0xFFFFFFFF);
    test::TempDir dir;
    const std::string path = dir.file("deep/er/settings.conf");
    ASSERT_EQ(file.save(path), err::kOk); // folders created

    SettingsFile loaded;
    ASSERT_EQ(loaded.load(path), err::kOk);
    for (size_t i = 0; i < std::size(tricky); ++i)
        EXPECT_EQ(loaded.string("Odd]\\Key\n", " name=" + std::to_string(i) + "\""), tricky[i]);
    EXPECT_EQ(loaded.dword("", "Max"), 0xFFFFFFFFu);
    EXPECT_EQ(loaded.toText(), file.toText());
}

TEST(SettingsFile, DamagedLinesAreSkipped) {
    SettingsFile file;
    file.fromText(u"garbage\n"
                  u"  \"Spaced\"  =  dword:0x10  \r\n"
                  u"\"NoQuoteEnd=dword:1\n"
                  u"\"BadEscape\"=\"a\\qb\"\n"
                  u"\"ShortEscape\"=\"\\u12\"\n"
                  u"\"BadNumber\"=dword:12a\n"
                  u"\"Overflow\"=dword:4294967296\n"
                  u"\"Trailing\"=\"x\" y\n"
                  u"\"Good\"=\"ok\"\n"
                  u"[Broken\n"
                  u"\"UnderBroken\"=dword:1\n"
                  u"[]\n"
                  u"\"Root\"=DWORD:2");
    EXPECT_EQ(file.dword("", "Spaced"), 16u);
    EXPECT_EQ(file.string("", "Good"), u"ok");
    EXPECT_EQ(file.dword("", "ROOT"), 2u); // registry names ignore case
    EXPECT_FALSE(file.string("", "Root")) << "the other type finds nothing";
    file.setString("", "root", u"x"); // replaces, type and all
    EXPECT_FALSE(file.dword("", "Root"));
    for (const char* name : {"NoQuoteEnd", "BadEscape", "ShortEscape", "BadNumber", "Overflow",
                             "Trailing", "UnderBroken"}) {
        EXPECT_FALSE(file.dword("", name) || file.string("", name)) << name;
        EXPECT_FALSE(file.dword("Broken", name)) << name;
    }
    // Every cut of a valid text parses without harm.
    SettingsFile full;
    full.setString("K", "N", u"a\\\"\n\U0001F600");
    const WideText text = full.toText();
    for (size_t n = 0; n <= text.size(); ++n)
        SettingsFile().fromText(std::u16string_view(text).substr(0, n));
}

TEST(SettingsFile, MissingFileIsEmptyAndFailuresKeepThePreviousFile) {
    test::TempDir dir;
    const std::string path = dir.file("settings.conf");
    SettingsFile file;
    file.setDword("", "X", 1);
    EXPECT_EQ(file.load(path), err::kOk);
    EXPECT_TRUE(file.empty());
    EXPECT_NE(file.load(dir.path().string()), err::kOk); // a folder

    file.setString("", "Value", u"old");
    ASSERT_EQ(file.save(path), err::kOk);
    const std::string before = test::ReadBytes(path);
    file.setString("", "Value", WideText(100000, u'x'));
    EXPECT_NE(test::WithFileSizeLimit(4096, [&] { return file.save(path); }), err::kOk);
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings.conf"});
}

// Paths with colons, written and read back: EveryFieldRoundTripsAndOtherValuesStay.
TEST(RecentFileEntryForm, ReadsFromTheRight) {
    EXPECT_EQ(ParseRecentFileEntry(u"C:\\a\\b.pkg:Application:129000000000000000"),
              (RecentFileEntry{u"C:\\a\\b.pkg", u"Application", 129000000000000000u}));
    EXPECT_EQ(ParseRecentFileEntry(u"/p.pkg::0x1F"), (RecentFileEntry{u"/p.pkg", u"", 31}));
    for (auto bad : {u"", u"/p.pkg", u"/p.pkg:Application", u":Application:1", u"/p:App:",
                     u"/p:App:12x", u"/p:App:-1", u"/p:App:0x", u"/p:App:99999999999999999999"})
        EXPECT_FALSE(ParseRecentFileEntry(bad)) << std::string(bad, bad + 3);
    EXPECT_FALSE(IsStorableRecentFileEntry({u"/p", u"A:B", 1}) ||
                 IsStorableRecentFileEntry({u"", u"A", 1}));
}

// The paths in list order.
std::u16string Paths(const RecentFileList& list) {
    std::u16string out;
    for (size_t i = 0; i < list.size(); ++i)
        out += (i ? u" " : u"") + list[i].path;
    return out;
}

TEST(RecentFileList, KeepsFiveMostRecentFirstWithoutDuplicates) {
    RecentFileList list;
    for (int i = 1; i <= 6; ++i)
        list.add(u"/p" + WideText(1, char16_t(u'0' + i)), u"Application", i);
    list.add(u"/p4", u"Add-on", 100);
    list.add(u"/P4", u"Application", 101);          // case differs: another file
    EXPECT_EQ(Paths(list), u"/P4 /p4 /p6 /p5 /p3"); // /p1 and /p2 dropped
    EXPECT_EQ(list[1], (RecentFileEntry{u"/p4", u"Add-on", 100}));

    ASSERT_TRUE(list.markOpened(3, 200));
    EXPECT_EQ(list[0], (RecentFileEntry{u"/p5", u"Application", 200}));
    ASSERT_TRUE(list.remove(1));
    EXPECT_EQ(Paths(list), u"/p5 /p4 /p6 /p3");
    EXPECT_FALSE(list.remove(4) || list.markOpened(4));

    const uint64_t before = list[0].lastOpened;
    list.add(u"/p3", u"Application");
    EXPECT_GT(list[0].lastOpened, before); // stamped with the clock

    // Stored entries are taken as they are, without the repeated path, up to five.
    std::vector<RecentFileEntry> stored;
    for (char16_t c : std::u16string_view(u"abacdefg"))
        stored.push_back({u"/" + WideText(1, c), u"T", stored.size()});
    EXPECT_EQ(Paths(RecentFileList(stored)), u"/a /b /c /d /e");
    EXPECT_EQ(RecentFileList(stored)[4], stored[5]);
}

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
TEST_F(AppSettingsTest, FirstStartFollowsTheEnvironmentAndTheMachinesInstallDir) {
    EXPECT_EQ(std::tuple(make().lastPackageLocation, make().installDir),
              std::tuple(fromHostPath(dir.file("home")), u"/opt/tb"));
    for (const char16_t* stored : {u"/usr/lib/tinderbridge", u""}) {
        SettingsFile file;
        file.setString("", "InstallDir", stored);
        ASSERT_EQ(file.save(machine), err::kOk);
        EXPECT_EQ(make().installDir, *stored ? stored : u"/opt/tb");
    }

    {
        test::ScopedEnv config("XDG_CONFIG_HOME", "/cfg/");
        EXPECT_EQ(DefaultSettingsPaths().userFile, "/cfg/Orchardly/Tinderbridge/1.0/settings.conf");
    }
    test::ScopedEnv relative("XDG_CONFIG_HOME", "relative"); // ignored
    const SettingsPaths paths = DefaultSettingsPaths();
    EXPECT_EQ(std::tuple(paths.userFile, paths.machineFile, paths.exeDir),
              std::tuple(dir.file("home") + "/.config/Orchardly/Tinderbridge/1.0/settings.conf",
                         "/etc/xdg/Orchardly/Tinderbridge/1.0/settings.conf",
                         std::filesystem::canonical("/proc/self/exe").parent_path().string()));
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

} // namespace
} // namespace tb
