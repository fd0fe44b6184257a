#pragma once

#include "editing/item_place.h"

#include <optional>

namespace tb {

// Where Move Up and Move Down take an item of the installation sequence, with its subtree;
// none when it stays (the first top-level action, the first option of a list, ...). An action
// crosses into and out of option lists through their options; an option moves only among the
// options of its list. Condition blocks are crossed as option lists are, and their branches
// never move: IF, ELSEIF and ELSE keep their order.
std::optional<ItemPlace> MoveUpPlace(InstallItem& item);
std::optional<ItemPlace> MoveDownPlace(InstallItem& item);

} // namespace tb
