#include "support/qt_printers.h"
#include "ui/text_validators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace tb::ui {
namespace {

constexpr uint32_t kU32 = 0xFFFFFFFF;

// Types text into box key by key, as the user would.
void Type(QLineEdit& box, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&box, &press);
    }
}

// The texts themselves are read by parseUid and parseUnsigned (NumbersTest); here the field's
// limit and the form.
TEST(TextValidatorsTest, NumbersAreWholeFitTheirFieldAndNeverWrap) {
    struct Case {
        const char* text;
        uint32_t max;
        NumberForm form;
        std::optional<uint32_t> value;
    };
    using enum NumberForm;
    const Case cases[] = {
        {"4294967296", kU32, DecimalOrHex, std::nullopt},
        {"0xFFFFFFFF", kU32, DecimalOrHex, kU32},
        {"", kU32, DecimalOrHex, std::nullopt},
        {"2147483648", kInt32FieldMax, DecimalOrHex, std::nullopt},
        {"0x7FFFFFFF", kInt32FieldMax, DecimalOrHex, kInt32FieldMax},
        {"0x80000000", kInt32FieldMax, DecimalOrHex, std::nullopt}, // not -2147483648
        {"0x10", kU32, Decimal, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseNumber(c.text, c.max, c.form), c.value) << c.text;
}

TEST(TextValidatorsTest, NumberBoxesTakeOnlyDigitsThatFit) {
    struct Case {
        uint32_t max;
        NumberForm form;
        const char* typed;
        const char* shown;
    };
    using enum NumberForm;
    const Case cases[] = {
        {kInt32FieldMax, Decimal, "1a2", "12"},                 // a letter has no effect
        {kInt32FieldMax, Decimal, "21474836470", "2147483647"}, // the digit too many
        {kU32, DecimalOrHex, "0xffffffff0", "0xffffffff"},
        {kU32, DecimalOrHex, "0xG1", "0x1"},
        {255, DecimalOrHex, "0xff0", "0xff"},
    };
    for (const Case& c : cases) {
        QLineEdit box;
        AcceptNumbers(&box, c.max, c.form);
        Type(box, c.typed);
        EXPECT_EQ(box.text(), c.shown) << c.typed;
    }
    QLineEdit box;
    AcceptNumbers(&box, kInt32FieldMax);
    box.insert("12ab"); // pasted
    EXPECT_EQ(box.text(), "");
}

TEST(TextValidatorsTest, RefusedCharactersAreIgnoredAsTypedAndWhenPutByTheProgram) {
    struct Case {
        std::u16string_view refused;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {kNameRefused, "a<b>c:d\"e/f\\g?h*i|j.txt", "abcdefghij.txt"},
        {kPathRefused, "/home/me:x\\y|z\"<>?*", "/home/me:x\\yz"}, // drives and separators
        {kQuoteRefused, "pa\"ss|<>", "pass|<>"},
    };
    for (const Case& c : cases) {
        QLineEdit box;
        RefuseCharacters(&box, c.refused);
        Type(box, c.typed);
        EXPECT_EQ(box.text(), c.shown) << c.typed;

        EXPECT_FALSE(SetTextIfAccepted(&box, QString(c.typed)));
        EXPECT_EQ(box.text(), c.shown) << "the box keeps its previous text";
        EXPECT_TRUE(SetTextIfAccepted(&box, "plain"));
        EXPECT_EQ(box.text(), "plain");
    }
    QLineEdit free;
    EXPECT_TRUE(SetTextIfAccepted(&free, "a|b"));
    QLineEdit number;
    AcceptNumbers(&number, 100);
    EXPECT_TRUE(SetTextIfAccepted(&number, "")) << "an empty box may stand";
    EXPECT_FALSE(SetTextIfAccepted(&number, "101"));
}

} // namespace
} // namespace tb::ui
