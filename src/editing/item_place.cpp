#include "editing/item_place.h"

namespace tb {

bool PlaceItem(ItemSequence& sequence, InstallItem* item, ItemPlace place) {
    InstallItem* anchor = place.anchor;
    if (!item || (anchor && IsInSubtree(anchor, item)))
        return false;
    switch (place.kind) {
    case ItemPlace::Kind::After:
        return MoveAfter(sequence, item, anchor);
    case ItemPlace::Kind::Before:
        if (!anchor)
            return false;
        if (anchor->previous == item)
            return true;
        return anchor->previous ? MoveAfter(sequence, item, anchor->previous)
                                : MoveToFront(sequence, item, anchor->parent);
    case ItemPlace::Kind::FirstChild:
        return MoveToFront(sequence, item, anchor);
    case ItemPlace::Kind::LastChild: {
        InstallItem* last = anchor ? anchor->lastChild() : sequence.last;
        if (last == item)
            return true;
        return last ? MoveAfter(sequence, item, last) : MoveToFront(sequence, item, anchor);
    }
    }
    return false;
}

} // namespace tb
