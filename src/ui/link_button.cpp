#include "ui/link_button.h"

#include <QEnterEvent>

namespace tb::ui {

LinkButton::LinkButton(const QIcon& icon, const QString& text, QWidget* parent)
    : QPushButton(icon, text, parent) {
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setStyleSheet(QStringLiteral(
        "QPushButton { border: none; text-align: left; padding: 2px; color: palette(link); }"));
}

void LinkButton::enterEvent(QEnterEvent* event) {
    setUnderlined(true);
    QPushButton::enterEvent(event);
}

void LinkButton::leaveEvent(QEvent* event) {
    setUnderlined(false);
    QPushButton::leaveEvent(event);
}

void LinkButton::setUnderlined(bool underlined) {
    QFont textFont = font();
    textFont.setUnderline(underlined);
    setFont(textFont);
}

} // namespace tb::ui
