#include "views/list_editor.h"

#include "ui/item_views.h"
#include "ui/message_box.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace tb {

ListEditor::ListEditor(RemovalQuestion question, QWidget* parent)
    : QWidget(parent), question_(std::move(question)) {
    table_ = new QTreeView(this);
    table_->setRootIsDecorated(false);
    table_->setItemsExpandable(false);
    table_->setUniformRowHeights(true);
    table_->setAllColumnsShowFocus(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui::EnableMultiSelection(table_); // Ctrl+A selects all rows
    ui::OnDeleteKey(table_, [this] { removeSelected(); });
    ui::OnContextMenu(
        table_, [this](QMenu& menu, const QModelIndex& index) { fillContextMenu(menu, index); });
    // Not the view's activated signal: some styles activate on a single click.
    connect(table_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            editSelected();
    });
    auto* enter = new QAction(table_);
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setShortcutContext(Qt::WidgetShortcut);
    connect(enter, &QAction::triggered, this, &ListEditor::editSelected);
    table_->addAction(enter);

    addButton_ = new QPushButton(QStringLiteral("Add..."), this);
    editButton_ = new QPushButton(QStringLiteral("Edit..."), this);
    removeButton_ = new QPushButton(QStringLiteral("Remove"), this);
    connect(addButton_, &QPushButton::clicked, this, &ListEditor::add);
    connect(editButton_, &QPushButton::clicked, this, &ListEditor::editSelected);
    connect(removeButton_, &QPushButton::clicked, this, &ListEditor::removeSelected);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {addButton_, editButton_, removeButton_})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    updateButtons();
}

void ListEditor::setModel(QAbstractItemModel* model) {
    if (QAbstractItemModel* old = table_->model())
        disconnect(old, nullptr, this, nullptr);
    QItemSelectionModel* oldSelection = table_->selectionModel();
    table_->setModel(model);
    delete oldSelection; // the view made a new one and leaves the old to us
    if (model) {
        // A reset or a removal can drop selected rows without a selection signal.
        connect(model, &QAbstractItemModel::modelReset, this, &ListEditor::updateButtons);
        connect(model, &QAbstractItemModel::layoutChanged, this, &ListEditor::updateButtons);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &ListEditor::updateButtons);
        connect(model, &QAbstractItemModel::rowsInserted, this, &ListEditor::updateButtons);
    }
    if (QItemSelectionModel* selection = table_->selectionModel())
        connect(selection, &QItemSelectionModel::selectionChanged, this,
                &ListEditor::updateButtons);
    updateButtons();
}

QAbstractItemModel* ListEditor::model() const {
    return table_->model();
}

QList<int> ListEditor::selectedRows() const {
    QList<int> rows;
    if (QItemSelectionModel* selection = table_->selectionModel())
        for (const QModelIndex& index : selection->selectedIndexes())
            rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ListEditor::selectRow(int row) {
    QAbstractItemModel* rows = model();
    if (!rows || row < 0 || row >= rows->rowCount())
        return;
    table_->selectionModel()->setCurrentIndex(
        rows->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListEditor::add() {
    emit addRequested();
}

void ListEditor::editSelected() {
    QList<int> rows = selectedRows();
    if (rows.size() == 1)
        emit editRequested(rows.front());
}

void ListEditor::removeSelected() {
    QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    QString text = question_.several;
    if (rows.size() == 1) {
        text = question_.one;
        if (question_.nameColumn >= 0)
            text = text.arg(model()->index(rows.front(), question_.nameColumn).data().toString());
    }
    if (ui::AskYesNo(this, text) != ui::MessageAnswer::Yes)
        return;
    std::reverse(rows.begin(), rows.end());
    emit removeRequested(rows);
}

void ListEditor::fillContextMenu(QMenu& menu, const QModelIndex& index) {
    if (index.isValid()) {
        const qsizetype selected = selectedRows().size();
        if (selected == 1) {
            menu.addAction(QStringLiteral("Edit..."), this, &ListEditor::editSelected);
            menu.addSeparator();
        }
        if (selected > 0)
            menu.addAction(QStringLiteral("Remove"), this, &ListEditor::removeSelected);
    }
    menu.addAction(QStringLiteral("Add..."), this, &ListEditor::add);
}

void ListEditor::updateButtons() {
    const qsizetype selected = selectedRows().size();
    editButton_->setEnabled(selected == 1);
    removeButton_->setEnabled(selected > 0);
}

} // namespace tb
