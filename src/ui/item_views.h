#pragma once

#include <QAbstractItemView>
#include <QModelIndex>

#include <cstdint>
#include <functional>
#include <vector>

class QMenu;
class QTreeView;

// Behaviour shared by the list and tree views of the editor views.
namespace tb::ui {

// Column widths as the settings store them: the stored widths when there is one per column,
// else the view's defaults.
void ApplyColumnWidths(QTreeView* view, const std::vector<uint32_t>& stored,
                       const std::vector<int>& defaults);
std::vector<uint32_t> ColumnWidths(const QTreeView* view);

// Extended selection (Shift/Ctrl clicks, Ctrl+A selects all).
void EnableMultiSelection(QAbstractItemView* view);

// Delete while the view has the focus runs onDelete.
void OnDeleteKey(QAbstractItemView* view, std::function<void()> onDelete);

// Right click or the menu key: fill builds the menu for the item under the mouse (invalid index
// for empty space); an empty menu is not shown.
void OnContextMenu(QAbstractItemView* view,
                   std::function<void(QMenu& menu, const QModelIndex& index)> fill);

// Clicking a column header sorts by it, again to reverse.
void EnableSorting(QTreeView* view, int column = 0, Qt::SortOrder order = Qt::AscendingOrder);

} // namespace tb::ui
