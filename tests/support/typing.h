#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tb::test {

// Types text into widget one key at a time, as the keyboard would; a validator may refuse a key.
inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// Replaces a box's text by typing.
inline void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(box, &erase);
    TypeText(box, text);
}

} // namespace tb::test
