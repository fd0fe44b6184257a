#include "ui/stored_text.h"

#include "ui/qt_text.h"
#include "ui/text_validators.h"

#include <QLineEdit>

namespace tb::ui {

void ShowStoredText(QLineEdit* box, const QString& text) {
    if (!SetTextIfAccepted(box, text))
        box->setText(QString());
}

std::optional<QString> TypedText(const QLineEdit* box) {
    if (!box->isModified())
        return std::nullopt;
    return box->text();
}

bool TakeTypedText(const QLineEdit* box, std::u16string& field) {
    const std::optional<QString> typed = TypedText(box);
    if (!typed || ToWide(*typed) == field)
        return false;
    field = ToWide(*typed);
    return true;
}

bool SetChosenText(QLineEdit* box, const QString& text) {
    if (!SetTextIfAccepted(box, text))
        return false;
    box->setModified(true);
    return true;
}

} // namespace tb::ui
