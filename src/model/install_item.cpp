#include "model/install_item.h"

#include <new>

namespace tb {

InstallItem::~InstallItem() { DestroyItemList(firstChild); }

InstallItem* InstallItem::lastChild() const {
    InstallItem* child = firstChild;
    while (child && child->next)
        child = child->next;
    return child;
}

std::unique_ptr<InstallItem> CreateItem(InstallItemKind kind, size_t languageCount,
                                        WideText source) {
    try {
        switch (kind) {
        case InstallItemKind::File:
            return std::make_unique<InstallFileItem>(std::move(source));
        case InstallItemKind::LanguageFile:
            return std::make_unique<InstallLanguageFileItem>(languageCount);
        case InstallItemKind::IncludePackage:
            return std::make_unique<IncludePackageItem>(std::move(source));
        case InstallItemKind::IncludeLanguagePackage:
            return std::make_unique<IncludeLanguagePackageItem>(languageCount);
        case InstallItemKind::ShowDialog:
            return std::make_unique<ShowDialogItem>(std::move(source));
        case InstallItemKind::ShowOptionList:
            return std::make_unique<ShowOptionListItem>();
        case InstallItemKind::Option:
            return std::make_unique<OptionItem>(languageCount);
        case InstallItemKind::ShowLanguageDialog:
            return std::make_unique<ShowLanguageDialogItem>(languageCount);
        case InstallItemKind::ConditionBlock:
            return std::make_unique<ConditionBlockItem>();
        case InstallItemKind::ConditionBranch:
            return std::make_unique<ConditionBranchItem>();
        }
    } catch (const std::bad_alloc&) {
    }
    return nullptr;
}

void DestroyItemList(InstallItem* first) {
    // Children are spliced in front of the remaining siblings before their parent goes, so
    // every destructor finds firstChild empty and nothing recurses.
    InstallItem* current = first;
    while (current) {
        InstallItem* following = current->next;
        if (InstallItem* child = current->firstChild) {
            InstallItem* lastChild = child;
            while (lastChild->next)
                lastChild = lastChild->next;
            lastChild->next = following;
            following = child;
            current->firstChild = nullptr;
        }
        delete current;
        current = following;
    }
}

InstallItem* NextInPreOrder(const InstallItem* item, const InstallItem* root) {
    if (item->firstChild)
        return item->firstChild;
    for (const InstallItem* at = item; at; at = at->parent) {
        if (at == root)
            return nullptr;
        if (at->next)
            return at->next;
    }
    return nullptr;
}

} // namespace tb
