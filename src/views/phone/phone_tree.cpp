#include "views/phone/phone_tree.h"

#include "editing/device_folders.h"
#include "editing/folder_names.h"
#include "model/install_item.h"
#include "ui/qt_text.h"

#include <QStyle>

#include <algorithm>

namespace tb {

namespace {

constexpr int kFolderNode = QTreeWidgetItem::UserType + 1;
constexpr int kFileNode = QTreeWidgetItem::UserType + 2;

std::u16string_view textOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

// By name ignoring case; a folder before a file of the same name.
bool nodeLess(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    const QString left = a->text(0), right = b->text(0);
    if (const int order = CompareFolderNames(textOf(left), textOf(right)))
        return order < 0;
    return a->type() == kFolderNode && b->type() == kFileNode;
}

template <class T> T* pointerOf(const QTreeWidgetItem* node, int type) {
    if (!node || node->type() != type)
        return nullptr;
    return reinterpret_cast<T*>(node->data(0, Qt::UserRole).value<quintptr>());
}

template <class T> void setPointer(QTreeWidgetItem* node, T* pointer) {
    node->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(pointer)));
}

} // namespace

PhoneTree::PhoneTree(QWidget* parent) : ui::NodeTree(parent) {
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

const FolderNode* PhoneTree::folderOf(const QTreeWidgetItem* node) {
    return pointerOf<const FolderNode>(node, kFolderNode);
}

FileItemBase* PhoneTree::fileOf(const QTreeWidgetItem* node) {
    return pointerOf<FileItemBase>(node, kFileNode);
}

PhoneTree::FolderKey PhoneTree::keyOf(const FolderNode& node) {
    return {node.folder, node.userFolder, node.folder ? WideText() : node.devicePath};
}

void PhoneTree::fill(const std::vector<FolderNode>& roots, const std::vector<FileItemBase*>& files,
                     const FolderLocator& locate) {
    std::vector<FolderKey> expanded;
    for (const auto& [folder, node] : folderNodes_)
        if (node->isExpanded())
            expanded.push_back(keyOf(*folder));
    std::optional<FolderKey> selectedFolder;
    const FileItemBase* selectedFile = nullptr;
    if (const QTreeWidgetItem* selected = selectedNode()) {
        if (const FolderNode* folder = folderOf(selected))
            selectedFolder = keyOf(*folder);
        selectedFile = fileOf(selected);
    }

    clearNodes();
    QList<QTreeWidgetItem*> top;
    for (const FolderNode& root : roots)
        top.append(makeFolderNode(root));
    // Each folder's files are sorted in with its sub-folders at once, not one by one.
    std::unordered_map<QTreeWidgetItem*, QList<QTreeWidgetItem*>> filesIn;
    for (FileItemBase* file : files) {
        const auto folder = folderNodes_.find(locate(*file));
        if (folder != folderNodes_.end())
            filesIn[folder->second].append(makeFileNode(*file));
    }
    for (auto& [folder, fileNodes] : filesIn) {
        QList<QTreeWidgetItem*> children = folder->takeChildren() + fileNodes;
        std::stable_sort(children.begin(), children.end(), nodeLess);
        folder->addChildren(children);
    }
    addTopLevelItems(top);

    QTreeWidgetItem* select = selectedFile ? nodeOfFile(selectedFile) : nullptr;
    for (const auto& [folder, node] : folderNodes_) {
        const FolderKey key = keyOf(*folder);
        if (std::find(expanded.begin(), expanded.end(), key) != expanded.end())
            node->setExpanded(true);
        if (selectedFolder && key == *selectedFolder)
            select = node;
    }
    selectNode(select);
}

void PhoneTree::clearNodes() {
    fileNodes_.clear();
    folderNodes_.clear();
    clear();
}

QTreeWidgetItem* PhoneTree::nodeOfFile(const InstallItem* file) const {
    const auto found = fileNodes_.find(file);
    return found == fileNodes_.end() ? nullptr : found->second;
}

QTreeWidgetItem* PhoneTree::nodeOfFolder(const FolderNode* folder) const {
    const auto found = folderNodes_.find(folder);
    return found == folderNodes_.end() ? nullptr : found->second;
}

QTreeWidgetItem* PhoneTree::nodeOfUserFolder(const UserFolder* folder) const {
    for (const auto& [node, item] : folderNodes_)
        if (folder && node->userFolder == folder)
            return item;
    return nullptr;
}

QTreeWidgetItem* PhoneTree::placeFile(FileItemBase& file, const FolderNode* folder) {
    QTreeWidgetItem* parent = nodeOfFolder(folder);
    if (!parent) {
        dropFile(&file);
        return nullptr;
    }
    QTreeWidgetItem* node = nodeOfFile(&file);
    if (!node)
        node = makeFileNode(file);
    else if (QTreeWidgetItem* shownIn = node->parent())
        shownIn->removeChild(node);
    setFileText(node, file);
    parent->insertChild(placeAmong(parent, node), node);
    return node;
}

void PhoneTree::dropFile(const InstallItem* item) {
    const auto found = fileNodes_.find(item);
    if (found == fileNodes_.end())
        return;
    QTreeWidgetItem* node = found->second;
    fileNodes_.erase(found);
    delete node;
}

QTreeWidgetItem* PhoneTree::makeFolderNode(const FolderNode& folder) {
    auto* node = new QTreeWidgetItem(kFolderNode);
    node->setText(0, ui::ToQString(folder.name));
    node->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    setPointer(node, &folder);
    // Only the user's sub-folders take another name.
    if (!folder.fixed())
        node->setFlags(node->flags() | Qt::ItemIsEditable);
    folderNodes_[&folder] = node;
    for (const FolderNode& child : folder.children)
        node->addChild(makeFolderNode(child));
    return node;
}

QTreeWidgetItem* PhoneTree::makeFileNode(FileItemBase& file) {
    auto* node = new QTreeWidgetItem(kFileNode);
    node->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
    setPointer(node, &file);
    setFileText(node, file);
    fileNodes_[&file] = node;
    return node;
}

void PhoneTree::setFileText(QTreeWidgetItem* node, const FileItemBase& file) {
    node->setText(0, ui::ToQString(DeviceFileName(file.target)));
    node->setToolTip(0, ui::ToQString(file.target));
}

int PhoneTree::placeAmong(const QTreeWidgetItem* parent, const QTreeWidgetItem* node) {
    int low = 0, high = parent->childCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (nodeLess(node, parent->child(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

} // namespace tb
