#include "views/dialogs/select_target_folder_dialog.h"

#include "editing/user_folder_tree.h"
#include "views/view_fixture.h"

namespace tb {
namespace {

constexpr uint32_t kUid = 0xA0001234;

// The texts from the top-level item down to the selected one.
QStringList SelectedPath(const QTreeWidget* tree) {
    QStringList path;
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    for (const QTreeWidgetItem* item = selected.value(0); item; item = item->parent())
        path.prepend(item->text(0));
    return path;
}

void Select(SelectTargetFolderDialog& dialog, const QStringList& path) {
    dialog.folderTree()->setCurrentItem(test::Node(*dialog.folderTree(), path));
}

class SelectTargetFolderTest : public ::testing::Test {
protected:
    SelectTargetFolderTest() { folders.addFoldersOf(u"\\private\\a0001234\\data\\img\\x", kUid); }

    UserFolderTree folders;
};

// Which folder a file type may take and the trees of both modes are FoldersTest's;
// here the dialog shows them, follows the limit box and enables OK by it.
TEST_F(SelectTargetFolderTest, SimpleAndFullModesWithTheLimitOfTheFileType) {
    SelectTargetFolderDialog dialog(kUid, folders, u"app.exe", u"\\sys\\bin\\app.exe", nullptr);
    EXPECT_TRUE(dialog.simpleAction()->isChecked());
    const QTreeWidget* tree = dialog.folderTree();
    EXPECT_EQ(test::TreeText(*tree), "[Binaries],[ECOM Plugins],[Private]{data{img}},"
                                     "[Registration],[Resources],[Help]");
    EXPECT_EQ(SelectedPath(tree), QStringList{"[Binaries]"});
    EXPECT_TRUE(dialog.limitBox()->isChecked() && dialog.limitBox()->isEnabled());
    Select(dialog, {"[Private]", "data", "img"});
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a binary goes to \\sys\\bin only";
    dialog.limitBox()->setChecked(false);
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    dialog.fullAction()->trigger();
    EXPECT_EQ(SelectedPath(tree), QStringList({"private", "a0001234", "data", "img"}));
    Select(dialog, {"private", "10003a3f", "import"});
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a directory between folders";
    Select(dialog, {"resource", "apps"});
    EXPECT_EQ(dialog.chosenPath(), u"\\resource\\apps");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.simpleAction()->trigger();
    EXPECT_EQ(SelectedPath(tree), QStringList{"[Resources]"});
    dialog.setMode(FolderDisplayMode::Full);
    Select(dialog, {"sys"});
    dialog.setMode(FolderDisplayMode::Simple);
    EXPECT_TRUE(tree->selectedItems().isEmpty());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

// Without an extension there is no limit.
TEST_F(SelectTargetFolderTest, WithoutExtensionTheLimitIsOff) {
    SelectTargetFolderDialog dialog(kUid, folders, u"README", u"\\private\\A0001234\\DATA\\README",
                                    nullptr);
    EXPECT_FALSE(dialog.limitBox()->isChecked() || dialog.limitBox()->isEnabled());
    EXPECT_EQ(SelectedPath(dialog.folderTree()), QStringList({"[Private]", "data"}));
}

} // namespace
} // namespace tb
