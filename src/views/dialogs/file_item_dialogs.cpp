#include "views/dialogs/file_item_dialogs.h"

#include "document/package_document.h"
#include "editing/file_sources.h"
#include "ui/file_dialogs.h"
#include "ui/qt_text.h"
#include "util/path.h"
#include "views/dialogs/install_file_dialog.h"
#include "views/dialogs/language_file_dialog.h"
#include "views/dialogs/language_file_wizard.h"
#include "views/dialogs/launch_file_dialog.h"
#include "views/dialogs/launch_language_file_dialog.h"

namespace tb {

bool HasFileDialog(const InstallItem* item) {
    return itemAs<FileItemBase>(item) != nullptr;
}

bool EditFileItem(QWidget* owner, PackageDocument& document, InstallItem* item, EditOrigin by) {
    auto* file = itemAs<FileItemBase>(item);
    if (!file || !document.isOpen())
        return false;
    if (file->fileType == FileType::FN)
        return EditInstallFile(owner, document, *file, by);
    if (auto* plain = itemAs<InstallFileItem>(file)) {
        if (plain->fileType == FileType::FM)
            return EditLaunchFile(owner, document, *plain, by);
        return EditInstallFile(owner, document, *plain, by);
    }
    auto* language = itemAs<InstallLanguageFileItem>(file);
    if (language->fileType == FileType::FM)
        return EditLaunchLanguageFile(owner, document, *language, by);
    return EditLanguageFile(owner, document, *language, by);
}

std::unique_ptr<InstallLanguageFileItem> RunInstallLanguageFileWizard(QWidget* owner,
                                                                      PackageDocument& document) {
    if (!document.isOpen())
        return nullptr;
    LanguageFileWizard wizard(owner, document);
    return wizard.run();
}

std::unique_ptr<InstallLanguageFileItem> RunLaunchLanguageFileDialog(QWidget* owner,
                                                                     PackageDocument& document) {
    return NewLaunchLanguageFile(owner, document);
}

QStringList ChooseFilesToAdd(QWidget* owner) {
    return ui::GetOpenFileNames(owner, QStringLiteral("Add File(s)"),
                                QStringLiteral("All Files (*.*)"));
}

std::vector<std::unique_ptr<InstallFileItem>> NewInstallFileItems(PackageDocument& document,
                                                                  const QStringList& hostPaths) {
    std::vector<std::unique_ptr<InstallFileItem>> files;
    if (!document.isOpen())
        return files;
    const WideText folder = fromHostPath(document.folder());
    for (const QString& path : hostPaths)
        files.push_back(NewInstallFile(ui::ToWide(path), folder,
                                       document.buildConfiguration().sdks(),
                                       document.package()->uid));
    return files;
}

} // namespace tb
