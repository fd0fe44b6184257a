#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

namespace tb {

// The edit box placed over a translation cell: a double quote, which a package file cannot
// hold in a text, is refused as typed. Leaving the box or Enter commits; Escape cancels.
class TranslationDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TranslationDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // The box being edited, or null.
    QLineEdit* openEditor() const { return open_; }
    // Commits the box being edited, if any, and closes it.
    void commitOpenEditor();

private:
    mutable QPointer<QLineEdit> open_;
};

} // namespace tb
