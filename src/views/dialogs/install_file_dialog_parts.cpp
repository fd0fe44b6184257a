#include "views/dialogs/install_file_dialog_parts.h"

#include "document/package_document.h"
#include "editing/device_folders.h"
#include "editing/file_checks.h"
#include "ui/qt_text.h"
#include "views/dialogs/select_target_folder_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QPushButton>
#include <QStyle>

namespace tb {

namespace {

QMimeType mimeTypeOf(std::u16string_view fileName) {
    return QMimeDatabase().mimeTypeForFile(ui::ToQString(DeviceFileName(fileName)),
                                           QMimeDatabase::MatchExtension);
}

} // namespace

QIcon FileTypeIcon(std::u16string_view fileName) {
    const QMimeType type = mimeTypeOf(fileName);
    QIcon fallback = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), fallback));
}

QString FileTypeDescription(std::u16string_view fileName) {
    return mimeTypeOf(fileName).comment();
}

void AddFormRow(QGridLayout& grid, const QString& label, QWidget* control) {
    const int row = grid.rowCount();
    grid.addWidget(new QLabel(label, control->parentWidget()), row, 0);
    grid.addWidget(control, row, 1);
}

QLabel* NewValueLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

QWidget* NewNameRow(std::u16string_view fileName, QWidget* box, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* icon = new QLabel(row);
    icon->setPixmap(FileTypeIcon(fileName).pixmap(32, 32));
    layout->addWidget(icon);
    layout->addWidget(box, 1);
    return row;
}

QComboBox* NewDriveBox(int entry, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (int i = 0; i < kDriveEntryCount; ++i)
        box->addItem(ui::ToQString(DriveEntryText(i)));
    box->setCurrentIndex(entry);
    return box;
}

QComboBox* NewInstallTypeBox(int entry, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (std::u16string_view text : kInstallTypeEntries)
        box->addItem(ui::ToQString(text));
    box->setCurrentIndex(entry);
    return box;
}

QCheckBox* NewWaitBox(bool wait, QComboBox* installType, QWidget* parent) {
    auto* box = new QCheckBox(QStringLiteral("Wait for program to finish execution"), parent);
    box->setChecked(wait);
    auto follow = [box, installType] { box->setEnabled(EntryRuns(installType->currentIndex())); };
    QObject::connect(installType, &QComboBox::currentIndexChanged, box, follow);
    follow();
    return box;
}

InstallChoiceRows::InstallChoiceRows(QGridLayout& grid, const InstallChoices& original, bool drive,
                                     bool installType, QWidget* parent)
    : original_(original) {
    if (drive) {
        drive_ = NewDriveBox(original.driveEntry, parent);
        AddFormRow(grid, QStringLiteral("Drive:"), drive_);
    }
    if (installType) {
        installType_ = NewInstallTypeBox(original.installTypeEntry, parent);
        AddFormRow(grid, QStringLiteral("Install type:"), installType_);
        wait_ = NewWaitBox(original.wait, installType_, parent);
        grid.addWidget(wait_, grid.rowCount(), 1);
    }
}

InstallChoices InstallChoiceRows::choices() const {
    InstallChoices chosen = original_;
    if (drive_)
        chosen.driveEntry = drive_->currentIndex();
    if (installType_)
        chosen.installTypeEntry = installType_->currentIndex();
    if (wait_)
        chosen.wait = wait_->isChecked();
    return chosen;
}

TargetControls::TargetControls(const PackageDocument& document, std::u16string_view target,
                               QWidget* parent)
    : QObject(parent), document_(document) {
    nameBox_ = new QLineEdit(parent);
    folderRow_ = new QWidget(parent);
    auto* icon = new QLabel(folderRow_);
    const int size = parent->style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(parent->style()->standardIcon(QStyle::SP_DirIcon).pixmap(size, size));
    folderLabel_ = new QLabel(folderRow_);
    editButton_ = new QPushButton(QStringLiteral("Edit..."), folderRow_);
    auto* row = new QHBoxLayout(folderRow_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(icon);
    row->addWidget(folderLabel_, 1);
    row->addWidget(editButton_);
    connect(editButton_, &QPushButton::clicked, this, &TargetControls::chooseFolder);
    setTarget(target);
}

WideText TargetControls::name() const {
    return ui::ToWide(nameBox_->text());
}

void TargetControls::setTarget(std::u16string_view target) {
    TargetParts parts = SplitTarget(target);
    nameBox_->setText(ui::ToQString(parts.name));
    setFolder(std::move(parts.folder));
}

void TargetControls::setFolder(WideText folder) {
    folder_ = std::move(folder);
    const uint32_t uid = document_.package() ? document_.package()->uid : 0;
    std::optional<WideText> label = TargetDisplayForm(folder_, uid);
    folderLabel_->setText(ui::ToQString(label ? *label : folder_));
    folderLabel_->setToolTip(ui::ToQString(folder_));
}

std::optional<ui::FormProblem> TargetControls::problem() const {
    if (std::optional<std::u16string_view> message = CheckTargetName(name()))
        return ui::FormProblem{nameBox_, ui::ToQString(*message)};
    return std::nullopt;
}

void TargetControls::chooseFolder() {
    if (!document_.package())
        return;
    std::optional<WideText> chosen = SelectTargetFolder(
        nameBox_->window(), document_.package()->uid, document_.userFolders(), name(), target());
    if (chosen)
        setFolder(*chosen + u'\\');
}

} // namespace tb
