#include "util/date_time.h"
#include "util/format.h"
#include "util/names.h"
#include "util/numbers.h"
#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(NamesTest, FileAndMimeTypeNames) {
    for (auto bad : {u"", u"con", u"Lpt9", u"COM5", u".", u"..", u"nUl", u"a|b", u"a:b", u"a/b",
                     u"a\\b", u"a\"", u"<", u">", u"?", u"*"})
        EXPECT_FALSE(IsValidName(bad));
    for (auto good :
         {u"console", u"CO", u"A", u"LPT", u"COM10", u"COM0", u"CON.txt", u"...", u"\u00E9t\u00E9"})
        EXPECT_TRUE(IsValidName(good));
    for (auto good : {u"text/plain", u"ab/c", u"a/b/"}) // only the first '/' counts
        EXPECT_TRUE(IsValidMimeType(good));
    for (auto bad : {u"a/b", u"/abc", u"abc/", u"abcd", u"text/\"x\""}) // a/b: 3 characters
        EXPECT_FALSE(IsValidMimeType(bad));
}

TEST(TextConvertTest, Utf8AndAsciiCase) {
    EXPECT_EQ(utf8ToWide("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
    EXPECT_EQ(utf8ToWide("a\xE9z"), u"a\uFFFDz");
    EXPECT_EQ(utf8ToWide("\xE2\x82"), u"\uFFFD");
    EXPECT_EQ(wideToUtf8(u"a\u00E9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(wideToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");

    EXPECT_TRUE(equalsIgnoreAsciiCase(u"Lpt9", u"LPT9"));
    EXPECT_FALSE(equalsIgnoreAsciiCase(u"\u00E9", u"\u00C9"));
    EXPECT_FALSE(equalsIgnoreAsciiCase(u"ab", u"abc"));
}

// The program's texts use %s, %d and %x; of the other conversions only the edges stay.
TEST(FormatTest, ConversionsAndLength) {
    EXPECT_EQ(format(u"%s: %d items, %x%%", {WideText(u"App"), -3, uint32_t{0xbeef}}),
              u"App: -3 items, beef%");
    EXPECT_EQ(format(u"%x %u", {-1, -1}), u"ffffffff 4294967295");
    EXPECT_EQ(format(u"%d %lu", {INT64_MIN, uint64_t{18446744073709551615u}}),
              u"-9223372036854775808 18446744073709551615");
    EXPECT_EQ(format(u"%q %d %", {}), u"%q  %"); // unknown kept, missing argument empty

    // Cut to the longest length allowed.
    EXPECT_EQ(format(u"%s!", {WideText(300, u'a')}).size(), 255u);
    EXPECT_EQ(format(u"abc%d", {12345}, 4), u"abc1");
    // A surrogate pair is never cut in half.
    EXPECT_EQ(format(u"ab\U0001F600", {}, 3), u"ab");
}

TEST(NumbersTest, TextsAndParsers) {
    EXPECT_EQ(numberToText(255, 16), u"0xFF");
    EXPECT_EQ(numberToText(0, 16), u"0x0");
    EXPECT_EQ(numberToText(0xFFFFFFFF, 16), u"0xFFFFFFFF");
    EXPECT_EQ(intToText(-2147483647 - 1), u"-2147483648");
    EXPECT_EQ(stampToText(18446744073709551614u), u"18446744073709551614");

    // The parsers are strict at the edges.
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

TEST(DateTimeTest, StampsFieldsAndShortDates) {
    const DateTime start = DateTime::fromFields(1601, 1, 1); // a Monday
    EXPECT_EQ(std::tuple(start.stamp, start.dayOfWeek), std::tuple(0u, 1u));
    const DateTime epoch = DateTime::fromFields(1970, 1, 1); // a Thursday, as a file time
    EXPECT_EQ(std::tuple(epoch.stamp, epoch.dayOfWeek), std::tuple(116444736000000000u, 4u));
    const DateTime dt = DateTime::fromFields(2024, 2, 29, 23, 59, 58, 999);
    const DateTime b = DateTime::fromStamp(dt.stamp);
    EXPECT_EQ(std::tuple(b.year, b.month, b.day, b.hour, b.minute, b.second, b.millisecond,
                         b.dayOfWeek, b.stamp),
              std::tuple(2024, 2, 29, 23, 59, 58, 999, 4u, dt.stamp));
    const DateTime carried = DateTime::fromFields(2023, 2, 29);
    EXPECT_EQ(std::tuple(carried.month, carried.day), std::tuple(3, 1));
    EXPECT_LT(DateTime::fromFields(65535, 12, 31).stamp, UINT64_MAX);

    const DateTime date = DateTime::fromFields(2010, 3, 5); // a Friday
    DateNames names;                                        // only Friday's and March's
    names.shortWeekdays[5] = u"Fri";
    names.longWeekdays[5] = u"Friday";
    names.shortMonths[2] = u"Mar";
    names.longMonths[2] = u"March";
    // Quotes are copied; counts without a meaning give nothing.
    EXPECT_EQ(FormatShortDate(date, u"dd.MM.yyyy d/M/yy 'de'", names), u"05.03.2010 5/3/10 '5e'");
    EXPECT_EQ(FormatShortDate(date, u"y|yyy|yyyyy|ddddd|MMMMM", names), u"0||||");
    EXPECT_EQ(FormatShortDate(date, u"ddd dddd, d MMM MMMM", names), u"Fri Friday, 5 Mar March");
    EXPECT_EQ(FormatShortDate(DateTime::fromFields(7, 1, 1), u"yyyy yy", names), u"1601 01");

    const WideText pattern = LocaleShortDatePattern();
    EXPECT_TRUE(pattern.find(u'd') != WideText::npos && pattern.find(u'E') == WideText::npos);
    EXPECT_FALSE(LocaleDateNames().longMonths[11].empty() ||
                 FormatShortDate(DateTime::now()).empty());
}

} // namespace
} // namespace tb
