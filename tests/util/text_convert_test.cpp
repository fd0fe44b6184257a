#include "util/text_convert.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(TextConvertTest, Utf8) {
    EXPECT_EQ(utf8ToWide("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
    EXPECT_EQ(utf8ToWide("a\xE9z"), u"a\uFFFDz");
    EXPECT_EQ(utf8ToWide("\xE2\x82"), u"\uFFFD");
    EXPECT_EQ(wideToUtf8(u"a\u00E9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(wideToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");
}

TEST(TextConvertTest, AnsiKeepsAsciiAndCaseIsAsciiOnly) {
    // Whatever the locale's set, ASCII survives and nothing is lost silently.
    EXPECT_EQ(ansiToWide("Build ok\r\n"), u"Build ok\r\n");
    EXPECT_EQ(wideToAnsi(u"Build ok"), "Build ok");
    EXPECT_FALSE(wideToAnsi(u"\u00E9").empty());

    EXPECT_EQ((std::u16string{asciiUpper(u'q'), asciiUpper(u'\u00E9')}), u"Q\u00E9");
    EXPECT_TRUE(equalsIgnoreAsciiCase(u"Lpt9", u"LPT9"));
    EXPECT_FALSE(equalsIgnoreAsciiCase(u"\u00E9", u"\u00C9"));
    EXPECT_FALSE(equalsIgnoreAsciiCase(u"ab", u"abc"));
}

} // namespace
} // namespace tb
