#include "views/phone/phone_view.h"

#include "document/edit_batch.h"
#include "document/package_document.h"
#include "editing/folder_filters.h"
#include "editing/phone_rules.h"
#include "editing/user_folder_tree.h"
#include "model/package.h"
#include "ui/node_tree.h"
#include "ui/file_dialogs.h"
#include "ui/item_views.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "views/dialogs/file_item_dialogs.h"
#include "views/phone/folder_name_editing.h"
#include "views/phone/phone_tree.h"
#include "views/removal_questions.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

namespace tb {

namespace {

// Qt takes a filter's patterns from its last parentheses, separated by blanks; a
// description that lists them with "; " gets them once more in that form.
QString FilterText(std::span<const FileFilter> filters) {
    QStringList entries;
    for (const FileFilter& filter : filters) {
        QString entry = ui::ToQString(filter.description);
        if (filter.patterns.find(u';') != std::u16string_view::npos)
            entry += QStringLiteral(" (%1)").arg(
                ui::ToQString(filter.patterns).replace(QLatin1Char(';'), QLatin1Char(' ')));
        entries << entry;
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace

PhoneView::PhoneView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ViewPage(app, registry, QStringLiteral("Phone View"), parent) {
    tree_ = new PhoneTree(this);
    naming_ = new FolderNameEditing(
        [this](const QModelIndex& index, const QString& name) {
            const FolderNode* folder = PhoneTree::folderOf(tree_->itemFromIndex(index));
            const UserFolder* renamed = folder ? folder->userFolder : nullptr;
            // Once the editor has closed: a rename rebuilds the nodes, a refusal reopens it.
            QMetaObject::invokeMethod(
                this, [this, renamed, name] { rename(renamed, name); }, Qt::QueuedConnection);
        },
        this);
    tree_->setItemDelegate(naming_);
    ui::OnContextMenu(tree_, [this](QMenu& menu, const QModelIndex& index) {
        fillContextMenu(menu, tree_->itemFromIndex(index));
    });
    ui::OnDeleteKey(tree_, [this] { removeNode(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) {
        if (PhoneTree::fileOf(node))
            editFile();
    });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &PhoneView::updateButtons);

    addButton_ = new QPushButton(QStringLiteral("Add..."), this);
    addMenu_ = new QMenu(addButton_);
    addButton_->setMenu(addMenu_);
    connect(addMenu_, &QMenu::aboutToShow, this, [this] {
        addMenu_->clear();
        fillAddMenu(*addMenu_);
    });
    editButton_ = new QPushButton(QStringLiteral("Edit..."), this);
    removeButton_ = new QPushButton(QStringLiteral("Remove"), this);
    connect(editButton_, &QPushButton::clicked, this, &PhoneView::editFile);
    connect(removeButton_, &QPushButton::clicked, this, &PhoneView::removeNode);

    ui::LayOutTreeAndButtons(*this, tree_, {addButton_, editButton_, removeButton_});

    const std::pair<int, FolderDisplayMode> modes[] = {
        {ui::cmd::kTargetSimple, FolderDisplayMode::Simple},
        {ui::cmd::kTargetFull, FolderDisplayMode::Full}};
    for (const auto& [id, mode] : modes)
        commands().claim(
            id, [this, mode = mode] { setMode(mode); },
            [this, mode = mode] { return document().isOpen() && mode_ != mode; });
    updateButtons();
}

PhoneView::~PhoneView() {
    // The nodes point into roots_: they go first.
    tree_->clearNodes();
}

void PhoneView::setMode(FolderDisplayMode mode) {
    if (mode == mode_)
        return;
    mode_ = mode;
    rebuild();
    commands().update();
}

const FolderNode* PhoneView::selectedFolder() const {
    return PhoneTree::folderOf(tree_->selectedNode());
}

FileItemBase* PhoneView::selectedFile() const {
    return PhoneTree::fileOf(tree_->selectedNode());
}

bool PhoneView::mayAddFiles() const {
    const FolderNode* folder = selectedFolder();
    return folder && !FolderFileFilters(folder->folder).empty();
}

bool PhoneView::mayAddFolder() const {
    const FolderNode* folder = selectedFolder();
    return folder && folder->allowsSubFolders();
}

bool PhoneView::mayRenameOrRemoveFolder() const {
    const FolderNode* folder = selectedFolder();
    return folder && !folder->fixed();
}

void PhoneView::refresh() {
    rebuild();
}

void PhoneView::rebuild() {
    const Package* package = document().package();
    if (!package) {
        tree_->clearNodes();
        roots_.clear();
        updateButtons();
        return;
    }
    UserFolderTree& folders = document().userFolders();
    std::vector<FileItemBase*> files;
    for (InstallItem* item : CollectFileItems(package->items))
        if (FileItemBase* file = DeviceFile(item)) {
            files.push_back(file);
            // A target given elsewhere may name sub-folders nobody made yet.
            folders.addFoldersOf(file->target, package->uid);
        }
    std::vector<FolderNode> roots = BuildFolderTree(mode_, package->uid, folders);
    tree_->fill(roots, files, [&](const FileItemBase& file) {
        return FindFolderNodeOf(roots, file.target, package->uid, folders);
    });
    roots_ = std::move(roots); // the nodes keep pointing at the same elements
    updateButtons();
}

QTreeWidgetItem* PhoneView::showFile(FileItemBase& file) {
    UserFolderTree& folders = document().userFolders();
    const uint32_t uid = document().package()->uid;
    const UserFolder* shownIn = folders.folderOf(file.target, uid);
    if (folders.addFoldersOf(file.target, uid) != shownIn) {
        rebuild();
        return tree_->nodeOfFile(&file);
    }
    return tree_->placeFile(file, FindFolderNodeOf(roots_, file.target, uid, folders));
}

void PhoneView::addFiles() {
    const FolderNode* folder = selectedFolder();
    if (!mayAddFiles() || !document().isOpen())
        return;
    const QStringList paths = ui::GetOpenFileNames(this, QStringLiteral("Add File(s)"),
                                                   FilterText(FolderFileFilters(folder->folder)));
    if (paths.isEmpty())
        return;
    const WideText folderPath = folder->devicePath;
    FileItemBase* last = nullptr;
    {
        EditBatch batch(document());
        for (auto& item : NewInstallFileItems(document(), paths)) {
            item->target = folderPath + u'\\' + WideText(DeviceFileName(item->target));
            InstallItem* added =
                document().insertItem(std::move(item), ItemPlace::after(nullptr), origin());
            if (FileItemBase* file = DeviceFile(added); file && showFile(*file))
                last = file;
        }
    }
    // Looked up at the end: a file naming a new sub-folder rebuilds the nodes.
    if (QTreeWidgetItem* node = tree_->nodeOfFile(last)) {
        node->parent()->setExpanded(true);
        tree_->selectNode(node);
    }
}

void PhoneView::addFolder() {
    if (!mayAddFolder())
        return;
    const UserFolder& parent = *selectedFolder()->userFolder;
    const UserFolder& made = document().userFolders().add(parent, FreeNewFolderName(parent));
    rebuild();
    QTreeWidgetItem* node = tree_->nodeOfUserFolder(&made);
    if (!node)
        return;
    node->parent()->setExpanded(true);
    tree_->selectNode(node);
    tree_->editItem(node);
}

void PhoneView::renameFolder() {
    if (mayRenameOrRemoveFolder())
        tree_->editItem(tree_->selectedNode());
}

void PhoneView::rename(const UserFolder* folder, const QString& text) {
    // The folder may have gone while the editor closed; only a shown one is looked at.
    QTreeWidgetItem* node = tree_->nodeOfUserFolder(folder);
    if (!node || folder->isPrivateFolder() || !document().isOpen())
        return;
    const WideText name = ui::ToWide(text);
    if (name == folder->name())
        return;
    if (const auto refused = CheckFolderName(*folder, name)) {
        ui::ShowError(this, ui::ToQString(*refused));
        naming_->startNextWith(text);
        tree_->selectNode(node);
        tree_->editItem(node);
        return;
    }
    const std::vector<TargetChange> changes = RenamedTargets(*document().package(), *folder, name);
    document().userFolders().rename(*folder, name);
    {
        EditBatch batch(document());
        for (const TargetChange& change : changes)
            document().changeItem(
                change.file, [&change](FileItemBase& file) { file.target = change.target; },
                origin());
    }
    rebuild();
    tree_->selectNode(tree_->nodeOfUserFolder(folder));
}

void PhoneView::editFile() {
    FileItemBase* file = selectedFile();
    if (!file || !HasFileDialog(file) ||
        !EditFileItem(this, document(), file, origin(ItemChangeSource::FileDialog)))
        return;
    if (DeviceFile(file))
        tree_->selectNode(showFile(*file));
    else
        tree_->dropFile(file);
    updateButtons();
}

void PhoneView::removeNode() {
    QTreeWidgetItem* node = tree_->selectedNode();
    if (PhoneTree::fileOf(node))
        removeFile(node);
    else if (mayRenameOrRemoveFolder())
        removeFolder(node);
}

void PhoneView::removeFile(QTreeWidgetItem* node) {
    const QString question = removal::Named(0).one.arg(node->text(0));
    if (ui::AskYesNo(this, question) != ui::MessageAnswer::Yes)
        return;
    document().removeItem(PhoneTree::fileOf(node), origin()); // its node goes with the event
    updateButtons();
}

void PhoneView::removeFolder(QTreeWidgetItem* node) {
    const QString question =
        QStringLiteral("'%1' and all its files will be removed from the package.")
            .arg(node->text(0));
    if (ui::ShowMessage(this, question, ui::MessageButtons::OkCancel, ui::MessageIcon::Question) !=
        ui::MessageAnswer::Ok)
        return;
    const UserFolder* folder = PhoneTree::folderOf(node)->userFolder;
    const UserFolder* parent = folder->parent();
    {
        EditBatch batch(document());
        for (FileItemBase* file : FilesInFolder(*document().package(), *folder))
            document().removeItem(file, origin());
    }
    document().userFolders().remove(*folder);
    rebuild();
    tree_->selectNode(tree_->nodeOfUserFolder(parent));
}

void PhoneView::fillAddMenu(QMenu& menu) {
    menu.addAction(QStringLiteral("File(s)..."), this, &PhoneView::addFiles)
        ->setEnabled(mayAddFiles());
    menu.addAction(QStringLiteral("Folder"), this, &PhoneView::addFolder)
        ->setEnabled(mayAddFolder());
}

void PhoneView::fillContextMenu(QMenu& menu, QTreeWidgetItem* node) {
    if (!node)
        return;
    tree_->selectNode(node);
    if (PhoneTree::fileOf(node)) {
        menu.addAction(QStringLiteral("Edit..."), this, &PhoneView::editFile);
        menu.addSeparator();
        menu.addAction(QStringLiteral("Remove"), this, &PhoneView::removeNode);
        return;
    }
    fillAddMenu(*menu.addMenu(QStringLiteral("Add")));
    const bool changeable = mayRenameOrRemoveFolder();
    menu.addAction(QStringLiteral("Rename"), this, &PhoneView::renameFolder)
        ->setEnabled(changeable);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Remove"), this, &PhoneView::removeNode)->setEnabled(changeable);
}

void PhoneView::itemChanged(const ItemChange& change) {
    if (change.type == ItemChangeType::Removed) {
        // Whoever removed it, the nodes must not outlive the items.
        for (const InstallItem* at = change.item; at; at = NextInPreOrder(at, change.item))
            tree_->dropFile(at);
        updateButtons();
        return;
    }
    // A move changes no target; the view shows its own edits itself.
    if (change.type == ItemChangeType::Moved || isOwnChange(change.origin))
        return;
    if (!isActive() || inEditBatch() || needsRefresh()) {
        invalidateAfterBatch();
        return;
    }
    showChangedItem(change);
}

void PhoneView::showChangedItem(const ItemChange& change) {
    // The document hands out its own items; the view changes them only through it.
    auto* item = const_cast<InstallItem*>(change.item);
    std::vector<InstallItem*> items;
    if (change.type == ItemChangeType::Added)
        CollectFileItems(item, items); // with the files of an option list or a condition
    else
        items.push_back(item);
    for (InstallItem* at : items) {
        FileItemBase* file = DeviceFile(at);
        QTreeWidgetItem* node = file ? showFile(*file) : nullptr;
        if (!node)
            tree_->dropFile(at);
        else if (change.type == ItemChangeType::Changed)
            tree_->selectNode(node);
    }
    updateButtons();
}

void PhoneView::packageChanged(const PackageChange& change) {
    // The UID names the private folder.
    if (change.kind == PackageChangeKind::Header)
        invalidateAfterBatch();
}

void PhoneView::updateButtons() {
    FileItemBase* file = selectedFile();
    addButton_->setEnabled(mayAddFiles());
    editButton_->setEnabled(file && HasFileDialog(file));
    removeButton_->setEnabled(file || mayRenameOrRemoveFolder());
}

ViewPage* CreatePhoneView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new PhoneView(app, registry, parent);
}

} // namespace tb
