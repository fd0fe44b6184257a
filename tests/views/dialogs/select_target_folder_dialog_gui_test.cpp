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

// The folders a file type may take, the trees of both modes and a target's node are FoldersTest's;
// here the dialog opens on the target's folder, keeps the selection across modes and enables OK
// by the limit box.
TEST(SelectTargetFolderTest, TheLimitOfTheFileTypeDecidesOkInBothModes) {
    UserFolderTree folders;
    folders.addFoldersOf(u"\\private\\a0001234\\data\\img\\x", kUid);
    SelectTargetFolderDialog dialog(kUid, folders, u"app.exe", u"\\sys\\bin\\app.exe", nullptr);
    const QTreeWidget* tree = dialog.folderTree();
    EXPECT_EQ(SelectedPath(tree), QStringList{"[Binaries]"});
    Select(dialog, {"[Private]", "data", "img"});
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a binary goes to \\sys\\bin only";
    dialog.limitBox()->setChecked(false);
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    dialog.fullAction()->trigger();
    EXPECT_EQ(SelectedPath(tree), QStringList({"private", "a0001234", "data", "img"}));
    Select(dialog, {"resource", "apps"});
    EXPECT_EQ(dialog.chosenPath(), u"\\resource\\apps");
    Select(dialog, {"sys"}); // not in the simple tree
    dialog.simpleAction()->trigger();
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "nothing is selected";

    SelectTargetFolderDialog readme(kUid, folders, u"README", u"\\private\\a0001234\\README",
                                    nullptr);
    EXPECT_FALSE(readme.limitBox()->isChecked() || readme.limitBox()->isEnabled())
        << "no extension, no limit";
}

} // namespace
} // namespace tb
