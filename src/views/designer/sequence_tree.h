#pragma once

#include <QIcon>
#include "ui/node_tree.h"

#include <QTreeWidget>

#include <cstddef>
#include <map>
#include <unordered_map>

namespace tb {

class InstallItem;
class ItemSequence;

// The Designer's tree: the root "Install Start" and one node per item in sequence order,
// nested as the items are (a condition block shows only its branches). Nodes point at their
// items. After the first fill the tree follows the sequence edit by edit: nodes are added,
// taken away, moved and relabelled in place, never rebuilt.
class SequenceTree : public ui::NodeTree {
    Q_OBJECT
public:
    explicit SequenceTree(QWidget* parent = nullptr);

    // Every node again from sequence, labels in language; the root is selected.
    void fill(const ItemSequence& sequence, size_t language);
    void clearNodes();

    QTreeWidgetItem* rootNode() const { return root_; }
    // The item a node shows; null for the root (and for no node).
    static InstallItem* itemOf(const QTreeWidgetItem* node);
    QTreeWidgetItem* nodeOf(const InstallItem* item) const;

    // The selected node's item; null for nothing or the root.
    InstallItem* selectedItem() const { return itemOf(selectedNode()); }

    // Nodes for item, now in the sequence, and everything in it, where the sequence has it;
    // the first of them (an IF branch's for a block).
    QTreeWidgetItem* showItem(InstallItem& item, size_t language);
    // Takes away item's nodes (its branches' for a block) with everything below them. item may
    // be out of the sequence already, but its subtree must be whole.
    void dropItem(const InstallItem& item);
    // Puts item's nodes where the sequence has item now.
    void placeItem(InstallItem& item);
    // The labels of item's nodes again (the edited form after an edit in place); a branch
    // relabels its whole block, whose IF and ELSEIF labels go by position.
    void relabel(const InstallItem& item, size_t language, bool edited = false);

    // The node that takes the place of item's nodes when they go: the next sibling, else the
    // previous one, else the parent.
    QTreeWidgetItem* neighbourOf(const InstallItem& item) const;

private:
    QTreeWidgetItem* makeNode(InstallItem& item, size_t language);
    // One icon per kind of node, made once.
    const QIcon& iconFor(const InstallItem* item);
    QTreeWidgetItem* parentNodeOf(const InstallItem& item) const;
    // Where the first node of item goes among its parent node's children.
    int indexFor(const InstallItem& item) const;
    // The node of item, or for a block its branches' nodes.
    QList<QTreeWidgetItem*> ownNodesOf(const InstallItem& item) const;
    void insertNodes(InstallItem& item, const QList<QTreeWidgetItem*>& nodes);
    void forget(QTreeWidgetItem* node);
    void setLabel(QTreeWidgetItem* node, const InstallItem& item, size_t language, bool edited);

    QTreeWidgetItem* root_ = nullptr;
    std::unordered_map<const InstallItem*, QTreeWidgetItem*> nodes_;
    std::map<int, QIcon> icons_;
};

} // namespace tb
