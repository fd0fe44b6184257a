#include "document/app_settings.h"
#include "document/application.h"
#include "shell/main_window.h"
#include "support/gui_doubles.h"
#include "support/recording_message_boxes.h"
#include "support/temp_dir.h"
#include "ui/gui_build_events.h"
#include "util/error_code.h"
#include "views/view_page.h"

#include <QAction>

#include <gtest/gtest.h>

namespace tb::test {
namespace {

namespace cmd = ui::cmd;

// The window hands each view its tool bar commands while it shows it (the sessions use them),
// reads the view's rule again on update, and takes them back when the package closes or the
// window goes.
TEST(ViewHostingTest, ToolBarCommandsBelongToTheShownView) {
    TempDir dir;
    AppSettings settings{dir.file("user.conf"), dir.file("machine.conf"), dir.path().string()};
    ui::GuiBuildEvents events;
    RecordingMessageBoxes boxes;
    ui::CommandRegistry commands;
    Application app{settings, events, SdkList{}};
    auto on = [&](int id) { return commands.isEnabled(id); };
    {
        MainWindow window(app, commands);
        const int phone = int(ViewIndex::PhoneView), designer = int(ViewIndex::Designer);
        bool movable = true; // the Designer's rule, say a node that can move
        ViewCommands& designerCommands = window.view(designer)->commands();
        designerCommands.claim(
            cmd::kMoveUp, [] {}, [&] { return movable; });
        int ran = 0;
        window.view(phone)->commands().claim(cmd::kTargetFull, [&] { ++ran; });

        std::string path = dir.copy(TB_TEST_DATA_DIR "/pkg/handwritten_utf8.pkg", "Demo.pkg");
        ASSERT_EQ(app.document.open(path, false), err::kOk);
        commands.execute(cmd::kFirstView + designer);
        EXPECT_TRUE(on(cmd::kMoveUp));
        EXPECT_FALSE(on(cmd::kMoveDown)) << "claimed, but the page does not run it yet";
        movable = false;
        designerCommands.update();
        EXPECT_FALSE(on(cmd::kMoveUp)) << "the rule is read again";

        commands.execute(cmd::kFirstView + phone);
        EXPECT_TRUE(on(cmd::kTargetFull) && !on(cmd::kTargetSimple));
        commands.action(cmd::kTargetFull)->trigger();
        EXPECT_EQ(ran, 1);
        app.document.close();
        EXPECT_FALSE(on(cmd::kTargetFull)) << "no view is shown without a package";
        ASSERT_EQ(app.document.open(path, false), err::kOk);
        commands.execute(cmd::kFirstView + phone);
        EXPECT_TRUE(on(cmd::kTargetFull));
    }
    EXPECT_FALSE(on(cmd::kTargetFull)) << "the window and its views are gone";
    EXPECT_FALSE(commands.execute(cmd::kTargetFull));
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace tb::test
