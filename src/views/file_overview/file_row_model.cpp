#include "views/file_overview/file_row_model.h"

#include "editing/file_rows.h"
#include "ui/qt_text.h"

#include <algorithm>
#include <unordered_set>

namespace tb {

int FileRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(files_.size());
}

int FileRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFileColumnCount;
}

QVariant FileRowModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= files_.size())
        return {};
    return ui::ToQString(FileRowText(*files_[size_t(index.row())], FileColumn(index.column())));
}

QVariant FileRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kFileColumnCount)
        return {};
    return ui::ToQString(FileColumnTitle(FileColumn(section)));
}

void FileRowModel::reset(std::vector<InstallFileItem*> files) {
    beginResetModel();
    files_ = std::move(files);
    endResetModel();
}

InstallFileItem* FileRowModel::file(int row) const {
    return row >= 0 && size_t(row) < files_.size() ? files_[size_t(row)] : nullptr;
}

int FileRowModel::rowOf(const InstallItem* item) const {
    auto found = std::find(files_.begin(), files_.end(), item);
    return found == files_.end() ? -1 : int(found - files_.begin());
}

void FileRowModel::insertFiles(int row, const std::vector<InstallFileItem*>& files) {
    if (files.empty())
        return;
    row = std::clamp(row, 0, int(files_.size()));
    beginInsertRows({}, row, row + int(files.size()) - 1);
    files_.insert(files_.begin() + row, files.begin(), files.end());
    endInsertRows();
}

void FileRowModel::removeFiles(const std::vector<const InstallItem*>& items) {
    if (items.empty())
        return;
    const std::unordered_set<const InstallItem*> gone(items.begin(), items.end());
    // From the end, one signal per run of neighbouring rows.
    for (int end = int(files_.size()); end > 0;) {
        if (!gone.count(files_[size_t(end - 1)])) {
            --end;
            continue;
        }
        int first = end - 1;
        while (first > 0 && gone.count(files_[size_t(first - 1)]))
            --first;
        beginRemoveRows({}, first, end - 1);
        files_.erase(files_.begin() + first, files_.begin() + end);
        endRemoveRows();
        end = first;
    }
}

void FileRowModel::removeFileRow(int row) {
    if (row < 0 || size_t(row) >= files_.size())
        return;
    beginRemoveRows({}, row, row);
    files_.erase(files_.begin() + row);
    endRemoveRows();
}

void FileRowModel::refreshRow(int row) {
    if (row >= 0 && size_t(row) < files_.size())
        emit dataChanged(index(row, 0), index(row, kFileColumnCount - 1));
}

FileSortModel::FileSortModel(FileRowModel& rows, QObject* parent)
    : QSortFilterProxyModel(parent), rows_(rows) {
    setSourceModel(&rows);
}

InstallFileItem* FileSortModel::file(int row) const {
    return rows_.file(mapToSource(index(row, 0)).row());
}

bool FileSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const InstallFileItem* a = rows_.file(left.row());
    const InstallFileItem* b = rows_.file(right.row());
    if (!a || !b)
        return false;
    return CompareFileRows(*a, *b, FileColumn(left.column())) < 0;
}

} // namespace tb
