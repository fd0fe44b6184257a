#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QAbstractItemModel;
class QAction;
class QMenu;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace tb {

// What a list asks before it removes rows: one text for a single row, one for several.
struct RemovalQuestion {
    QString one; // "%1" in it stands for the row's text in nameColumn
    QString several;
    int nameColumn = -1; // -1: one is asked as it is
};

// The table with "Add...", "Edit..." and "Remove" that the list views share. The view supplies
// the rows as a model and does the work when asked; the editor decides when to ask: the
// buttons, Delete, Enter and double-click, Ctrl+A, the context menu, and the removal question.
// It changes neither the model nor the package itself.
class ListEditor : public QWidget {
    Q_OBJECT
public:
    explicit ListEditor(RemovalQuestion question, QWidget* parent = nullptr);

    // The rows (not owned); the model's header names the columns. May be changed later.
    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const;

    QTreeView* table() const { return table_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* editButton() const { return editButton_; }
    QPushButton* removeButton() const { return removeButton_; }

    // The selected rows of the model, in ascending order.
    QList<int> selectedRows() const;
    // row becomes the only selected row and the current one.
    void selectRow(int row);

    // What the buttons, keys and menu entries do.
    void add();
    // With exactly one selected row.
    void editSelected();
    // With at least one selected row: asks, and on Yes hands the rows over, last first.
    void removeSelected();

    // The context menu for a click on index (invalid: on no row), as it would be shown.
    void fillContextMenu(QMenu& menu, const QModelIndex& index);

signals:
    void addRequested();
    void editRequested(int row);
    // The user said Yes to removing rows, given from the last selected to the first, so that
    // removing them in this order keeps the later numbers valid.
    void removeRequested(const QList<int>& rows);

private:
    void updateButtons();

    RemovalQuestion question_;
    QTreeView* table_;
    QPushButton* addButton_;
    QPushButton* editButton_;
    QPushButton* removeButton_;
};

} // namespace tb
