#include "shell/export_dialog.h"

#include "document/application.h"
#include "document/messages.h"
#include "ui/desktop_services.h"
#include "ui/dialog_buttons.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "ui/open_folder_dialog.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tb {

namespace {

QString PackageFolder(const PackageDocument& document) {
    QString folder = ui::HostPathToQString(document.folder());
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString PackageBaseName(const PackageDocument& document) {
    QString name = ui::HostPathToQString(document.fileName());
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0)
        name.truncate(dot);
    return name;
}

} // namespace

ExportDialog::ExportDialog(Application& app, QWidget* owner) : QDialog(owner), app_(app) {
    setWindowTitle(QStringLiteral("Export Package to Standard PKG File"));
    auto* layout = new QVBoxLayout(this);

    const BuildConfiguration& configuration = app.configuration;
    auto* configurationGroup = new QGroupBox(QStringLiteral("Configuration"), this);
    auto* form = new QFormLayout(configurationGroup);
    sdks_ = new QComboBox(configurationGroup);
    for (size_t i = 0; i < configuration.sdkCount(); ++i) {
        sdks_->addItem(ui::ToQString(configuration.sdkAt(i)->id));
        if (configuration.sdkAt(i) == configuration.currentSdk())
            sdks_->setCurrentIndex(int(i));
    }
    platforms_ = new QComboBox(configurationGroup);
    for (int32_t i = 0; i < kBuildPlatformCount; ++i)
        platforms_->addItem(ui::ToQString(BuildPlatformText(BuildPlatform(i))));
    platforms_->setCurrentIndex(int(configuration.platform()));
    targets_ = new QComboBox(configurationGroup);
    for (int32_t i = 0; i < kBuildTargetCount; ++i)
        targets_->addItem(ui::ToQString(BuildTargetText(BuildTarget(i))));
    targets_->setCurrentIndex(int(configuration.target()));
    form->addRow(QStringLiteral("SDK:"), sdks_);
    form->addRow(QStringLiteral("Platform:"), platforms_);
    form->addRow(QStringLiteral("Target:"), targets_);
    layout->addWidget(configurationGroup);

    auto* outputGroup = new QGroupBox(QStringLiteral("Output"), this);
    auto* outputRow = new QHBoxLayout;
    output_ = new QLineEdit(outputGroup);
    output_->setMinimumWidth(360);
    browse_ = new QPushButton(QStringLiteral("Browse..."), outputGroup);
    outputRow->addWidget(output_, 1);
    outputRow->addWidget(browse_);
    auto* outputForm = new QFormLayout(outputGroup);
    outputForm->addRow(QStringLiteral("Output file:"), outputRow);
    layout->addWidget(outputGroup);

    export_ = ui::AddDialogButtons(*this, *layout, QStringLiteral("&Export"),
                                   QStringLiteral("Cancel"), [this] { tryExport(); })
                  .accept;

    rebuildFileName();
    connect(platforms_, &QComboBox::currentIndexChanged, this, &ExportDialog::rebuildFileName);
    connect(targets_, &QComboBox::currentIndexChanged, this, &ExportDialog::rebuildFileName);
    connect(browse_, &QPushButton::clicked, this, &ExportDialog::browse);
}

bool ExportDialog::run() {
    QTimer::singleShot(0, this, [this] { ui::CentreOnOwner(this, parentWidget()); });
    return exec() == QDialog::Accepted;
}

size_t ExportDialog::sdkIndex() const {
    return size_t(std::max(sdks_->currentIndex(), 0));
}
BuildPlatform ExportDialog::platform() const {
    return BuildPlatform(platforms_->currentIndex());
}
BuildTarget ExportDialog::target() const {
    return BuildTarget(targets_->currentIndex());
}
QString ExportDialog::outputPath() const {
    return output_->text();
}

void ExportDialog::rebuildFileName() {
    const QString current = output_->text();
    const qsizetype slash = current.lastIndexOf(u'/');
    // A bare file name has no folder to keep; the package's folder is the useful one.
    const QString folder = slash >= 0 ? current.left(slash + 1) : PackageFolder(app_.document);
    output_->setText(folder + PackageBaseName(app_.document) + u'_' +
                     ui::ToQString(BuildPlatformName(platform())) + u'_' +
                     ui::ToQString(BuildTargetName(target())) + QStringLiteral(".pkg"));
}

void ExportDialog::browse() {
    const QString path = ui::GetSaveFileName(this, QStringLiteral("Select Output File"),
                                             QStringLiteral("Symbian Package (*.pkg)"),
                                             QStringLiteral("pkg"), output_->text());
    if (!path.isEmpty())
        output_->setText(path);
}

void ExportDialog::tryExport() {
    const QString path = output_->text();
    if (path.isEmpty() || !path.startsWith(u'/')) {
        ui::ShowError(this, ui::ToQString(path.isEmpty() ? messages::kExportNoOutputFile
                                                         : messages::kExportRelativeOutputFile));
        output_->setFocus();
        return;
    }
    accept();
}

void RunExportCommand(QWidget* owner, Application& app) {
    if (!app.document.isOpen() || app.configuration.sdkCount() == 0)
        return;
    ExportDialog dialog(app, owner);
    if (!dialog.run())
        return;
    const SdkInfo* sdk = app.configuration.sdkAt(dialog.sdkIndex());
    const QString path = dialog.outputPath();
    if (!sdk)
        return;
    const ErrorCode code =
        app.document.exportTo(*sdk, dialog.platform(), dialog.target(), ui::ToHostPath(path));
    if (code != err::kOk) {
        ui::ShowError(owner, ui::ToQString(messages::ExportMessage(code)));
        return;
    }
    ui::OpenFolderDialog succeeded(owner, QStringLiteral("Export Succeeded"),
                                   ui::ToQString(messages::kExportSucceeded) + path + u'\'');
    if (succeeded.run() == ui::OpenFolderDialog::kOpenFolder)
        ui::ShowFileInFileManager(path);
}

} // namespace tb
