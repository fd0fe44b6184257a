#include "model/item_sequence.h"

namespace tb {

ItemSequence::~ItemSequence() { clear(); }

void ItemSequence::clear() {
    DestroyItemList(first);
    first = last = nullptr;
}

namespace {

void linkAfter(ItemSequence& sequence, InstallItem* item, InstallItem* reference) {
    if (!reference) {
        item->parent = nullptr;
        item->previous = sequence.last;
        item->next = nullptr;
        if (sequence.last)
            sequence.last->next = item;
        else
            sequence.first = item;
        sequence.last = item;
        return;
    }
    item->parent = reference->parent;
    item->previous = reference;
    item->next = reference->next;
    if (reference->next)
        reference->next->previous = item;
    reference->next = item;
    if (reference == sequence.last)
        sequence.last = item;
}

void linkFront(ItemSequence& sequence, InstallItem* item, InstallItem* parent) {
    item->parent = parent;
    item->previous = nullptr;
    InstallItem*& head = parent ? parent->firstChild : sequence.first;
    item->next = head;
    if (head)
        head->previous = item;
    head = item;
    if (!parent && !sequence.last)
        sequence.last = item;
}

void unlinkRaw(ItemSequence& sequence, InstallItem* item) {
    if (item->previous)
        item->previous->next = item->next;
    else if (item->parent)
        item->parent->firstChild = item->next;
    else if (sequence.first == item)
        sequence.first = item->next;
    if (item->next)
        item->next->previous = item->previous;
    else if (!item->parent && sequence.last == item)
        sequence.last = item->previous;
    item->parent = item->previous = item->next = nullptr;
}

template <class Match> void collect(InstallItem* item, std::vector<InstallItem*>& out, Match m) {
    for (InstallItem* at = item; at; at = NextInPreOrder(at, item))
        if (m(at->kind))
            out.push_back(at);
}

bool isFileKind(InstallItemKind k) {
    return k == InstallItemKind::File || k == InstallItemKind::LanguageFile;
}

bool isDialogKind(InstallItemKind k) {
    return k == InstallItemKind::ShowDialog || k == InstallItemKind::ShowLanguageDialog;
}

} // namespace

InstallItem* InsertAfter(ItemSequence& sequence, std::unique_ptr<InstallItem> item,
                         InstallItem* reference) {
    InstallItem* raw = item.release();
    linkAfter(sequence, raw, reference);
    return raw;
}

InstallItem* AppendChild(ItemSequence& sequence, std::unique_ptr<InstallItem> item,
                         InstallItem* parent) {
    if (!parent)
        return InsertAfter(sequence, std::move(item), sequence.last);
    if (InstallItem* last = parent->lastChild())
        return InsertAfter(sequence, std::move(item), last);
    InstallItem* raw = item.release();
    linkFront(sequence, raw, parent);
    return raw;
}

std::unique_ptr<InstallItem> Unlink(ItemSequence& sequence, InstallItem* item) {
    unlinkRaw(sequence, item);
    return std::unique_ptr<InstallItem>(item);
}

void RemoveItem(ItemSequence& sequence, InstallItem* item) { Unlink(sequence, item).reset(); }

bool IsInSubtree(const InstallItem* candidate, const InstallItem* item) {
    for (const InstallItem* at = candidate; at; at = at->parent)
        if (at == item)
            return true;
    return false;
}

bool MoveAfter(ItemSequence& sequence, InstallItem* item, InstallItem* reference) {
    if (reference && IsInSubtree(reference, item))
        return false;
    unlinkRaw(sequence, item);
    linkAfter(sequence, item, reference);
    return true;
}

bool MoveToFront(ItemSequence& sequence, InstallItem* item, InstallItem* parent) {
    if (parent && IsInSubtree(parent, item))
        return false;
    unlinkRaw(sequence, item);
    linkFront(sequence, item, parent);
    return true;
}

void MoveChildren(InstallItem* from, InstallItem* to) {
    InstallItem* moved = from->firstChild;
    if (!moved || from == to)
        return;
    from->firstChild = nullptr;
    InstallItem* last = to->lastChild();
    moved->previous = last;
    if (last)
        last->next = moved;
    else
        to->firstChild = moved;
    for (InstallItem* item = moved; item; item = item->next)
        item->parent = to;
}

void CollectFileItems(InstallItem* item, std::vector<InstallItem*>& out) {
    collect(item, out, isFileKind);
}

void CollectDialogItems(InstallItem* item, std::vector<InstallItem*>& out) {
    collect(item, out, isDialogKind);
}

std::vector<InstallItem*> CollectFileItems(const ItemSequence& sequence) {
    std::vector<InstallItem*> out;
    for (InstallItem* item = sequence.first; item; item = item->next)
        CollectFileItems(item, out);
    return out;
}

std::vector<InstallItem*> CollectDialogItems(const ItemSequence& sequence) {
    std::vector<InstallItem*> out;
    for (InstallItem* item = sequence.first; item; item = item->next)
        CollectDialogItems(item, out);
    return out;
}

} // namespace tb
