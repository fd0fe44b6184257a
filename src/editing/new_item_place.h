#pragma once

#include "editing/item_place.h"

namespace tb {

// Where an add action puts its new item, by the selected node: at the end of the top level for
// nothing or the root (null), last inside an option or a branch, otherwise directly after the
// selected item in its list.
ItemPlace NewItemPlace(InstallItem* selected);

// A new option goes last in its list.
ItemPlace NewOptionPlace(InstallItem& optionList);

// A new ELSEIF branch goes directly after the IF or ELSEIF branch it was asked for; a new ELSE
// branch last in the block.
ItemPlace NewElseIfPlace(InstallItem& branch);
ItemPlace NewElsePlace(InstallItem& branch);

} // namespace tb
