#pragma once

#include "ui/message_box.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace tb::ui {

class DontShowAgainBox;

// A Yes/No question with an icon and a "Don't show this again" box: a message box cannot
// carry the box, so it is a small dialog of its own, titled with the application title.
class ConfirmationDialog : public QDialog {
    Q_OBJECT
public:
    ConfirmationDialog(QWidget* owner, const QString& text, MessageIcon icon,
                       std::function<void(bool checked)> onDontShowAgain);

    // Modal; Yes or No (closing the window is No).
    MessageAnswer ask();

    DontShowAgainBox* dontShowAgainBox() const { return dontShow_; }
    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

private:
    DontShowAgainBox* dontShow_;
    QPushButton* yes_;
    QPushButton* no_;
};

} // namespace tb::ui
