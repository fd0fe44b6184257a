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

    // Each shown row as "source | target | drive | install type" (shown columns only), or only
    // the given column.
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

    // Sorting by a column's key; no sort column is the sequence order again.
    QTreeView* table = view.editor()->table();
    table->sortByColumn(2, Qt::AscendingOrder);
    EXPECT_EQ(targets(), QStringList({"\\sys\\bin\\app.exe", "\\private\\a0001234\\cond.txt",
                                      "\\private\\a0001234\\extra.dat"}));
    table->sortByColumn(-1, Qt::AscendingOrder);
    EXPECT_EQ(rows(), QStringList({kApp, kExtra, kCond}));
}

// An edit refreshes its row and tells the others; pre-installed packages show source and
// target only.
TEST_F(FileOverviewTest, EditsAndPreinstalledPackagesShowSourceAndTargetOnly) {
    WhenModal<InstallFileDialog> when([](InstallFileDialog& dialog) {
        dialog.nameBox()->setText("main.exe");
        dialog.driveBox()->setCurrentIndex(3);
        dialog.okButton()->click();
    });
    view.editor()->selectRow(0);
    view.editor()->editSelected();
    EXPECT_EQ(rows().front(), "bin\\app.exe | \\sys\\bin\\main.exe | C: | Install only");
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(log.changes[0].source, ItemChangeSource::FileDialog);

    open(test::kFiles, "&EN,FR\n#{\"App\",\"App FR\"},(0xA0001234),1,0,0,TYPE=PP\n"
                       "%{\"V\",\"V\"}\n:\"V\"\n");
    EXPECT_EQ(rows().front(),
              "bin\\app.exe | \\sys\\bin\\app.exe"); // the dialog: InstallFileDialogTest

    // Another view makes it an application: the columns come back.
    document.changePackage(
        PackageChangeKind::Header, [](Package& p) { p.type = PackageType::Application; },
        &test::kMarker);
    EXPECT_EQ(rows().front(), kApp);
}

TEST_F(FileOverviewTest, RemovingAFileOfAnOptionTakesItOutOfTheOptionAndSeveralAreOneBatch) {
    InstallItem* option = package().items.first->next->next->firstChild;
    boxes.answers = {ui::MessageAnswer::Yes};
    view.editor()->selectRow(1);
    view.editor()->removeSelected();
    EXPECT_EQ(shownTexts(),
              std::vector<QString>{"Are you sure you want to remove "
                                   "'\\private\\a0001234\\extra.dat' from the package?"});
    EXPECT_EQ(rows(), QStringList({kApp, kCond}));
    EXPECT_EQ(option->firstChild, nullptr);
    EXPECT_EQ(log.changes.size(), 1u);

    const int batches = log.batches;
    view.remove({1, 0}); // what Delete hands over after the question
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(log.batches, batches + 1);
    EXPECT_EQ(CollectFileItems(package().items).size(), 3u) << "viewer, language, null file";
}

// Added and dropped files go to the end of the top level, whatever row is selected.
TEST_F(FileOverviewTest, AddedAndDroppedFilesGoToTheEndOfTheSequence) {
    view.editor()->selectRow(1); // a file of an option
    files.many = {ui::HostPathToQString(folder() + "gfx/icons.mif"),
                  ui::HostPathToQString(folder() + "notes")};
    view.editor()->addButton()->click();
    EXPECT_EQ(rows().mid(3), QStringList({".\\gfx\\icons.mif | \\resource\\apps\\icons.mif | Let "
                                          "User Choose | Install only",
                                          ".\\notes | \\private\\a0001234\\notes | Let User Choose "
                                          "| Install only"}));
    EXPECT_EQ(view.editor()->selectedRows(), QList<int>{4}) << "the last one added";

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
    EXPECT_EQ(rows().size(), 6) << "a folder and a web address are no files to install";
    EXPECT_EQ(rows().back(),
              ".\\drop\\app_reg.rsc | \\private\\10003a3f\\import\\apps\\app_reg.rsc "
              "| Let User Choose | Install only");

    QMimeData text;
    text.setText("no files");
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(&view, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// What other views do through the document shows at once (which files are listed is
// FoldersTest's).
TEST_F(FileOverviewTest, KeepsInStepWithTheOtherViews) {
    InstallItem* extra = file(u"extra\\extra.dat");
    InstallItem* cond = file(u"cond.txt");
    auto made = std::make_unique<InstallFileItem>(u"new.txt");
    made->target = u"\\x\\in_option.txt";
    InstallItem* inOption = document.insertItem(std::move(made), ItemPlace::after(extra), kBy);
    EXPECT_EQ(targets(), QStringList({"\\sys\\bin\\app.exe", "\\private\\a0001234\\extra.dat",
                                      "\\x\\in_option.txt", "\\private\\a0001234\\cond.txt"}));

    document.changeItem(
        itemAs<InstallFileItem>(cond),
        [](InstallFileItem& f) {
            f.fileType = FileType::FF;
            f.target = u"\\y\\cond.txt";
        },
        kBy);
    EXPECT_EQ(targets().back(), "\\y\\cond.txt");

    document.moveItem(cond->parent->parent, ItemPlace::firstChildOf(nullptr), kBy);
    EXPECT_EQ(targets().front(), "\\y\\cond.txt") << "its block moved to the top";
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
