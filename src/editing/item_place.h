#pragma once

#include "model/item_sequence.h"

namespace tb {

// A place in the installation sequence, named by a neighbour or by a parent. The anchor must be
// an item of the same sequence.
struct ItemPlace {
    enum class Kind { After, Before, FirstChild, LastChild };
    Kind kind = Kind::LastChild;
    InstallItem* anchor = nullptr;

    // Directly after reference, in its list; a null reference: the end of the top level.
    static ItemPlace after(InstallItem* reference) { return {Kind::After, reference}; }
    // Directly before reference, in its list; a null reference names no place.
    static ItemPlace before(InstallItem* reference) { return {Kind::Before, reference}; }
    // First or last of parent's children; a null parent: the top level.
    static ItemPlace firstChildOf(InstallItem* parent) { return {Kind::FirstChild, parent}; }
    static ItemPlace lastChildOf(InstallItem* parent) { return {Kind::LastChild, parent}; }

    bool operator==(const ItemPlace&) const = default;
};

// Puts item, with its subtree, at place. item is linked in sequence already (an item to insert
// is appended at the top level first). Refused (false, nothing changed) when the anchor is item
// or lies in its subtree, or when the place is before nothing.
bool PlaceItem(ItemSequence& sequence, InstallItem* item, ItemPlace place);

} // namespace tb
