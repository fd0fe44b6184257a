#pragma once

#include <QString>
#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace tb {

// A folder's label edit in the Phone View: the name the user enters is handed over instead
// of being written into the node, so that the view checks it and renames the folder through
// the document, or refuses it and opens the edit again on the refused text.
class FolderNameEditing : public QStyledItemDelegate {
public:
    using NameEntered = std::function<void(const QModelIndex& node, const QString& name)>;

    FolderNameEditing(NameEntered entered, QObject* parent);

    // The next edit starts with text rather than the folder's name.
    void startNextWith(const QString& text) { nextText_ = text; }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    NameEntered entered_;
    mutable std::optional<QString> nextText_;
};

} // namespace tb
