#pragma once

#include <QValidator>

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

class QLineEdit;

// Boxes that refuse, as typed, what their field cannot hold.
namespace tb::ui {

// Names: file, folder and output names.
inline constexpr std::u16string_view kNameRefused = u"<>:\"/\\?*|";
// Host paths (folders, certificates, keys): the name characters less the drive colon, the
// backslash and the slash, which separate folders here.
inline constexpr std::u16string_view kPathRefused = u"<>\"?*|";
// Texts written between double quotes in the package file.
inline constexpr std::u16string_view kQuoteRefused = u"\"";

// The largest value of a signed 32-bit field (versions, property keys and values).
inline constexpr uint32_t kInt32FieldMax = std::numeric_limits<int32_t>::max();

enum class NumberForm {
    Decimal,      // digits only
    DecimalOrHex, // hexadecimal after "0x", decimal otherwise
};

// The whole text as a number of form no larger than max; none for anything else (an empty
// text, a sign, spaces, stray characters, or a value that does not fit: it never wraps).
std::optional<uint32_t> ParseNumber(const QString& text, uint32_t max,
                                    NumberForm form = NumberForm::DecimalOrHex);

// Refuses every text that holds one of the characters: the key that would add one is ignored.
class RefusedCharactersValidator : public QValidator {
    Q_OBJECT
public:
    explicit RefusedCharactersValidator(std::u16string_view refused, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    QString refused_;
};

// Takes only a number of form that fits the field (no larger than max); an empty box, and
// "0x" in the hexadecimal form, may stand while typing.
class NumberValidator : public QValidator {
    Q_OBJECT
public:
    explicit NumberValidator(uint32_t max, NumberForm form = NumberForm::Decimal,
                             QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    uint32_t max_;
    NumberForm form_;
};

// Install the validators on a box.
void RefuseCharacters(QLineEdit* box, std::u16string_view refused);
void AcceptNumbers(QLineEdit* box, uint32_t max, NumberForm form = NumberForm::Decimal);

// Puts text into box unless the box's validator refuses it; a refused text is not shown and
// the box keeps its previous text. True when the text was put.
bool SetTextIfAccepted(QLineEdit* box, const QString& text);

} // namespace tb::ui
