#include "util/names.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(NamesTest, IsValidName) {
    for (auto bad : {u"", u"con", u"Lpt9", u"COM5", u".", u"..", u"nUl", u"a|b", u"a:b", u"a/b",
                     u"a\\b", u"a\"", u"<", u">", u"?", u"*"})
        EXPECT_FALSE(IsValidName(bad));
    for (auto good :
         {u"console", u"CO", u"A", u"LPT", u"COM10", u"COM0", u"CON.txt", u"...", u"\u00E9t\u00E9"})
        EXPECT_TRUE(IsValidName(good));
}

TEST(NamesTest, IsValidMimeType) {
    EXPECT_TRUE(IsValidMimeType(u"text/plain"));
    EXPECT_TRUE(IsValidMimeType(u"ab/c"));
    EXPECT_TRUE(IsValidMimeType(u"a/b/")); // only the first '/' counts
    EXPECT_FALSE(IsValidMimeType(u"a/b")); // 3 characters
    EXPECT_FALSE(IsValidMimeType(u"/abc"));
    EXPECT_FALSE(IsValidMimeType(u"abc/"));
    EXPECT_FALSE(IsValidMimeType(u"abcd"));
    EXPECT_FALSE(IsValidMimeType(u"text/\"x\""));
}

} // namespace
} // namespace tb
