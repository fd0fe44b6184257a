#include "views/dialogs/language_file_dialog.h"

#include "document/package_document.h"
#include "editing/device_folders.h"
#include "ui/qt_text.h"
#include "views/dialogs/install_file_dialog_parts.h"
#include "views/dialogs/language_file_sources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tb {

LanguageFileDialog::LanguageFileDialog(QWidget* owner, PackageDocument& document,
                                       const InstallLanguageFileItem& file)
    : FormDialog(owner) {
    const std::u16string_view fileName = DeviceFileName(file.target);
    setWindowTitle(QStringLiteral("Install Language Dependent File ") + ui::ToQString(fileName));
    target_ = new TargetControls(document, file.target, this);
    body()->addWidget(NewNameRow(fileName, target_->nameBox(), this));

    auto* grid = new QGridLayout;
    body()->addLayout(grid);
    AddFormRow(*grid, QStringLiteral("File type:"),
               NewValueLabel(FileTypeDescription(fileName), this));
    sources_ = new LanguageFileSources(document, file.sources, {}, {}, this);
    grid->addWidget(sources_, grid->rowCount(), 0, 1, 2);
    AddFormRow(*grid, QStringLiteral("Target:"), target_->folderRow());
    choices_ = std::make_unique<InstallChoiceRows>(*grid, ChoicesOf(file), true, true, this);

    addCheck([this] { return target_->problem(); });
    addCheck([this] { return sources_->problem(); });
    target_->nameBox()->setFocus();
}

QLineEdit* LanguageFileDialog::nameBox() const {
    return target_->nameBox();
}

WideText LanguageFileDialog::target() const {
    return target_->target();
}

LanguageFileDialog::~LanguageFileDialog() = default;

QComboBox* LanguageFileDialog::driveBox() const {
    return choices_->driveBox();
}

QComboBox* LanguageFileDialog::installTypeBox() const {
    return choices_->installTypeBox();
}

QCheckBox* LanguageFileDialog::waitBox() const {
    return choices_->waitBox();
}

InstallChoices LanguageFileDialog::choices() const {
    return choices_->choices();
}

LocalizedText LanguageFileDialog::sources() const {
    return sources_->sources();
}

bool EditLanguageFile(QWidget* owner, PackageDocument& document, InstallLanguageFileItem& file,
                      EditOrigin by) {
    LanguageFileDialog dialog(owner, document, file);
    if (!dialog.run())
        return false;
    const WideText target = dialog.target();
    const InstallChoices choices = dialog.choices();
    const LocalizedText sources = dialog.sources();
    document.changeItem(
        &file,
        [&](InstallLanguageFileItem& changed) {
            bool any = ApplyChoices(changed, choices);
            if (changed.target != target || changed.sources != sources) {
                changed.target = target;
                changed.sources = sources;
                any = true;
            }
            return any;
        },
        by);
    return true;
}

} // namespace tb
