#pragma once

#include "document/document_listener.h"
#include "editing/dialog_text_files.h"
#include "model/install_item.h"
#include "ui/form_dialog.h"

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tb {

class PackageDocument;

// "Show Dialog" and "Show Language Dependent Dialog": a dialog shown during installation, its
// name, its button kind and its text, which lives in text files beside the package (one, or one
// per package language). A new dialog writes its files on OK and hands back the item; an
// existing one shows and saves the text file of the current language, and its item changes
// through the document only when the button kind (or the file it names) changed.
class ShowDialogDialog : public ui::FormDialog {
    Q_OBJECT
public:
    // New mode: a ShowDialogItem or ShowLanguageDialogItem made on OK (takeCreated).
    ShowDialogDialog(QWidget* owner, PackageDocument& document, InstallItemKind kind);
    // Edit mode on dialog, a dialog item of the open package; its change goes out with by.
    ShowDialogDialog(QWidget* owner, PackageDocument& document, DialogItemBase& dialog,
                     EditOrigin by);

    bool isNew() const { return dialog_ == nullptr; }
    QLineEdit* nameBox() const { return nameBox_; }  // new mode only
    QLabel* nameLabel() const { return nameLabel_; } // edit mode only
    QComboBox* buttonKindBox() const { return buttonKind_; }
    QPlainTextEdit* textBox() const { return text_; }
    QPushButton* importButton() const { return import_; }

    // The item OK made in new mode; null before, after Cancel and in edit mode.
    std::unique_ptr<DialogItemBase> takeCreated() { return std::move(created_); }

protected:
    bool apply() override;

private:
    ShowDialogDialog(QWidget* owner, PackageDocument& document, InstallItemKind kind,
                     DialogItemBase* dialog, EditOrigin by);
    void build(const QString& name, TextOption option);
    void loadText();
    void importText();
    TextOption chosenOption() const;
    WideText editedText() const;
    // Writes files after the replace question; false (the dialog has said why) when not written.
    bool writeNew(const std::vector<TextFileContent>& files);
    bool create();
    bool save();

    PackageDocument& document_;
    const InstallItemKind kind_;
    DialogItemBase* const dialog_;
    const EditOrigin by_;
    // Edit mode: the text file of the current language, and whether the item names none yet
    // (a language added after the dialog was made): OK then makes it.
    std::string textPath_;
    bool makesTextFile_ = false;
    std::unique_ptr<DialogItemBase> created_;

    QLineEdit* nameBox_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QComboBox* buttonKind_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* import_ = nullptr;
};

} // namespace tb
