#include "build_gui_fixture.h"

#include "document/messages.h"
#include "shell/build_completed_dialog.h"
#include "shell/build_progress_dialog.h"
#include "shell/export_dialog.h"
#include "shell/output_pane.h"
#include "support/gui_doubles.h"
#include "ui/dont_show_again.h"
#include "ui/open_folder_dialog.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>

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
        runBuild(nullptr, [this] { ++paneShown; });
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
    const QStringList steps = {
        "Validating package...|Validating...*|Build pending|Signing pending",
        adding + "|Validation complete|Building...*|Signing pending",
        "Signing package...|Validation complete|Building complete|Signing...*",
        "Signing package...|Validation complete|Building complete|Signing complete"};
    for (const QString& step : steps)
        EXPECT_TRUE(watcher.looks.contains(step)) << step.toStdString() << " in\n" << looks();
    EXPECT_EQ(watcher.looks.value(watcher.looks.size() - 1), steps.back());
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
    EXPECT_EQ(watcher.looks.value(watcher.looks.size() - 1).section('|', 1),
              "Validation complete|Building complete")
        << looks();
    EXPECT_FALSE(watcher.looks.join(' ').contains("Sign")) << looks();
    EXPECT_TRUE(warningShown);
    EXPECT_FALSE(settingAfterTick);
    EXPECT_EQ(shownFiles, std::vector<QString>{builtFile()});

    bool completedShown = false; // switched off now
    Poll watch([&] { return completedShown |= Modal<BuildCompletedDialog>() != nullptr, false; });
    build();
    EXPECT_TRUE(!completedShown && boxes.shown.empty());
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

using OutputPaneTest = BuildGuiTest;

TEST_F(OutputPaneTest, CopiesWhatIsNewAndStartsAgainAfterTheLogWasEmptied) {
    BuildOutputLog& log = app.buildController.log();
    log.appendLine(u"before");
    OutputPane pane(app, commands, nullptr);
    log.appendLine(u"one");
    pane.outputChanged();
    log.appendLine(u"two");
    pane.buildSucceeded();
    EXPECT_EQ(pane.text(), "before\none\ntwo\n");
    log.clear();
    log.appendLine(u"x");
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

TEST_F(OutputPaneTest, ClearDuringABuildContinuesFromTheNewLog) {
    ScopedEnv slow("FAKE_MAKESIS_SLEEP_MS", "1500");
    settings.showBuildCompleteDialog = false;
    OutputPane pane(app, commands, nullptr);
    bool cleared = false;
    Poll clear([&] {
        auto menu = pane.createContextMenu();
        for (QAction* action : menu->actions())
            if (action->text() == "Clear" && pane.text().contains("Building package..."))
                action->trigger(), cleared = pane.text().isEmpty();
        return cleared;
    });
    RunBuildCommand(nullptr, app, {});
    EXPECT_TRUE(cleared);
    EXPECT_FALSE(pane.text().contains("Starting Build")) << pane.text().toStdString();
    EXPECT_EQ(pane.text(),
              QString::fromStdU16String(app.buildController.log().read()).replace("\r\n", "\n"));
}

using ExportDialogTest = BuildGuiTest;

TEST_F(ExportDialogTest, FileNameFollowsPlatformAndTargetInTheChosenFolder) {
    auto file = [&](const char* name) { return QString::fromStdString(dir.file(name)); };
    AnsweringFileDialogs files;
    files.answer = "/elsewhere/picked.pkg";
    ExportDialog dialog(app, nullptr);
    EXPECT_EQ(dialog.outputPath(), file("App_gcce_urel.pkg"));
    dialog.platformList()->setCurrentIndex(2);
    dialog.targetList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.outputPath(), file("App_winscw_udeb.pkg"));
    dialog.browseButton()->click();
    EXPECT_EQ(files.asked.value(3), file("App_winscw_udeb.pkg")) << "browsing starts there";
    dialog.platformList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.outputPath(), "/elsewhere/App_armv5_udeb.pkg");
}

TEST_F(ExportDialogTest, EmptyAndRelativePathsKeepTheDialogOpenThenTheExportWrites) {
    const std::string target = dir.file("export/App.pkg");
    std::filesystem::create_directories(dir.path() / "export");
    int stillOpen = 0;
    WhenModal<ExportDialog> fill([&](ExportDialog& d) {
        for (const char* path : {"", "out.pkg"}) {
            d.outputField()->setText(path);
            d.exportButton()->click();
            stillOpen += d.isVisible();
        }
        d.outputField()->setText(QString::fromStdString(target));
        d.exportButton()->click();
    });
    WhenModal<ui::OpenFolderDialog> done(
        [](ui::OpenFolderDialog& d) { d.openFolderButton()->click(); });
    RunExportCommand(nullptr, app);

    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::kExportNoOutputFile));
    EXPECT_EQ(boxes.shown[1].text, ui::ToQString(messages::kExportRelativeOutputFile));
    EXPECT_EQ(stillOpen, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.pkg")));
    EXPECT_TRUE(std::filesystem::exists(target)); // what it holds is the document's test
    EXPECT_EQ(shownFiles, std::vector<QString>{QString::fromStdString(target)});
}

} // namespace
} // namespace tb::test
