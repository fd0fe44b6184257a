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
    for (auto good : {u"text/plain", u"ab/c", u"a/b/"}) // only the first '/' counts
        EXPECT_TRUE(IsValidMimeType(good));
    for (auto bad : {u"a/b", u"/abc", u"abc/", u"abcd", u"text/\"x\""}) // a/b: 3 characters
        EXPECT_FALSE(IsValidMimeType(bad));
}

} // namespace
} // namespace tb
