#include "editing/sequence_nodes.h"

namespace tb {

bool HasNode(const InstallItem& item) {
    return item.kind != InstallItemKind::ConditionBlock;
}

InstallItem* ParentNodeItem(const InstallItem& item) {
    InstallItem* parent = item.parent;
    if (parent && !HasNode(*parent))
        parent = parent->parent;
    return parent;
}

InstallItem& ItemOfNode(InstallItem& item) {
    if (item.kind == InstallItemKind::ConditionBranch && !item.previous && item.parent)
        return *item.parent;
    return item;
}

const InstallItem& ItemOfNode(const InstallItem& item) {
    return ItemOfNode(const_cast<InstallItem&>(item));
}

} // namespace tb
