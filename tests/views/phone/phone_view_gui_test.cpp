#include "document/edit_batch.h"
#include "views/dialogs/install_file_dialog.h"
#include "views/phone/phone_view_fixture.h"

namespace tb::test {
namespace {

namespace cmd = ui::cmd;

constexpr const char* kSimpleTree =
    "[Binaries]{app.exe},[ECOM Plugins],"
    "[Private]{data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},other{d.txt},readme.txt},"
    "[Registration]{app_reg.rsc},[Resources]{lang.rsc},[Help]";

// Null and language-dependent files are shown, files in options and conditions too; a
// viewer file and a file outside the device folders are not. The tool bar switches modes,
// each button only while it would change something, and the selection stays.
TEST_F(PhoneViewTest, ShowsTheFilesByFolderInBothModes) {
    EXPECT_EQ(TreeText(tree), kSimpleTree);
    EXPECT_TRUE(registry.isEnabled(cmd::kTargetFull));
    EXPECT_FALSE(registry.isEnabled(cmd::kTargetSimple));

    select({"[Private]", "data", "sub"});
    Node(tree, {"[Private]", "data"})->setExpanded(true);
    ASSERT_TRUE(registry.execute(cmd::kTargetFull));
    EXPECT_EQ(TreeText(tree),
              "private{10003a3f{import{apps{app_reg.rsc}}},"
              "a0001234{data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},other{d.txt},readme.txt}},"
              "resource{apps{lang.rsc},help,plugins},sys{bin{app.exe}}");
    EXPECT_EQ(SelectedPath(tree), "private/a0001234/data/sub");
    EXPECT_TRUE(Node(tree, {"private", "a0001234", "data"})->isExpanded());
    EXPECT_FALSE(registry.isEnabled(cmd::kTargetFull));
    EXPECT_TRUE(registry.isEnabled(cmd::kTargetSimple));

    ASSERT_TRUE(registry.execute(cmd::kTargetSimple));
    EXPECT_EQ(TreeText(tree), kSimpleTree);
    EXPECT_EQ(SelectedPath(tree), "[Private]/data/sub");

    view.deactivate();
    EXPECT_FALSE(registry.isEnabled(cmd::kTargetFull)) << "only while the view is shown";
    document.close();
    EXPECT_EQ(TreeText(tree), "");
    EXPECT_FALSE(view.addButton()->isEnabled() || view.removeButton()->isEnabled());
}

TEST_F(PhoneViewTest, ButtonsAndContextMenusFollowTheNode) {
    const char* const fixed = "+Add[+File(s)... -Folder ] -Rename | -Remove ";
    const char* const root = "+Add[+File(s)... +Folder ] -Rename | -Remove ";
    const char* const user = "+Add[+File(s)... +Folder ] +Rename | +Remove ";
    const char* const file = "+Edit... | +Remove ";
    const auto simple = FolderDisplayMode::Simple, full = FolderDisplayMode::Full;
    const struct {
        FolderDisplayMode mode;
        QStringList node;
        const char* buttons; // the enabled ones
        const char* menu;
    } cases[] = {
        {simple, {"[Binaries]"}, "add", fixed},
        {simple, {"[Private]"}, "add", root},
        {simple, {"[Private]", "data", "sub"}, "add remove", user},
        {simple, {"[Private]", "readme.txt"}, "edit remove", file},
        {full, {"sys"}, "", "+Add[-File(s)... -Folder ] -Rename | -Remove "},
    };
    for (const auto& c : cases) {
        view.setMode(c.mode);
        QTreeWidgetItem* node = Node(tree, c.node);
        ASSERT_TRUE(node) << c.node.join('/').toStdString();
        QMenu menu;
        view.fillContextMenu(menu, node);
        EXPECT_EQ(SelectedPath(tree), c.node.join('/')) << "the menu is the clicked node's";
        EXPECT_EQ(Entries(menu), c.menu) << c.node.join('/').toStdString();
        std::string buttons;
        for (const auto& [button, name] : {std::pair{view.addButton(), "add"},
                                           {view.editButton(), "edit"},
                                           {view.removeButton(), "remove"}})
            if (button->isEnabled())
                buttons += (buttons.empty() ? "" : " ") + std::string(name);
        EXPECT_EQ(buttons, c.buttons) << c.node.join('/').toStdString();
    }
    QMenu nowhere;
    view.fillContextMenu(nowhere, nullptr);
    EXPECT_TRUE(nowhere.isEmpty());
}

// Other views' edits: a changed file moves to its new folder and is selected, an added one
// gets its node (and the sub-folders its target names), a removed one loses it. A batch is
// shown once it ends; a change of the header rebuilds the tree for the new private folder.
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
    EXPECT_EQ(children({"[Private]"}),
              "data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},Fresh{new.txt},other{d.txt}");
    EXPECT_EQ(SelectedPath(tree), "[Help]/readme.txt");

    ASSERT_TRUE(document.removeItem(FileWithTarget(document, u"\\sys\\bin\\app.exe"), by));
    EXPECT_EQ(children({"[Binaries]"}), "");

    {
        EditBatch batch(document);
        ASSERT_TRUE(document.changeItem(
            readme, [](FileItemBase& file) { file.target = u"\\sys\\bin\\readme.txt"; }, by));
        EXPECT_EQ(children({"[Help]"}), "readme.txt") << "not before the end";
    }
    EXPECT_EQ(children({"[Help]"}), "");
    EXPECT_EQ(children({"[Binaries]"}), "readme.txt");

    ASSERT_TRUE(document.changePackage(
        PackageChangeKind::Header, [](Package& package) { package.uid = 0xB; }, &elsewhere));
    EXPECT_EQ(children({"[Private]"}), "data{sub{deep}},Fresh,other")
        << "the files stay below the old UID's folder";
    EXPECT_TRUE(boxes.shown.empty());
}

// The file's dialog edits it, its node then shows the new name in its place; Cancel changes
// nothing. Removal asks first.
TEST_F(PhoneViewTest, EditsAndRemovesAFile) {
    select({"[Private]", "readme.txt"});
    {
        WhenModal<InstallFileDialog> cancel([](InstallFileDialog& dialog) { dialog.reject(); });
        view.editFile();
    }
    EXPECT_TRUE(log.seen.empty());
    {
        WhenModal<InstallFileDialog> rename([](InstallFileDialog& dialog) {
            dialog.nameBox()->setText(QStringLiteral("Aardvark.txt"));
            dialog.okButton()->click();
        });
        view.editFile();
    }
    EXPECT_EQ(children({"[Private]"}),
              "Aardvark.txt,data{a.txt,cache.dat,sub{b.txt,deep{c.txt}}},other{d.txt}");
    EXPECT_EQ(SelectedPath(tree), "[Private]/Aardvark.txt");

    boxes.answers = {ui::MessageAnswer::No, ui::MessageAnswer::Yes};
    view.removeNode();
    EXPECT_NE(Targets(document).find("Aardvark.txt"), std::string::npos) << "No keeps it";
    view.removeNode();
    EXPECT_EQ(shownTexts(), std::vector<QString>(2, "Are you sure you want to remove "
                                                    "'Aardvark.txt' from the package?"));
    EXPECT_EQ(Node(tree, {"[Private]", "Aardvark.txt"}), nullptr);
    EXPECT_EQ(log.seen, (std::vector<std::string>{"Changed FileDialog", "Removed Phone"}));
}

} // namespace
} // namespace tb::test
