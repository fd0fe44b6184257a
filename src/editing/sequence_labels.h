#pragma once

#include "model/install_item.h"
#include "util/wide_text.h"

#include <cstddef>
#include <string_view>

namespace tb {

// The root of the sequence tree; it stands for no item.
inline constexpr std::u16string_view kInstallStartLabel = u"Install Start";

// The label of an item's node in the sequence tree, with the per-language texts of language
// (a position in the package's language list). A condition block has no node of its own (its
// branches stand for it): empty.
WideText SequenceLabel(const InstallItem& item, size_t language);

// The label after the item was edited in place: a language-dependent file shows its edited
// form until the tree is built again; every other item its ordinary label.
WideText EditedSequenceLabel(const InstallItem& item, size_t language);

// The text a new option gets in the current language: "Option 1" for the first of its list,
// then "Option 2", ... by the list's option count after the addition.
WideText NewOptionText(size_t optionCount);

} // namespace tb
