#pragma once

#include "document/document_listener.h"
#include "editing/file_choices.h"
#include "model/install_item.h"
#include "ui/form_dialog.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace tb {

class InstallChoiceRows;
class PackageDocument;
class TargetControls;

// Which controls the Install File dialog has beside the target name and folder.
struct InstallFileForm {
    bool source = true;      // the icon, "File type:" and "Source:"; not for a null file
    bool drive = true;       // not for the pre-installed package types
    bool installType = true; // "Install type:" and the wait box; neither of the above
};

// The form for a file of the open package: reduced for a null file and for the pre-installed
// package types.
InstallFileForm InstallFileFormFor(const PackageDocument& document, const FileItemBase& file);

// "Install File <name>": the target, drive and install type of a file that is installed (or,
// as a null file, removed at uninstallation).
class InstallFileDialog : public ui::FormDialog {
    Q_OBJECT
public:
    InstallFileDialog(QWidget* owner, const PackageDocument& document, const FileItemBase& file,
                      std::u16string_view source, InstallFileForm form);
    ~InstallFileDialog() override;

    TargetControls& targetControls() const { return *target_; }
    QLineEdit* nameBox() const;
    QLabel* sourceLabel() const { return source_; }
    // Null in a reduced form.
    QComboBox* driveBox() const;
    QComboBox* installTypeBox() const;
    QCheckBox* waitBox() const;

    // What OK took; the choices the form has no control for are the file's own.
    WideText target() const;
    InstallChoices choices() const;

private:
    TargetControls* target_;
    QLabel* source_ = nullptr;
    std::unique_ptr<InstallChoiceRows> choices_;
};

// Runs the dialog on file and applies OK through the document: the target, the drive, the
// install type and the wait flag; a MIME type goes. True on OK.
bool EditInstallFile(QWidget* owner, PackageDocument& document, FileItemBase& file, EditOrigin by);

} // namespace tb
