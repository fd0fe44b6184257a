#include "views/general_info/logo_settings_dialog.h"

#include "editing/device_folders.h"
#include "editing/file_checks.h"
#include "model/tables.h"
#include "ui/qt_text.h"
#include "views/dialogs/select_target_folder_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace tb {

namespace {

// "Let User Choose" for "!", then A: to Z:.
int driveIndex(char16_t drive) {
    if (drive >= u'a' && drive <= u'z')
        drive = char16_t(drive - u'a' + u'A');
    return drive >= u'A' && drive <= u'Z' ? drive - u'A' + 1 : 0;
}

char16_t driveAt(int index) {
    return index <= 0 ? u'!' : char16_t(u'A' + index - 1);
}

// The folder part of a device path, without the final backslash.
WideText folderOf(std::u16string_view target) {
    const size_t separator = target.rfind(u'\\');
    return WideText(separator == std::u16string_view::npos ? std::u16string_view()
                                                           : target.substr(0, separator));
}

} // namespace

LogoSettingsDialog::LogoSettingsDialog(QWidget* owner, const PackageLogo& logo, uint32_t packageUid,
                                       const UserFolderTree& folders)
    : FormDialog(owner, QStringLiteral("Edit Logo Settings")), result_(logo),
      packageUid_(packageUid), folders_(folders) {
    auto* grid = new QGridLayout;
    body()->addLayout(grid);

    override_ = new QCheckBox(QStringLiteral("Override MIME type:"), this);
    mime_ = new QLineEdit(ui::ToQString(logo.mimeType), this);
    override_->setChecked(logo.overrideMime);
    grid->addWidget(override_, 0, 0);
    grid->addWidget(mime_, 0, 1, 1, 2);

    save_ = new QCheckBox(QStringLiteral("Save on target device:"), this);
    save_->setChecked(!logo.target.empty());
    grid->addWidget(save_, 1, 0, 1, 3);

    // Not saved yet: the logo's own name in the folder its type goes to.
    const WideText& target = logo.target;
    const std::u16string_view name = DeviceFileName(target.empty() ? logo.source : target);
    auto* nameLabel = new QLabel(QStringLiteral("Name:"), this);
    name_ = new QLineEdit(ui::ToQString(name), this);
    nameLabel->setBuddy(name_);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(name_, 2, 1, 1, 2);

    auto* targetLabel = new QLabel(QStringLiteral("Target:"), this);
    auto* folderIcon = new QLabel(this);
    folderIcon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_DirIcon).pixmap(16));
    folderLabel_ = new QLabel(this);
    selectFolder_ = new QPushButton(QStringLiteral("Select..."), this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderIcon);
    folderRow->addWidget(folderLabel_, 1);
    grid->addWidget(targetLabel, 3, 0);
    grid->addLayout(folderRow, 3, 1);
    grid->addWidget(selectFolder_, 3, 2);

    auto* driveLabel = new QLabel(QStringLiteral("Drive:"), this);
    drive_ = new QComboBox(this);
    drive_->addItem(QStringLiteral("Let User Choose"));
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        drive_->addItem(QStringLiteral("%1:").arg(QLatin1Char(letter)));
    drive_->setCurrentIndex(driveIndex(logo.drive));
    driveLabel->setBuddy(drive_);
    grid->addWidget(driveLabel, 4, 0);
    grid->addWidget(drive_, 4, 1, 1, 2);

    targetControls_ = {nameLabel,    name_,         targetLabel, folderIcon,
                       folderLabel_, selectFolder_, driveLabel,  drive_};
    setFolder(target.empty() ? DeviceFolderPath(DefaultFolderFor(name), packageUid)
                             : folderOf(target));
    updateEnabled();
    connect(override_, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(save_, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(selectFolder_, &QPushButton::clicked, this, [this] { selectFolder(); });

    addCheckWhileChecked(override_, mime_, CheckMimeType);
    addCheckWhileChecked(save_, name_, CheckTargetName);
}

void LogoSettingsDialog::addCheckWhileChecked(const QCheckBox* enabler, QLineEdit* box,
                                              TextRule rule) {
    addCheck([enabler, box, rule]() -> std::optional<ui::FormProblem> {
        if (!enabler->isChecked())
            return std::nullopt;
        if (const std::optional<std::u16string_view> message = rule(ui::ToWide(box->text())))
            return ui::FormProblem{box, ui::ToQString(*message)};
        return std::nullopt;
    });
}

void LogoSettingsDialog::setFolder(WideText folder) {
    folder_ = std::move(folder);
    const std::optional<WideText> shown = TargetDisplayForm(folder_ + u'\\', packageUid_);
    folderLabel_->setText(ui::ToQString(shown ? *shown : folder_));
}

void LogoSettingsDialog::updateEnabled() {
    mime_->setEnabled(override_->isChecked());
    for (QWidget* control : targetControls_)
        control->setEnabled(save_->isChecked());
}

void LogoSettingsDialog::selectFolder() {
    const WideText name = ui::ToWide(name_->text());
    const std::optional<WideText> chosen = SelectTargetFolder(
        this, packageUid_, folders_, name.empty() ? result_.source : name, folder_ + u'\\' + name);
    if (chosen)
        setFolder(*chosen);
}

bool LogoSettingsDialog::apply() {
    if (save_->isChecked()) {
        result_.target = folder_ + u'\\' + ui::ToWide(name_->text());
        result_.drive = driveAt(drive_->currentIndex());
    } else {
        result_.target.clear();
        result_.drive = u'C';
    }
    result_.overrideMime = override_->isChecked();
    if (result_.overrideMime)
        result_.mimeType = ui::ToWide(mime_->text());
    else
        ImageMimeForFile(result_.source, result_.mimeType);
    return true;
}

std::optional<PackageLogo> EditLogoSettings(QWidget* owner, const PackageLogo& logo,
                                            uint32_t packageUid, const UserFolderTree& folders) {
    LogoSettingsDialog dialog(owner, logo, packageUid, folders);
    if (!dialog.run())
        return std::nullopt;
    return dialog.result();
}

} // namespace tb
