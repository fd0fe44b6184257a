#include "views/designer/designer_view.h"

#include "document/package_document.h"
#include "editing/sequence_moves.h"
#include "editing/sequence_nodes.h"
#include "ui/node_tree.h"
#include "ui/item_views.h"
#include "ui/qt_text.h"
#include "views/designer/sequence_tree.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace tb {

namespace {

// The window's Insert menu runs the add actions under the button's rule.
struct InsertCommand {
    int id;
    AddAction action;
    bool fromFile;
};

constexpr InsertCommand kInsertCommands[] = {
    {ui::cmd::kInsertFile, AddAction::InstallFiles, false},
    {ui::cmd::kInsertLanguageFile, AddAction::LanguageFile, false},
    {ui::cmd::kInsertOptionList, AddAction::OptionList, false},
    {ui::cmd::kInsertOption, AddAction::Option, false},
    {ui::cmd::kInsertDialogNew, AddAction::Dialog, false},
    {ui::cmd::kInsertDialogFromFile, AddAction::Dialog, true},
    {ui::cmd::kInsertEmbeddedSis, AddAction::IncludePackage, false},
    {ui::cmd::kInsertLanguageEmbeddedSis, AddAction::IncludeLanguagePackage, false},
    {ui::cmd::kInsertConditionBlock, AddAction::ConditionBlock, false},
    {ui::cmd::kInsertNullFile, AddAction::NullFile, false},
};

} // namespace

DesignerView::DesignerView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ViewPage(app, registry, QStringLiteral("Designer"), parent) {
    tree_ = new SequenceTree(this);
    tree_->installEventFilter(this);
    ui::OnDeleteKey(tree_, [this] { removeSelected(); });
    ui::OnContextMenu(tree_, [this](QMenu& menu, const QModelIndex& index) {
        if (QTreeWidgetItem* node = tree_->itemFromIndex(index))
            tree_->selectNode(node);
        fillContextMenu(menu);
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &DesignerView::doubleClicked);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &DesignerView::updateControls);

    addButton_ = new QPushButton(QStringLiteral("Add Action   "), this);
    addMenu_ = new QMenu(addButton_);
    addButton_->setMenu(addMenu_);
    connect(addMenu_, &QMenu::aboutToShow, this, [this] {
        addMenu_->clear();
        fillAddActionMenu(*addMenu_, AddMenuPlace::Button);
    });
    editButton_ = new QPushButton(QStringLiteral("Edit..."), this);
    removeButton_ = new QPushButton(QStringLiteral("Remove"), this);
    connect(editButton_, &QPushButton::clicked, this, &DesignerView::editSelected);
    connect(removeButton_, &QPushButton::clicked, this, &DesignerView::removeSelected);

    ui::LayOutTreeAndButtons(*this, tree_, {addButton_, editButton_, removeButton_});

    claimCommands();
    updateControls();
}

DesignerView::~DesignerView() = default;

void DesignerView::claimCommands() {
    for (const InsertCommand& command : kInsertCommands)
        commands().claim(
            command.id,
            [this, command] {
                runAddAction(command.action, AddMenuPlace::Button, command.fromFile);
            },
            [this, command] {
                return document().isOpen() &&
                       AddActionEnabled(command.action, AddMenuPlace::Button, state());
            });
    for (bool up : {true, false})
        commands().claim(
            up ? ui::cmd::kMoveUp : ui::cmd::kMoveDown, [this, up] { moveSelected(up); },
            [this, up] { return canMove(up); });
}

size_t DesignerView::language() const {
    return document().currentLanguage();
}

SequenceState DesignerView::state() const {
    const Package* package = document().package();
    return {package ? package->type : PackageType::Application, multilingual_,
            tree_->selectedItem()};
}

void DesignerView::refresh() {
    const Package* package = document().package();
    multilingual_ = package && package->languages.size() > 1;
    if (package)
        tree_->fill(package->items, language());
    else
        tree_->clearNodes();
    updateControls();
}

void DesignerView::updateControls() {
    const bool open = document().isOpen();
    const InstallItem* node = tree_->selectedItem();
    addButton_->setEnabled(open);
    editButton_->setEnabled(open && CanEditNode(node));
    removeButton_->setEnabled(open && CanRemoveNode(node));
    commands().update();
}

bool DesignerView::canMove(bool up) const {
    InstallItem* node = tree_->selectedItem();
    if (!node || !document().isOpen())
        return false;
    InstallItem& moved = ItemOfNode(*node);
    return (up ? MoveUpPlace(moved) : MoveDownPlace(moved)).has_value();
}

void DesignerView::moveSelected(bool up) {
    InstallItem* node = tree_->selectedItem();
    if (!node)
        return;
    InstallItem& moved = ItemOfNode(*node);
    if (!(up ? document().moveItemUp(&moved, origin()) : document().moveItemDown(&moved, origin())))
        return;
    // The moved nodes go to their new place; nothing else is built again.
    tree_->placeItem(moved);
    tree_->selectNode(tree_->nodeOf(node));
    updateControls();
}

void DesignerView::fillAddActionMenu(QMenu& menu, AddMenuPlace place) {
    const SequenceState current = state();
    const bool withoutItem = place == AddMenuPlace::ContextMenu && !current.selected;
    for (AddAction action : kAddActions) {
        if (SeparatorBefore(action))
            menu.addSeparator();
        const QString text = ui::ToQString(AddActionText(action, withoutItem));
        const bool enabled = document().isOpen() && AddActionEnabled(action, place, current);
        if (action == AddAction::Dialog) {
            QMenu* dialogs = menu.addMenu(text);
            dialogs->menuAction()->setEnabled(enabled);
            for (bool fromFile : {false, true})
                dialogs->addAction(
                    fromFile ? QStringLiteral("From File...") : QStringLiteral("New..."), this,
                    [this, place, fromFile] { runAddAction(AddAction::Dialog, place, fromFile); });
            continue;
        }
        menu.addAction(text, this, [this, action, place] { runAddAction(action, place); })
            ->setEnabled(enabled);
    }
}

void DesignerView::fillContextMenu(QMenu& menu) {
    const SequenceState current = state();
    if (!document().isOpen() || !OffersItemMenu(current)) {
        fillAddActionMenu(menu, AddMenuPlace::ContextMenu);
        return;
    }
    const InstallItem* node = current.selected;
    if (CanEditNode(node)) {
        menu.addAction(QStringLiteral("Edit..."), this, &DesignerView::editSelected);
        menu.addSeparator();
    }
    fillAddActionMenu(*menu.addMenu(QStringLiteral("Add Action")), AddMenuPlace::ItemMenu);
    if (node->kind == InstallItemKind::ConditionBranch) {
        menu.addAction(ui::ToQString(kAddElseIfText), this, &DesignerView::addElseIf)
            ->setEnabled(CanAddElseIf(node));
        menu.addAction(ui::ToQString(kAddElseText), this, &DesignerView::addElse)
            ->setEnabled(CanAddElse(node));
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("Remove"), this, &DesignerView::removeSelected)
        ->setEnabled(CanRemoveNode(node));
}

void DesignerView::doubleClicked(QTreeWidgetItem* node) {
    if (!EditsOnDoubleClick(SequenceTree::itemOf(node)))
        return;
    tree_->selectNode(node);
    editSelected();
}

bool DesignerView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            editSelected();
            return true;
        }
    }
    return ViewPage::eventFilter(watched, event);
}

void DesignerView::itemChanged(const ItemChange& change) {
    if (isOwnChange(change.origin) || !tree_->rootNode())
        return;
    // The tree shows the package, so the item is the package's to change.
    auto* item = const_cast<InstallItem*>(change.item);
    switch (change.type) {
    case ItemChangeType::Added:
        if (QTreeWidgetItem* node = tree_->showItem(*item, language()))
            tree_->selectNode(node);
        break;
    case ItemChangeType::Removed:
        tree_->dropItem(*item);
        if (!tree_->selectedNode())
            tree_->selectNode(tree_->rootNode());
        break;
    case ItemChangeType::Changed:
        tree_->relabel(*item, language());
        break;
    case ItemChangeType::Moved:
        tree_->placeItem(*item);
        break;
    }
    updateControls();
}

void DesignerView::packageChanged(const PackageChange& change) {
    // The option texts follow the languages; the add actions follow the package type.
    if (change.kind == PackageChangeKind::Languages)
        invalidate();
    else if (change.kind == PackageChangeKind::Header)
        updateControls();
}

ViewPage* CreateDesignerView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new DesignerView(app, registry, parent);
}

} // namespace tb
