#include "build_gui_fixture.h"

#include "document/messages.h"
#include "shell/export_dialog.h"
#include "support/gui_doubles.h"
#include "ui/open_folder_dialog.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

namespace tb::test {
namespace {

class ExportDialogTest : public BuildGuiTest {
protected:
    QString file(const std::string& name) const { return QString::fromStdString(dir.file(name)); }
};

TEST_F(ExportDialogTest, FileNameFollowsPlatformAndTargetInTheChosenFolder) {
    AnsweringFileDialogs files;
    files.answer = "/elsewhere/picked.pkg";
    ExportDialog dialog(app, nullptr);
    EXPECT_EQ(dialog.outputPath(), file("App_gcce_urel.pkg"));
    dialog.platformList()->setCurrentIndex(2);
    dialog.targetList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.outputPath(), file("App_winscw_udeb.pkg"));
    dialog.browseButton()->click();
    EXPECT_EQ(files.asked, QStringList({"Select Output File", "Symbian Package (*.pkg)", "pkg",
                                        file("App_winscw_udeb.pkg")}));
    dialog.platformList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.outputPath(), "/elsewhere/App_armv5_udeb.pkg");
}

TEST_F(ExportDialogTest, EmptyAndRelativePathsKeepTheDialogOpenThenTheExportWrites) {
    const std::string target = dir.file("export/App.pkg");
    std::filesystem::create_directories(dir.path() / "export");
    int openAndFocused = 0;
    QString succeeded;
    WhenModal<ExportDialog> fill([&](ExportDialog& d) {
        for (const char* path : {"", "out.pkg"}) {
            d.outputField()->setText(path);
            d.exportButton()->click();
            openAndFocused += d.isVisible() && d.focusWidget() == d.outputField();
        }
        d.outputField()->setText(QString::fromStdString(target));
        d.exportButton()->click();
    });
    WhenModal<ui::OpenFolderDialog> done([&](ui::OpenFolderDialog& d) {
        succeeded = d.textLabel()->text();
        d.openFolderButton()->click();
    });
    RunExportCommand(nullptr, app);

    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, ui::ToQString(messages::kExportNoOutputFile));
    EXPECT_EQ(boxes.shown[1].text, ui::ToQString(messages::kExportRelativeOutputFile));
    EXPECT_EQ(openAndFocused, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.pkg")));
    EXPECT_TRUE(std::filesystem::exists(target)); // what it holds is the document's test
    EXPECT_EQ(succeeded,
              "Package was successfully exported to '" + QString::fromStdString(target) + "'");
    EXPECT_EQ(shownFiles, std::vector<QString>{QString::fromStdString(target)});
}

} // namespace
} // namespace tb::test
