#pragma once

#include "ui/form_dialog.h"

class QLineEdit;

namespace tb {

// "Edit Option": the text of one option in the current language.
class EditOptionDialog : public ui::FormDialog {
    Q_OBJECT
public:
    EditOptionDialog(QWidget* owner, const QString& text);

    QLineEdit* textBox() const { return text_; }

private:
    QLineEdit* text_;
};

} // namespace tb
