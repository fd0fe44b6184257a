// The number boxes of the header, the dependency dialog and the property dialog side by side:
// each reads its own range, and none ever turns a text into another value.
#include "editing/dependency_texts.h"
#include "editing/property_rules.h"
#include "editing/version_text.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace tb {
namespace {

constexpr int64_t X = INT64_MIN; // refused
constexpr int64_t any = kAnyVersion, max = 2147483647, umax = 4294967295;

template <class T> int64_t Read(std::optional<T> value) {
    return value ? int64_t(*value) : X;
}

TEST(NumberBoxesTest, EachBoxTakesItsRangeAndNothingWraps) {
    const struct {
        const char16_t* text;
        int64_t version, uid, property, dependencyVersion, dependencyUid;
    } cases[] = {
        {u"", 0, X, X, any, X},
        {u"*", X, X, X, any, X},
        {u"**", X, X, X, X, X},
        {u"0", 0, X, 0, 0, 0}, // no UID is 0
        {u"007", 7, 7, 7, 7, 7},
        {u"0x1F", 31, 31, 31, 31, 31},
        {u"0X1f", 31, 31, 31, 31, 31},
        {u"2147483647", max, max, max, max, max},
        {u"2147483648", X, max + 1, X, X, max + 1},
        {u"0x80000000", X, max + 1, X, X, max + 1},
        {u"4294967295", X, umax, X, X, umax},
        {u"4294967296", X, X, X, X, X},
        {u"0x100000000", X, X, X, X, X},
        {u"99999999999999999999", X, X, X, X, X},
        {u"-1", X, X, -1, X, X},
        {u"-2147483648", X, X, -max - 1, X, X},
        {u"+1", X, X, X, X, X},
        {u" 1", X, X, X, X, X},
        {u"1a", X, X, X, X, X},
        {u"A0001234", X, X, X, X, X},
        {u"0x", X, X, X, X, X},
        {u"0xG", X, X, X, X, X},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(wideToUtf8(c.text));
        EXPECT_EQ(Read(ParseVersionComponent(c.text)), c.version);
        EXPECT_EQ(Read(ParseUidText(c.text)), c.uid);
        EXPECT_EQ(Read(ParsePropertyNumber(c.text)), c.property);
        EXPECT_EQ(Read(ParseDependencyVersion(c.text)), c.dependencyVersion);
        EXPECT_EQ(Read(ParseDependencyUid(c.text)), c.dependencyUid);
    }
    EXPECT_EQ(UidText(0xA0001234), u"0xa0001234");
    EXPECT_EQ(UidText(0x1), u"0x1");
}

} // namespace
} // namespace tb
