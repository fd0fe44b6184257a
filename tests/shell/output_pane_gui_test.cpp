#include "build_gui_fixture.h"

#include "shell/build_command.h"
#include "shell/output_pane.h"
#include "support/gui_doubles.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QToolButton>

namespace tb::test {
namespace {

QAction* MenuAction(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

class OutputPaneTest : public BuildGuiTest {
protected:
    BuildOutputLog& log() { return app.buildController.log(); }
};

TEST_F(OutputPaneTest, CopiesWhatIsNewAndStartsAgainAfterTheLogWasEmptied) {
    log().appendLine(u"before");
    OutputPane pane(app, commands, nullptr);
    log().appendLine(u"one");
    pane.outputChanged();
    log().appendLine(u"two");
    pane.buildSucceeded();
    EXPECT_EQ(pane.text(), "before\none\ntwo\n");
    log().clear();
    log().appendLine(u"x");
    pane.outputChanged();
    EXPECT_EQ(pane.text(), "x\n");
    pane.buildStarted();
    EXPECT_EQ(pane.text(), "");
    pane.outputChanged(); // the new build's log from its start
    pane.buildCancelled();
    EXPECT_EQ(pane.text(), "x\n\nThe build was cancelled by the user");
    app.document.close();
    EXPECT_EQ(pane.text(), "");

    pane.appendLine("hello");
    pane.appendLine("");
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d hello\n\n$").match(pane.text()).hasMatch());
}

TEST_F(OutputPaneTest, ContextMenuAndCloseButton) {
    OutputPane pane(app, commands, nullptr);
    auto empty = pane.createContextMenu();
    EXPECT_FALSE(MenuAction(*empty, "Copy")->isEnabled() ||
                 MenuAction(*empty, "Clear")->isEnabled());

    log().appendLine(u"some output");
    pane.outputChanged();
    auto menu = pane.createContextMenu();
    EXPECT_TRUE(MenuAction(*menu, "Copy")->isEnabled());
    MenuAction(*menu, "Clear")->trigger();
    EXPECT_EQ(pane.text(), "");
    EXPECT_TRUE(log().read().empty());

    CommandLog handler;
    commands.addHandler(&handler);
    pane.findChild<QToolButton*>()->click();
    commands.removeHandler(&handler);
    EXPECT_EQ(handler.ids, std::vector<int>{ui::cmd::kOutputPane});
}

TEST_F(OutputPaneTest, ClearDuringABuildContinuesFromTheNewLog) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "1500");
    settings.showBuildCompleteDialog = false;
    OutputPane pane(app, commands, nullptr);
    bool cleared = false;
    Poll clear([&] {
        if (pane.text().contains("Building package..."))
            MenuAction(*pane.createContextMenu(), "Clear")->trigger(),
                cleared = pane.text().isEmpty();
        return cleared;
    });
    RunBuildCommand(nullptr, app, {});
    EXPECT_TRUE(cleared);
    EXPECT_FALSE(pane.text().contains("Starting Build")) << pane.text().toStdString();
    EXPECT_TRUE(pane.text().contains("Package was successfully built to '"))
        << pane.text().toStdString();
    EXPECT_EQ(pane.text(), QString::fromStdU16String(log().read()).replace("\r\n", "\n"));
}

} // namespace
} // namespace tb::test
