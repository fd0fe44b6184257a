// The folder rules (names, files below a folder, renamed targets) are FoldersTest's; here
// the view asks, refuses as it is typed and edits the package in one batch.
#include "ui/qt_text.h"
#include "views/phone/phone_tree.h"
#include "views/phone/phone_view.h"
#include "views/view_fixture.h"

namespace tb::test {
namespace {

namespace cmd = ui::cmd;
using ui::MessageAnswer;

// Files in every place a folder can get them from: plain, null, language-dependent, inside an
// option and in both branches of a condition; one launched in a viewer and one outside the
// device folders, neither of which is shown.
constexpr const char* kPhonePackage = R"(&EN
#{"Demo"},(0xA0001234),1,0,0
%{"Vendor"}
:"Vendor"

"app.exe"-"!:\sys\bin\app.exe"
"a.txt"-"!:\private\a0001234\data\a.txt"
"Readme.txt"-"!:\private\a0001234\readme.txt"
""-"!:\private\a0001234\data\cache.dat",FN
"view.txt"-"",FM,"text/plain"
"loose.txt"-"!:\data\loose.txt"
{"en.rsc"}-"!:\resource\apps\lang.rsc"
"reg.rsc"-"!:\private\10003a3f\import\apps\app_reg.rsc"
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

// Item events as one letter each (Added, Changed, Removed, Moved; "?" when not the Phone
// View's own) and "(" and ")" around an edit batch.
struct EventLog : DocumentListener {
    void itemChanged(const ItemChange& change) override {
        seen += change.source == ItemChangeSource::Phone ? "ACRM"[int(change.type)] : '?';
    }
    void editBatchStarted() override { seen += "("; }
    void editBatchEnded() override { seen += ")"; }
    std::string seen;
};

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
    EventLog log;
};

// Null and language-dependent files are shown, files in options and conditions too; a
// viewer file and a file outside the device folders are not. The tool bar switches modes
// (FoldersTest has the full tree), each button only while it would change something,
// and the selection stays.
TEST_F(PhoneViewTest, ShowsTheFilesByFolderInBothModes) {
    EXPECT_EQ(TreeText(tree),
              "[Binaries]{app.exe},[ECOM Plugins],"
              "[Private]{data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},other{d.txt},"
              "readme.txt},[Registration]{app_reg.rsc},[Resources]{lang.rsc},[Help]");
    EXPECT_FALSE(registry.isEnabled(cmd::kTargetSimple));
    select("[Private]/data/sub");
    ASSERT_TRUE(registry.execute(cmd::kTargetFull));
    EXPECT_EQ(selected(), "private/a0001234/data/sub");
    EXPECT_FALSE(registry.isEnabled(cmd::kTargetFull));
    ASSERT_TRUE(registry.execute(cmd::kTargetSimple));
    EXPECT_EQ(selected(), "[Private]/data/sub");
}

TEST_F(PhoneViewTest, ButtonsAndContextMenusFollowTheNode) {
    const struct {
        FolderDisplayMode mode;
        QString node;
        const char* buttons; // the enabled ones
        const char* menu;
    } cases[] = {
        {FolderDisplayMode::Simple, "[Binaries]", "add ",
         "+Add[+File(s)... -Folder ] -Rename | -Remove "},
        {FolderDisplayMode::Simple, "[Private]", "add ",
         "+Add[+File(s)... +Folder ] -Rename | -Remove "},
        {FolderDisplayMode::Simple, "[Private]/data", "add remove ",
         "+Add[+File(s)... +Folder ] +Rename | +Remove "},
        {FolderDisplayMode::Simple, "[Private]/readme.txt", "edit remove ", "+Edit... | +Remove "},
        {FolderDisplayMode::Full, "sys", "", "+Add[-File(s)... -Folder ] -Rename | -Remove "},
    };
    for (const auto& c : cases) {
        view.setMode(c.mode);
        QMenu menu;
        view.fillContextMenu(menu, node(c.node));
        EXPECT_EQ(selected(), c.node) << "the menu is the clicked node's";
        EXPECT_EQ(Entries(menu), c.menu) << c.node.toStdString();
        const std::string buttons = std::string(view.addButton()->isEnabled() ? "add " : "") +
                                    (view.editButton()->isEnabled() ? "edit " : "") +
                                    (view.removeButton()->isEnabled() ? "remove " : "");
        EXPECT_EQ(buttons, c.buttons) << c.node.toStdString();
    }
}

// Other views' edits: a changed file moves to its new folder and stays selected, an added one
// gets its node (and the sub-folders its target names), a removed one loses it; a change of
// the header rebuilds the tree for the new private folder.
TEST_F(PhoneViewTest, FollowsTheEditsOfOtherViews) {
    const int elsewhere = 0;
    const EditOrigin by{ItemChangeSource::Sequence, &elsewhere};
    auto file = [&](std::u16string_view target) -> FileItemBase* {
        for (InstallItem* item : CollectFileItems(package().items))
            if (itemAs<FileItemBase>(item)->target == target)
                return itemAs<FileItemBase>(item);
        return nullptr;
    };
    ASSERT_TRUE(document.changeItem(
        file(u"\\private\\a0001234\\readme.txt"),
        [](FileItemBase& changed) { changed.target = u"\\resource\\help\\readme.txt"; }, by));
    EXPECT_EQ(selected(), "[Help]/readme.txt");

    auto added = std::make_unique<InstallFileItem>(u"new.txt");
    added->target = u"\\private\\a0001234\\Fresh\\new.txt";
    ASSERT_TRUE(document.insertItem(std::move(added), ItemPlace::after(nullptr), by));
    ASSERT_TRUE(document.removeItem(file(u"\\sys\\bin\\app.exe"), by));
    EXPECT_EQ(children("[Private]"),
              "data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},Fresh{new.txt},other{d.txt}");
    EXPECT_EQ(children("[Binaries]"), "");

    ASSERT_TRUE(document.changePackage(
        PackageChangeKind::Header, [](Package& changed) { changed.uid = 0xB; }, &elsewhere));
    EXPECT_EQ(children("[Private]"), "data{sub{deep}},Fresh,other")
        << "the files stay below the old UID's folder";
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
    const QString refusals[] = {
        "Folder already exist.\nPlease enter a new name.",
        "The folder name cannot:\r\n- Contain any of the following characters: < > : \" / \\ ? "
        "* |\r\n- be system reserved names, including 'CON', 'AUX', 'PRN, 'COM1' and "
        "'LPT1'\r\n- be '.' or '..'\r\n\r\nPlease enter a valid name."};
    const char* const refused[] = {"DATA", "aux"};
    for (int i = 0; i < 2; ++i) {
        boxes.shown.clear();
        enterName(refused[i]);
        EXPECT_EQ(shownTexts(), std::vector<QString>{refusals[i]});
        ASSERT_TRUE(labelEdit()) << "the edit opens again";
        EXPECT_EQ(labelEdit()->text(), refused[i]);
    }
    enterName("Docs");
    EXPECT_TRUE(node("[Private]/Docs"));
    EXPECT_FALSE(document.modified()) << "empty folders are not in the package";

    log.seen.clear();
    select("[Private]/data");
    view.renameFolder();
    enterName("Stuff");
    EXPECT_EQ(targets().find("\\a0001234\\data\\"), std::string::npos);
    EXPECT_NE(targets().find("\\a0001234\\Stuff\\sub\\deep\\c.txt"), std::string::npos);
    EXPECT_EQ(log.seen, "(CCCC)");
    EXPECT_EQ(selected(), "[Private]/Stuff");
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
    EXPECT_EQ(targets().find("\\a0001234\\data\\"), std::string::npos);
    EXPECT_TRUE(log.seen.starts_with("(RRRR)")) << log.seen;
    EXPECT_EQ(children("[Private]"), "other{d.txt}");
    EXPECT_EQ(document.save(), err::kOk) << "the option and the condition stay, empty";
}

// Files go to the end of the top level with the folder's path, whatever their extension
// would choose; the dialog offers the folder's filters.
TEST_F(PhoneViewTest, AddsFilesStraightIntoAFolder) {
    files.many = {ui::HostPathToQString(dir.write("in/tool.exe", "")),
                  ui::HostPathToQString(dir.write("in/notes.txt", ""))};
    select("[Binaries]");
    view.addFiles();
    EXPECT_TRUE(files.asked.value(1).startsWith(
        "Applications (*.exe; *.app) (*.exe *.app);;Dynamic Link Libraries (*.dll);;"));
    EXPECT_TRUE(targets().ends_with("\\sys\\bin\\tool.exe\n\\sys\\bin\\notes.txt\n"));
    EXPECT_EQ(selected(), "[Binaries]/notes.txt");
    EXPECT_EQ(log.seen, "(AA)");
}

} // namespace
} // namespace tb::test
