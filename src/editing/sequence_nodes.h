#pragma once

#include "model/install_item.h"

namespace tb {

// The sequence tree shows one node per item, nested as the items are, under a root that
// stands for the top level. A condition block is the exception: it has no node of its own,
// its branches' nodes stand in its place among its siblings' nodes.

bool HasNode(const InstallItem& item);

// The item whose node holds item's node; null for the root.
InstallItem* ParentNodeItem(const InstallItem& item);

// What a node stands for when it is moved or removed: the IF branch heads its condition block,
// every other node its own item.
InstallItem& ItemOfNode(InstallItem& item);
const InstallItem& ItemOfNode(const InstallItem& item);

} // namespace tb
