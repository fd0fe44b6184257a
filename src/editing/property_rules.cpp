#include "editing/property_rules.h"

#include "util/numbers.h"

#include <algorithm>
#include <limits>

namespace tb {

std::optional<int32_t> ParsePropertyNumber(std::u16string_view text) {
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        uint32_t bits = 0;
        if (!parseUnsigned(text.substr(2), 16, bits) ||
            bits > uint32_t(std::numeric_limits<int32_t>::max()))
            return std::nullopt;
        return int32_t(bits);
    }
    int32_t value = 0;
    if (!parseSigned(text, 10, value))
        return std::nullopt;
    return value;
}

bool PropertyKeyTaken(const PropertyList& properties, int32_t key, const PackageProperty* except) {
    return std::any_of(properties.begin(), properties.end(), [&](const auto& property) {
        return property.get() != except && property->key == key;
    });
}

std::variant<PackageProperty, PropertyProblem> ReadPropertyForm(const PropertyList& properties,
                                                                std::u16string_view keyText,
                                                                std::u16string_view valueText,
                                                                const PackageProperty* editing) {
    if (keyText.empty() || valueText.empty())
        return PropertyProblem{keyText.empty() ? PropertyBox::Key : PropertyBox::Value,
                               kEnterKeyAndValue};
    // Only a text that did not come from typing can be other than a number.
    std::optional<int32_t> key = ParsePropertyNumber(keyText);
    if (!key)
        return PropertyProblem{PropertyBox::Key, kEnterKeyAndValue};
    std::optional<int32_t> value = ParsePropertyNumber(valueText);
    if (!value)
        return PropertyProblem{PropertyBox::Value, kEnterKeyAndValue};
    if (PropertyKeyTaken(properties, *key, editing))
        return PropertyProblem{PropertyBox::Key, kKeyNotUnique};
    return PackageProperty{*key, *value};
}

} // namespace tb
