#include "ui/message_box.h"

#include "document/application.h"
#include "ui/qt_text.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <utility>
#include <vector>

namespace tb::ui {

namespace {

class QtMessageBoxes : public MessageBoxes {
public:
    MessageAnswer show(QWidget* owner, const QString& text, MessageButtons buttons,
                       MessageIcon icon) override {
        QMessageBox box(owner);
        box.setWindowTitle(ApplicationTitle());
        box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        switch (icon) {
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        }
        std::vector<std::pair<QAbstractButton*, MessageAnswer>> answers;
        auto add = [&](QMessageBox::StandardButton button, MessageAnswer answer) {
            answers.emplace_back(box.addButton(button), answer);
        };
        auto addCustom = [&](const QString& label, QMessageBox::ButtonRole role,
                             MessageAnswer answer) {
            answers.emplace_back(box.addButton(label, role), answer);
        };
        switch (buttons) {
        case MessageButtons::Ok: add(QMessageBox::Ok, MessageAnswer::Ok); break;
        case MessageButtons::OkCancel:
            add(QMessageBox::Ok, MessageAnswer::Ok);
            add(QMessageBox::Cancel, MessageAnswer::Cancel);
            break;
        case MessageButtons::YesNo:
            add(QMessageBox::Yes, MessageAnswer::Yes);
            add(QMessageBox::No, MessageAnswer::No);
            break;
        case MessageButtons::YesNoCancel:
            add(QMessageBox::Yes, MessageAnswer::Yes);
            add(QMessageBox::No, MessageAnswer::No);
            add(QMessageBox::Cancel, MessageAnswer::Cancel);
            break;
        case MessageButtons::AbortRetryIgnore:
            add(QMessageBox::Abort, MessageAnswer::Abort);
            add(QMessageBox::Retry, MessageAnswer::Retry);
            add(QMessageBox::Ignore, MessageAnswer::Ignore);
            break;
        case MessageButtons::RetryCancel:
            add(QMessageBox::Retry, MessageAnswer::Retry);
            add(QMessageBox::Cancel, MessageAnswer::Cancel);
            break;
        case MessageButtons::CancelTryContinue:
            add(QMessageBox::Cancel, MessageAnswer::Cancel);
            addCustom(QStringLiteral("&Try Again"), QMessageBox::AcceptRole,
                      MessageAnswer::TryAgain);
            addCustom(QStringLiteral("&Continue"), QMessageBox::AcceptRole,
                      MessageAnswer::Continue);
            break;
        }
        // Centred once the box has its final size.
        QTimer::singleShot(0, &box, [&box, owner] { CentreOnOwner(&box, owner); });
        box.exec();
        for (auto& [button, answer] : answers)
            if (box.clickedButton() == button)
                return answer;
        // Closed with Escape or the close box.
        bool hasCancel = buttons == MessageButtons::OkCancel ||
                         buttons == MessageButtons::YesNoCancel ||
                         buttons == MessageButtons::RetryCancel ||
                         buttons == MessageButtons::CancelTryContinue;
        return hasCancel ? MessageAnswer::Cancel
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Ok;
    }
};

QtMessageBoxes realBoxes;
MessageBoxes* current = nullptr;

} // namespace

MessageBoxes& CurrentMessageBoxes() { return current ? *current : realBoxes; }

void SetMessageBoxes(MessageBoxes* boxes) { current = boxes; }

MessageAnswer ShowMessage(QWidget* owner, const QString& text, MessageButtons buttons,
                          MessageIcon icon) {
    return CurrentMessageBoxes().show(owner, text, buttons, icon);
}

void ShowError(QWidget* owner, const QString& text) {
    ShowMessage(owner, text, MessageButtons::Ok, MessageIcon::Error);
}

void ShowWarning(QWidget* owner, const QString& text) {
    ShowMessage(owner, text, MessageButtons::Ok, MessageIcon::Warning);
}

void ShowInformation(QWidget* owner, const QString& text) {
    ShowMessage(owner, text, MessageButtons::Ok, MessageIcon::Information);
}

MessageAnswer AskYesNo(QWidget* owner, const QString& text) {
    return ShowMessage(owner, text, MessageButtons::YesNo, MessageIcon::Question);
}

MessageAnswer AskYesNoCancel(QWidget* owner, const QString& text) {
    return ShowMessage(owner, text, MessageButtons::YesNoCancel, MessageIcon::Question);
}

void CentreOnOwner(QWidget* window, QWidget* owner) {
    QWidget* anchor = owner ? owner->window() : nullptr;
    QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(anchor ? anchor->frameGeometry().center() : area.center());
    // Keep it on the screen: left and top win over right and bottom.
    if (frame.right() > area.right())
        frame.moveRight(area.right());
    if (frame.bottom() > area.bottom())
        frame.moveBottom(area.bottom());
    if (frame.left() < area.left())
        frame.moveLeft(area.left());
    if (frame.top() < area.top())
        frame.moveTop(area.top());
    window->move(frame.topLeft());
}

QString ApplicationTitle() { return ToQString(Application::kTitle); }

} // namespace tb::ui
