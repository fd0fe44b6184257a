#pragma once

#include "document/document_listener.h"
#include "model/install_item.h"
#include "ui/form_dialog.h"

#include <memory>

class QWidget;

namespace tb {

class LanguageFileSources;
class MimeOverrideControls;
class PackageDocument;

// "Launch Language Dependent File In Viewer": one source per package language and the MIME
// type of a file shown in a viewer.
class LaunchLanguageFileDialog : public ui::FormDialog {
    Q_OBJECT
public:
    LaunchLanguageFileDialog(QWidget* owner, PackageDocument& document,
                             const InstallLanguageFileItem& file);

    LanguageFileSources& sourceList() const { return *sources_; }
    MimeOverrideControls& mimeControls() const { return *mime_; }

    LocalizedText sources() const;
    WideText mimeType() const;

private:
    LanguageFileSources* sources_;
    MimeOverrideControls* mime_;
};

// Runs the dialog on file and applies OK through the document. True on OK.
bool EditLaunchLanguageFile(QWidget* owner, PackageDocument& document,
                            InstallLanguageFileItem& file, EditOrigin by);

// Runs the dialog on a new FM item: the item on OK (not placed), null on Cancel.
std::unique_ptr<InstallLanguageFileItem> NewLaunchLanguageFile(QWidget* owner,
                                                               PackageDocument& document);

} // namespace tb
