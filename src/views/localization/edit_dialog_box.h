#pragma once

#include "document/document_listener.h"
#include "editing/language_dialog_text.h"
#include "ui/form_dialog.h"

class QPlainTextEdit;
class QPushButton;

namespace tb {

class PackageDocument;

// "Edit Dialog", titled with the dialog's name: the text of a language-dependent dialog in one
// package language, kept in that language's text file. OK writes the file; the package itself
// changes only when the language had no file yet and OK made one.
class EditDialogBox : public ui::FormDialog {
    Q_OBJECT
public:
    EditDialogBox(QWidget* owner, PackageDocument& document, ShowLanguageDialogItem& dialog,
                  size_t language, EditOrigin by);

    QPlainTextEdit* textBox() const { return text_; }
    QPushButton* importButton() const { return import_; }
    const std::string& textPath() const { return opened_.path; }

protected:
    bool apply() override;

private:
    void importText();

    PackageDocument& document_;
    ShowLanguageDialogItem& dialog_;
    const size_t language_;
    const EditOrigin by_;
    LanguageDialogText opened_;
    QPlainTextEdit* text_;
    QPushButton* import_;
};

// Runs the box; true when OK closed it.
bool EditDialogText(QWidget* owner, PackageDocument& document, ShowLanguageDialogItem& dialog,
                    size_t language, EditOrigin by);

} // namespace tb
