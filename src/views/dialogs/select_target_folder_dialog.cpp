#include "views/dialogs/select_target_folder_dialog.h"

#include "editing/device_folders.h"
#include "editing/user_folder_tree.h"
#include "ui/dialog_buttons.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace tb {

namespace {

const FolderNode* nodeOf(const QTreeWidgetItem* item) {
    return item ? reinterpret_cast<const FolderNode*>(item->data(0, Qt::UserRole).value<quintptr>())
                : nullptr;
}

} // namespace

SelectTargetFolderDialog::SelectTargetFolderDialog(uint32_t packageUid,
                                                   const UserFolderTree& folders,
                                                   std::u16string_view fileName,
                                                   std::u16string_view currentTarget,
                                                   QWidget* owner)
    : QDialog(owner), packageUid_(packageUid), folders_(folders),
      categoryMask_(CategoryMask(fileName)) {
    setWindowTitle(QStringLiteral("Select Target Folder"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        QStringLiteral("Select the target folder on the device which the file shall be installed "
                       "to."),
        this);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* modes = new QActionGroup(toolBar);
    simple_ = toolBar->addAction(QStringLiteral("Simple"));
    full_ = toolBar->addAction(QStringLiteral("Full"));
    for (QAction* action : {simple_, full_}) {
        action->setCheckable(true);
        modes->addAction(action);
    }
    simple_->setChecked(true);
    layout->addWidget(toolBar);

    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setMinimumSize(320, 280);
    layout->addWidget(tree_, 1);

    limit_ = new QCheckBox(QStringLiteral("Limit selection based on file type"), this);
    limit_->setChecked(categoryMask_.has_value());
    limit_->setEnabled(categoryMask_.has_value());
    layout->addWidget(limit_);

    ok_ = ui::AddDialogButtons(*this, *layout, QStringLiteral("OK"), QStringLiteral("Cancel"),
                               [this] { choose(); })
              .accept;

    roots_ = BuildFolderTree(mode_, packageUid_, folders_);
    fill(FindFolderNodeOf(roots_, currentTarget, packageUid_, folders_));

    connect(simple_, &QAction::triggered, this, [this] { setMode(FolderDisplayMode::Simple); });
    connect(full_, &QAction::triggered, this, [this] { setMode(FolderDisplayMode::Full); });
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { updateOk(); });
    connect(limit_, &QCheckBox::toggled, this, [this] { updateOk(); });
}

std::optional<WideText> SelectTargetFolderDialog::run() {
    QTimer::singleShot(0, this, [this] { ui::CentreOnOwner(this, parentWidget()); });
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return chosenPath();
}

void SelectTargetFolderDialog::setMode(FolderDisplayMode mode) {
    (mode == FolderDisplayMode::Simple ? simple_ : full_)->setChecked(true);
    if (mode == mode_)
        return;
    mode_ = mode;
    // The old nodes go with the old tree; keep what identifies the selected folder.
    FolderNode kept;
    if (const FolderNode* selected = selectedFolder()) {
        kept.folder = selected->folder;
        kept.userFolder = selected->userFolder;
    }
    tree_->clear();
    roots_ = BuildFolderTree(mode_, packageUid_, folders_);
    fill(FindSameFolder(roots_, kept));
}

// The selection, not the current item: the tree makes its first item current on focus, which
// the user has not chosen.
const FolderNode* SelectTargetFolderDialog::selectedFolder() const {
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    return selected.isEmpty() ? nullptr : nodeOf(selected.front());
}

WideText SelectTargetFolderDialog::chosenPath() const {
    const FolderNode* node = selectedFolder();
    return node ? node->devicePath : WideText();
}

void SelectTargetFolderDialog::fill(const FolderNode* select) {
    for (const FolderNode& root : roots_)
        addItem(root, nullptr);
    tree_->expandAll();
    for (QTreeWidgetItemIterator item(tree_); *item; ++item) {
        if (select && nodeOf(*item) == select) {
            tree_->setCurrentItem(*item);
            tree_->scrollToItem(*item);
            break;
        }
    }
    updateOk();
}

void SelectTargetFolderDialog::addItem(const FolderNode& node, QTreeWidgetItem* parent) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    item->setText(0, ui::ToQString(node.name));
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
    for (const FolderNode& child : node.children)
        addItem(child, item);
}

void SelectTargetFolderDialog::updateOk() {
    const FolderNode* node = selectedFolder();
    ok_->setEnabled(node && MayChooseFolder(*node, categoryMask_, limit_->isChecked()));
}

void SelectTargetFolderDialog::choose() {
    if (ok_->isEnabled())
        accept();
}

std::optional<WideText> SelectTargetFolder(QWidget* owner, uint32_t packageUid,
                                           const UserFolderTree& folders,
                                           std::u16string_view fileName,
                                           std::u16string_view currentTarget) {
    SelectTargetFolderDialog dialog(packageUid, folders, fileName, currentTarget, owner);
    return dialog.run();
}

} // namespace tb
