#include "views/phone/folder_name_editing.h"

#include <QLineEdit>

namespace tb {

FolderNameEditing::FolderNameEditing(NameEntered entered, QObject* parent)
    : QStyledItemDelegate(parent), entered_(std::move(entered)) {}

void FolderNameEditing::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || !nextText_) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    line->setText(*nextText_);
    line->selectAll();
    nextText_.reset();
}

void FolderNameEditing::setModelData(QWidget* editor, QAbstractItemModel*,
                                     const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        entered_(index, line->text());
}

} // namespace tb
