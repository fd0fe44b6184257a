#include "support/modal_dialogs.h"
#include "support/qt_printers.h"
#include "support/recording_message_boxes.h"
#include "ui/form_dialog.h"
#include "ui/text_validators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tb::ui {
namespace {

// A dependency-like form: a name, a UID and a version box, checked in this order.
class SampleDialog : public FormDialog {
public:
    SampleDialog() : FormDialog(nullptr, QStringLiteral("Sample")) {
        for (QLineEdit* box : {name, uid, version})
            body()->addWidget(box);
        addCheck(name, "Please enter a name.", [this] { return !name->text().isEmpty(); });
        addCheck(name, "No quotes.", [this] { return !name->text().contains(u'"'); });
        addCheck(uid, "Bad UID.",
                 [this] { return ParseNumber(uid->text(), 0xFFFFFFFF).has_value(); });
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
    const struct {
        QString name, uid, version, message; // message empty: accepted
        Box focus;
    } cases[] = {
        {"", "", "x", "Please enter a name.", &SampleDialog::name},
        {"a\"b", "0x", "1", "No quotes.", &SampleDialog::name},
        {"Lib", "0x", "1", "Bad UID.", &SampleDialog::uid},
        {"Lib", "0x2000", "x", "Bad version.", &SampleDialog::version},
        {"Lib", "0x2000", "*", "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        test::RecordingMessageBoxes boxes;
        SampleDialog dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.name->setText(c.name);
        dialog.uid->setText(c.uid);
        dialog.version->setText(c.version);
        dialog.okButton()->click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(boxes.shown.empty());
            EXPECT_EQ(std::tuple(dialog.applied, dialog.result(), dialog.isVisible()),
                      std::tuple(1, int(QDialog::Accepted), false));
            continue;
        }
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
        EXPECT_EQ(boxes.shown[0].buttons, MessageButtons::Ok);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.applied, 0);
        QLineEdit* focused = dialog.*c.focus;
        EXPECT_EQ(dialog.focusWidget(), focused);
        EXPECT_EQ(focused->selectedText(), focused->text()) << "typing replaces it";
        EXPECT_EQ(std::tuple(dialog.name->text(), dialog.uid->text(), dialog.version->text()),
                  std::tuple(c.name, c.uid, c.version));
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
    EXPECT_EQ(step, 3);
    EXPECT_EQ(dialog.applied, 2);
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
