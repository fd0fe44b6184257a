#pragma once

#include "model/install_item.h"

#include <memory>
#include <vector>

namespace tb {

// The top-level installation sequence; owns every item in it.
class ItemSequence {
public:
    ItemSequence() = default;
    ~ItemSequence();
    ItemSequence(const ItemSequence&) = delete;
    ItemSequence& operator=(const ItemSequence&) = delete;

    void clear();
    bool empty() const { return first == nullptr; }

    InstallItem* first = nullptr;
    InstallItem* last = nullptr;
};

// Links item directly after reference, in reference's list and with reference's parent. A null
// reference appends at the end of the top-level list. Returns the item, now owned by the tree.
InstallItem* InsertAfter(ItemSequence& sequence, std::unique_ptr<InstallItem> item,
                         InstallItem* reference);

// Appends item as the last child of parent, or at the end of the top-level list when parent is
// null.
InstallItem* AppendChild(ItemSequence& sequence, std::unique_ptr<InstallItem> item,
                         InstallItem* parent);

// Takes item (with its subtree) out of the tree and hands ownership back.
std::unique_ptr<InstallItem> Unlink(ItemSequence& sequence, InstallItem* item);

// Unlinks item and destroys it with its subtree.
void RemoveItem(ItemSequence& sequence, InstallItem* item);

// Moves item after reference (null reference: end of the top-level list). Refused (false) when
// reference is item itself or lies inside item's subtree, which would cut the tree loose.
bool MoveAfter(ItemSequence& sequence, InstallItem* item, InstallItem* reference);

// Moves item to the front of parent's children, or of the top-level list when parent is null.
// Refused when parent is item or lies inside item's subtree.
bool MoveToFront(ItemSequence& sequence, InstallItem* item, InstallItem* parent);

// Moves every child of from to the end of to's children, in order. Both must be items (not
// the top level), and to must not lie inside from's subtree.
void MoveChildren(InstallItem* from, InstallItem* to);

// Pre-order collection of file items (kinds 0, 1) / dialog items (kinds 4, 9) of item's
// subtree, item included.
void CollectFileItems(InstallItem* item, std::vector<InstallItem*>& out);
void CollectDialogItems(InstallItem* item, std::vector<InstallItem*>& out);

// The same over the whole sequence, top-level items in order.
std::vector<InstallItem*> CollectFileItems(const ItemSequence& sequence);
std::vector<InstallItem*> CollectDialogItems(const ItemSequence& sequence);

// True when candidate is item or one of its descendants.
bool IsInSubtree(const InstallItem* candidate, const InstallItem* item);

} // namespace tb
