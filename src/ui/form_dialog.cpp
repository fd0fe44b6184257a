#include "ui/form_dialog.h"

#include "ui/dialog_buttons.h"
#include "ui/message_box.h"

#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace tb::ui {

FormDialog::FormDialog(QWidget* owner, const QString& title) : QDialog(owner) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);
    DialogButtons buttons = AddDialogButtons(*this, *layout, QStringLiteral("OK"),
                                             QStringLiteral("Cancel"), [this] { submit(); });
    ok_ = buttons.accept;
    cancel_ = buttons.cancel;
}

void FormDialog::addCheck(Check check) {
    checks_.push_back(std::move(check));
}

void FormDialog::addCheck(QWidget* control, const QString& message, std::function<bool()> passes) {
    addCheck([control, message, passes = std::move(passes)]() -> std::optional<FormProblem> {
        if (passes())
            return std::nullopt;
        return FormProblem{control, message};
    });
}

bool FormDialog::check() {
    for (const Check& run : checks_) {
        std::optional<FormProblem> problem = run();
        if (!problem)
            continue;
        ShowError(this, problem->message);
        if (QWidget* control = problem->control) {
            control->setFocus(Qt::OtherFocusReason);
            // Typing again replaces what was refused.
            if (auto* box = qobject_cast<QLineEdit*>(control))
                box->selectAll();
        }
        return false;
    }
    return true;
}

bool FormDialog::run() {
    QTimer::singleShot(0, this, [this] { CentreOnOwner(this, parentWidget()); });
    return exec() == QDialog::Accepted;
}

bool FormDialog::submit() {
    if (!check() || !apply())
        return false;
    accept();
    return true;
}

} // namespace tb::ui
