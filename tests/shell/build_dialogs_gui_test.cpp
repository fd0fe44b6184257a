#include "build_gui_fixture.h"

#include "shell/build_command.h"
#include "shell/build_completed_dialog.h"
#include "shell/build_progress_dialog.h"
#include "shell/output_pane.h"
#include "ui/dont_show_again.h"

#include <QLabel>
#include <QPushButton>

#include <filesystem>

namespace tb::test {
namespace {

using Step = BuildProgressDialog::Step;

// How the progress dialog looks at each build event, when changed: "status|rows", the running
// row marked '*', a hidden one left out. Added before the dialog, it sees the previous state.
class ProgressWatcher : public BuildListener {
public:
    void buildStarted() override { look(); }
    void buildSucceeded() override { look(); }
    void buildStage(int32_t) override { look(); }
    void outputChanged() override { look(); }
    void itemProcessed(const InstallItem*) override { look(); }
    QStringList looks;

private:
    void look() {
        auto* dialog = qobject_cast<BuildProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QString text = dialog->statusText();
        for (Step step : {Step::Validation, Step::Build, Step::Signing})
            if (dialog->stepShown(step))
                text +=
                    u'|' + dialog->stepText(step) +
                    (dialog->stepState(step) == BuildProgressDialog::StepState::Running ? "*" : "");
        if (looks.isEmpty() || looks.back() != text)
            looks.push_back(text);
    }
};

class BuildDialogsTest : public BuildGuiTest {
protected:
    BuildDialogsTest() { app.buildController.addListener(&watcher); }
    ~BuildDialogsTest() override { app.buildController.removeListener(&watcher); }

    void build() {
        RunBuildCommand(nullptr, app, [this] { ++paneShown; });
        WaitFor([this] { return !app.buildController.building(); });
        QCoreApplication::processEvents(); // events of the run after the dialog closed
    }
    QString builtFile() const { return QString::fromStdString(dir.file("App.sis")); }
    std::string looks() const { return watcher.looks.join('\n').toStdString(); }

    ProgressWatcher watcher;
    int paneShown = 0;
};

TEST_F(BuildDialogsTest, SignedBuildAdvancesWhileModalAndReportsTheBuiltFile) {
    package().signing = {true, u"", fromHostPath(dir.write("cert.pem", "c")),
                         fromHostPath(dir.write("key.pem", "k"))};
    QString title, text;
    bool warningShown = true;
    WhenModal<BuildProgressDialog> progress([&](auto& d) { title = d.titleText(); });
    WhenModal<BuildCompletedDialog> completed([&](BuildCompletedDialog& d) {
        text = d.textLabel()->text();
        warningShown = !d.unsignedWarning()->isHidden();
        d.closeButton()->click();
    });
    build();

    EXPECT_EQ(title, "Building package App.pkg, Configuration: GCCE, UREL");
    const QString adding = "Adding " + QString::fromStdString(dir.file("data/a.txt")) + "...";
    EXPECT_TRUE(watcher.looks.contains(
        "Validating package...|Validating...*|Build pending|Signing pending"))
        << looks();
    EXPECT_TRUE(
        watcher.looks.contains(adding + "|Validation complete|Building...*|Signing pending"))
        << looks();
    EXPECT_TRUE(watcher.looks.contains(
        "Signing package...|Validation complete|Building complete|Signing...*"));
    ASSERT_FALSE(watcher.looks.isEmpty());
    EXPECT_EQ(watcher.looks.back(),
              "Signing package...|Validation complete|Building complete|Signing complete");
    EXPECT_EQ(text, "Package 'App' was successfully built to '" + builtFile() + "'");
    EXPECT_FALSE(warningShown);
    EXPECT_TRUE(boxes.shown.empty() && shownFiles.empty());
}

TEST_F(BuildDialogsTest, UnsignedBuildHasNoSigningRowAndDontShowAgainTakesEffectAtOnce) {
    bool warningShown = false, settingAfterTick = true;
    WhenModal<BuildCompletedDialog> completed([&](BuildCompletedDialog& d) {
        warningShown = !d.unsignedWarning()->isHidden();
        d.dontShowAgainBox()->setChecked(true);
        settingAfterTick = settings.showBuildCompleteDialog;
        d.openFolderButton()->click();
    });
    build();
    ASSERT_FALSE(watcher.looks.isEmpty());
    EXPECT_EQ(watcher.looks.back().section('|', 1), "Validation complete|Building complete")
        << looks();
    EXPECT_FALSE(watcher.looks.join(' ').contains("Sign")) << looks();
    EXPECT_TRUE(warningShown);
    EXPECT_FALSE(settingAfterTick);
    EXPECT_EQ(shownFiles, std::vector<QString>{builtFile()});

    bool completedShown = false; // switched off now
    Poll watch([&] { return completedShown |= Modal<BuildCompletedDialog>() != nullptr, false; });
    build();
    EXPECT_FALSE(completedShown);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BuildDialogsTest, FailedBuildShowsTheMessageThenTheOutputPane) {
    package().output.outputName = u"App.txt";
    OutputPane pane(app, commands, nullptr);
    int boxesWhenPaneShown = -1;
    RunBuildCommand(nullptr, app, [&] { boxesWhenPaneShown = int(boxes.shown.size()); });
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "Building package failed. See the output view for more information.");
    EXPECT_EQ(boxesWhenPaneShown, 1);
    EXPECT_TRUE(pane.text().contains("Validation failed: 1 error(s)"));
}

TEST_F(BuildDialogsTest, CancelStopsTheBuildWithoutAMessage) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "60000");
    OutputPane pane(app, commands, nullptr);
    Poll cancel([] {
        auto* dialog = Modal<BuildProgressDialog>();
        const bool adding = dialog && dialog->statusText().startsWith("Adding ");
        if (adding)
            dialog->cancelButton()->click();
        return adding;
    });
    build();
    EXPECT_TRUE(WaitFor([&] {
        return pane.text().endsWith("\n\nThe build was cancelled by the user");
    })) << pane.text().toStdString();
    EXPECT_LT(watchdog.elapsed(), 20000);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(paneShown, 0);
    EXPECT_FALSE(std::filesystem::exists(builtFile().toStdString()));
}

} // namespace
} // namespace tb::test
