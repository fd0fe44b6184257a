#include "buildengine/build_configuration.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tb {

namespace {

struct NamedValue {
    std::u16string_view text; // menus, build start line
    std::u16string_view name; // folder in expanded paths
};

constexpr std::array<NamedValue, kBuildPlatformCount> kPlatforms = {{
    {u"Phone (ARMV5)", u"armv5"},
    {u"Phone (GCCE)", u"gcce"},
    {u"Emulator (WINSCW)", u"winscw"},
}};

constexpr std::array<NamedValue, kBuildTargetCount> kTargets = {{
    {u"Release (UREL)", u"urel"},
    {u"Debug (UDEB)", u"udeb"},
}};

template <typename Enum, size_t N>
const NamedValue* lookup(const std::array<NamedValue, N>& table, Enum value) {
    auto index = static_cast<int32_t>(value);
    return index >= 0 && static_cast<size_t>(index) < N ? &table[index] : nullptr;
}

} // namespace

std::u16string_view BuildPlatformText(BuildPlatform platform) {
    const NamedValue* entry = lookup(kPlatforms, platform);
    return entry ? entry->text : std::u16string_view();
}

std::u16string_view BuildPlatformName(BuildPlatform platform) {
    const NamedValue* entry = lookup(kPlatforms, platform);
    return entry ? entry->name : std::u16string_view();
}

std::u16string_view BuildTargetText(BuildTarget target) {
    const NamedValue* entry = lookup(kTargets, target);
    return entry ? entry->text : std::u16string_view();
}

std::u16string_view BuildTargetName(BuildTarget target) {
    const NamedValue* entry = lookup(kTargets, target);
    return entry ? entry->name : std::u16string_view();
}

BuildConfiguration::BuildConfiguration() : BuildConfiguration(DiscoverSdks()) {}

BuildConfiguration::BuildConfiguration(SdkList sdks) : sdks_(std::move(sdks)) {
    if (!sdks_.empty())
        current_ = 0;
}

bool BuildConfiguration::selectSdk(size_t position) {
    if (position >= sdks_.size())
        return false;
    current_ = position;
    listeners_.notify([&](BuildConfigurationListener& l) { l.sdkChanged(sdks_[position]); });
    return true;
}

bool BuildConfiguration::setPlatform(BuildPlatform platform) {
    if (!lookup(kPlatforms, platform))
        return false;
    platform_ = platform;
    listeners_.notify([&](BuildConfigurationListener& l) { l.platformChanged(platform); });
    return true;
}

bool BuildConfiguration::setTarget(BuildTarget target) {
    if (!lookup(kTargets, target))
        return false;
    target_ = target;
    listeners_.notify([&](BuildConfigurationListener& l) { l.targetChanged(target); });
    return true;
}

const SdkInfo* BuildConfiguration::currentSdk() const {
    return current_ ? &sdks_[*current_] : nullptr;
}

const SdkInfo* BuildConfiguration::sdkAt(size_t position) const {
    return position < sdks_.size() ? &sdks_[position] : nullptr;
}

} // namespace tb
