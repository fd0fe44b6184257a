#include "views/list_view_page.h"

#include "ui/item_views.h"

#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace tb {

ListViewPage::ListViewPage(Application& app, ui::CommandRegistry& registry, const QString& name,
                           RemovalQuestion question, const QStringList& columns,
                           std::vector<uint32_t>& storedWidths,
                           const std::vector<int>& defaultWidths,
                           std::vector<PackageChangeKind> refillOn, QWidget* parent)
    : ViewPage(app, registry, name, parent), storedWidths_(storedWidths),
      refillOn_(std::move(refillOn)) {
    list_ = new ListEditor(std::move(question), this);
    model_ = new QStandardItemModel(0, int(columns.size()), this);
    model_->setHorizontalHeaderLabels(columns);
    list_->setModel(model_);
    ui::ApplyColumnWidths(list_->table(), storedWidths_, defaultWidths);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    connect(list_, &ListEditor::addRequested, this, [this] { add(); });
    connect(list_, &ListEditor::editRequested, this, [this](int row) { edit(row); });
    connect(list_, &ListEditor::removeRequested, this,
            [this](const QList<int>& rows) { remove(rows); });
}

ListViewPage::~ListViewPage() {
    storedWidths_ = ui::ColumnWidths(list_->table());
}

void ListViewPage::packageChanged(const PackageChange& change) {
    if (std::find(refillOn_.begin(), refillOn_.end(), change.kind) != refillOn_.end())
        invalidate();
}

void ListViewPage::setRows(const std::vector<QStringList>& rows, const std::vector<int>& selected) {
    model_->removeRows(0, model_->rowCount());
    for (const QStringList& texts : rows) {
        QList<QStandardItem*> cells;
        for (const QString& text : texts) {
            cells.append(new QStandardItem(text));
            cells.back()->setEditable(false);
        }
        model_->appendRow(cells);
    }
    QItemSelectionModel* selection = list_->table()->selectionModel();
    for (int row : selected)
        if (row >= 0 && row < model_->rowCount())
            selection->select(model_->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace tb
