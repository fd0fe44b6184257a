#pragma once

#include "views/view_page.h"

#include <QStringList>

#include <vector>

namespace tb {

class FileRowModel;
class FileSortModel;
class InstallFileItem;
class ListEditor;

// Every file the package installs as one flat table, wherever it sits in the sequence: add
// (also by dropping files from the desktop), edit and remove them. Kept in step with the
// other views through the document's item changes.
class FileOverviewView : public ViewPage {
    Q_OBJECT
public:
    FileOverviewView(Application& app, ui::CommandRegistry& registry, QWidget* parent = nullptr);

    ListEditor* editor() const { return editor_; }
    // The rows in sequence order, and as shown.
    FileRowModel& rows() const { return *rows_; }
    FileSortModel& shownRows() const { return *sorted_; }
    // The item of a shown row; null for none.
    InstallFileItem* fileAt(int shownRow) const;

    // "Add...": asks for files and adds them.
    void add();
    // Each file (host paths) becomes a new install-only item at the end of the top-level
    // sequence, with a row.
    void addFiles(const QStringList& hostPaths);
    // The Install File dialog on the row's item.
    void edit(int shownRow);
    // Takes the items of the shown rows out of the package; the question was asked.
    void remove(const QList<int>& shownRowsLastFirst);

    void itemChanged(const ItemChange& change) override;
    void packageChanged(const PackageChange& change) override;

protected:
    void refresh() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    EditOrigin origin(ItemChangeSource source = ItemChangeSource::Sequence) const {
        return {source, changeOrigin()};
    }
    // The row the files of item's subtree start at: the listed files before it in sequence
    // order.
    int rowBefore(const InstallItem* item) const;
    void showChange(const ItemChange& change);
    void insertRowsOf(const InstallItem* item);
    void showColumns();
    void keepColumnWidth(int column, int width);

    FileRowModel* rows_;
    FileSortModel* sorted_;
    ListEditor* editor_;
};

// The File Overview view, a child of parent.
ViewPage* CreateFileOverviewView(Application& app, ui::CommandRegistry& registry, QWidget* parent);

} // namespace tb
