#include "buildengine/sdk_list.h"

#include "support/temp_dir.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

std::string devices(const std::string& body) {
    return "<?xml version=\"1.0\"?><devices version=\"1.0\">" + body + "</devices>";
}

// One "id|name|root|default" entry per SDK.
std::vector<std::string> entries(const SdkList& sdks) {
    std::vector<std::string> out;
    for (const SdkInfo& sdk : sdks)
        out.push_back(wideToUtf8(sdk.id + u"|" + sdk.name + u"|" + sdk.epocRoot +
                                 (sdk.isDefault ? u"|default" : u"")));
    return out;
}

using Entries = std::vector<std::string>;

TEST(SdkList, DevicesInFileOrderWithAttributesAndRoots) {
    test::TempDir dir;
    const std::string file = dir.write(
        "devices.xml",
        devices(R"(<device id="S" name="n" default="yes"><epocroot>E:\S\</epocroot></device>)"
                R"(<device name="m" default="Yes" x="y" id="T"><epocroot>E:\T\\</epocroot>)"
                R"(<toolchain name="GCCE"/></device><device id="U" default="no">)"
                R"(<epocroot>/opt/u/</epocroot></device><device id="V"/>)"));
    EXPECT_EQ(entries(DiscoverSdks(file, "/ignored")),
              (Entries{"S|n|E:\\S|default", "T|m|E:\\T\\", "U||/opt/u", "V||"}));
}

TEST(SdkList, StructureRulesAndMalformedXml) {
    // Exact-case names, epocroot outside a device, nested device, second epocroot, no trimming.
    EXPECT_EQ(entries(ParseDevicesXml(devices(
                  R"(<epocroot>X:\stray</epocroot><Device id="W"/><device id="A"><EpocRoot>Y:\)"
                  R"(</EpocRoot><epocroot>E:\A1</epocroot><epocroot> E:\A2 </epocroot>)"
                  R"(<device id="B" name="b"/></device><device id="C"><epocroot>E:\C</epocroot>)"
                  R"(</device>)"))),
              (Entries{"A|| E:\\A2 ", "C||E:\\C"}));
    EXPECT_EQ(
        entries(ParseDevicesXml(devices(R"(<device id="A"/><device id="B"><epocroot></oops>)"))),
        Entries{"A||"});
    EXPECT_TRUE(ParseDevicesXml("").empty());
}

TEST(SdkList, Utf16FileWithByteOrderMark) {
    test::TempDir dir;
    std::string bytes = "\xFF\xFE";
    for (char16_t c : std::u16string(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><devices><device "
                                     u"id=\"S\u00e9\" name=\"\u4e2d\"><epocroot>/\u00e9/</epocroot>"
                                     u"</device></devices>"))
        bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    EXPECT_EQ(entries(DiscoverSdks(dir.write("devices.xml", bytes), nullptr)),
              Entries{"S\u00e9|\u4e2d|/\u00e9"});
}

TEST(SdkList, EpocRootFallbackOnlyWhenTheFileListsNone) {
    test::TempDir dir;
    const std::string missing = dir.file("none.xml");
    EXPECT_TRUE(DiscoverSdks(missing, nullptr).empty());
    EXPECT_TRUE(DiscoverSdks(missing, "").empty());
    EXPECT_TRUE(DiscoverSdks(dir.path().string(), nullptr).empty()); // a folder
    for (const std::string& path : {missing, dir.write("empty.xml", devices(""))})
        EXPECT_EQ(entries(DiscoverSdks(path, "/opt/sdk/")), Entries{"EPOCROOT|EPOCROOT|/opt/sdk"});
}

// The common files folder's devices.xml is what the command line tests register their SDKs in.
TEST(SdkList, DefaultLocationWithoutCommonFiles) {
    test::ScopedEnv common("TINDERBRIDGE_COMMON_FILES", ""), xdg("XDG_DATA_HOME", "/xdg/"),
        home("HOME", "/home/me");
    EXPECT_EQ(DefaultDevicesXmlPath(), "/xdg/Symbian/devices.xml");
    test::ScopedEnv noXdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(DefaultDevicesXmlPath(), "/home/me/.local/share/Symbian/devices.xml");
}

} // namespace
} // namespace tb
