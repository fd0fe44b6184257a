// Editing and removing the Designer's nodes.
#include "views/designer/designer_view.h"

#include "document/package_document.h"
#include "editing/dialog_text_files.h"
#include "editing/sequence_nodes.h"
#include "editing/sequence_removal.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "views/designer/remove_dialog_choice.h"
#include "views/designer/sequence_tree.h"
#include "views/dialogs/action_dialogs_api.h"
#include "views/dialogs/file_item_dialogs.h"

namespace tb {

void DesignerView::editSelected() {
    InstallItem* node = tree_->selectedItem();
    if (!document().isOpen() || !CanEditNode(node))
        return;
    if (editItem(*node))
        tree_->relabel(*node, language(), true);
}

bool DesignerView::editItem(InstallItem& item) {
    PackageDocument& doc = document();
    switch (item.kind) {
    case InstallItemKind::File:
    case InstallItemKind::LanguageFile:
        return EditFileItem(this, doc, &item, origin());
    case InstallItemKind::Option:
        return EditOption(this, doc, itemAs<OptionItem>(&item), origin());
    case InstallItemKind::ShowDialog:
        return EditShowDialog(this, doc, itemAs<ShowDialogItem>(&item), origin());
    case InstallItemKind::ShowLanguageDialog:
        return EditShowLanguageDialog(this, doc, itemAs<ShowLanguageDialogItem>(&item), origin());
    case InstallItemKind::IncludePackage:
        return EditIncludePackage(this, doc, itemAs<IncludePackageItem>(&item), origin());
    case InstallItemKind::IncludeLanguagePackage:
        return EditIncludeLanguagePackage(this, doc, itemAs<IncludeLanguagePackageItem>(&item),
                                          origin());
    case InstallItemKind::ConditionBranch:
        return editCondition(*itemAs<ConditionBranchItem>(&item));
    default:
        return false;
    }
}

bool DesignerView::editCondition(ConditionBranchItem& branch) {
    if (!branch.condition)
        return false;
    std::optional<Condition> condition = AskCondition(this, branch.condition.get());
    if (!condition || !*condition)
        return false;
    document().changeItem(
        &branch,
        [&condition](ConditionBranchItem& changed) {
            if (EqualConditions(*changed.condition, **condition))
                return false;
            changed.condition = std::move(*condition);
            return true;
        },
        origin());
    return true;
}

void DesignerView::removeSelected() {
    InstallItem* node = tree_->selectedItem();
    if (!document().isOpen() || !node)
        return;
    switch (RemovalConfirmationFor(node)) {
    case RemovalConfirmation::NotRemovable:
        return;
    case RemovalConfirmation::DialogChoice: {
        RemoveDialogChoice choice(this);
        const DialogRemoval answer = choice.ask();
        if (answer != DialogRemoval::Cancel)
            remove(*node, answer == DialogRemoval::Delete);
        return;
    }
    case RemovalConfirmation::Question: {
        const QString label = tree_->nodeOf(node)->text(0);
        if (ui::AskYesNo(this, ui::ToQString(RemovalQuestion(ui::ToWide(label)))) ==
            ui::MessageAnswer::Yes)
            remove(ItemOfNode(*node), false);
        return;
    }
    }
}

void DesignerView::remove(InstallItem& item, bool deleteTextFiles) {
    PackageDocument& doc = document();
    const bool deleted = !deleteTextFiles ||
                         DeleteDialogTextFiles(item, doc.folder(), doc.buildConfiguration()) == 0;
    QTreeWidgetItem* next = tree_->neighbourOf(item);
    tree_->dropItem(item);
    if (!doc.removeItem(&item, origin())) {
        invalidate(); // the nodes are gone: show the package as it is
        return;
    }
    tree_->selectNode(next);
    if (!deleted)
        ui::ShowError(this, QStringLiteral("The dialog was removed from the package, but its "
                                           "text files could not all be deleted. Please make "
                                           "sure you have permission to delete the files."));
}

} // namespace tb
