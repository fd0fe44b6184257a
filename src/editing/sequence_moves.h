#pragma once

#include "editing/item_place.h"

#include <optional>

namespace tb {

// Where Move Up and Move Down take an item of the installation sequence, with its subtree;
// none when it stays (the first top-level action, the first option of a list, ...). An action
// crosses into and out of option lists through their options; an option moves only among the
// options of its list. Condition blocks are crossed as option lists are. A branch moves like an
// option, but the IF branch stays first and the ELSE branch last: only ELSEIF branches trade
// places, with each other.
std::optional<ItemPlace> MoveUpPlace(InstallItem& item);
std::optional<ItemPlace> MoveDownPlace(InstallItem& item);

} // namespace tb
