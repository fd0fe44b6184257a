#pragma once

#include "editing/folder_display_tree.h"
#include "views/view_page.h"

#include <vector>

class QMenu;
class QPushButton;
class QTreeWidgetItem;

namespace tb {

class FileItemBase;
class FolderNameEditing;
class PhoneTree;
class UserFolder;

// The package's files by the device folder they go to: files are added straight into a
// folder, the private folder gets sub-folders that can be renamed (their files follow) and
// removed (with their files), and a file is edited through its file dialog. The tool bar's
// Target Simple and Target Full switch the display mode.
class PhoneView : public ViewPage {
    Q_OBJECT
public:
    PhoneView(Application& app, ui::CommandRegistry& registry, QWidget* parent = nullptr);
    ~PhoneView() override;

    FolderDisplayMode mode() const { return mode_; }
    void setMode(FolderDisplayMode mode);

    PhoneTree* tree() const { return tree_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* editButton() const { return editButton_; }
    QPushButton* removeButton() const { return removeButton_; }

    // What the buttons and menus do, on the selected node; each does nothing where its rule
    // does not allow it.
    void addFiles();
    void addFolder();
    void renameFolder();
    void editFile();
    void removeNode();

    // The context menu for node (null: empty space) as it would be shown; node becomes the
    // selected one, which its entries act on.
    void fillContextMenu(QMenu& menu, QTreeWidgetItem* node);

    void itemChanged(const ItemChange& change) override;
    void packageChanged(const PackageChange& change) override;

protected:
    void refresh() override;

private:
    EditOrigin origin(ItemChangeSource source = ItemChangeSource::Phone) const {
        return {source, changeOrigin()};
    }
    const FolderNode* selectedFolder() const;
    FileItemBase* selectedFile() const;
    bool mayAddFiles() const;
    bool mayAddFolder() const;
    bool mayRenameOrRemoveFolder() const;

    // The folder nodes again from the document's folders, and the files in them.
    void rebuild();
    // Shows file in the folder its target lies in, with the private sub-folders it names made
    // when missing (a rebuild then); its node, or null when it lies in no shown folder.
    QTreeWidgetItem* showFile(FileItemBase& file);
    void showChangedItem(const ItemChange& change);
    void fillAddMenu(QMenu& menu);
    void rename(const UserFolder* folder, const QString& name);
    void removeFile(QTreeWidgetItem* node);
    void removeFolder(QTreeWidgetItem* node);
    void updateButtons();

    FolderDisplayMode mode_ = FolderDisplayMode::Simple;
    std::vector<FolderNode> roots_;
    PhoneTree* tree_;
    FolderNameEditing* naming_;
    QPushButton* addButton_;
    QPushButton* editButton_;
    QPushButton* removeButton_;
    QMenu* addMenu_;
};

// The Phone View, a child of parent.
ViewPage* CreatePhoneView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
