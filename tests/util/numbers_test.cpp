#include "util/numbers.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(NumbersTest, NumberToText) {
    EXPECT_EQ(numberToText(255, 16), u"0xFF");
    EXPECT_EQ(numberToText(0, 16), u"0x0");
    EXPECT_EQ(numberToText(0xFFFFFFFF, 16), u"0xFFFFFFFF");
    EXPECT_EQ(numberToText(5, 2), u"101");
    EXPECT_EQ(intToText(-2147483647 - 1), u"-2147483648");
    EXPECT_EQ(stampToText(18446744073709551614u), u"18446744073709551614");
}

TEST(NumbersTest, ParsersAreStrictAtTheEdges) {
    uint32_t u = 7;
    EXPECT_TRUE(parseUnsigned(u"4294967295", 10, u) && u == 4294967295u);
    EXPECT_TRUE(parseUnsigned(u"fFfFfFfF", 16, u) && u == 0xFFFFFFFFu);
    u = 7; // refused texts leave the value alone
    for (auto bad : {u"4294967296", u"", u"12a", u" 1", u"+1", u"-1", u"0x10"})
        EXPECT_FALSE(parseUnsigned(bad, 10, u)) << wideToUtf8(bad);
    EXPECT_FALSE(parseUnsigned(u"100000000", 16, u));
    EXPECT_EQ(u, 7u);

    int32_t i = 0;
    EXPECT_TRUE(parseSigned(u"-2147483648", 10, i) && i == INT32_MIN);
    EXPECT_TRUE(parseSigned(u"2147483647", 10, i) && i == INT32_MAX);
    EXPECT_TRUE(parseSigned(u"-ff", 16, i) && i == -255);
    for (auto bad : {u"2147483648", u"-2147483649", u"-", u"+5", u"--5"})
        EXPECT_FALSE(parseSigned(bad, 10, i)) << wideToUtf8(bad);

    uint64_t stamp = 0;
    EXPECT_TRUE(parseStamp(u"18446744073709551614", stamp) && stamp == 18446744073709551614u);
    for (auto bad : {u"18446744073709551615", u"18446744073709551616", u"12 ", u""}) // all ones too
        EXPECT_FALSE(parseStamp(bad, stamp)) << wideToUtf8(bad);
}

} // namespace
} // namespace tb
