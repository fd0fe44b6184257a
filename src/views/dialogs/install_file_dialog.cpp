#include "views/dialogs/install_file_dialog.h"

#include "document/package_document.h"
#include "editing/device_folders.h"
#include "editing/file_rows.h"
#include "ui/qt_text.h"
#include "views/dialogs/install_file_dialog_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tb {

namespace {

WideText sourceOf(const FileItemBase& file) {
    if (const auto* plain = itemAs<InstallFileItem>(&file))
        return plain->source;
    return {};
}

} // namespace

InstallFileForm InstallFileFormFor(const PackageDocument& document, const FileItemBase& file) {
    const bool preinstalled = document.package() && IsPreinstalled(document.package()->type);
    const bool null = file.fileType == FileType::FN;
    return {!null, !preinstalled, !preinstalled && !null};
}

InstallFileDialog::InstallFileDialog(QWidget* owner, const PackageDocument& document,
                                     const FileItemBase& file, std::u16string_view source,
                                     InstallFileForm form)
    : FormDialog(owner) {
    const WideText fileName(DeviceFileName(file.target));
    setWindowTitle(QStringLiteral("Install File ") + ui::ToQString(fileName));
    target_ = new TargetControls(document, file.target, this);
    body()->addWidget(NewNameRow(form.source ? source : fileName, target_->nameBox(), this));

    auto* grid = new QGridLayout;
    body()->addLayout(grid);
    if (form.source) {
        AddFormRow(*grid, QStringLiteral("File type:"),
                   NewValueLabel(FileTypeDescription(source), this));
        source_ = NewValueLabel(ui::ToQString(source), this);
        AddFormRow(*grid, QStringLiteral("Source:"), source_);
    }
    AddFormRow(*grid, QStringLiteral("Target:"), target_->folderRow());
    choices_ = std::make_unique<InstallChoiceRows>(*grid, ChoicesOf(file), form.drive,
                                                   form.installType, this);
    addCheck([this] { return target_->problem(); });
    target_->nameBox()->setFocus();
}

QLineEdit* InstallFileDialog::nameBox() const {
    return target_->nameBox();
}

WideText InstallFileDialog::target() const {
    return target_->target();
}

InstallFileDialog::~InstallFileDialog() = default;

QComboBox* InstallFileDialog::driveBox() const {
    return choices_->driveBox();
}

QComboBox* InstallFileDialog::installTypeBox() const {
    return choices_->installTypeBox();
}

QCheckBox* InstallFileDialog::waitBox() const {
    return choices_->waitBox();
}

InstallChoices InstallFileDialog::choices() const {
    return choices_->choices();
}

bool EditInstallFile(QWidget* owner, PackageDocument& document, FileItemBase& file, EditOrigin by) {
    InstallFileDialog dialog(owner, document, file, sourceOf(file),
                             InstallFileFormFor(document, file));
    if (!dialog.run())
        return false;
    const WideText target = dialog.target();
    const InstallChoices choices = dialog.choices();
    document.changeItem(
        &file,
        [&](FileItemBase& changed) {
            bool any = ApplyChoices(changed, choices);
            if (changed.target != target) {
                changed.target = target;
                any = true;
            }
            if (!changed.mimeType.empty()) {
                changed.mimeType.clear();
                any = true;
            }
            return any;
        },
        by);
    return true;
}

} // namespace tb
