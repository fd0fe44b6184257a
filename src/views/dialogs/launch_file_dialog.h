#pragma once

#include "document/document_listener.h"
#include "model/install_item.h"
#include "ui/form_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tb {

class MimeOverrideControls;
class PackageDocument;

// "Launch File In Viewer <source name>": when the file is shown, whether installation waits
// for the viewer, and its MIME type.
class LaunchFileDialog : public ui::FormDialog {
    Q_OBJECT
public:
    LaunchFileDialog(QWidget* owner, const InstallFileItem& file);

    QLineEdit* nameBox() const { return name_; }
    QComboBox* launchBox() const { return launch_; }
    QCheckBox* waitBox() const { return wait_; }
    MimeOverrideControls& mimeControls() const { return *mime_; }

    RunOption runOption() const;
    bool wait() const;
    WideText mimeType() const;

private:
    QLineEdit* name_;
    QComboBox* launch_;
    QCheckBox* wait_;
    MimeOverrideControls* mime_;
};

// Runs the dialog on file and applies OK through the document. True on OK.
bool EditLaunchFile(QWidget* owner, PackageDocument& document, InstallFileItem& file,
                    EditOrigin by);

// The "Launch in viewer:" drop-down with its three entries, option selected.
QComboBox* NewLaunchBox(RunOption option, QWidget* parent);

} // namespace tb
