#include "buildengine/build_configuration.h"

#include <gtest/gtest.h>

#include <string>

namespace tb {
namespace {

// "s<first letter of the id>", "p<platform>", "t<target>" for each notification.
struct Recorder : BuildConfigurationListener {
    void sdkChanged(const SdkInfo& sdk) override { log += {'s', char(sdk.id[0]), ' '}; }
    void platformChanged(BuildPlatform p) override { log += {'p', char('0' + int(p)), ' '}; }
    void targetChanged(BuildTarget t) override { log += {'t', char('0' + int(t)), ' '}; }
    std::string log;
};

TEST(BuildConfiguration, StartsWithFirstSdkGcceUrelAndRefusesUnknownValues) {
    const SdkList sdks{{u"", u"A", u"", false},
                       {u"", u"B", u"", true}}; // the default is not the first choice
    BuildConfiguration config(sdks);
    const auto state = [&] {
        return std::tuple(config.currentSdk(), config.platform(), config.target());
    };
    EXPECT_EQ(state(), std::tuple(config.sdkAt(0), BuildPlatform::Gcce, BuildTarget::Urel));

    Recorder recorder;
    config.addListener(&recorder);
    EXPECT_TRUE(config.selectSdk(1) && config.setPlatform(BuildPlatform::Winscw) &&
                config.setTarget(BuildTarget::Udeb));
    EXPECT_FALSE(config.selectSdk(2) || config.setPlatform(BuildPlatform(3)) ||
                 config.setTarget(BuildTarget(-1)));
    EXPECT_EQ(recorder.log, "sB p2 t1 ");
    EXPECT_EQ(state(), std::tuple(config.sdkAt(1), BuildPlatform::Winscw, BuildTarget::Udeb));
}

} // namespace
} // namespace tb
