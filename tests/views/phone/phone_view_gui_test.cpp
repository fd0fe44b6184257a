// The folder rules (names, files below a folder, renamed targets) are PhoneRulesTest's; here
// the view asks, refuses as it is typed and edits the package in one batch.
#include "model/package.h"
#include "ui/qt_text.h"
#include "util/text_convert.h"
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

QString SelectedPath(const PhoneTree& tree) {
    QStringList path;
    for (const QTreeWidgetItem* at = tree.selectedNode(); at; at = at->parent())
        path.prepend(at->text(0));
    return path.join('/');
}

// Every file target of the package in sequence order, one per line.
std::string Targets(const PackageDocument& document) {
    std::string text;
    for (const InstallItem* item : CollectFileItems(document.package()->items))
        text += wideToUtf8(itemAs<FileItemBase>(item)->target) + "\n";
    return text;
}

FileItemBase* FileWithTarget(PackageDocument& document, std::u16string_view target) {
    for (InstallItem* item : CollectFileItems(document.package()->items))
        if (auto* file = itemAs<FileItemBase>(item); file->target == target)
            return file;
    return nullptr;
}

// The item events as "Changed Phone", and "(" and ")" around an edit batch.
struct EventLog : DocumentListener {
    void itemChanged(const ItemChange& change) override {
        static const char* const kTypes[] = {"Added", "Changed", "Removed", "Moved"};
        static const char* const kSources[] = {"Sequence", "Phone", "FileDialog"};
        seen.push_back(std::string(kTypes[int(change.type)]) + " " + kSources[int(change.source)]);
    }
    void editBatchStarted() override { seen.push_back("("); }
    void editBatchEnded() override { seen.push_back(")"); }
    std::vector<std::string> seen;
};

// The Phone View, shown and active, on kPhonePackage.
class PhoneViewTest : public AppTest {
protected:
    void SetUp() override {
        ASSERT_EQ(document.open(dir.write("Demo.pkg", kPhonePackage), false), err::kOk);
        view.show();
        view.activate();
        document.addListener(&log);
    }
    void TearDown() override { document.removeListener(&log); }

    void select(const QStringList& path) {
        QTreeWidgetItem* node = Node(tree, path);
        ASSERT_TRUE(node) << path.join('/').toStdString();
        tree.selectNode(node);
    }

    std::string children(const QStringList& path) const { return TreeText(Node(tree, path)); }

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

constexpr const char* kSimpleTree =
    "[Binaries]{app.exe},[ECOM Plugins],"
    "[Private]{data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},other{d.txt},readme.txt},"
    "[Registration]{app_reg.rsc},[Resources]{lang.rsc},[Help]";

// Null and language-dependent files are shown, files in options and conditions too; a
// viewer file and a file outside the device folders are not. The tool bar switches modes,
// each button only while it would change something, and the selection stays.
TEST_F(PhoneViewTest, ShowsTheFilesByFolderInBothModes) {
    EXPECT_EQ(TreeText(tree), kSimpleTree);
    EXPECT_FALSE(registry.isEnabled(cmd::kTargetSimple));
    select({"[Private]", "data", "sub"});
    ASSERT_TRUE(registry.execute(cmd::kTargetFull));
    EXPECT_EQ(TreeText(tree),
              "private{10003a3f{import{apps{app_reg.rsc}}},"
              "a0001234{data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},other{d.txt},readme.txt}},"
              "resource{apps{lang.rsc},help,plugins},sys{bin{app.exe}}");
    EXPECT_EQ(SelectedPath(tree), "private/a0001234/data/sub");
    EXPECT_FALSE(registry.isEnabled(cmd::kTargetFull));
    ASSERT_TRUE(registry.execute(cmd::kTargetSimple));
    EXPECT_EQ(SelectedPath(tree), "[Private]/data/sub");
}

TEST_F(PhoneViewTest, ButtonsAndContextMenusFollowTheNode) {
    const auto simple = FolderDisplayMode::Simple, full = FolderDisplayMode::Full;
    const struct {
        FolderDisplayMode mode;
        QStringList node;
        const char* buttons; // the enabled ones
        const char* menu;
    } cases[] = {
        {simple, {"[Binaries]"}, "add ", "+Add[+File(s)... -Folder ] -Rename | -Remove "},
        {simple, {"[Private]"}, "add ", "+Add[+File(s)... +Folder ] -Rename | -Remove "},
        {simple,
         {"[Private]", "data"},
         "add remove ",
         "+Add[+File(s)... +Folder ] +Rename | +Remove "},
        {simple, {"[Private]", "readme.txt"}, "edit remove ", "+Edit... | +Remove "},
        {full, {"sys"}, "", "+Add[-File(s)... -Folder ] -Rename | -Remove "},
    };
    for (const auto& c : cases) {
        view.setMode(c.mode);
        QMenu menu;
        view.fillContextMenu(menu, Node(tree, c.node));
        EXPECT_EQ(SelectedPath(tree), c.node.join('/')) << "the menu is the clicked node's";
        EXPECT_EQ(Entries(menu), c.menu) << c.node.join('/').toStdString();
        const std::string buttons = std::string(view.addButton()->isEnabled() ? "add " : "") +
                                    (view.editButton()->isEnabled() ? "edit " : "") +
                                    (view.removeButton()->isEnabled() ? "remove " : "");
        EXPECT_EQ(buttons, c.buttons) << c.node.join('/').toStdString();
    }
}

// Other views' edits: a changed file moves to its new folder and stays selected, an added one
// gets its node (and the sub-folders its target names), a removed one loses it; a change of
// the header rebuilds the tree for the new private folder.
TEST_F(PhoneViewTest, FollowsTheEditsOfOtherViews) {
    const int elsewhere = 0;
    const EditOrigin by{ItemChangeSource::Sequence, &elsewhere};
    auto* readme = FileWithTarget(document, u"\\private\\a0001234\\readme.txt");
    ASSERT_TRUE(document.changeItem(
        readme, [](FileItemBase& file) { file.target = u"\\resource\\help\\readme.txt"; }, by));
    EXPECT_EQ(SelectedPath(tree), "[Help]/readme.txt");

    auto added = std::make_unique<InstallFileItem>(u"new.txt");
    added->target = u"\\private\\a0001234\\Fresh\\new.txt";
    ASSERT_TRUE(document.insertItem(std::move(added), ItemPlace::after(nullptr), by));
    ASSERT_TRUE(document.removeItem(FileWithTarget(document, u"\\sys\\bin\\app.exe"), by));
    EXPECT_EQ(children({"[Private]"}),
              "data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},Fresh{new.txt},other{d.txt}");
    EXPECT_EQ(children({"[Binaries]"}), "");

    ASSERT_TRUE(document.changePackage(
        PackageChangeKind::Header, [](Package& package) { package.uid = 0xB; }, &elsewhere));
    EXPECT_EQ(children({"[Private]"}), "data{sub{deep}},Fresh,other")
        << "the files stay below the old UID's folder";
}

// New folders count from NewFolder2 and open their label edit; a refused name reopens the edit
// on the refused text. A renamed folder takes its files along, in one batch.
TEST_F(PhoneViewTest, NewFoldersRefusalsAndARenameThatCarriesTheFiles) {
    select({"[Private]"});
    view.addFolder();
    enterName("NewFolder"); // its own name, taken as it is
    select({"[Private]"});
    view.addFolder();
    EXPECT_EQ(SelectedPath(tree), "[Private]/NewFolder2");
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
    EXPECT_TRUE(Node(tree, {"[Private]", "Docs"}));
    EXPECT_FALSE(document.modified()) << "empty folders are not in the package";

    log.seen.clear();
    select({"[Private]", "data"});
    view.renameFolder();
    enterName("Stuff");
    EXPECT_EQ(Targets(document).find("\\a0001234\\data\\"), std::string::npos);
    EXPECT_NE(Targets(document).find("\\a0001234\\Stuff\\sub\\deep\\c.txt"), std::string::npos);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Changed Phone", "Changed Phone",
                                                  "Changed Phone", "Changed Phone", ")"}));
    EXPECT_EQ(SelectedPath(tree), "[Private]/Stuff");
}

// The folder's files go at any depth, from options and condition branches too, with its
// sub-folders. A file alone asks another question.
TEST_F(PhoneViewTest, RemovingAFolderTakesItsFilesInsideOptionsAndConditions) {
    select({"[Private]", "data"});
    boxes.answers = {MessageAnswer::Ok};
    view.removeNode();
    EXPECT_EQ(shownTexts(),
              std::vector<QString>{"'data' and all its files will be removed from the package."});
    EXPECT_EQ(Targets(document).find("\\a0001234\\data\\"), std::string::npos);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Removed Phone", "Removed Phone",
                                                  "Removed Phone", "Removed Phone", ")"}));
    EXPECT_EQ(children({"[Private]"}), "other{d.txt},readme.txt");
    EXPECT_EQ(document.save(), err::kOk) << "the option and the condition stay, empty";

    select({"[Private]", "readme.txt"});
    boxes.answers = {MessageAnswer::Yes};
    view.removeNode();
    EXPECT_EQ(shownTexts().back(),
              "Are you sure you want to remove 'readme.txt' from the package?");
    EXPECT_EQ(children({"[Private]"}), "other{d.txt}");
}

// Files go to the end of the top level with the folder's path, whatever their extension
// would choose; the dialog offers the folder's filters.
TEST_F(PhoneViewTest, AddsFilesStraightIntoAFolder) {
    files.many = {ui::HostPathToQString(dir.write("in/tool.exe", "")),
                  ui::HostPathToQString(dir.write("in/notes.txt", ""))};
    select({"[Binaries]"});
    view.addFiles();
    EXPECT_TRUE(files.asked.value(1).startsWith(
        "Applications (*.exe; *.app) (*.exe *.app);;Dynamic Link Libraries (*.dll);;"));
    EXPECT_TRUE(Targets(document).ends_with("\\sys\\bin\\tool.exe\n\\sys\\bin\\notes.txt\n"));
    EXPECT_EQ(SelectedPath(tree), "[Binaries]/notes.txt");
    EXPECT_EQ(log.seen, (std::vector<std::string>{"(", "Added Phone", "Added Phone", ")"}));
}

} // namespace
} // namespace tb::test
