#pragma once

#include <QString>

class QWidget;

namespace tb::ui {

enum class MessageButtons {
    Ok = 0,
    OkCancel = 1,
    YesNo = 2,
    YesNoCancel = 3,
    AbortRetryIgnore = 4,
    RetryCancel = 5,
    CancelTryContinue = 6,
};

enum class MessageIcon { Warning = 0, Information = 2, Question = 4, Error = 5 };

enum class MessageAnswer {
    Ok = 0,
    Yes = 1,
    No = 2,
    Abort = 3,
    Retry = 4,
    Cancel = 5,
    Ignore = 6,
    TryAgain = 7,
    Continue = 8,
};

// Every question and message of the program goes through the current MessageBoxes, with the
// application title as caption. Tests install their own to answer and record.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(QWidget* owner, const QString& text, MessageButtons buttons,
                               MessageIcon icon) = 0;
};

MessageBoxes& CurrentMessageBoxes();
// Installs boxes (not owned) for the rest of the run; null goes back to the real boxes.
void SetMessageBoxes(MessageBoxes* boxes);

MessageAnswer ShowMessage(QWidget* owner, const QString& text, MessageButtons buttons,
                          MessageIcon icon);
void ShowError(QWidget* owner, const QString& text);
void ShowWarning(QWidget* owner, const QString& text);
void ShowInformation(QWidget* owner, const QString& text);
MessageAnswer AskYesNo(QWidget* owner, const QString& text);
MessageAnswer AskYesNoCancel(QWidget* owner, const QString& text);

// Moves a top-level window to the centre of owner (or of the screen), then inside the
// screen's available area.
void CentreOnOwner(QWidget* window, QWidget* owner);

QString ApplicationTitle();

} // namespace tb::ui
