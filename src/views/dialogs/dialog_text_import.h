#pragma once

#include <string>

class QPlainTextEdit;
class QWidget;

namespace tb {

// "Import text...": asks for a text file (starting in packageFolder) and puts its text into
// box, or says the file could not be read and leaves box as it was.
void ImportDialogText(QWidget* owner, const std::string& packageFolder, QPlainTextEdit& box);

} // namespace tb
