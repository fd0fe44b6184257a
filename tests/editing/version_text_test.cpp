#include "editing/version_text.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <optional>

namespace tb {
namespace {

constexpr std::nullopt_t refused = std::nullopt;

TEST(VersionTextTest, VersionComponentsNeverWrap) {
    const struct {
        const char16_t* text;
        std::optional<int32_t> value;
    } cases[] = {
        {u"", 0},
        {u"0", 0},
        {u"7", 7},
        {u"007", 7},
        {u"0x1F", 31},
        {u"0X1f", 31},
        {u"2147483647", 2147483647},
        {u"0x7FFFFFFF", 2147483647},
        {u"2147483648", refused},
        {u"0x80000000", refused},
        {u"4294967296", refused},
        {u"99999999999999999999", refused},
        {u"-1", refused},
        {u"+1", refused},
        {u" 1", refused},
        {u"1a", refused},
        {u"0x", refused},
        {u"0xG", refused},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseVersionComponent(c.text), c.value) << wideToUtf8(c.text);
}

TEST(VersionTextTest, UidsAreHexadecimalOrDecimalAndNeverZero) {
    const struct {
        const char16_t* text;
        std::optional<uint32_t> value;
    } cases[] = {
        {u"0xA0001234", 0xA0001234},
        {u"2684359220", 0xA0001234}, // the same value in decimal
        {u"0xa0001234", 0xA0001234},
        {u"0xFFFFFFFF", 0xFFFFFFFF},
        {u"4294967295", 0xFFFFFFFF},
        {u"1", 1},
        {u"0x100000000", refused},
        {u"4294967296", refused},
        {u"0x", refused},
        {u"0", refused},
        {u"0x0", refused},
        {u"", refused},
        {u"12ab", refused},
        {u"A0001234", refused},
        {u"0x 1", refused},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseUidText(c.text), c.value) << wideToUtf8(c.text);
    EXPECT_EQ(UidText(0xA0001234), u"0xa0001234");
    EXPECT_EQ(UidText(0x1), u"0x1");
}

} // namespace
} // namespace tb
