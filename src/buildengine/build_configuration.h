#pragma once

#include "buildengine/sdk_list.h"
#include "util/listener_list.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tb {

enum class BuildPlatform : int32_t { Armv5 = 0, Gcce = 1, Winscw = 2 };
enum class BuildTarget : int32_t { Urel = 0, Udeb = 1 };
constexpr int32_t kBuildPlatformCount = 3;
constexpr int32_t kBuildTargetCount = 2;

// Menu texts ("Phone (GCCE)") and the folder names used in expanded paths ("gcce"); empty for
// values out of range.
std::u16string_view BuildPlatformText(BuildPlatform platform);
std::u16string_view BuildPlatformName(BuildPlatform platform);
std::u16string_view BuildTargetText(BuildTarget target);
std::u16string_view BuildTargetName(BuildTarget target);

class BuildConfigurationListener {
public:
    virtual ~BuildConfigurationListener() = default;
    virtual void sdkChanged(const SdkInfo& /*sdk*/) {}
    virtual void platformChanged(BuildPlatform /*platform*/) {}
    virtual void targetChanged(BuildTarget /*target*/) {}
};

// The current SDK, platform and target. Not stored: every run starts with the first SDK, GCCE
// and UREL.
class BuildConfiguration {
public:
    BuildConfiguration(); // runs SDK discovery
    explicit BuildConfiguration(SdkList sdks);
    BuildConfiguration(const BuildConfiguration&) = delete;
    BuildConfiguration& operator=(const BuildConfiguration&) = delete;

    // Listeners are not owned and are called in the order they were added.
    void addListener(BuildConfigurationListener* listener) { listeners_.add(listener); }
    void removeListener(BuildConfigurationListener* listener) { listeners_.remove(listener); }

    // Out-of-range values change nothing, notify nobody and give false.
    bool selectSdk(size_t position);
    bool setPlatform(BuildPlatform platform);
    bool setTarget(BuildTarget target);

    const SdkInfo* currentSdk() const; // null only when no SDK was found
    BuildPlatform platform() const { return platform_; }
    BuildTarget target() const { return target_; }

    size_t sdkCount() const { return sdks_.size(); }
    const SdkInfo* sdkAt(size_t position) const; // null when out of range
    const SdkList& sdks() const { return sdks_; }

private:
    SdkList sdks_;
    std::optional<size_t> current_;
    BuildPlatform platform_ = BuildPlatform::Gcce;
    BuildTarget target_ = BuildTarget::Urel;
    ListenerList<BuildConfigurationListener> listeners_;
};

} // namespace tb
