#pragma once

#include "document/document_listener.h"
#include "editing/file_choices.h"
#include "model/install_item.h"
#include "ui/form_dialog.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tb {

class InstallChoiceRows;
class LanguageFileSources;
class PackageDocument;
class TargetControls;

// "Install Language Dependent File <name>": the Install File dialog with one source per
// package language.
class LanguageFileDialog : public ui::FormDialog {
    Q_OBJECT
public:
    LanguageFileDialog(QWidget* owner, PackageDocument& document,
                       const InstallLanguageFileItem& file);
    ~LanguageFileDialog() override;

    TargetControls& targetControls() const { return *target_; }
    QLineEdit* nameBox() const;
    LanguageFileSources& sourceList() const { return *sources_; }
    QComboBox* driveBox() const;
    QComboBox* installTypeBox() const;
    QCheckBox* waitBox() const;

    WideText target() const;
    InstallChoices choices() const;
    LocalizedText sources() const;

private:
    TargetControls* target_;
    LanguageFileSources* sources_;
    std::unique_ptr<InstallChoiceRows> choices_;
};

// Runs the dialog on file and applies OK through the document. True on OK.
bool EditLanguageFile(QWidget* owner, PackageDocument& document, InstallLanguageFileItem& file,
                      EditOrigin by);

} // namespace tb
