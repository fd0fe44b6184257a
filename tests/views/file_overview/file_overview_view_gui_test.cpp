#include "views/file_overview/file_overview_view.h"

#include "document/edit_batch.h"
#include "views/dialogs/file_dialog_fixture.h"
#include "views/dialogs/install_file_dialog.h"
#include "views/file_overview/file_row_model.h"
#include "views/list_editor.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

#include <filesystem>

namespace tb {
namespace {

using test::kBy;
using test::WhenModal;

class FileOverviewTest : public test::FilePackageTest {
protected:
    void SetUp() override {
        open();
        view.activate();
    }

    // Each row as "source | target | drive | install type" (shown columns), or the given column.
    QStringList rows(int only = -1) const {
        QStringList out;
        const QAbstractItemModel& model = view.shownRows();
        for (int r = 0; r < model.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model.columnCount(); ++c)
                if (only < 0 ? !view.editor()->table()->isColumnHidden(c) : c == only)
                    cells << model.index(r, c).data().toString();
            out << cells.join(" | ");
        }
        return out;
    }
    QStringList targets() const { return rows(1); }

    FileOverviewView view{app, registry};
};

const QString kApp = "bin\\app.exe | \\sys\\bin\\app.exe | Let User Choose | Install only";
const QString kExtra = "extra\\extra.dat | \\private\\a0001234\\extra.dat | e: | Run on "
                       "installation and uninstallation";
const QString kCond = "cond.txt | \\private\\a0001234\\cond.txt | c: | Run on unistallation";

// Files inside options and condition branches are listed; viewer files, language-dependent
// files and null files are not.
TEST_F(FileOverviewTest, ListsEveryInstalledFileInSequenceOrder) {
    EXPECT_EQ(rows(), QStringList({kApp, kExtra, kCond}));

    // Sorted by a column's key (the keys are FileRowsTest's).
    view.editor()->table()->sortByColumn(2, Qt::AscendingOrder);
    EXPECT_EQ(targets(), QStringList({"\\sys\\bin\\app.exe", "\\private\\a0001234\\cond.txt",
                                      "\\private\\a0001234\\extra.dat"}));
}

// An edit refreshes its row; pre-installed packages show source and target only.
TEST_F(FileOverviewTest, EditsAndPreinstalledPackagesShowSourceAndTargetOnly) {
    WhenModal<InstallFileDialog> when([](InstallFileDialog& dialog) {
        dialog.nameBox()->setText("main.exe");
        dialog.driveBox()->setCurrentIndex(3);
        dialog.okButton()->click();
    });
    view.editor()->selectRow(0);
    view.editor()->editSelected();
    EXPECT_EQ(rows().front(), "bin\\app.exe | \\sys\\bin\\main.exe | C: | Install only");

    open(test::kFiles, "&EN,FR\n#{\"App\",\"App FR\"},(0xA0001234),1,0,0,TYPE=PP\n"
                       "%{\"V\",\"V\"}\n:\"V\"\n");
    EXPECT_EQ(rows().front(),
              "bin\\app.exe | \\sys\\bin\\app.exe"); // the dialog: InstallFileDialogTest
}

TEST_F(FileOverviewTest, RemovingAFileOfAnOptionTakesItOutOfTheOptionAndSeveralAreOneBatch) {
    InstallItem* option = package().items.first->next->next->firstChild;
    boxes.answers = {ui::MessageAnswer::Yes};
    view.editor()->selectRow(1);
    view.editor()->removeSelected();
    EXPECT_EQ(boxes.shown.size(), 1u) << "asked first (the text: ListEditorTest)";
    EXPECT_EQ(rows(), QStringList({kApp, kCond}));
    EXPECT_EQ(option->firstChild, nullptr);

    const int batches = log.batches;
    view.remove({1, 0}); // what Delete hands over after the question
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(log.batches, batches + 1);
    EXPECT_EQ(CollectFileItems(package().items).size(), 3u) << "viewer, language, null file";
}

// Dropped files go to the end of the top level, whatever row is selected (added files take the
// same way: ViewsSessionTest).
TEST_F(FileOverviewTest, DroppedFilesGoToTheEndOfTheSequence) {
    view.editor()->selectRow(1); // a file of an option
    const std::string dropped = dir.write("App/drop/app_reg.rsc", "x");
    std::filesystem::create_directories(dir.path() / "App/folder");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(ui::HostPathToQString(dropped)),
                  QUrl::fromLocalFile(ui::HostPathToQString((dir.path() / "App/folder").string())),
                  QUrl("https://example.com/a.txt")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &drop);
    EXPECT_EQ(rows().mid(3), QStringList{".\\drop\\app_reg.rsc | "
                                         "\\private\\10003a3f\\import\\apps\\app_reg.rsc | Let "
                                         "User Choose | Install only"})
        << "a folder and a web address are no files to install";
}

// What other views do through the document shows at once.
TEST_F(FileOverviewTest, KeepsInStepWithTheOtherViews) {
    InstallItem* extra = file(u"extra\\extra.dat");
    InstallItem* cond = file(u"cond.txt");
    auto made = std::make_unique<InstallFileItem>(u"new.txt");
    made->target = u"\\x\\in_option.txt";
    InstallItem* inOption = document.insertItem(std::move(made), ItemPlace::after(extra), kBy);
    EXPECT_EQ(targets(), QStringList({"\\sys\\bin\\app.exe", "\\private\\a0001234\\extra.dat",
                                      "\\x\\in_option.txt", "\\private\\a0001234\\cond.txt"}));

    document.changeItem(
        itemAs<InstallFileItem>(cond), [](InstallFileItem& f) { f.target = u"\\y\\cond.txt"; },
        kBy);
    EXPECT_EQ(targets().back(), "\\y\\cond.txt");

    document.removeItem(cond->parent->parent, kBy);
    EXPECT_EQ(targets().size(), 3);

    {
        EditBatch batch(document);
        document.changeItem(
            itemAs<InstallFileItem>(extra), [](InstallFileItem& f) { f.target = u"\\z\\e.dat"; },
            kBy);
        document.removeItem(inOption, kBy);
    }
    EXPECT_EQ(targets(), QStringList({"\\sys\\bin\\app.exe", "\\z\\e.dat"}))
        << "the rows are made again when the batch ends";
}

} // namespace
} // namespace tb
