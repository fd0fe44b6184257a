#include "editing/device_folders.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <optional>

namespace tb {
namespace {

constexpr uint32_t kUid = 0xA0001234;

TEST(DeviceFoldersTest, PrivateFolderIsTheUidInLowerCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(PrivateFolderPath(0xA0001234), u"\\private\\a0001234");
    EXPECT_EQ(PrivateFolderPath(0x0000ABCD), u"\\private\\abcd");
    EXPECT_EQ(DeviceFolderPath(DeviceFolder::Private, 0), u"\\private\\0");
    EXPECT_EQ(DeviceFolderLabel(DeviceFolder::Plugins), u"[ECOM-Plugins]");
    EXPECT_EQ(DeviceFolderNodeName(DeviceFolder::Plugins), u"[ECOM Plugins]");
}

TEST(DeviceFoldersTest, DefaultTargetAndCategoryMaskByExtension) {
    constexpr std::optional<uint32_t> none;
    const struct {
        const char16_t* source;
        const char16_t* target;
        std::optional<uint32_t> mask;
    } cases[] = {
        {u"app.exe", u"\\sys\\bin\\app.exe", 1},
        {u"app_reg.rsc", u"\\private\\10003a3f\\import\\apps\\app_reg.rsc", 30},
        {u"_reg.rsc", u"\\private\\10003a3f\\import\\apps\\_reg.rsc", 30},
        {u"app_REG.rsc", u"\\resource\\apps\\app_REG.rsc", 30},
        {u"app_reg.rsc.bak", u"\\private\\a0001234\\app_reg.rsc.bak", 2},
        {u"app.rsc", u"\\resource\\apps\\app.rsc", 30},
        {u"icons.mif", u"\\resource\\apps\\icons.mif", 8},
        {u"pics.mbm", u"\\resource\\apps\\pics.mbm", 10},
        {u"guide.hlp", u"\\resource\\help\\guide.hlp", 32},
        {u"APP.EXE", u"\\private\\a0001234\\APP.EXE", 2},
        {u"name.", u"\\private\\a0001234\\name.", 2},
        {u"setup.exe.txt", u"\\private\\a0001234\\setup.exe.txt", 2},
        {u"notes.2.exe", u"\\sys\\bin\\notes.2.exe", 1},
        {u"README", u"\\private\\a0001234\\README", none},
        {u".exe", u"\\private\\a0001234\\.exe", none},
        {u"$(EPOCROOT)epoc32\\release\\$(PLATFORM)\\$(TARGET)\\app.exe", u"\\sys\\bin\\app.exe", 1},
        {u"/home/dev/build.d/tool", u"\\private\\a0001234\\tool", none},
        {u"..\\data.dir\\readme", u"\\private\\a0001234\\readme", none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultTargetPath(c.source, kUid), c.target) << wideToUtf8(c.source);
        EXPECT_EQ(CategoryMask(c.source), c.mask) << wideToUtf8(c.source);
    }
    EXPECT_EQ(DefaultFolderFor(u"a.hlp"), DeviceFolder::Help);
}

TEST(DeviceFoldersTest, FolderAndDisplayFormOfATarget) {
    const struct {
        uint32_t uid;
        const char16_t* target;
        std::optional<DeviceFolder> folder;
        const char16_t* form; // null: none
    } cases[] = {
        {kUid, u"\\sys\\bin\\app.exe", DeviceFolder::Binaries, u"[Binaries]"},
        {kUid, u"\\SYS\\Bin\\app.exe", DeviceFolder::Binaries, u"[Binaries]"},
        {kUid, u"\\sys\\binary\\app.exe", std::nullopt, nullptr},
        {kUid, u"\\private\\10003a3f\\import\\apps\\app_reg.rsc", DeviceFolder::Registration,
         u"[Registration]"},
        {0x10003A3F, u"\\private\\10003a3f\\import\\apps\\app_reg.rsc", DeviceFolder::Registration,
         u"[Registration]"},
        {0x10003A3F, u"\\private\\10003a3f\\import\\x.txt", DeviceFolder::Private,
         u"[Private]\\import"},
        {kUid, u"\\resource\\apps\\app.rsc", DeviceFolder::Resources, u"[Resources]"},
        {kUid, u"\\resource\\apps\\sub\\app.rsc", DeviceFolder::Resources, u"[Resources]"},
        {kUid, u"\\resource\\plugins\\p.rsc", DeviceFolder::Plugins, u"[ECOM-Plugins]"},
        {kUid, u"\\resource\\x.txt", std::nullopt, nullptr},
        {kUid, u"\\private\\a0001234\\data.txt", DeviceFolder::Private, u"[Private]"},
        {kUid, u"\\private\\A0001234\\Data\\x.png", DeviceFolder::Private, u"[Private]\\Data"},
        {kUid, u"\\private\\a0001234\\data\\", DeviceFolder::Private, u"[Private]\\data"},
        {kUid, u"\\private\\a0001234", DeviceFolder::Private, u"[Private]"},
        {kUid, u"\\private\\a00012345\\x.txt", std::nullopt, nullptr},
        {0xA0001, u"\\private\\A0001\\x.txt", DeviceFolder::Private, u"[Private]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOfTarget(c.target, c.uid), c.folder) << wideToUtf8(c.target);
        EXPECT_EQ(TargetDisplayForm(c.target, c.uid).value_or(u"-"), c.form ? c.form : u"-")
            << wideToUtf8(c.target);
    }
}

} // namespace
} // namespace tb
