#include "buildengine/sdk_list.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

class SdkListTest : public ::testing::Test {
protected:
    std::string write(const std::string& bytes, const std::string& name = "devices.xml") {
        return dir.write(name, bytes);
    }
    test::TempDir dir;
};

std::string devices(const std::string& body) {
    return "<?xml version=\"1.0\"?><devices version=\"1.0\">" + body + "</devices>";
}

TEST_F(SdkListTest, DevicesInFileOrderWithAttributesAndRoots) {
    SdkList sdks = DiscoverSdks(
        write(devices(R"(<device id="S" name="n" default="yes"><epocroot>E:\S\</epocroot></device>)"
                      R"(<device name="m" default="Yes" x="y" id="T"><epocroot>E:\T\\</epocroot>)"
                      R"(<toolchain name="GCCE"/></device><device id="U" default="no">)"
                      R"(<epocroot>/opt/u/</epocroot></device><device id="V"/>)")),
        "/ignored");
    ASSERT_EQ(sdks.size(), 4u);
    EXPECT_TRUE(sdks[0].id == u"S" && sdks[0].name == u"n" && sdks[0].isDefault);
    EXPECT_EQ(sdks[0].epocRoot, u"E:\\S");
    EXPECT_TRUE(sdks[1].id == u"T" && sdks[1].name == u"m" && !sdks[1].isDefault);
    EXPECT_EQ(sdks[1].epocRoot, u"E:\\T\\");
    EXPECT_TRUE(sdks[2].epocRoot == u"/opt/u" && !sdks[2].isDefault);
    EXPECT_TRUE(sdks[3].id == u"V" && sdks[3].name.empty() && sdks[3].epocRoot.empty());
}

TEST_F(SdkListTest, StructureRulesAndMalformedXml) {
    // Exact-case names, epocroot outside a device, nested device, second epocroot, no trimming.
    SdkList sdks = ParseDevicesXml(devices(
        R"(<epocroot>X:\stray</epocroot><Device id="W"/><device id="A"><EpocRoot>Y:\</EpocRoot>)"
        R"(<epocroot>E:\A1</epocroot><epocroot> E:\A2 </epocroot><device id="B" name="b"/>)"
        R"(</device><device id="C"><epocroot>E:\C</epocroot></device>)"));
    ASSERT_EQ(sdks.size(), 2u);
    EXPECT_TRUE(sdks[0].id == u"A" && sdks[0].name.empty());
    EXPECT_EQ(sdks[0].epocRoot, u" E:\\A2 ");
    EXPECT_EQ(sdks[1].epocRoot, u"E:\\C");

    sdks = ParseDevicesXml(devices(R"(<device id="A"/><device id="B"><epocroot></oops>)"));
    ASSERT_EQ(sdks.size(), 1u);
    EXPECT_EQ(sdks[0].id, u"A");
    EXPECT_TRUE(ParseDevicesXml("").empty());
}

TEST_F(SdkListTest, Utf16FileWithByteOrderMark) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : std::u16string(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><devices><device "
                                     u"id=\"S\u00e9\" name=\"\u4e2d\"><epocroot>/\u00e9/</epocroot>"
                                     u"</device></devices>"))
        bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    SdkList sdks = DiscoverSdks(write(bytes), nullptr);
    ASSERT_EQ(sdks.size(), 1u);
    EXPECT_TRUE(sdks[0].id == u"S\u00e9" && sdks[0].name == u"\u4e2d");
    EXPECT_EQ(sdks[0].epocRoot, u"/\u00e9");
}

TEST_F(SdkListTest, EpocRootFallbackOnlyWhenTheFileListsNone) {
    const std::string missing = dir.file("none.xml");
    EXPECT_TRUE(DiscoverSdks(missing, nullptr).empty());
    EXPECT_TRUE(DiscoverSdks(missing, "").empty());
    EXPECT_TRUE(DiscoverSdks(dir.path().string(), nullptr).empty()); // a folder
    for (const std::string& path : {missing, write(devices(""), "empty.xml")}) {
        SdkList sdks = DiscoverSdks(path, "/opt/sdk/");
        ASSERT_EQ(sdks.size(), 1u);
        EXPECT_TRUE(sdks[0].id == u"EPOCROOT" && sdks[0].name == u"EPOCROOT");
        EXPECT_EQ(sdks[0].epocRoot, u"/opt/sdk");
    }
}

TEST_F(SdkListTest, DefaultLocation) {
    write(devices(R"(<device id="D"/>)"), "Symbian/devices.xml");
    test::ScopedEnv common("TINDERBRIDGE_COMMON_FILES", dir.path().string()),
        xdg("XDG_DATA_HOME", "/xdg/"), home("HOME", "/home/me");
    SdkList sdks = DiscoverSdks();
    ASSERT_EQ(sdks.size(), 1u);
    EXPECT_EQ(sdks[0].id, u"D");
    test::ScopedEnv noCommon("TINDERBRIDGE_COMMON_FILES", "");
    EXPECT_EQ(DefaultDevicesXmlPath(), "/xdg/Symbian/devices.xml");
    test::ScopedEnv noXdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(DefaultDevicesXmlPath(), "/home/me/.local/share/Symbian/devices.xml");
}

} // namespace
} // namespace tb
