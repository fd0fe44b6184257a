#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QPushButton;
class QVBoxLayout;

namespace tb::ui {

// What a check on OK refused: the message and the control that gets the focus back.
struct FormProblem {
    QWidget* control = nullptr;
    QString message;
};

// A modal dialog with OK and Cancel whose OK runs its checks in the order they were added.
// The first check that refuses shows its message (error icon) and puts the focus on its
// control, and the dialog stays open with everything as entered. When every check passes,
// apply() takes the values and the dialog closes with Accepted.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<std::optional<FormProblem>()>;

    explicit FormDialog(QWidget* owner, const QString& title = {});

    // A check that finds its problem itself (for instance the first of several bad boxes).
    void addCheck(Check check);
    // The common form: control is refused with message unless passes() holds.
    void addCheck(QWidget* control, const QString& message, std::function<bool()> passes);

    // The dialog's own controls go here, above the buttons.
    QVBoxLayout* body() const { return body_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Modal, centred on its owner; true when OK closed it.
    bool run();
    // What OK does; true when the dialog closed.
    bool submit();
    // Runs the checks only: true when none refused; otherwise the first problem was shown.
    bool check();

protected:
    // Takes the values once every check passed; false keeps the dialog open (it has said why).
    virtual bool apply() { return true; }

private:
    std::vector<Check> checks_;
    QVBoxLayout* body_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace tb::ui
