#include "views/localization/translation_delegate.h"

#include "ui/text_validators.h"

#include <QLineEdit>

namespace tb {

TranslationDelegate::TranslationDelegate(QObject* parent) : QStyledItemDelegate(parent) {
    // However the box closed, it is no longer open.
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* box) {
        if (box == open_)
            open_ = nullptr;
    });
}

QWidget* TranslationDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex&) const {
    auto* box = new QLineEdit(parent);
    box->setFrame(false);
    ui::RefuseCharacters(box, ui::kQuoteRefused);
    open_ = box;
    return box;
}

void TranslationDelegate::commitOpenEditor() {
    QLineEdit* box = open_;
    if (!box)
        return;
    emit commitData(box);
    emit closeEditor(box, NoHint);
}

} // namespace tb
