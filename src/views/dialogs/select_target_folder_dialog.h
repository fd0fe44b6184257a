#pragma once

#include "editing/folder_display_tree.h"
#include "util/wide_text.h"

#include <QDialog>

#include <optional>
#include <string_view>
#include <vector>

class QAction;
class QCheckBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tb {

class UserFolderTree;

// "Select Target Folder": the device folder a file is installed to, picked from the folder tree
// in the simple or the full mode. Only folders a file may go to can be taken and, while the
// limit box is checked, only those the file's type allows.
class SelectTargetFolderDialog : public QDialog {
    Q_OBJECT
public:
    // fileName gives the category mask; the folder of currentTarget is selected at first. The
    // folders must stay unchanged while the dialog lives.
    SelectTargetFolderDialog(uint32_t packageUid, const UserFolderTree& folders,
                             std::u16string_view fileName, std::u16string_view currentTarget,
                             QWidget* owner);

    // Modal; the chosen folder's device path without a final backslash, none on Cancel.
    std::optional<WideText> run();

    FolderDisplayMode mode() const { return mode_; }
    // Shows the tree in the mode, keeping the selected folder when the mode has it.
    void setMode(FolderDisplayMode mode);
    // The folder node selected; null when none (or the node is not a folder of this tree).
    const FolderNode* selectedFolder() const;
    // The selected folder's device path; empty without a selection.
    WideText chosenPath() const;

    QTreeWidget* folderTree() const { return tree_; }
    QAction* simpleAction() const { return simple_; }
    QAction* fullAction() const { return full_; }
    QCheckBox* limitBox() const { return limit_; }
    QPushButton* okButton() const { return ok_; }

private:
    void fill(const FolderNode* select);
    void addItem(const FolderNode& node, QTreeWidgetItem* parent);
    void updateOk();
    void choose();

    const uint32_t packageUid_;
    const UserFolderTree& folders_;
    const std::optional<uint32_t> categoryMask_;
    FolderDisplayMode mode_ = FolderDisplayMode::Simple;
    std::vector<FolderNode> roots_;

    QTreeWidget* tree_ = nullptr;
    QAction* simple_ = nullptr;
    QAction* full_ = nullptr;
    QCheckBox* limit_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Shows the dialog; the chosen folder's device path, none when the user cancelled.
std::optional<WideText> SelectTargetFolder(QWidget* owner, uint32_t packageUid,
                                           const UserFolderTree& folders,
                                           std::u16string_view fileName,
                                           std::u16string_view currentTarget);

} // namespace tb
