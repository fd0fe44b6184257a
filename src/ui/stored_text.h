#pragma once

#include <QString>

#include <optional>
#include <string>

class QLineEdit;

// Boxes that show a stored text and hand back only what the user changed.
namespace tb::ui {

// Puts a stored text into box. One that the box's validator refuses is not shown: the box is
// emptied rather than left holding an earlier text (another package's, say).
void ShowStoredText(QLineEdit* box, const QString& text);

// The box's text when the user changed it since it was last filled, none otherwise: a stored
// text the box could not show is kept until the user types something else.
std::optional<QString> TypedText(const QLineEdit* box);

// TypedText into field; true when field changed.
bool TakeTypedText(const QLineEdit* box, std::u16string& field);

// Puts a chosen text (from a Browse dialog) into box as if typed; a refused one is not shown
// and the box keeps its text. True when the text was put.
bool SetChosenText(QLineEdit* box, const QString& text);

} // namespace tb::ui
