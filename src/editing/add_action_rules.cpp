#include "editing/add_action_rules.h"

#include "editing/file_rows.h"

namespace tb {

namespace {

constexpr std::array<std::u16string_view, kAddActions.size()> kTexts = {
    u"Install File(s)...",
    u"Launch File in Viewer...",
    u"Show Option List",
    u"Option",
    u"Show Dialog",
    u"Include Package...",
    u"Install Language File...",
    u"Launch Language File in Viewer...",
    u"Show Language Dialog...",
    u"Include Language Package...",
    u"Condition Block...",
    u"Null File...",
};

bool is(const InstallItem* item, InstallItemKind kind) {
    return item && item->kind == kind;
}

// An option, or a branch of a condition block: a place holding actions.
bool isAlternative(const InstallItem* item) {
    return is(item, InstallItemKind::Option) || is(item, InstallItemKind::ConditionBranch);
}

bool isLanguageAction(AddAction action) {
    return action == AddAction::LanguageFile || action == AddAction::LaunchLanguageFile ||
           action == AddAction::LanguageDialog || action == AddAction::IncludeLanguagePackage;
}

bool preinstalledAllows(AddAction action) {
    return action == AddAction::InstallFiles || action == AddAction::IncludePackage ||
           action == AddAction::LanguageFile || action == AddAction::IncludeLanguagePackage;
}

const ConditionBranchItem* branchOf(const InstallItem* node) {
    return itemAs<ConditionBranchItem>(node);
}

} // namespace

std::u16string_view AddActionText(AddAction action, bool contextMenuWithoutItem) {
    if (action == AddAction::LaunchFile && contextMenuWithoutItem)
        return u"Launch File In Viewer...";
    return kTexts[size_t(action)];
}

bool SeparatorBefore(AddAction action) {
    return action == AddAction::LanguageFile || action == AddAction::ConditionBlock;
}

bool AddActionEnabled(AddAction action, AddMenuPlace place, const SequenceState& state) {
    if (isLanguageAction(action) && !state.multilingual)
        return false;
    if (IsPreinstalled(state.type))
        return preinstalledAllows(action);
    const InstallItem* selected = state.selected;
    switch (action) {
    case AddAction::Option:
        return is(selected, InstallItemKind::ShowOptionList);
    case AddAction::OptionList:
        // No option list directly in an option or a branch; from the item menu not beside
        // the actions inside one either.
        return !isAlternative(selected) &&
               !(place == AddMenuPlace::ItemMenu && selected && isAlternative(selected->parent));
    default:
        return true;
    }
}

bool OffersItemMenu(const SequenceState& state) {
    return state.selected && !IsPreinstalled(state.type);
}

bool CanEditNode(const InstallItem* node) {
    if (!node || is(node, InstallItemKind::ShowOptionList) ||
        is(node, InstallItemKind::ConditionBlock))
        return false;
    if (const ConditionBranchItem* branch = branchOf(node))
        return branch->condition != nullptr;
    return true;
}

bool EditsOnDoubleClick(const InstallItem* node) {
    return CanEditNode(node) && !isAlternative(node);
}

bool CanRemoveNode(const InstallItem* node) {
    return node && !(is(node, InstallItemKind::Option) && !node->previous);
}

bool CanAddElseIf(const InstallItem* node) {
    const ConditionBranchItem* branch = branchOf(node);
    return branch && branch->condition;
}

bool CanAddElse(const InstallItem* node) {
    if (!branchOf(node) || !node->parent)
        return false;
    const ConditionBranchItem* last = branchOf(node->parent->lastChild());
    return last && last->condition;
}

} // namespace tb
