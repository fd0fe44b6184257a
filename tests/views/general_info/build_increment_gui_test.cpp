#include "shell/build_gui_fixture.h"

#include "shell/build_command.h"
#include "views/general_info/general_info_view.h"

namespace tb::test {
namespace {

// General Info raises the build number after a successful build only, shown or not.
class BuildIncrementTest : public BuildGuiTest {
protected:
    BuildIncrementTest() {
        settings.showBuildCompleteDialog = false;
        package().versionBuild = 41;
    }
    void build() {
        RunBuildCommand(nullptr, app, {});
        WaitFor([this] { return !app.buildController.building(); });
        QCoreApplication::processEvents(); // events of the run after the dialog closed
    }
    GeneralInfoView view{app, commands, nullptr};
};

TEST_F(BuildIncrementTest, OnlyASuccessfulBuildRaisesTheBuildNumberWhenAsked) {
    build();
    EXPECT_EQ(package().versionBuild, 41) << "automatic increment is off";
    EXPECT_FALSE(app.document.modified());

    package().output.autoIncrementVersion = true;
    package().output.outputName = u"App.txt"; // refused by the validation
    build();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(package().versionBuild, 41) << "a failed build";

    package().output.outputName = u"App.sis";
    build();
    EXPECT_EQ(package().versionBuild, 42) << "the view was never shown";
    EXPECT_TRUE(app.document.modified());

    // No other notification raises it, and the largest number never wraps.
    for (BuildEventCode code :
         {BuildEventCode::Started, BuildEventCode::Failed, BuildEventCode::Cancelled,
          BuildEventCode::Stage, BuildEventCode::OutputChanged, BuildEventCode::ItemReached})
        DeliverBuildEvent({code, 1, nullptr}, app.buildController.listeners());
    EXPECT_EQ(package().versionBuild, 42);
    package().versionBuild = 2147483647;
    DeliverBuildEvent({BuildEventCode::Succeeded}, app.buildController.listeners());
    EXPECT_EQ(package().versionBuild, 2147483647);
}

} // namespace
} // namespace tb::test
