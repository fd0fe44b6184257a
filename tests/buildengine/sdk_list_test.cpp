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

// The file's devices, else the EPOCROOT variable's folder when the file lists none.
TEST(SdkList, DiscoveredFromTheFileOrElseEpocRoot) {
    test::TempDir dir;
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : std::u16string(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><devices><device "
                                     u"id=\"S\u00e9\" name=\"\u4e2d\"><epocroot>/\u00e9/</epocroot>"
                                     u"</device></devices>"))
        utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    const Entries fallback{"EPOCROOT|EPOCROOT|/opt/sdk"};
    const struct {
        std::string file;
        const char* epocRoot;
        Entries expected;
    } cases[] = {
        {dir.write(
             "devices.xml",
             devices(R"(<device id="S" name="n" default="yes"><epocroot>E:\S\</epocroot>)"
                     R"(</device><device name="m" default="Yes" x="y" id="T"><epocroot>)"
                     R"(E:\T\\</epocroot><toolchain name="GCCE"/></device><device id="U" )"
                     R"(default="no"><epocroot>/opt/u/</epocroot></device><device id="V"/>)")),
         "/ignored",
         {"S|n|E:\\S|default", "T|m|E:\\T\\", "U||/opt/u", "V||"}},
        // Exact-case names, epocroot outside a device, nested device, second epocroot, no
        // trimming.
        {dir.write("rules.xml",
                   devices(R"(<epocroot>X:\stray</epocroot><Device id="W"/><device id="A">)"
                           R"(<EpocRoot>Y:\</EpocRoot><epocroot>E:\A1</epocroot><epocroot> E:\A2 )"
                           R"(</epocroot><device id="B" name="b"/></device><device id="C">)"
                           R"(<epocroot>E:\C</epocroot></device>)")),
         nullptr,
         {"A|| E:\\A2 ", "C||E:\\C"}},
        // Malformed: the devices before the fault are kept.
        {dir.write("bad.xml", devices(R"(<device id="A"/><device id="B"><epocroot></oops>)")),
         nullptr,
         {"A||"}},
        {dir.write("blank.xml", ""), nullptr, {}},
        {dir.write("utf16.xml", utf16), nullptr, {"S\u00e9|\u4e2d|/\u00e9"}},
        {dir.file("none.xml"), nullptr, {}},
        {dir.path().string(), "", {}}, // a folder
        {dir.file("none.xml"), "/opt/sdk/", fallback},
        {dir.write("empty.xml", devices("")), "/opt/sdk/", fallback},
    };
    for (const auto& c : cases)
        EXPECT_EQ(entries(DiscoverSdks(c.file, c.epocRoot)), c.expected) << c.file;
}

} // namespace
} // namespace tb
