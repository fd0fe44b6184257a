#include "views/localization/localization_model.h"

#include "ui/qt_text.h"

namespace tb {

LocalizationModel::LocalizationModel(Commit commit, QObject* parent)
    : QAbstractTableModel(parent), commit_(std::move(commit)) {}

void LocalizationModel::reset(std::vector<Row> rows, const QStringList& headers, bool editable) {
    beginResetModel();
    rows_ = std::move(rows);
    headers_ = headers;
    editable_ = editable;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

const LocalizationRow* LocalizationModel::rowAt(int row) const {
    return row >= 0 && size_t(row) < rows_.size() ? &rows_[size_t(row)].row : nullptr;
}

void LocalizationModel::setTexts(int row, const QString& current, const QString& translation) {
    if (!rowAt(row))
        return;
    rows_[size_t(row)].current = current;
    rows_[size_t(row)].translation = translation;
    emit dataChanged(index(row, kCurrent), index(row, kTranslation));
}

int LocalizationModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int LocalizationModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant LocalizationModel::data(const QModelIndex& index, int role) const {
    if (!rowAt(index.row()) || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const Row& row = rows_[size_t(index.row())];
    switch (index.column()) {
    case kLabel:
        return ui::ToQString(row.row.label);
    case kCurrent:
        return row.current;
    case kTranslation:
        return row.translation;
    default:
        return {};
    }
}

QVariant LocalizationModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers_.size())
        return {};
    return headers_[section];
}

bool LocalizationModel::editsInPlace(int row) const {
    const LocalizationRow* shown = rowAt(row);
    return editable_ && shown && shown->kind != LocalizationRowKind::Dialog;
}

Qt::ItemFlags LocalizationModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == kTranslation && editsInPlace(index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool LocalizationModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != kTranslation || !editsInPlace(index.row()))
        return false;
    Row& row = rows_[size_t(index.row())];
    row.translation = commit_(row.row, value.toString());
    emit dataChanged(index, index);
    return true;
}

} // namespace tb
