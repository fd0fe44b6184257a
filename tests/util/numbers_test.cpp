#include "util/numbers.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(NumbersTest, NumberToText) {
    EXPECT_EQ(numberToText(255, 16), u"0xFF");
    EXPECT_EQ(numberToText(255, 10), u"255");
    EXPECT_EQ(numberToText(0, 16), u"0x0");
    EXPECT_EQ(numberToText(0xFFFFFFFF, 16), u"0xFFFFFFFF");
    EXPECT_EQ(numberToText(5, 2), u"101");
    EXPECT_EQ(intToText(-2147483647 - 1), u"-2147483648");
    EXPECT_EQ(stampToText(18446744073709551614u), u"18446744073709551614");
}

TEST(NumbersTest, ParseUnsignedIsStrict) {
    uint32_t v = 7;
    EXPECT_TRUE(parseUnsigned(u"4294967295", 10, v));
    EXPECT_EQ(v, 4294967295u);
    EXPECT_TRUE(parseUnsigned(u"fFfFfFfF", 16, v));
    for (auto bad : {u"4294967296", u"", u"12a", u" 1", u"+1", u"-1", u"0x10", u"100000000"}) {
        uint32_t w = 7;
        EXPECT_FALSE(parseUnsigned(bad, bad == std::u16string_view(u"100000000") ? 16 : 10, w))
            << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
        EXPECT_EQ(w, 7u);
    }
}

TEST(NumbersTest, ParseSigned) {
    int32_t v = 0;
    EXPECT_TRUE(parseSigned(u"-2147483648", 10, v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(parseSigned(u"2147483647", 10, v));
    EXPECT_EQ(v, INT32_MAX);
    EXPECT_TRUE(parseSigned(u"-ff", 16, v));
    EXPECT_EQ(v, -255);
    EXPECT_FALSE(parseSigned(u"2147483648", 10, v));
    EXPECT_FALSE(parseSigned(u"-2147483649", 10, v));
    EXPECT_FALSE(parseSigned(u"-", 10, v));
    EXPECT_FALSE(parseSigned(u"+5", 10, v));
    EXPECT_FALSE(parseSigned(u"--5", 10, v));
}

TEST(NumbersTest, ParseUidAndStamp) {
    uint32_t uid = 0;
    EXPECT_TRUE(parseUid(u"0X1000abCD", uid));
    EXPECT_EQ(uid, 0x1000ABCDu);
    EXPECT_TRUE(parseUid(u"4096", uid));
    EXPECT_EQ(uid, 4096u);
    EXPECT_FALSE(parseUid(u"0x", uid));
    EXPECT_FALSE(parseUid(u"0x100000000", uid));
    EXPECT_FALSE(parseUid(u"1000abcd", uid));

    uint64_t stamp = 0;
    EXPECT_TRUE(parseStamp(u"18446744073709551614", stamp));
    EXPECT_EQ(stamp, 18446744073709551614u);
    EXPECT_FALSE(parseStamp(u"18446744073709551615", stamp)); // all ones
    EXPECT_FALSE(parseStamp(u"18446744073709551616", stamp));
    EXPECT_FALSE(parseStamp(u"12 ", stamp));
    EXPECT_FALSE(parseStamp(u"", stamp));
}

} // namespace
} // namespace tb
