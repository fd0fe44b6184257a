#pragma once

#include "model/install_item.h"
#include "model/package.h"

#include <array>
#include <string_view>

namespace tb {

// The add actions of the installation sequence, in the order of the add-action menu.
enum class AddAction {
    InstallFiles,
    LaunchFile,
    OptionList,
    Option,
    Dialog, // a submenu: new, or from a text file
    IncludePackage,
    LanguageFile,
    LaunchLanguageFile,
    LanguageDialog,
    IncludeLanguagePackage,
    ConditionBlock,
    NullFile,
};

inline constexpr std::array<AddAction, 12> kAddActions = {
    AddAction::InstallFiles,   AddAction::LaunchFile,
    AddAction::OptionList,     AddAction::Option,
    AddAction::Dialog,         AddAction::IncludePackage,
    AddAction::LanguageFile,   AddAction::LaunchLanguageFile,
    AddAction::LanguageDialog, AddAction::IncludeLanguagePackage,
    AddAction::ConditionBlock, AddAction::NullFile};

// The menu's entry text. The context menu shown without an item spells one entry differently.
std::u16string_view AddActionText(AddAction action, bool contextMenuWithoutItem = false);
// A separator goes before these entries.
bool SeparatorBefore(AddAction action);

// Where the add-action menu is offered: under the "Add Action" button (the Insert menu of the
// window follows the same rule), as the context menu of a node without an item, or as the
// "Add Action" submenu of the item menu.
enum class AddMenuPlace { Button, ContextMenu, ItemMenu };

// What the enabling rules read: the package type, whether it has more than one language, and
// the selected node's item (null for nothing or the root).
struct SequenceState {
    PackageType type = PackageType::Application;
    bool multilingual = false;
    const InstallItem* selected = nullptr;
};

bool AddActionEnabled(AddAction action, AddMenuPlace place, const SequenceState& state);

// A right click on the selected node offers the item menu (true) or the add-action menu.
bool OffersItemMenu(const SequenceState& state);

// Edit button, Enter and the item menu's "Edit..." (left out of the menu when false): nodes
// with a dialog. A double-click edits only such nodes that hold no actions of their own.
bool CanEditNode(const InstallItem* node);
bool EditsOnDoubleClick(const InstallItem* node);
// Remove button, Delete and "Remove": every item but the first option of its list.
bool CanRemoveNode(const InstallItem* node);

// The branch entries of a branch's item menu: an ELSEIF directly after an IF or ELSEIF
// branch, and an ELSE at the end of a block that has none.
inline constexpr std::u16string_view kAddElseIfText = u"Add ELSEIF...";
inline constexpr std::u16string_view kAddElseText = u"Add ELSE";
bool CanAddElseIf(const InstallItem* node);
bool CanAddElse(const InstallItem* node);

} // namespace tb
