#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tb::test {

// Types text into box one key at a time, as the keyboard would; the box's validator may
// refuse a key.
inline void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

// Replaces a box's text by typing.
inline void Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(box, &erase);
    TypeInto(box, text);
}

} // namespace tb::test
