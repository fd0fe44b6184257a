#include "shell/build_completed_dialog.h"

#include "document/app_settings.h"
#include "model/package.h"
#include "ui/dont_show_again.h"
#include "ui/qt_text.h"

#include <QFileInfo>
#include <QVBoxLayout>

namespace tb {

namespace {

QString CompletedText(const Package& package, const std::string& packageFilePath) {
    const QFileInfo file(ui::HostPathToQString(packageFilePath));
    QString name = file.fileName();
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0)
        name.truncate(dot);
    return QStringLiteral("Package '") + name + QStringLiteral("' was successfully built to '") +
           ui::ToQString(BuiltFilePath(package, ui::ToWide(file.path()))) + QStringLiteral("'");
}

} // namespace

BuildCompletedDialog::BuildCompletedDialog(QWidget* owner, AppSettings& settings,
                                           const Package& package,
                                           const std::string& packageFilePath)
    : OpenFolderDialog(owner, QStringLiteral("Build Completed"),
                       CompletedText(package, packageFilePath)) {
    warning_ = ui::CreateIconTextRow(
        this, ui::MessageIcon::Warning,
        QStringLiteral("Package is not signed. It must be signed by a developer certificate or "
                       "by Symbian Signed before it can be installed to a phone."));
    warning_->setVisible(!package.signing.signPackage);
    contentLayout()->addWidget(warning_);
    dontShow_ = new ui::DontShowAgainBox(
        false, [&settings](bool checked) { settings.showBuildCompleteDialog = !checked; }, this);
    contentLayout()->addWidget(dontShow_);
}

} // namespace tb
