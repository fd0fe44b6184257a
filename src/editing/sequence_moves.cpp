#include "editing/sequence_moves.h"

namespace tb {

namespace {

// A list of alternatives, and one alternative holding actions.
bool isGroup(const InstallItem* item) {
    return item && (item->kind == InstallItemKind::ShowOptionList ||
                    item->kind == InstallItemKind::ConditionBlock);
}

bool isAlternative(const InstallItem* item) {
    return item && (item->kind == InstallItemKind::Option ||
                    item->kind == InstallItemKind::ConditionBranch);
}

bool isFilledGroup(const InstallItem* item) {
    return isGroup(item) && item->firstChild;
}

// An IF or ELSEIF branch; the ELSE branch has no condition.
bool hasCondition(const InstallItem* item) {
    const auto* branch = itemAs<ConditionBranchItem>(item);
    return branch && branch->condition;
}

bool isElseIf(const InstallItem& branch) {
    return branch.previous && hasCondition(&branch);
}

} // namespace

std::optional<ItemPlace> MoveUpPlace(InstallItem& item) {
    if (item.kind == InstallItemKind::ConditionBranch) {
        // Never before the IF branch.
        if (isElseIf(item) && item.previous->previous)
            return ItemPlace::before(item.previous);
        return std::nullopt;
    }
    if (item.kind == InstallItemKind::Option)
        return item.previous ? std::optional(ItemPlace::before(item.previous)) : std::nullopt;
    if (InstallItem* previous = item.previous) {
        // A group goes past a group as a whole; an action enters its last alternative.
        if (isFilledGroup(previous) && !isGroup(&item))
            return ItemPlace::lastChildOf(previous->lastChild());
        return ItemPlace::before(previous);
    }
    InstallItem* alternative = item.parent;
    if (!isAlternative(alternative))
        return std::nullopt;
    if (alternative->previous)
        return ItemPlace::lastChildOf(alternative->previous);
    InstallItem* group = alternative->parent;
    if (!group)
        return std::nullopt;
    if (isFilledGroup(group->previous))
        return ItemPlace::lastChildOf(group->previous->lastChild());
    return ItemPlace::before(group);
}

std::optional<ItemPlace> MoveDownPlace(InstallItem& item) {
    if (item.kind == InstallItemKind::ConditionBranch) {
        // Never after the ELSE branch.
        if (isElseIf(item) && hasCondition(item.next))
            return ItemPlace::after(item.next);
        return std::nullopt;
    }
    if (item.kind == InstallItemKind::Option)
        return item.next ? std::optional(ItemPlace::after(item.next)) : std::nullopt;
    if (InstallItem* next = item.next) {
        // Whatever moves down into a group, a group included, enters its first alternative.
        if (isFilledGroup(next))
            return ItemPlace::firstChildOf(next->firstChild);
        return ItemPlace::after(next);
    }
    InstallItem* alternative = item.parent;
    if (!isAlternative(alternative))
        return std::nullopt;
    if (alternative->next)
        return ItemPlace::firstChildOf(alternative->next);
    if (!alternative->parent)
        return std::nullopt;
    return ItemPlace::after(alternative->parent);
}

} // namespace tb
