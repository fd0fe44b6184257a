#include "ui/item_views.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>

namespace tb::ui {

void ApplyColumnWidths(QTreeView* view, const std::vector<uint32_t>& stored,
                       const std::vector<int>& defaults) {
    const int columns = view->header()->count();
    const bool useStored = stored.size() == size_t(columns);
    for (int c = 0; c < columns; ++c) {
        int width = useStored ? int(stored[size_t(c)])
                    : size_t(c) < defaults.size() ? defaults[size_t(c)]
                                                  : -1;
        if (width > 0)
            view->setColumnWidth(c, width);
    }
}

std::vector<uint32_t> ColumnWidths(const QTreeView* view) {
    std::vector<uint32_t> widths;
    for (int c = 0; c < view->header()->count(); ++c)
        widths.push_back(uint32_t(std::max(0, view->columnWidth(c))));
    return widths;
}

void EnableMultiSelection(QAbstractItemView* view) {
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void OnDeleteKey(QAbstractItemView* view, std::function<void()> onDelete) {
    auto* action = new QAction(view);
    action->setShortcut(QKeySequence::Delete);
    action->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(action, &QAction::triggered, view, std::move(onDelete));
    view->addAction(action);
}

void OnContextMenu(QAbstractItemView* view,
                   std::function<void(QMenu& menu, const QModelIndex& index)> fill) {
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(view, &QWidget::customContextMenuRequested, view,
                     [view, fill = std::move(fill)](const QPoint& pos) {
                         QMenu menu(view);
                         fill(menu, view->indexAt(pos));
                         if (!menu.isEmpty())
                             menu.exec(view->viewport()->mapToGlobal(pos));
                     });
}

void EnableSorting(QTreeView* view, int column, Qt::SortOrder order) {
    view->setSortingEnabled(true);
    view->sortByColumn(column, order);
}

} // namespace tb::ui
