#include "views/dialogs/launch_file_dialog.h"

#include "document/package_document.h"
#include "editing/device_folders.h"
#include "editing/file_choices.h"
#include "ui/qt_text.h"
#include "views/dialogs/install_file_dialog_parts.h"
#include "views/dialogs/launch_file_dialog_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tb {

QComboBox* NewLaunchBox(RunOption option, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (std::u16string_view text : kLaunchEntries)
        box->addItem(ui::ToQString(text));
    box->setCurrentIndex(LaunchEntryOf(option));
    return box;
}

LaunchFileDialog::LaunchFileDialog(QWidget* owner, const InstallFileItem& file)
    : FormDialog(owner) {
    const QString fileName = ui::ToQString(DeviceFileName(file.source));
    setWindowTitle(QStringLiteral("Launch File In Viewer ") + fileName);

    name_ = new QLineEdit(fileName, this);
    name_->setReadOnly(true); // the source's name; nothing of it is stored
    body()->addWidget(NewNameRow(file.source, name_, this));

    auto* grid = new QGridLayout;
    body()->addLayout(grid);
    AddFormRow(*grid, QStringLiteral("File type:"),
               NewValueLabel(FileTypeDescription(file.source), this));
    AddFormRow(*grid, QStringLiteral("Source:"), NewValueLabel(ui::ToQString(file.source), this));
    launch_ = NewLaunchBox(file.runOption, this);
    AddFormRow(*grid, QStringLiteral("Launch in viewer:"), launch_);
    wait_ = new QCheckBox(QStringLiteral("Wait for application to finish execution"), this);
    wait_->setChecked(file.runWaitEnd);
    grid->addWidget(wait_, grid->rowCount(), 1);
    mime_ = new MimeOverrideControls(file.mimeType, DefaultMimeFor(file.source), this);
    const int row = grid->rowCount();
    grid->addWidget(mime_->overrideBox(), row, 0);
    grid->addWidget(mime_->mimeBox(), row, 1);

    addCheck([this] { return mime_->problem(); });
}

RunOption LaunchFileDialog::runOption() const {
    return RunOption(launch_->currentIndex());
}

bool LaunchFileDialog::wait() const {
    return wait_->isChecked();
}

WideText LaunchFileDialog::mimeType() const {
    return mime_->mimeType();
}

bool EditLaunchFile(QWidget* owner, PackageDocument& document, InstallFileItem& file,
                    EditOrigin by) {
    LaunchFileDialog dialog(owner, file);
    if (!dialog.run())
        return false;
    const RunOption option = dialog.runOption();
    const bool wait = dialog.wait();
    const WideText mime = dialog.mimeType();
    document.changeItem(
        &file,
        [&](InstallFileItem& changed) {
            if (changed.runOption == option && changed.runWaitEnd == wait &&
                changed.mimeType == mime)
                return false;
            changed.runOption = option;
            changed.runWaitEnd = wait;
            changed.mimeType = mime;
            return true;
        },
        by);
    return true;
}

} // namespace tb
