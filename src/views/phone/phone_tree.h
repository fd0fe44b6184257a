#pragma once

#include "editing/folder_display_tree.h"

#include "ui/node_tree.h"

#include <QTreeWidget>

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tb {

class FileItemBase;
class InstallItem;
class UserFolder;

// The Phone View's tree: folder nodes and, inside them, the files installed there, folders
// and files together in alphabetical order ignoring case (the simple mode's roots keep their
// own order). Nodes point at the folder nodes and items they show; they change only through
// fill, placeFile and dropFile.
class PhoneTree : public ui::NodeTree {
    Q_OBJECT
public:
    // The folder node a file is shown in; null: the file is not shown.
    using FolderLocator = std::function<const FolderNode*(const FileItemBase&)>;

    explicit PhoneTree(QWidget* parent = nullptr);

    // Shows roots (which must outlive the nodes) and the files where locate puts them. The
    // folders that were expanded and the selected node stay so where they are shown again,
    // across the two display modes too.
    void fill(const std::vector<FolderNode>& roots, const std::vector<FileItemBase*>& files,
              const FolderLocator& locate);
    void clearNodes();

    // What a node shows; null for a node of the other kind.
    static const FolderNode* folderOf(const QTreeWidgetItem* node);
    static FileItemBase* fileOf(const QTreeWidgetItem* node);

    // node becomes the selected and current node, made visible; null selects nothing.

    QTreeWidgetItem* nodeOfFile(const InstallItem* file) const;
    QTreeWidgetItem* nodeOfFolder(const FolderNode* folder) const;
    // The node of the private folder or of one of the user's sub-folders.
    QTreeWidgetItem* nodeOfUserFolder(const UserFolder* folder) const;

    // Shows file in folder, in its place by name, moving its node there when it was shown
    // elsewhere; a null folder takes the node away. The file's node, or null.
    QTreeWidgetItem* placeFile(FileItemBase& file, const FolderNode* folder);
    // Takes the node of item away, if it has one.
    void dropFile(const InstallItem* item);

private:
    // What identifies a folder in either mode and in a tree built again: the device folder and
    // the user's folder, or for the full mode's folders in between their path.
    struct FolderKey {
        std::optional<DeviceFolder> folder;
        const UserFolder* userFolder = nullptr;
        WideText path;
        bool operator==(const FolderKey&) const = default;
    };
    static FolderKey keyOf(const FolderNode& node);

    QTreeWidgetItem* makeFolderNode(const FolderNode& node);
    QTreeWidgetItem* makeFileNode(FileItemBase& file);
    static void setFileText(QTreeWidgetItem* node, const FileItemBase& file);
    // Where node goes among parent's children.
    static int placeAmong(const QTreeWidgetItem* parent, const QTreeWidgetItem* node);

    std::unordered_map<const InstallItem*, QTreeWidgetItem*> fileNodes_;
    std::unordered_map<const FolderNode*, QTreeWidgetItem*> folderNodes_;
};

} // namespace tb
