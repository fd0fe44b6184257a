#include "buildengine/build_configuration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tb {
namespace {

struct Recorder : BuildConfigurationListener {
    Recorder(char tag, std::string& log) : tag(tag), log(log) {}
    void sdkChanged(const SdkInfo& sdk) override { log += {tag, 's', char(sdk.id[0]), ' '}; }
    void platformChanged(BuildPlatform p) override { log += {tag, 'p', char('0' + int(p)), ' '}; }
    void targetChanged(BuildTarget t) override { log += {tag, 't', char('0' + int(t)), ' '}; }
    char tag;
    std::string& log;
};

TEST(BuildConfiguration, StartsWithFirstSdkGcceUrelAndNotifiesInOrder) {
    SdkList sdks(2);
    sdks[0].id = u"A";
    sdks[1].id = u"B";
    sdks[1].isDefault = true;
    BuildConfiguration config(sdks);
    EXPECT_EQ(std::tuple(config.currentSdk(), config.platform(), config.target()),
              std::tuple(config.sdkAt(0), BuildPlatform::Gcce, BuildTarget::Urel));
    EXPECT_EQ(config.sdkAt(2), nullptr);
    EXPECT_EQ(BuildConfiguration(SdkList()).currentSdk(), nullptr);

    std::string log;
    Recorder a('a', log), b('b', log);
    config.addListener(&a);
    config.addListener(&b);
    EXPECT_TRUE(config.selectSdk(1) && config.setPlatform(BuildPlatform::Winscw) &&
                config.setTarget(BuildTarget::Udeb));
    EXPECT_EQ(log, "asB bsB ap2 bp2 at1 bt1 ");
    EXPECT_EQ(std::tuple(config.currentSdk(), config.platform(), config.target()),
              std::tuple(config.sdkAt(1), BuildPlatform::Winscw, BuildTarget::Udeb));

    log.clear();
    EXPECT_FALSE(config.selectSdk(2) || config.setPlatform(BuildPlatform(3)) ||
                 config.setTarget(BuildTarget(-1)));
    EXPECT_EQ(log, "");
    EXPECT_EQ(config.currentSdk()->id, u"B");
}

} // namespace
} // namespace tb
