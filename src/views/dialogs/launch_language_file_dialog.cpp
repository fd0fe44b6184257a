#include "views/dialogs/launch_language_file_dialog.h"

#include "document/package_document.h"
#include "views/dialogs/language_file_sources.h"
#include "views/dialogs/launch_file_dialog_parts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tb {

LaunchLanguageFileDialog::LaunchLanguageFileDialog(QWidget* owner, PackageDocument& document,
                                                   const InstallLanguageFileItem& file)
    : FormDialog(owner, QStringLiteral("Launch Language Dependent File In Viewer")) {
    sources_ = new LanguageFileSources(document, file.sources, QStringLiteral("Select File"),
                                       QStringLiteral("All Files (*.*)"), this);
    body()->addWidget(sources_, 1);
    const WideText first = sources_->firstSource();
    mime_ = new MimeOverrideControls(file.mimeType,
                                     first.empty() ? WideText() : DefaultMimeFor(first), this);
    auto* mimeRow = new QHBoxLayout;
    mimeRow->addWidget(mime_->overrideBox());
    mimeRow->addWidget(mime_->mimeBox(), 1);
    body()->addLayout(mimeRow);
    connect(sources_, &LanguageFileSources::sourceChosen, this,
            [this] { mime_->setDefault(DefaultMimeFor(sources_->firstSource())); });

    addCheck([this] { return sources_->problem(); });
    addCheck([this] { return mime_->problem(); });
}

LocalizedText LaunchLanguageFileDialog::sources() const {
    return sources_->sources();
}

WideText LaunchLanguageFileDialog::mimeType() const {
    return mime_->mimeType();
}

bool EditLaunchLanguageFile(QWidget* owner, PackageDocument& document,
                            InstallLanguageFileItem& file, EditOrigin by) {
    LaunchLanguageFileDialog dialog(owner, document, file);
    if (!dialog.run())
        return false;
    const LocalizedText sources = dialog.sources();
    const WideText mime = dialog.mimeType();
    document.changeItem(
        &file,
        [&](InstallLanguageFileItem& changed) {
            if (changed.sources == sources && changed.mimeType == mime)
                return false;
            changed.sources = sources;
            changed.mimeType = mime;
            return true;
        },
        by);
    return true;
}

std::unique_ptr<InstallLanguageFileItem> NewLaunchLanguageFile(QWidget* owner,
                                                               PackageDocument& document) {
    if (!document.package())
        return nullptr;
    auto file = std::make_unique<InstallLanguageFileItem>(document.package()->languages.size());
    file->fileType = FileType::FM;
    LaunchLanguageFileDialog dialog(owner, document, *file);
    if (!dialog.run())
        return nullptr;
    file->sources = dialog.sources();
    file->mimeType = dialog.mimeType();
    return file;
}

} // namespace tb
