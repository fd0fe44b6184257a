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

TEST_F(SelectTargetFolderTest, OpensSimpleOnTheCurrentFolderWithTheLimitOfTheFileType) {
    SelectTargetFolderDialog dialog(kUid, folders, u"app.exe", u"\\sys\\bin\\app.exe", nullptr);
    EXPECT_TRUE(dialog.simpleAction()->isChecked());

    const QTreeWidget* tree = dialog.folderTree();
    EXPECT_EQ(test::TreeText(*tree), "[Binaries],[ECOM Plugins],[Private]{data{img}},"
                                     "[Registration],[Resources],[Help]");
    EXPECT_EQ(SelectedPath(tree), QStringList{"[Binaries]"});
    EXPECT_TRUE(dialog.limitBox()->isChecked());
    EXPECT_TRUE(dialog.limitBox()->isEnabled());

    // A binary may only go to \sys\bin while the box is checked.
    const struct {
        QStringList folder;
        bool limited, unlimited;
    } cases[] = {
        {{"[Private]", "data", "img"}, false, true},
        {{"[Resources]"}, false, true},
        {{"[Binaries]"}, true, true},
    };
    for (const auto& c : cases) {
        select(dialog, c.folder);
        dialog.limitBox()->setChecked(true);
        EXPECT_EQ(dialog.okButton()->isEnabled(), c.limited) << c.folder.join('/').toStdString();
        dialog.limitBox()->setChecked(false);
        EXPECT_EQ(dialog.okButton()->isEnabled(), c.unlimited) << c.folder.join('/').toStdString();
    }
}

TEST_F(SelectTargetFolderTest, WithoutExtensionTheLimitIsOffAndEveryFolderMayBeTaken) {
    SelectTargetFolderDialog dialog(kUid, folders, u"README", u"\\private\\A0001234\\DATA\\README",
                                    nullptr);
    EXPECT_FALSE(dialog.limitBox()->isChecked());
    EXPECT_FALSE(dialog.limitBox()->isEnabled());
    EXPECT_EQ(SelectedPath(dialog.folderTree()), QStringList({"[Private]", "data"}));
    for (const char* root : {"[Binaries]", "[ECOM Plugins]", "[Registration]", "[Help]"}) {
        select(dialog, {root});
        EXPECT_TRUE(dialog.okButton()->isEnabled()) << root;
    }
}

TEST_F(SelectTargetFolderTest, FullModeShowsDirectoriesAndOnlyFoldersCanBeTaken) {
    SelectTargetFolderDialog dialog(kUid, folders, u"pics.mbm",
                                    u"\\private\\a0001234\\data\\img\\pics.mbm", nullptr);
    EXPECT_EQ(SelectedPath(dialog.folderTree()), QStringList({"[Private]", "data", "img"}));
    dialog.fullAction()->trigger();
    EXPECT_EQ(test::TreeText(*dialog.folderTree()),
              "private{10003a3f{import{apps}},a0001234{data{img}}},resource{apps,help,plugins},"
              "sys{bin}");
    EXPECT_EQ(SelectedPath(dialog.folderTree()),
              QStringList({"private", "a0001234", "data", "img"}));
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    dialog.limitBox()->setChecked(false);
    for (const QStringList& between : {QStringList{"private"}, QStringList{"resource"},
                                       QStringList{"private", "10003a3f", "import"}}) {
        select(dialog, between);
        EXPECT_FALSE(dialog.okButton()->isEnabled()) << between.join('/').toStdString();
    }
    dialog.limitBox()->setChecked(true);
    select(dialog, {"resource", "help"});
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    select(dialog, {"resource", "apps"});
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.chosenPath(), u"\\resource\\apps");

    dialog.simpleAction()->trigger();
    EXPECT_EQ(SelectedPath(dialog.folderTree()), QStringList{"[Resources]"});
    dialog.setMode(FolderDisplayMode::Full);
    select(dialog, {"sys"});
    dialog.setMode(FolderDisplayMode::Simple);
    EXPECT_TRUE(dialog.folderTree()->selectedItems().isEmpty());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

// The path chosen comes back through EditFileItem's test; a target under none of the folders
// selects nothing, and OK cannot close the dialog then.
TEST_F(SelectTargetFolderTest, WithNothingSelectedOkCannotCloseTheDialog) {
    bool stayed = false;
    WhenModal<SelectTargetFolderDialog> cancel([&](SelectTargetFolderDialog& d) {
        d.okButton()->click();
        stayed = d.isVisible() && d.folderTree()->selectedItems().isEmpty();
        d.reject();
    });
    EXPECT_EQ(SelectTargetFolder(nullptr, kUid, folders, u"x.txt", u"\\data\\x.txt"), std::nullopt);
    EXPECT_TRUE(stayed);
}

} // namespace
} // namespace tb
