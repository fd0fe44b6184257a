#include "ui/text_validators.h"

#include "ui/qt_text.h"
#include "util/numbers.h"

#include <QLineEdit>

namespace tb::ui {

namespace {

bool HasHexPrefix(const QString& text) {
    return text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
}

} // namespace

std::optional<uint32_t> ParseNumber(const QString& text, uint32_t max, NumberForm form) {
    const std::u16string wide = ToWide(text);
    uint32_t value = 0;
    bool parsed =
        form == NumberForm::DecimalOrHex ? parseUid(wide, value) : parseUnsigned(wide, 10, value);
    if (!parsed || value > max)
        return std::nullopt;
    return value;
}

RefusedCharactersValidator::RefusedCharactersValidator(std::u16string_view refused, QObject* parent)
    : QValidator(parent), refused_(ToQString(refused)) {}

QValidator::State RefusedCharactersValidator::validate(QString& input, int&) const {
    for (QChar c : input)
        if (refused_.contains(c))
            return Invalid;
    return Acceptable;
}

NumberValidator::NumberValidator(uint32_t max, NumberForm form, QObject* parent)
    : QValidator(parent), max_(max), form_(form) {}

QValidator::State NumberValidator::validate(QString& input, int&) const {
    if (input.isEmpty())
        return Intermediate;
    if (form_ == NumberForm::DecimalOrHex && input.size() == 2 && HasHexPrefix(input))
        return Intermediate;
    return ParseNumber(input, max_, form_) ? Acceptable : Invalid;
}

void RefuseCharacters(QLineEdit* box, std::u16string_view refused) {
    box->setValidator(new RefusedCharactersValidator(refused, box));
}

void AcceptNumbers(QLineEdit* box, uint32_t max, NumberForm form) {
    box->setValidator(new NumberValidator(max, form, box));
}

bool SetTextIfAccepted(QLineEdit* box, const QString& text) {
    if (const QValidator* validator = box->validator()) {
        QString copy = text;
        int position = 0;
        if (validator->validate(copy, position) == QValidator::Invalid)
            return false;
    }
    box->setText(text);
    return true;
}

} // namespace tb::ui
