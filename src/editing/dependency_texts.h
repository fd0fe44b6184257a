#pragma once

#include "model/package.h"
#include "util/wide_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace tb {

// The list a dependency is in decides what it is.
enum class DependencyKind { DevicePlatform, Package };

std::u16string_view DependencyKindText(DependencyKind kind); // "Device / Platform", "Package"
DependencyList& DependenciesOf(Package& package, DependencyKind kind);

// The dependencies as the Dependencies view lists them: every device/platform dependency, then
// every package dependency, each in model order.
struct DependencyRow {
    Dependency* dependency;
    DependencyKind kind;

    bool operator==(const DependencyRow&) const = default;
};
std::vector<DependencyRow> DependencyRows(Package& package);

inline constexpr int32_t kAnyVersion = -1;

// "*" for the wildcard, else the decimal number.
WideText VersionComponentText(int32_t component);
// "1.0.*"; with the range flag "1.0.0 - 2.*.*".
WideText DependencyVersionText(const Dependency& dependency);

// A version box: empty or "*" is the wildcard; otherwise the whole text must be a number
// (hexadecimal after "0x", decimal otherwise) that a version component holds. It never wraps:
// 4294967295 is refused, it does not become the wildcard.
std::optional<int32_t> ParseDependencyVersion(std::u16string_view text);
// The whole text a number of 32 bits, hexadecimal after "0x", decimal otherwise; 0 included.
std::optional<uint32_t> ParseDependencyUid(std::u16string_view text);

inline constexpr std::u16string_view kEnterDependencyName = u"Please enter a name.";
inline constexpr std::u16string_view kQuoteInDependencyName =
    u"Invalid name. The name cannot contain any \" characters.";
inline constexpr std::u16string_view kInvalidDependencyUid =
    u"Invalid UID. The UID must be specified in hexadecimal or normal form.";
inline constexpr std::u16string_view kInvalidDependencyVersion =
    u"Invalid version. The version must be a number or a '*' character.";

// What the dependency dialog's boxes hold.
struct DependencyForm {
    DependencyKind kind = DependencyKind::DevicePlatform;
    WideText name;
    WideText uid;
    bool range = false;
    std::array<WideText, 3> fixed{u"*", u"*", u"*"};                    // major, minor, build
    std::array<WideText, 6> bounds{u"*", u"*", u"*", u"*", u"*", u"*"}; // from, then to
};

// The form for dependency of kind with its name in language: the boxes of the form not in use
// show the wildcard.
DependencyForm DependencyFormOf(const Dependency& dependency, DependencyKind kind, size_t language);

// The box OK refuses: index counts within the fixed or the range boxes.
enum class DependencyBox { Name, Uid, Fixed, Range };
struct DependencyProblem {
    DependencyBox box;
    size_t index = 0;
    std::u16string_view message;
};

// What OK stores. A device/platform dependency has no version here: it keeps the one it has.
struct DependencyValues {
    WideText name;
    uint32_t uid = 0;
    bool hasVersion = false;
    bool isRange = false;
    std::array<int32_t, 3> from{kAnyVersion, kAnyVersion, kAnyVersion};
    std::array<int32_t, 3> to{kAnyVersion, kAnyVersion, kAnyVersion};
};

// The checks of OK in their order: name, UID, then (package dependencies only) the boxes of
// the chosen version form.
std::variant<DependencyValues, DependencyProblem> ReadDependencyForm(const DependencyForm& form);

// Stores values into dependency, the name into language; true when anything changed.
bool ApplyDependencyValues(Dependency& dependency, const DependencyValues& values, size_t language);

} // namespace tb
