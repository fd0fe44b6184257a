// The window's shared pieces: commands, item views, message boxes, and the dialogs' forms with
// what their boxes take as typed and how OK checks them.
#include "support/gui_doubles.h"
#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "support/typing.h"
#include "ui/command_registry.h"
#include "ui/form_dialog.h"
#include "ui/item_views.h"
#include "ui/message_box.h"
#include "ui/text_validators.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTreeView>
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
    EXPECT_EQ(registry.action(cmd::kSave), action) << "one action per command";
    registry.setEnabled(cmd::kSave, false);
    EXPECT_FALSE(action->isEnabled());
    first.ids.clear();
    EXPECT_FALSE(registry.execute(cmd::kSave));
    EXPECT_TRUE(first.ids.empty()) << "a disabled command runs nothing";
    registry.setEnabled(cmd::kSave, true);
    action->trigger();
    registry.post(cmd::kSave);
    EXPECT_EQ(first.ids, Ids{cmd::kSave}) << "posted commands wait for the event loop";
    QApplication::processEvents();
    EXPECT_EQ(first.ids, (Ids{cmd::kSave, cmd::kSave}));
}

TEST(ItemViewsTest, ColumnWidthsRoundTripAndFallBack) {
    QStandardItemModel model(0, 3);
    QTreeView view;
    view.setModel(&model);
    ApplyColumnWidths(&view, {120, 80, 200}, {50, 50, 50});
    EXPECT_EQ(ColumnWidths(&view), (std::vector<uint32_t>{120, 80, 200}));
    ApplyColumnWidths(&view, {10, 20}, {60, 70, 90}); // stored list of the wrong length
    EXPECT_EQ(ColumnWidths(&view), (std::vector<uint32_t>{60, 70, 90}));
}

TEST(MessageBoxTest, CentredOnOwnerAndKeptOnScreen) {
    QWidget owner, box;
    owner.setGeometry(100, 100, 400, 300);
    box.resize(100, 50);
    CentreOnOwner(&box, &owner);
    EXPECT_LE((box.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
    owner.move(-1000, -1000); // owner far off screen: the box stays inside the work area
    CentreOnOwner(&box, &owner);
    EXPECT_TRUE(box.screen()->availableGeometry().contains(box.frameGeometry().topLeft()));
}

constexpr uint32_t kU32 = 0xFFFFFFFF;
using enum NumberForm;

// The texts themselves are read by parseUid and parseUnsigned (NumbersTest); here the field's
// limit and the form.
TEST(TextValidatorsTest, NumberBoxesTakeOnlyDigitsThatFitAndNeverWrap) {
    const std::tuple<uint32_t, NumberForm, const char*, const char*> cases[] = {
        {kInt32FieldMax, Decimal, "1a2", "12"},                 // a letter has no effect
        {kInt32FieldMax, Decimal, "21474836470", "2147483647"}, // the digit too many
        {kInt32FieldMax, DecimalOrHex, "0x7FFFFFFF0", "0x7FFFFFFF"},
        {kInt32FieldMax, DecimalOrHex, "0x80000000", "0x8000000"}, // not -2147483648
        {kU32, DecimalOrHex, "4294967296", "429496729"},           // not 0
        {kU32, DecimalOrHex, "0xffffffff0", "0xffffffff"},
        {kU32, DecimalOrHex, "0xG1", "0x1"},
        {kU32, Decimal, "0x10", "010"},
        {255, DecimalOrHex, "0xff0", "0xff"},
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
    QLineEdit free;
    EXPECT_TRUE(SetTextIfAccepted(&free, "a|b"));
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
        addCheck(name, "No quotes.", [this] { return !name->text().contains(u'"'); });
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

TEST(FormDialogTest, TheFirstFailingCheckSpeaksTakesTheFocusAndTheDialogStaysOpen) {
    using Box = QLineEdit* SampleDialog::*;
    const std::tuple<QString, QString, QString, QString, Box> cases[] = {
        {"", "", "x", "Please enter a name.", &SampleDialog::name},
        {"a\"b", "0x", "1", "No quotes.", &SampleDialog::name},
        {"Lib", "0x", "1", "Bad UID.", &SampleDialog::uid},
        {"Lib", "0x2000", "x", "Bad version.", &SampleDialog::version},
        {"Lib", "0x2000", "*", "", nullptr},
    };
    for (const auto& [name, uid, version, message, focus] : cases) { // message empty: accepted
        SCOPED_TRACE(message.toStdString());
        test::RecordingMessageBoxes boxes;
        SampleDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.name->setText(name);
        dialog.uid->setText(uid);
        dialog.version->setText(version);
        dialog.okButton()->click();
        if (message.isEmpty()) {
            EXPECT_EQ(
                std::tuple(boxes.shown.size(), dialog.applied, dialog.result(), dialog.isVisible()),
                std::tuple(size_t(0), 1, int(QDialog::Accepted), false));
            continue;
        }
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(std::tuple(boxes.shown[0].text, boxes.shown[0].icon, boxes.shown[0].buttons),
                  std::tuple(message, MessageIcon::Error, MessageButtons::Ok));
        EXPECT_EQ(std::pair(dialog.isVisible(), dialog.applied), std::pair(true, 0));
        QLineEdit* focused = dialog.*focus;
        EXPECT_EQ(dialog.focusWidget(), focused);
        EXPECT_EQ(focused->selectedText(), focused->text()) << "typing replaces it";
        EXPECT_EQ(std::tuple(dialog.name->text(), dialog.uid->text(), dialog.version->text()),
                  std::tuple(name, uid, version));
    }
}

TEST(FormDialogTest, AModalRunStaysOpenThroughRefusalsUntilOkPasses) {
    test::RecordingMessageBoxes boxes;
    test::ModalWatchdog watchdog;
    SampleDialog dialog;
    int step = 0;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    test::Poll user([&] {
        if (test::Modal<QDialog>() != &dialog)
            return false;
        switch (step++) {
        case 0: // Enter in a box presses OK
            dialog.name->setText("Lib");
            dialog.uid->setText("0x");
            dialog.version->setText("1");
            QApplication::sendEvent(dialog.uid, &enter);
            return false;
        case 1:
            dialog.uid->setText("0x1000");
            dialog.applies = false; // the dialog could not take the values
            dialog.okButton()->click();
            return false;
        default:
            dialog.applies = true;
            dialog.okButton()->click();
            return true;
        }
    });
    EXPECT_TRUE(dialog.run());
    EXPECT_EQ(std::pair(step, dialog.applied), std::pair(3, 2));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Bad UID.");

    SampleDialog cancelled;
    cancelled.show();
    cancelled.cancelButton()->click();
    EXPECT_EQ(std::tuple(cancelled.result(), cancelled.applied, boxes.shown.size()),
              std::tuple(int(QDialog::Rejected), 0, size_t(1)));
}

} // namespace
} // namespace tb::ui
