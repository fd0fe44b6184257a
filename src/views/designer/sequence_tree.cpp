#include "views/designer/sequence_tree.h"

#include "editing/sequence_labels.h"
#include "editing/sequence_nodes.h"
#include "model/item_sequence.h"
#include "ui/qt_text.h"

#include <QStyle>

#include <vector>

namespace tb {

namespace {

InstallItem* pointerOf(const QTreeWidgetItem* node) {
    if (!node)
        return nullptr;
    return reinterpret_cast<InstallItem*>(node->data(0, Qt::UserRole).value<quintptr>());
}

QStyle::StandardPixmap pixmapFor(const InstallItem* item) {
    if (!item)
        return QStyle::SP_ComputerIcon;
    switch (item->kind) {
    case InstallItemKind::ShowOptionList:
        return QStyle::SP_FileDialogListView;
    case InstallItemKind::Option:
    case InstallItemKind::ConditionBranch:
        return QStyle::SP_ArrowRight;
    case InstallItemKind::ShowDialog:
    case InstallItemKind::ShowLanguageDialog:
        return QStyle::SP_MessageBoxInformation;
    case InstallItemKind::IncludePackage:
    case InstallItemKind::IncludeLanguagePackage:
        return QStyle::SP_DriveFDIcon;
    default:
        return QStyle::SP_FileIcon;
    }
}

// node and everything below it, parents before their children.
std::vector<QTreeWidgetItem*> subtreeOf(QTreeWidgetItem* node) {
    std::vector<QTreeWidgetItem*> all{node};
    for (size_t i = 0; i < all.size(); ++i)
        for (int c = 0; c < all[i]->childCount(); ++c)
            all.push_back(all[i]->child(c));
    return all;
}

} // namespace

SequenceTree::SequenceTree(QWidget* parent) : ui::NodeTree(parent) {
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // A double-click edits; nodes open and close by their arrows and the keyboard.
    setExpandsOnDoubleClick(false);
}

void SequenceTree::clearNodes() {
    nodes_.clear();
    root_ = nullptr;
    clear();
}

void SequenceTree::fill(const ItemSequence& sequence, size_t language) {
    clearNodes();
    root_ = new QTreeWidgetItem;
    root_->setText(0, ui::ToQString(kInstallStartLabel));
    root_->setIcon(0, iconFor(nullptr));
    // The nodes are put together before the tree shows any of them.
    for (InstallItem* item = sequence.first; item; item = NextInPreOrder(item, nullptr))
        if (HasNode(*item))
            parentNodeOf(*item)->addChild(makeNode(*item, language));
    addTopLevelItem(root_);
    expandAll();
    selectNode(root_);
}

InstallItem* SequenceTree::itemOf(const QTreeWidgetItem* node) {
    return pointerOf(node);
}

QTreeWidgetItem* SequenceTree::nodeOf(const InstallItem* item) const {
    const auto found = nodes_.find(item);
    return found == nodes_.end() ? nullptr : found->second;
}

QTreeWidgetItem* SequenceTree::makeNode(InstallItem& item, size_t language) {
    auto* node = new QTreeWidgetItem;
    node->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&item)));
    node->setIcon(0, iconFor(&item));
    setLabel(node, item, language, false);
    nodes_[&item] = node;
    return node;
}

const QIcon& SequenceTree::iconFor(const InstallItem* item) {
    const QStyle::StandardPixmap pixmap = pixmapFor(item);
    auto found = icons_.find(pixmap);
    if (found == icons_.end())
        found = icons_.emplace(pixmap, style()->standardIcon(pixmap)).first;
    return found->second;
}

QTreeWidgetItem* SequenceTree::parentNodeOf(const InstallItem& item) const {
    const InstallItem* parent = ParentNodeItem(item);
    return parent ? nodeOf(parent) : root_;
}

QList<QTreeWidgetItem*> SequenceTree::ownNodesOf(const InstallItem& item) const {
    QList<QTreeWidgetItem*> nodes;
    if (HasNode(item)) {
        if (QTreeWidgetItem* node = nodeOf(&item))
            nodes.append(node);
        return nodes;
    }
    for (const InstallItem* branch = item.firstChild; branch; branch = branch->next)
        if (QTreeWidgetItem* node = nodeOf(branch))
            nodes.append(node);
    return nodes;
}

int SequenceTree::indexFor(const InstallItem& item) const {
    for (const InstallItem* previous = item.previous; previous; previous = previous->previous)
        if (const QList<QTreeWidgetItem*> nodes = ownNodesOf(*previous); !nodes.isEmpty())
            return nodes.back()->parent()->indexOfChild(nodes.back()) + 1;
    // The first branch of a block stands where the block does.
    if (item.parent && !HasNode(*item.parent))
        return indexFor(*item.parent);
    return 0;
}

QTreeWidgetItem* SequenceTree::showItem(InstallItem& item, size_t language) {
    if (!root_)
        return nullptr;
    // The nodes of item's subtree, those of item itself (its branches for a block) in nodes.
    QList<QTreeWidgetItem*> nodes;
    for (InstallItem* at = &item; at; at = NextInPreOrder(at, &item)) {
        if (!HasNode(*at))
            continue;
        QTreeWidgetItem* node = makeNode(*at, language);
        if (at == &item || (!HasNode(item) && at->parent == &item))
            nodes.append(node);
        else
            nodeOf(ParentNodeItem(*at))->addChild(node);
    }
    if (nodes.isEmpty())
        return nullptr;
    insertNodes(item, nodes);
    return nodes.front();
}

void SequenceTree::insertNodes(InstallItem& item, const QList<QTreeWidgetItem*>& nodes) {
    QTreeWidgetItem* parent = parentNodeOf(item);
    parent->insertChildren(indexFor(item), nodes);
    // Children open before their parents: the tree lays out each opened subtree only once.
    std::vector<QTreeWidgetItem*> shown;
    for (QTreeWidgetItem* node : nodes) {
        std::vector<QTreeWidgetItem*> subtree = subtreeOf(node);
        shown.insert(shown.end(), subtree.begin(), subtree.end());
    }
    for (auto node = shown.rbegin(); node != shown.rend(); ++node)
        if ((*node)->childCount())
            (*node)->setExpanded(true);
    parent->setExpanded(true);
}

void SequenceTree::forget(QTreeWidgetItem* node) {
    for (QTreeWidgetItem* gone : subtreeOf(node))
        nodes_.erase(itemOf(gone));
}

void SequenceTree::dropItem(const InstallItem& item) {
    for (QTreeWidgetItem* node : ownNodesOf(item)) {
        forget(node);
        delete node;
    }
}

void SequenceTree::placeItem(InstallItem& item) {
    const QList<QTreeWidgetItem*> nodes = ownNodesOf(item);
    if (nodes.isEmpty())
        return;
    for (QTreeWidgetItem* node : nodes)
        node->parent()->removeChild(node);
    insertNodes(item, nodes);
    if (item.kind == InstallItemKind::ConditionBranch)
        relabel(item, 0);
}

void SequenceTree::relabel(const InstallItem& item, size_t language, bool edited) {
    if (item.kind == InstallItemKind::ConditionBranch && item.parent) {
        relabel(*item.parent, language, edited);
        return;
    }
    if (!HasNode(item)) {
        for (const InstallItem* branch = item.firstChild; branch; branch = branch->next)
            if (QTreeWidgetItem* node = nodeOf(branch))
                setLabel(node, *branch, language, edited);
        return;
    }
    if (QTreeWidgetItem* node = nodeOf(&item))
        setLabel(node, item, language, edited);
}

void SequenceTree::setLabel(QTreeWidgetItem* node, const InstallItem& item, size_t language,
                            bool edited) {
    node->setText(0, ui::ToQString(edited ? EditedSequenceLabel(item, language)
                                          : SequenceLabel(item, language)));
}

QTreeWidgetItem* SequenceTree::neighbourOf(const InstallItem& item) const {
    const QList<QTreeWidgetItem*> nodes = ownNodesOf(item);
    if (nodes.isEmpty())
        return nullptr;
    QTreeWidgetItem* parent = nodes.front()->parent();
    const int after = parent->indexOfChild(nodes.back()) + 1;
    if (after < parent->childCount())
        return parent->child(after);
    const int before = parent->indexOfChild(nodes.front()) - 1;
    return before >= 0 ? parent->child(before) : parent;
}

} // namespace tb
