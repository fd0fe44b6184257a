#include "editing/uid_change.h"

#include "util/text_convert.h"

#include <gtest/gtest.h>

#include <optional>

namespace tb {
namespace {

constexpr uint32_t kOld = 0xA0001234;
constexpr uint32_t kNew = 0xE0000001;

TEST(UidChangeTest, OnlyTargetsInTheOldPrivateFolderMove) {
    const std::optional<const char16_t*> stays;
    const struct {
        uint32_t oldUid;
        const char16_t* target;
        std::optional<const char16_t*> moved;
    } cases[] = {
        {kOld, u"\\private\\a0001234\\x.txt", u"\\private\\e0000001\\x.txt"},
        {kOld, u"\\PRIVATE\\A0001234\\Data\\x.txt", u"\\private\\e0000001\\Data\\x.txt"},
        {kOld, u"\\private\\a0001234", u"\\private\\e0000001"},
        {kOld, u"\\private\\a00012345\\x.txt", stays}, // another UID that starts the same
        {kOld, u"\\sys\\bin\\app.exe", stays},
        // The registration folder lies inside this UID's private folder but is not it.
        {0x10003A3F, u"\\private\\10003a3f\\import\\apps\\app_reg.rsc", stays},
        {0x10003A3F, u"\\private\\10003a3f\\import\\x.txt", u"\\private\\e0000001\\import\\x.txt"},
        {kNew, u"\\private\\e0000001\\x.txt", stays}, // the same UID
    };
    for (const auto& c : cases) {
        const std::optional<WideText> expected =
            c.moved ? std::optional<WideText>(*c.moved) : std::nullopt;
        EXPECT_EQ(MovedPrivateTarget(c.target, c.oldUid, kNew), expected) << wideToUtf8(c.target);
    }
}

} // namespace
} // namespace tb
