#pragma once

#include "model/condition.h"
#include "util/wide_text.h"

#include <cstdint>
#include <memory>

namespace tb {

enum class InstallItemKind : int32_t {
    File = 0,
    LanguageFile = 1,
    IncludePackage = 2,
    IncludeLanguagePackage = 3,
    ShowDialog = 4,
    // 5 and 6 are never produced.
    ShowOptionList = 7,
    Option = 8,
    ShowLanguageDialog = 9,
    // IF / ELSEIF / ELSE ... ENDIF: the block's children are its branches, in order.
    ConditionBlock = 10,
    ConditionBranch = 11,
};

enum class FileType : int32_t { FF = 0, FR = 1, FM = 2, FT = 3, FN = 4 };
enum class RunOption : int32_t { RI = 0, RR = 1, RB = 2 };
enum class TextOption : int32_t { TC = 0, TA = 1, TE = 2 };

// A node of the installation sequence. Siblings form a doubly linked list; an item owns its
// children (reached through firstChild). The owning ItemSequence destroys whole lists
// iteratively, so neither long lists nor deep nesting grow the stack.
class InstallItem {
public:
    explicit InstallItem(InstallItemKind k) : kind(k) {}
    virtual ~InstallItem();
    InstallItem(const InstallItem&) = delete;
    InstallItem& operator=(const InstallItem&) = delete;

    InstallItem* lastChild() const;

    const InstallItemKind kind;
    // ShowOptionListItem, OptionItem, ConditionBlockItem or ConditionBranchItem; null at top
    // level.
    InstallItem* parent = nullptr;
    InstallItem* previous = nullptr;
    InstallItem* next = nullptr;
    InstallItem* firstChild = nullptr;
};

// Shared part of kinds 0 and 1.
class FileItemBase : public InstallItem {
public:
    using InstallItem::InstallItem;
    WideText target;
    WideText mimeType;
    char16_t drive = u'!';
    FileType fileType = FileType::FF;
    RunOption runOption = RunOption::RI;
    bool runWaitEnd = true;
};

class InstallFileItem : public FileItemBase {
public:
    explicit InstallFileItem(WideText src = {})
        : FileItemBase(InstallItemKind::File), source(std::move(src)) {}
    WideText source;
};

class InstallLanguageFileItem : public FileItemBase {
public:
    explicit InstallLanguageFileItem(size_t languageCount)
        : FileItemBase(InstallItemKind::LanguageFile), sources(languageCount) {}
    LocalizedText sources;
};

class IncludePackageItem : public InstallItem {
public:
    explicit IncludePackageItem(WideText p = {})
        : InstallItem(InstallItemKind::IncludePackage), path(std::move(p)) {}
    uint32_t uid = 0;
    bool unconditional = false;
    WideText path;
};

class IncludeLanguagePackageItem : public InstallItem {
public:
    explicit IncludeLanguagePackageItem(size_t languageCount)
        : InstallItem(InstallItemKind::IncludeLanguagePackage), paths(languageCount) {}
    uint32_t uid = 0;
    bool unconditional = false;
    LocalizedText paths;
};

// Shared part of kinds 4 and 9. The name is the label shown for the dialog; it is not
// written to the package file.
class DialogItemBase : public InstallItem {
public:
    using InstallItem::InstallItem;
    WideText name;
    TextOption textOption = TextOption::TC;
};

class ShowDialogItem : public DialogItemBase {
public:
    explicit ShowDialogItem(WideText src = {})
        : DialogItemBase(InstallItemKind::ShowDialog), source(std::move(src)) {}
    WideText source;
};

class ShowLanguageDialogItem : public DialogItemBase {
public:
    explicit ShowLanguageDialogItem(size_t languageCount)
        : DialogItemBase(InstallItemKind::ShowLanguageDialog), sources(languageCount) {}
    LocalizedText sources;
};

// Its children are OptionItems, in order.
class ShowOptionListItem : public InstallItem {
public:
    ShowOptionListItem() : InstallItem(InstallItemKind::ShowOptionList) {}
};

// Its children are the items installed when the option is chosen.
class OptionItem : public InstallItem {
public:
    explicit OptionItem(size_t languageCount)
        : InstallItem(InstallItemKind::Option), names(languageCount) {}
    LocalizedText names;
};

// An IF ... ENDIF block of general conditions. Its children are ConditionBranchItems: the IF
// branch, then ELSEIF branches, then at most one ELSE branch, last.
class ConditionBlockItem : public InstallItem {
public:
    ConditionBlockItem() : InstallItem(InstallItemKind::ConditionBlock) {}
};

// Its children are the items installed when its condition holds (and no branch before it
// held); without a condition it is the ELSE branch.
class ConditionBranchItem : public InstallItem {
public:
    explicit ConditionBranchItem(Condition c = nullptr)
        : InstallItem(InstallItemKind::ConditionBranch), condition(std::move(c)) {}
    Condition condition;
};

// A file of type FN: nothing is installed; the target is removed at uninstallation.
inline bool IsNullFile(const InstallItem* item) {
    const auto* file = dynamic_cast<const FileItemBase*>(item);
    return file && file->fileType == FileType::FN;
}

// Creates an item of the given kind with its defaults; language items get one empty text per
// language, the plain file item takes its source. Kinds 5 and 6 (and unknown kinds) give null.
std::unique_ptr<InstallItem> CreateItem(InstallItemKind kind, size_t languageCount,
                                        WideText source = {});

// Checked downcast by kind; null when the item is of another class.
template <class T> T* itemAs(InstallItem* item) { return dynamic_cast<T*>(item); }
template <class T> const T* itemAs(const InstallItem* item) { return dynamic_cast<const T*>(item); }

// Destroys a sibling list and everything below it without recursion.
void DestroyItemList(InstallItem* first);

// Pre-order successor of item within the subtree of root (root itself included when it is the
// start); null when the walk is over. With a null root the walk covers the following siblings
// of the start's ancestors too, i.e. the whole top-level sequence.
InstallItem* NextInPreOrder(const InstallItem* item, const InstallItem* root);

} // namespace tb
