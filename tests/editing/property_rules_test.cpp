#include "editing/property_rules.h"

#include <gtest/gtest.h>

#include <optional>

namespace tb {
namespace {

constexpr std::nullopt_t refused = std::nullopt;

TEST(PropertyRulesTest, NumbersFitASigned32BitFieldOrAreRefused) {
    const struct {
        const char16_t* text;
        std::optional<int32_t> value;
    } cases[] = {
        {u"0", 0},
        {u"42", 42},
        {u"2147483647", 2147483647},
        {u"-5", -5},
        {u"-2147483648", -2147483647 - 1},
        {u"0x10", 16},
        {u"0x7FFFFFFF", 2147483647},
        {u"2147483648", refused},
        {u"4294967295", refused},
        {u"0xFFFFFFFF", refused},
        {u"", refused},
        {u"1a", refused},
        {u"+1", refused},
        {u"0x", refused},
        {u"-", refused},
        {u" 1", refused},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParsePropertyNumber(c.text), c.value);
}

} // namespace
} // namespace tb
