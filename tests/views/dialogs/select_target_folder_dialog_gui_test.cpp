#include "views/dialogs/select_target_folder_dialog.h"

#include "editing/user_folder_tree.h"
#include "ui/qt_text.h"
#include "views/view_fixture.h"

namespace tb {
namespace {

using test::WhenModal;

constexpr uint32_t kUid = 0xA0001234;

// The texts from the top-level item down to the selected one.
QStringList SelectedPath(const QTreeWidget* tree) {
    QStringList path;
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    for (const QTreeWidgetItem* item = selected.value(0); item; item = item->parent())
        path.prepend(item->text(0));
    return path;
}

class SelectTargetFolderTest : public ::testing::Test {
protected:
    SelectTargetFolderTest() { folders.addFoldersOf(u"\\private\\a0001234\\data\\img\\x", kUid); }

    void select(SelectTargetFolderDialog& dialog, const QStringList& path) {
        dialog.folderTree()->setCurrentItem(test::Node(*dialog.folderTree(), path));
    }

    UserFolderTree folders;
    test::ModalWatchdog watchdog;
};

// Which folder a file type may take is FolderDisplayTreeTest's; here the dialog shows the
// trees, follows the limit box and enables OK by it.
TEST_F(SelectTargetFolderTest, SimpleAndFullModesWithTheLimitOfTheFileType) {
    SelectTargetFolderDialog dialog(kUid, folders, u"app.exe", u"\\sys\\bin\\app.exe", nullptr);
    EXPECT_TRUE(dialog.simpleAction()->isChecked());
    const QTreeWidget* tree = dialog.folderTree();
    EXPECT_EQ(test::TreeText(*tree), "[Binaries],[ECOM Plugins],[Private]{data{img}},"
                                     "[Registration],[Resources],[Help]");
    EXPECT_EQ(SelectedPath(tree), QStringList{"[Binaries]"});
    EXPECT_TRUE(dialog.limitBox()->isChecked() && dialog.limitBox()->isEnabled());
    select(dialog, {"[Private]", "data", "img"});
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a binary goes to \\sys\\bin only";
    dialog.limitBox()->setChecked(false);
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    dialog.fullAction()->trigger();
    EXPECT_EQ(test::TreeText(*tree),
              "private{10003a3f{import{apps}},a0001234{data{img}}},resource{apps,help,plugins},"
              "sys{bin}");
    EXPECT_EQ(SelectedPath(tree), QStringList({"private", "a0001234", "data", "img"}));
    select(dialog, {"private", "10003a3f", "import"});
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a directory between folders";
    select(dialog, {"resource", "apps"});
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.chosenPath(), u"\\resource\\apps");
    dialog.simpleAction()->trigger();
    EXPECT_EQ(SelectedPath(tree), QStringList{"[Resources]"});
    dialog.setMode(FolderDisplayMode::Full);
    select(dialog, {"sys"});
    dialog.setMode(FolderDisplayMode::Simple);
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

// Without an extension there is no limit; a target under none of the folders selects nothing,
// and OK cannot close the dialog then.
TEST_F(SelectTargetFolderTest, WithoutExtensionTheLimitIsOffAndAStrayTargetSelectsNothing) {
    SelectTargetFolderDialog dialog(kUid, folders, u"README", u"\\private\\A0001234\\DATA\\README",
                                    nullptr);
    EXPECT_FALSE(dialog.limitBox()->isChecked() || dialog.limitBox()->isEnabled());
    EXPECT_EQ(SelectedPath(dialog.folderTree()), QStringList({"[Private]", "data"}));
    select(dialog, {"[Binaries]"});
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    WhenModal<SelectTargetFolderDialog> cancel([](SelectTargetFolderDialog& d) {
        EXPECT_FALSE(d.okButton()->isEnabled() || d.folderTree()->selectedItems().size());
        d.reject();
    });
    EXPECT_EQ(SelectTargetFolder(nullptr, kUid, folders, u"x.txt", u"\\data\\x.txt"), std::nullopt);
}

} // namespace
} // namespace tb
