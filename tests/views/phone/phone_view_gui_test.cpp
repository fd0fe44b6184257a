// The folder rules (names, files below a folder, renamed targets) are FoldersTest's; here
// the view asks, refuses as it is typed and edits the package in one batch.
#include "views/phone/phone_tree.h"
#include "views/phone/phone_view.h"
#include "views/view_fixture.h"

namespace tb::test {
namespace {

namespace cmd = ui::cmd;
using ui::MessageAnswer;

// Files in every place a folder can get them from: plain, inside an option and in both branches
// of a condition.
constexpr const char* kPhonePackage = R"(&EN
#{"Demo"},(0xA0001234),1,0,0
"app.exe"-"!:\sys\bin\app.exe"
"a.txt"-"!:\private\a0001234\data\a.txt"
"Readme.txt"-"!:\private\a0001234\readme.txt"
!({"Extras"})
IF option1
	"b.txt"-"!:\private\a0001234\data\sub\b.txt"
ENDIF
IF exists("c:\x.txt")
	"c.txt"-"!:\private\a0001234\data\sub\deep\c.txt"
ELSE
	"d.txt"-"!:\private\a0001234\other\d.txt"
ENDIF
)";

// The Phone View, shown and active, on kPhonePackage. Nodes are named by their "/"-joined path.
class PhoneViewTest : public AppTest {
protected:
    void SetUp() override {
        ASSERT_EQ(document.open(dir.write("Demo.pkg", kPhonePackage), false), err::kOk);
        view.show();
        view.activate();
        document.addListener(&log);
    }
    void TearDown() override { document.removeListener(&log); }

    QTreeWidgetItem* node(const QString& path) const { return Node(tree, path.split('/')); }
    void select(const QString& path) {
        ASSERT_TRUE(node(path)) << path.toStdString();
        tree.selectNode(node(path));
    }
    std::string children(const QString& path) const { return TreeText(node(path)); }
    QString selected() const {
        QStringList path;
        for (const QTreeWidgetItem* at = tree.selectedNode(); at; at = at->parent())
            path.prepend(at->text(0));
        return path.join('/');
    }
    QLineEdit* labelEdit() const {
        return qobject_cast<QLineEdit*>(tree.indexWidget(tree.indexFromItem(tree.selectedNode())));
    }

    // Types name into the open label edit and presses Enter.
    void enterName(const QString& name) {
        QLineEdit* edit = labelEdit();
        ASSERT_TRUE(edit) << "no label edit open";
        edit->setText(name);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &press);
        // The delegate commits in a posted call, the view takes the name in another.
        for (int round = 0; round < 3; ++round)
            QApplication::processEvents();
    }

    PhoneView view{app, registry};
    PhoneTree& tree = *view.tree();
    DocumentLog log;
};

// Which files and folders are shown is FoldersTest's, the full tree too. The tool bar switches
// modes and the selection stays.
TEST_F(PhoneViewTest, ShowsTheFilesByFolderInBothModes) {
    EXPECT_EQ(TreeText(tree), "[Binaries]{app.exe},[ECOM Plugins],"
                              "[Private]{data{a.txt,sub{b.txt,deep{c.txt}}},other{d.txt},"
                              "readme.txt},[Registration],[Resources],[Help]");
    select("[Private]/data/sub");
    ASSERT_TRUE(registry.execute(cmd::kTargetFull));
    EXPECT_EQ(selected(), "private/a0001234/data/sub");
    ASSERT_TRUE(registry.execute(cmd::kTargetSimple));
    EXPECT_EQ(selected(), "[Private]/data/sub");
}

// What each folder allows is FoldersTest's; a fixed folder shows the view asks it.
TEST_F(PhoneViewTest, ButtonsAndContextMenusFollowTheNode) {
    QMenu menu;
    view.fillContextMenu(menu, node("[Binaries]"));
    EXPECT_EQ(selected(), "[Binaries]") << "the menu is the clicked node's";
    EXPECT_EQ(Entries(menu), "+Add[+File(s)... -Folder ] -Rename | -Remove ");
    EXPECT_TRUE(view.addButton()->isEnabled());
    EXPECT_FALSE(view.editButton()->isEnabled() || view.removeButton()->isEnabled());
}

// Other views' edits: a changed file moves to its new folder and stays selected, an added one
// gets its node (and the sub-folders its target names), a removed one loses it.
TEST_F(PhoneViewTest, FollowsTheEditsOfOtherViews) {
    const int elsewhere = 0;
    const EditOrigin by{ItemChangeSource::Sequence, &elsewhere};
    const auto files = CollectFileItems(package().items); // app.exe, a.txt, Readme.txt...
    ASSERT_TRUE(document.changeItem(
        itemAs<FileItemBase>(files.at(2)),
        [](FileItemBase& changed) { changed.target = u"\\resource\\help\\readme.txt"; }, by));
    EXPECT_EQ(selected(), "[Help]/readme.txt");

    auto added = std::make_unique<InstallFileItem>(u"new.txt");
    added->target = u"\\private\\a0001234\\Fresh\\new.txt";
    ASSERT_TRUE(document.insertItem(std::move(added), ItemPlace::after(nullptr), by));
    ASSERT_TRUE(document.removeItem(files.at(0), by));
    EXPECT_EQ(children("[Private]"),
              "data{a.txt,sub{b.txt,deep{c.txt}}},Fresh{new.txt},other{d.txt}");
    EXPECT_EQ(children("[Binaries]"), "");
}

// New folders count from NewFolder2 and open their label edit; a refused name reopens the edit
// on the refused text. A renamed folder takes its files along, in one batch.
TEST_F(PhoneViewTest, NewFoldersRefusalsAndARenameThatCarriesTheFiles) {
    select("[Private]");
    view.addFolder();
    enterName("NewFolder"); // its own name, taken as it is
    select("[Private]");
    view.addFolder();
    EXPECT_EQ(selected(), "[Private]/NewFolder2");
    enterName("DATA"); // the next one finds the edit open again
    enterName("aux");
    EXPECT_EQ(shownTexts(),
              (std::vector<QString>{
                  "Folder already exist.\nPlease enter a new name.",
                  "The folder name cannot:\r\n- Contain any of the following characters: < > : "
                  "\" / \\ ? * |\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, "
                  "'COM1' and 'LPT1'\r\n- be '.' or '..'\r\n\r\nPlease enter a valid name."}));
    ASSERT_TRUE(labelEdit());
    EXPECT_EQ(labelEdit()->text(), "aux") << "the refused text stays to be corrected";
    enterName("Docs");
    EXPECT_FALSE(document.modified()) << "empty folders are not in the package";

    log.seen.clear();
    select("[Private]/data");
    view.renameFolder();
    enterName("Stuff");
    EXPECT_NE(targets().find("\\a0001234\\Stuff\\sub\\deep\\c.txt"), std::string::npos);
    EXPECT_EQ(log.seen, "(CCC)");
}

// The folder's files go at any depth, from options and condition branches too, with its
// sub-folders. A file alone asks another question.
TEST_F(PhoneViewTest, RemovingAFolderTakesItsFilesInsideOptionsAndConditions) {
    select("[Private]/data");
    boxes.answers = {MessageAnswer::Ok};
    view.removeNode();
    select("[Private]/readme.txt");
    boxes.answers = {MessageAnswer::Yes};
    view.removeNode();
    EXPECT_EQ(shownTexts(),
              (std::vector<QString>{"'data' and all its files will be removed from the package.",
                                    "Are you sure you want to remove 'readme.txt' from the "
                                    "package?"}));
    EXPECT_TRUE(log.seen.starts_with("(RRR)")) << log.seen;
    EXPECT_EQ(children("[Private]"), "other{d.txt}");
    EXPECT_EQ(document.save(), err::kOk) << "the option and the condition stay, empty";
}

} // namespace
} // namespace tb::test
