// The Designer's add actions: what each makes, and where it goes.
#include "views/designer/designer_view.h"

#include "buildengine/sis_file.h"
#include "document/edit_batch.h"
#include "document/package_document.h"
#include "editing/device_folders.h"
#include "editing/dialog_names.h"
#include "editing/dialog_text_files.h"
#include "editing/file_sources.h"
#include "editing/new_item_place.h"
#include "editing/sequence_labels.h"
#include "model/tables.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/path.h"
#include "views/designer/sequence_tree.h"
#include "views/dialogs/action_dialogs_api.h"
#include "views/dialogs/file_item_dialogs.h"

#include <QFileInfo>

namespace tb {

namespace {

const QString kSisFilter = QStringLiteral("Symbian Installation File (*.sis *.sisx)");

// A detached item with its first child, to be placed as one.
template <class Parent>
std::unique_ptr<Parent> withChild(std::unique_ptr<Parent> parent,
                                  std::unique_ptr<InstallItem> child) {
    ItemSequence scratch; // only the parent's own list changes
    AppendChild(scratch, std::move(child), parent.get());
    return parent;
}

} // namespace

void DesignerView::runAddAction(AddAction action, AddMenuPlace at, bool fromFile) {
    if (!document().isOpen() || !AddActionEnabled(action, at, state()))
        return;
    PackageDocument& doc = document();
    const ItemPlace where = NewItemPlace(tree_->selectedItem());
    switch (action) {
    case AddAction::InstallFiles:
    case AddAction::LaunchFile:
        addFiles(action == AddAction::LaunchFile);
        break;
    case AddAction::OptionList:
        addOptionList();
        break;
    case AddAction::Option:
        addOption();
        break;
    case AddAction::Dialog:
        if (fromFile)
            addDialogFromFile();
        else
            place(NewShowDialog(this, doc), where);
        break;
    case AddAction::IncludePackage:
        addIncludePackage();
        break;
    case AddAction::LanguageFile:
        place(RunInstallLanguageFileWizard(this, doc), where);
        break;
    case AddAction::LaunchLanguageFile:
        place(RunLaunchLanguageFileDialog(this, doc), where);
        break;
    case AddAction::LanguageDialog:
        place(NewShowLanguageDialog(this, doc), where);
        break;
    case AddAction::IncludeLanguagePackage:
        place(NewIncludeLanguagePackage(this, doc), where);
        break;
    case AddAction::ConditionBlock:
        addConditionBlock();
        break;
    case AddAction::NullFile:
        addNullFile();
        break;
    }
}

InstallItem* DesignerView::place(std::unique_ptr<InstallItem> item, ItemPlace where,
                                 InstallItem* select) {
    if (!item)
        return nullptr;
    InstallItem* placed = document().insertItem(std::move(item), where, origin());
    if (!placed)
        return nullptr;
    QTreeWidgetItem* node = tree_->showItem(*placed, language());
    tree_->selectNode(select ? tree_->nodeOf(select) : node);
    return placed;
}

void DesignerView::addFiles(bool launch) {
    const QStringList chosen =
        launch ? ui::GetOpenFileNames(this, QStringLiteral("Add File To Launch In Viewer"),
                                      QStringLiteral("All Files (*.*)"),
                                      ui::HostPathToQString(document().folder()))
               : ChooseFilesToAdd(this);
    std::vector<std::unique_ptr<InstallFileItem>> files = NewInstallFileItems(document(), chosen);
    if (files.empty())
        return;
    EditBatch batch(document());
    // In the order chosen: each after the one before it.
    ItemPlace where = NewItemPlace(tree_->selectedItem());
    for (std::unique_ptr<InstallFileItem>& file : files) {
        if (launch) {
            file->fileType = FileType::FM;
            MimeForFile(file->source, file->mimeType);
        }
        InstallItem* placed = place(std::move(file), where);
        if (!placed)
            break;
        where = ItemPlace::after(placed);
    }
}

void DesignerView::addOptionList() {
    const Package& package = *document().package();
    auto option = std::make_unique<OptionItem>(package.languages.size());
    option->names.at(language()) = NewOptionText(1);
    OptionItem* first = option.get();
    place(withChild(std::make_unique<ShowOptionListItem>(), std::move(option)),
          NewItemPlace(tree_->selectedItem()), first);
}

void DesignerView::addOption() {
    InstallItem* list = tree_->selectedItem();
    if (!list || list->kind != InstallItemKind::ShowOptionList)
        return;
    size_t count = 1;
    for (const InstallItem* option = list->firstChild; option; option = option->next)
        ++count;
    auto option = std::make_unique<OptionItem>(document().package()->languages.size());
    option->names.at(language()) = NewOptionText(count);
    place(std::move(option), NewOptionPlace(*list));
}

void DesignerView::addDialogFromFile() {
    const QString chosen =
        ui::GetOpenFileName(this, QString(), QStringLiteral("Text Files (*.txt)"),
                            ui::HostPathToQString(document().folder()));
    if (chosen.isEmpty())
        return;
    const WideText name = ui::ToWide(QFileInfo(chosen).completeBaseName());
    if (DialogNameExists(document().package()->items, name)) {
        ui::ShowWarning(this, QStringLiteral("A dialog with that name already exists. Please "
                                             "select another file."));
        return;
    }
    auto dialog = std::make_unique<ShowDialogItem>(
        StoredDialogTextPath(ui::ToHostPath(chosen), document().folder()));
    dialog->name = name;
    dialog->textOption = TextOption::TC;
    place(std::move(dialog), NewItemPlace(tree_->selectedItem()));
}

void DesignerView::addIncludePackage() {
    const QString chosen = ui::GetOpenFileName(this, QStringLiteral("Add SIS File"), kSisFilter,
                                               ui::HostPathToQString(document().folder()));
    if (chosen.isEmpty())
        return;
    uint32_t uid = 0;
    const ErrorCode read = ReadSisUid(ui::ToHostPath(chosen), uid);
    if (read == kErrorNotSisFile) {
        ui::ShowError(this, QStringLiteral("The file could not be added. It does not appear to "
                                           "be a SIS file or the file is corrupt."));
        return;
    }
    if (read != 0) {
        ui::ShowError(this, QStringLiteral("The file could not be added. The file is in use by "
                                           "another application or you don't have permission "
                                           "to access the file."));
        return;
    }
    auto package = std::make_unique<IncludePackageItem>(
        StoredSourcePath(ui::ToWide(chosen), fromHostPath(document().folder()),
                         document().buildConfiguration().sdks()));
    package->uid = uid;
    place(std::move(package), NewItemPlace(tree_->selectedItem()));
}

void DesignerView::addConditionBlock() {
    std::optional<Condition> condition = AskCondition(this, nullptr);
    if (!condition || !*condition)
        return;
    auto branch = std::make_unique<ConditionBranchItem>(std::move(*condition));
    InstallItem* first = branch.get();
    place(withChild(std::make_unique<ConditionBlockItem>(), std::move(branch)),
          NewItemPlace(tree_->selectedItem()), first);
}

void DesignerView::addElseIf() {
    InstallItem* branch = tree_->selectedItem();
    if (!CanAddElseIf(branch))
        return;
    std::optional<Condition> condition = AskCondition(this, nullptr);
    if (!condition || !*condition)
        return;
    place(std::make_unique<ConditionBranchItem>(std::move(*condition)), NewElseIfPlace(*branch));
}

void DesignerView::addElse() {
    InstallItem* branch = tree_->selectedItem();
    if (CanAddElse(branch))
        place(std::make_unique<ConditionBranchItem>(), NewElsePlace(*branch));
}

// The file dialogs edit placed items only: the new null file is placed first and taken out
// again when its dialog is cancelled.
void DesignerView::addNullFile() {
    auto file = std::make_unique<InstallFileItem>();
    file->fileType = FileType::FN;
    file->target = PrivateFolderPath(document().package()->uid) + u'\\';
    InstallItem* placed = place(std::move(file), NewItemPlace(tree_->selectedItem()));
    if (!placed)
        return;
    if (EditFileItem(this, document(), placed, origin()))
        tree_->relabel(*placed, language());
    else
        remove(*placed, false);
}

} // namespace tb
