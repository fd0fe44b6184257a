#include "util/format.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

TEST(FormatTest, Conversions) {
    const WideText name = u"App";
    EXPECT_EQ(format(u"%s: %d items, %u left, %i%%", {name, -3, 7u, int32_t{5}}),
              u"App: -3 items, 7 left, 5%");
    EXPECT_EQ(format(u"0x%08x %X %c", {uint32_t{0xbeef}, size_t{255}, u'Z'}), u"0x0000beef FF Z");
    EXPECT_EQ(format(u"[%5d|%-4s|%05d|%.2s]", {42, u"ab", -42, std::u16string_view(u"xyz")}),
              u"[   42|ab  |-0042|xy]");
    EXPECT_EQ(format(u"%x %u", {-1, -1}), u"ffffffff 4294967295");
    EXPECT_EQ(format(u"%d %lu", {INT64_MIN, uint64_t{18446744073709551615u}}),
              u"-9223372036854775808 18446744073709551615");
    EXPECT_EQ(format(u"%q %d %", {}), u"%q  %"); // unknown kept, missing argument empty
}

TEST(FormatTest, TruncatesToMaxLength) {
    WideText longText(300, u'a');
    EXPECT_EQ(format(u"%s!", {longText}).size(), 255u);
    EXPECT_EQ(format(u"abc%d", {12345}, 4), u"abc1");
    // A surrogate pair is never cut in half.
    EXPECT_EQ(format(u"ab\U0001F600", {}, 3), u"ab");
}

} // namespace
} // namespace tb
