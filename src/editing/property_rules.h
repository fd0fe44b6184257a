#pragma once

#include "model/package.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace tb {

inline constexpr std::u16string_view kEnterKeyAndValue = u"You must enter a key and a value.";
inline constexpr std::u16string_view kKeyNotUnique = u"The key must be unique.";

// A key or value box: decimal (a leading '-' as in a property read from a file), or
// hexadecimal after "0x", and it must fit a signed 32-bit field: nothing wraps.
std::optional<int32_t> ParsePropertyNumber(std::u16string_view text);

// Whether a property other than except has key.
bool PropertyKeyTaken(const PropertyList& properties, int32_t key,
                      const PackageProperty* except = nullptr);

enum class PropertyBox { Key, Value };
struct PropertyProblem {
    PropertyBox box;
    std::u16string_view message;
};

// The checks of the property dialog's OK, in order: both boxes filled, both numbers, a key no
// other property has. editing is the property being edited (null when adding).
std::variant<PackageProperty, PropertyProblem> ReadPropertyForm(const PropertyList& properties,
                                                                std::u16string_view keyText,
                                                                std::u16string_view valueText,
                                                                const PackageProperty* editing);

} // namespace tb
