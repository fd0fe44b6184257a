// The window's shared pieces: commands, item views, message boxes, and the dialogs' forms with
// what their boxes take as typed and how OK checks them.
#include "support/gui_doubles.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/typing.h"
#include "ui/command_registry.h"
#include "ui/form_dialog.h"
#include "ui/message_box.h"
#include "ui/text_validators.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace tb::ui {
namespace {

using Ids = std::vector<int>;

TEST(CommandRegistryTest, HandlersInOrderUntilOneTakesItAndActionsShareTheState) {
    CommandRegistry registry;
    test::CommandLog first{cmd::kSave}, second{cmd::kBuild};
    registry.addHandler(&first);
    registry.addHandler(&second);
    EXPECT_TRUE(registry.execute(cmd::kSave) && registry.execute(cmd::kBuild));
    EXPECT_EQ(std::pair(first.ids, second.ids),
              std::pair(Ids{cmd::kSave, cmd::kBuild}, Ids{cmd::kBuild}));
    EXPECT_FALSE(registry.execute(cmd::kOpen));
    EXPECT_FALSE(registry.isEnabled(cmd::kLast + 1));

    QAction* action = registry.action(cmd::kSave);
    registry.setEnabled(cmd::kSave, false);
    EXPECT_FALSE(action->isEnabled());
    first.ids.clear();
    EXPECT_FALSE(registry.execute(cmd::kSave));
    registry.setEnabled(cmd::kSave, true);
    action->trigger();
    registry.post(cmd::kSave);
    EXPECT_EQ(first.ids, Ids{cmd::kSave})
        << "nothing disabled runs, nothing posted before the loop";
    QApplication::processEvents();
    EXPECT_EQ(first.ids, (Ids{cmd::kSave, cmd::kSave}));
}

constexpr uint32_t kU32 = 0xFFFFFFFF;
using enum NumberForm;

// The texts themselves are read by parseUid and parseUnsigned (NumbersTest); here the field's
// limit and the form.
TEST(TextValidatorsTest, NumberBoxesTakeOnlyDigitsThatFitAndNeverWrap) {
    const std::tuple<uint32_t, NumberForm, const char*, const char*> cases[] = {
        {kInt32FieldMax, Decimal, "1a2", "12"},                    // a letter has no effect
        {kInt32FieldMax, Decimal, "21474836470", "2147483647"},    // the digit too many
        {kInt32FieldMax, DecimalOrHex, "0x80000000", "0x8000000"}, // not -2147483648
        {kU32, DecimalOrHex, "4294967296", "429496729"},           // not 0
        {kU32, DecimalOrHex, "0xffffffff0", "0xffffffff"},
        {kU32, DecimalOrHex, "0xG1", "0x1"},
        {kU32, Decimal, "0x10", "010"},
    };
    for (auto [max, form, typed, shown] : cases) {
        QLineEdit box;
        AcceptNumbers(&box, max, form);
        test::TypeText(&box, typed);
        EXPECT_EQ(box.text(), shown) << typed;
    }
    QLineEdit box;
    AcceptNumbers(&box, kInt32FieldMax);
    box.insert("12ab"); // pasted
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(ParseNumber("", kU32), std::nullopt) << "OK finds no number in an empty box";
}

TEST(TextValidatorsTest, RefusedCharactersAreIgnoredAsTypedAndWhenPutByTheProgram) {
    const std::tuple<std::u16string_view, const char*, const char*> cases[] = {
        {kNameRefused, "a<b>c:d\"e/f\\g?h*i|j.txt", "abcdefghij.txt"},
        {kPathRefused, "/home/me:x\\y|z\"<>?*", "/home/me:x\\yz"}, // drives and separators
        {kQuoteRefused, "pa\"ss|<>", "pass|<>"},
    };
    for (auto [refused, typed, shown] : cases) {
        QLineEdit box;
        RefuseCharacters(&box, refused);
        test::TypeText(&box, typed);
        EXPECT_EQ(box.text(), shown) << typed;
        EXPECT_FALSE(SetTextIfAccepted(&box, QString(typed)));
        EXPECT_EQ(box.text(), shown) << "the box keeps its previous text";
        EXPECT_TRUE(SetTextIfAccepted(&box, "plain"));
        EXPECT_EQ(box.text(), "plain");
    }
    QLineEdit number;
    AcceptNumbers(&number, 100);
    EXPECT_TRUE(SetTextIfAccepted(&number, "")) << "an empty box may stand";
    EXPECT_FALSE(SetTextIfAccepted(&number, "101"));
}

// A dependency-like form: a name, a UID and a version box, checked in this order.
class SampleDialog : public FormDialog {
public:
    SampleDialog() : FormDialog(nullptr, QStringLiteral("Sample")) {
        for (QLineEdit* box : {name, uid, version})
            body()->addWidget(box);
        addCheck(name, "Please enter a name.", [this] { return !name->text().isEmpty(); });
        addCheck(uid, "Bad UID.", [this] { return ParseNumber(uid->text(), kU32).has_value(); });
        // The check names the box it refuses.
        addCheck([this]() -> std::optional<FormProblem> {
            if (version->text() == "*" || ParseNumber(version->text(), kInt32FieldMax))
                return std::nullopt;
            return FormProblem{version, "Bad version."};
        });
    }
    QLineEdit* name = new QLineEdit(this);
    QLineEdit* uid = new QLineEdit(this);
    QLineEdit* version = new QLineEdit(this);
    int applied = 0;
    bool applies = true;

protected:
    bool apply() override { return ++applied, applies; }
};

// Enter in a box presses OK. The dialog stays open when apply() cannot take the values too.
TEST(FormDialogTest, TheFirstFailingCheckSpeaksTakesTheFocusAndTheDialogStaysOpen) {
    using Box = QLineEdit* SampleDialog::*;
    const std::tuple<QString, QString, QString, bool, QString, Box> cases[] = {
        {"", "", "x", true, "Please enter a name.", &SampleDialog::name},
        {"Lib", "0x", "1", true, "Bad UID.", &SampleDialog::uid},
        {"Lib", "0x2000", "x", true, "Bad version.", &SampleDialog::version},
        {"Lib", "0x2000", "*", false, "", nullptr}, // applied but refused
        {"Lib", "0x2000", "*", true, "", nullptr},
    };
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    for (const auto& [name, uid, version, applies, message, focus] : cases) {
        SCOPED_TRACE(message.toStdString() + (applies ? "" : "refused"));
        test::RecordingMessageBoxes boxes;
        SampleDialog dialog;
        dialog.applies = applies;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.name->setText(name);
        dialog.uid->setText(uid);
        dialog.version->setText(version);
        QApplication::sendEvent(dialog.uid, &enter);
        const bool accepted = message.isEmpty() && applies;
        EXPECT_EQ(std::tuple(dialog.applied, dialog.isVisible(), dialog.result()),
                  std::tuple(int(message.isEmpty()), !accepted, int(accepted)));
        if (message.isEmpty()) {
            EXPECT_TRUE(boxes.shown.empty());
            continue;
        }
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(std::tuple(boxes.shown[0].text, boxes.shown[0].icon, boxes.shown[0].buttons),
                  std::tuple(message, MessageIcon::Error, MessageButtons::Ok));
        QLineEdit* focused = dialog.*focus;
        EXPECT_EQ(dialog.focusWidget(), focused);
        EXPECT_EQ(focused->selectedText(), focused->text()) << "typing replaces it";
        EXPECT_EQ(std::tuple(dialog.name->text(), dialog.uid->text(), dialog.version->text()),
                  std::tuple(name, uid, version));
    }
}

} // namespace
} // namespace tb::ui
