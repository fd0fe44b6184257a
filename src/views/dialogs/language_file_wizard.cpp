#include "views/dialogs/language_file_wizard.h"

#include "document/package_document.h"
#include "editing/device_folders.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "views/dialogs/install_file_dialog_parts.h"
#include "views/dialogs/language_file_sources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWizardPage>

namespace tb {

namespace {

QWizardPage* newPage(const QString& title, const QString& subTitle, const QString& prompt) {
    auto* page = new QWizardPage;
    page->setTitle(title);
    page->setSubTitle(subTitle);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(prompt, page));
    return page;
}

QVBoxLayout* layoutOf(QWizardPage* page) {
    return static_cast<QVBoxLayout*>(page->layout());
}

bool passes(const std::optional<ui::FormProblem>& problem, QWidget* owner) {
    if (!problem)
        return true;
    ui::ShowError(owner, problem->message);
    problem->control->setFocus(Qt::OtherFocusReason);
    return false;
}

} // namespace

LanguageFileWizard::LanguageFileWizard(QWidget* owner, PackageDocument& document)
    : QWizard(owner), document_(document) {
    setWindowTitle(QStringLiteral("Install Language Dependent File Wizard"));
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setButtonText(QWizard::BackButton, QStringLiteral("Back"));
    setButtonText(QWizard::NextButton, QStringLiteral("Next"));
    setButtonText(QWizard::FinishButton, QStringLiteral("Finish"));
    setButtonText(QWizard::CancelButton, QStringLiteral("Cancel"));

    QWizardPage* name =
        newPage(QStringLiteral("Target name"),
                QStringLiteral("Specify the install file target name (including file extension)"),
                QStringLiteral("Enter target file name:"));
    target_ = new TargetControls(document, {}, name);
    target_->folderRow()->setParent(nullptr); // shown on the next page
    layoutOf(name)->addWidget(target_->nameBox());
    layoutOf(name)->addStretch(1);
    setPage(NamePage, name);

    QWizardPage* location = newPage(QStringLiteral("Saving location"),
                                    QStringLiteral("Specify the install file saving location"),
                                    QStringLiteral("Select target file location:"));
    auto* grid = new QGridLayout;
    grid->addWidget(target_->folderRow(), 0, 0, 1, 2);
    drive_ = NewDriveBox(0, location);
    AddFormRow(*grid, QStringLiteral("Drive:"), drive_);
    layoutOf(location)->addLayout(grid);
    layoutOf(location)->addStretch(1);
    setPage(LocationPage, location);

    QWizardPage* sources =
        newPage(QStringLiteral("Source files"),
                QStringLiteral("Select the source file for each supported language"),
                QStringLiteral("Select sources:"));
    sources_ = new LanguageFileSources(document, {}, QStringLiteral("Select Language File"),
                                       QStringLiteral("All Files (*.*)"), sources);
    layoutOf(sources)->addWidget(sources_, 1);
    setPage(SourcesPage, sources);

    QWizardPage* options =
        newPage(QStringLiteral("Install options"),
                QStringLiteral("Specify the install file options, whether it shall be run during "
                               "installation or not"),
                QStringLiteral("Install type:"));
    installType_ = NewInstallTypeBox(0, options);
    wait_ = NewWaitBox(true, installType_, options);
    layoutOf(options)->addWidget(installType_);
    layoutOf(options)->addWidget(wait_);
    layoutOf(options)->addStretch(1);
    setPage(OptionsPage, options);
}

bool LanguageFileWizard::validateCurrentPage() {
    switch (currentId()) {
    case NamePage:
        if (!passes(target_->problem(), this))
            return false;
        target_->setTarget(
            DefaultTargetPath(target_->name(), document_.package() ? document_.package()->uid : 0));
        drive_->setCurrentIndex(0);
        return true;
    case SourcesPage:
        return passes(sources_->problem(), this);
    default:
        return true;
    }
}

std::unique_ptr<InstallLanguageFileItem> LanguageFileWizard::item() const {
    auto file = std::make_unique<InstallLanguageFileItem>(sources_->sources().size());
    file->sources = sources_->sources();
    file->target = target_->target();
    ApplyChoices(*file, {drive_->currentIndex(), installType_->currentIndex(), wait_->isChecked()});
    return file;
}

std::unique_ptr<InstallLanguageFileItem> LanguageFileWizard::run() {
    QTimer::singleShot(0, this, [this] { ui::CentreOnOwner(this, parentWidget()); });
    if (exec() != QDialog::Accepted)
        return nullptr;
    return item();
}

} // namespace tb
