#pragma once

#include <QString>

#include <functional>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace tb::ui {

struct DialogButtons {
    QPushButton* accept = nullptr;
    QPushButton* cancel = nullptr;
};

// The button row at the bottom right of a dialog. The accepting button is the default one and
// runs onAccept, which checks the input and closes the dialog itself when it may; the other
// button and Escape reject.
DialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout, const QString& acceptText,
                               const QString& cancelText, std::function<void()> onAccept);

} // namespace tb::ui
