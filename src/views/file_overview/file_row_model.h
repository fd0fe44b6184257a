#pragma once

#include "model/install_item.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

namespace tb {

// The File Overview's rows in sequence order, one per listed file, each referring to its item.
// Finding an item's row is a walk through the rows: each is done once per change.
class FileRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void reset(std::vector<InstallFileItem*> files);
    void clear() { reset({}); }
    InstallFileItem* file(int row) const;
    // The row of item; -1 when it has none.
    int rowOf(const InstallItem* item) const;
    const std::vector<InstallFileItem*>& files() const { return files_; }

    // files become rows row, row + 1, ...
    void insertFiles(int row, const std::vector<InstallFileItem*>& files);
    // Every row of an item in items (a set small or large: one pass over the rows).
    void removeFiles(const std::vector<const InstallItem*>& items);
    void removeFileRow(int row);
    // The row's texts changed.
    void refreshRow(int row);

private:
    std::vector<InstallFileItem*> files_;
};

// The rows as shown: unsorted in sequence order, or by a column's sort key.
class FileSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FileSortModel(FileRowModel& rows, QObject* parent = nullptr);

    InstallFileItem* file(int row) const;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    FileRowModel& rows_;
};

} // namespace tb
