#include "views/deployment/deployment_view.h"

#include "document/application.h"
#include "editing/output_folder.h"
#include "ui/file_dialogs.h"
#include "ui/qt_text.h"
#include "ui/scrolling_content.h"
#include "ui/stored_text.h"
#include "ui/text_validators.h"
#include "util/path.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tb {

namespace {

// Qt reads a filter's patterns from its last parentheses.
const QString kCertificateFilter =
    QStringLiteral("Certificate File (.cer) (*.cer);;All Files (*.*)");
const QString kKeyFilter = QStringLiteral("Key File (.key) (*.key);;All Files (*.*)");

QLineEdit* boxRefusing(std::u16string_view refused, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    ui::RefuseCharacters(box, refused);
    return box;
}

bool takeChecked(const QCheckBox* box, bool& field) {
    if (box->isChecked() == field)
        return false;
    field = box->isChecked();
    return true;
}

} // namespace

DeploymentView::DeploymentView(Application& app, ui::CommandRegistry& registry, QWidget* parent)
    : ViewPage(app, registry, QStringLiteral("Deployment"), parent) {
    auto* layout = new QVBoxLayout(ui::ScrollingContent(this));

    auto* build = new QGroupBox(QStringLiteral("Build settings"), this);
    auto* buildGrid = new QGridLayout(build);
    projectFolder_ = new QRadioButton(QStringLiteral("Project folder"), build);
    customFolder_ = new QRadioButton(QStringLiteral("Custom folder"), build);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(projectFolder_);
    kinds->addButton(customFolder_);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(projectFolder_);
    kindRow->addWidget(customFolder_);
    kindRow->addStretch(1);
    buildGrid->addWidget(new QLabel(QStringLiteral("Create build in:"), build), 0, 0);
    buildGrid->addLayout(kindRow, 0, 1, 1, 2);
    folder_ = boxRefusing(ui::kPathRefused, build);
    browseFolder_ = new QPushButton(QStringLiteral("Browse..."), build);
    buildGrid->addWidget(folder_, 1, 1);
    buildGrid->addWidget(browseFolder_, 1, 2);
    outputName_ = boxRefusing(ui::kNameRefused, build);
    auto* nameLabel = new QLabel(QStringLiteral("Output filename:"), build);
    nameLabel->setBuddy(outputName_);
    buildGrid->addWidget(nameLabel, 2, 0);
    buildGrid->addWidget(outputName_, 2, 1, 1, 2);
    compress_ = new QCheckBox(QStringLiteral("Compress files"), build);
    buildGrid->addWidget(compress_, 3, 0, 1, 3);
    autoIncrement_ = new QCheckBox(
        QStringLiteral("Automatically increment build version number upon rebuild"), build);
    buildGrid->addWidget(autoIncrement_, 4, 0, 1, 3);
    buildGrid->setColumnStretch(1, 1);
    layout->addWidget(build);

    auto* certificates = new QGroupBox(QStringLiteral("Certificates"), this);
    auto* signGrid = new QGridLayout(certificates);
    sign_ = new QCheckBox(QStringLiteral("Sign package with developer certificate"), certificates);
    signGrid->addWidget(sign_, 0, 0, 1, 3);
    auto addRow = [&](int row, const QString& text, QLineEdit* box, QPushButton* button) {
        auto* label = new QLabel(text, certificates);
        label->setBuddy(box);
        signGrid->addWidget(label, row, 0);
        signGrid->addWidget(box, row, 1, 1, button ? 1 : 2);
        signingControls_ << label << box;
        if (button) {
            signGrid->addWidget(button, row, 2);
            signingControls_ << button;
        }
    };
    certificate_ = boxRefusing(ui::kPathRefused, certificates);
    browseCertificate_ = new QPushButton(QStringLiteral("Browse..."), certificates);
    addRow(1, QStringLiteral("Certificate:"), certificate_, browseCertificate_);
    privateKey_ = boxRefusing(ui::kPathRefused, certificates);
    browseKey_ = new QPushButton(QStringLiteral("Browse..."), certificates);
    addRow(2, QStringLiteral("Private key:"), privateKey_, browseKey_);
    passphrase_ = boxRefusing(ui::kQuoteRefused, certificates);
    addRow(3, QStringLiteral("Passphrase:"), passphrase_, nullptr);
    signGrid->setColumnStretch(1, 1);
    layout->addWidget(certificates);
    layout->addStretch(1);

    connect(projectFolder_, &QRadioButton::clicked, this, [this] { chooseFolderKind(); });
    connect(customFolder_, &QRadioButton::clicked, this, [this] { chooseFolderKind(); });
    connect(sign_, &QCheckBox::toggled, this, [this] { updateEnabled(); });
    connect(browseFolder_, &QPushButton::clicked, this, [this] { browseFolder(); });
    connect(browseCertificate_, &QPushButton::clicked, this, [this] { browseCertificate(); });
    connect(browseKey_, &QPushButton::clicked, this, [this] { browseKey(); });
    projectFolder_->setChecked(true);
    updateEnabled();
}

WideText DeploymentView::packageFolder() const {
    return fromHostPath(document().folder());
}

void DeploymentView::refresh() {
    const Package* package = document().package();
    if (!package) {
        for (QLineEdit* box : {folder_, outputName_, certificate_, privateKey_, passphrase_})
            box->setText(QString());
        for (QCheckBox* box : {compress_, autoIncrement_, sign_})
            box->setChecked(false);
        projectFolder_->setChecked(true);
        updateEnabled();
        return;
    }
    const OutputSettings& output = package->output;
    const bool project = IsPackageOutputFolder(output.outputFolder, packageFolder());
    (project ? projectFolder_ : customFolder_)->setChecked(true);
    // "Project folder" shows the package's folder, where "Custom folder" then starts.
    ui::ShowStoredText(folder_, ui::ToQString(project ? packageFolder() : output.outputFolder));
    ui::ShowStoredText(outputName_, ui::ToQString(output.outputName));
    compress_->setChecked(package->compress);
    autoIncrement_->setChecked(output.autoIncrementVersion);
    const SigningSettings& signing = package->signing;
    sign_->setChecked(signing.signPackage);
    ui::ShowStoredText(certificate_, ui::ToQString(signing.certificate));
    ui::ShowStoredText(privateKey_, ui::ToQString(signing.privateKey));
    ui::ShowStoredText(passphrase_, ui::ToQString(signing.passphrase));
    updateEnabled();
}

void DeploymentView::updateEnabled() {
    const bool custom = customFolder_->isChecked();
    folder_->setEnabled(custom);
    browseFolder_->setEnabled(custom);
    // Unchecked signing keeps the texts; they are only greyed out.
    for (QWidget* control : signingControls_)
        control->setEnabled(sign_->isChecked());
}

void DeploymentView::chooseFolderKind() {
    updateEnabled();
    const bool custom = customFolder_->isChecked();
    const WideText stored =
        StoredOutputFolder(custom, ui::ToWide(folder_->text()), packageFolder());
    document().changePackage(
        PackageChangeKind::BuildSettings,
        [&stored](Package& p) {
            if (p.output.outputFolder == stored)
                return false;
            p.output.outputFolder = stored;
            return true;
        },
        changeOrigin());
    folder_->setModified(false);
}

void DeploymentView::browseFolder() {
    const QString chosen = ui::GetExistingFolder(
        window(), QStringLiteral("Select Custom Output Folder"),
        QStringLiteral("Select a custom folder where the output SIS file shall be built."),
        folder_->text());
    if (!chosen.isEmpty())
        ui::SetChosenText(folder_, chosen);
}

void DeploymentView::browseCertificate() {
    const QString chosen =
        ui::GetOpenFileName(window(), QStringLiteral("Select Certificate"), kCertificateFilter);
    if (!chosen.isEmpty())
        ui::SetChosenText(certificate_, chosen);
}

void DeploymentView::browseKey() {
    const QString chosen = ui::GetOpenFileName(window(), QStringLiteral("Select Key"), kKeyFilter);
    if (!chosen.isEmpty())
        ui::SetChosenText(privateKey_, chosen);
}

void DeploymentView::commitEdits() {
    PackageDocument& document = this->document();
    // A view that missed changes shows stale values; it has nothing typed since it was left.
    if (!document.isOpen() || needsRefresh())
        return;
    const bool custom = customFolder_->isChecked();
    document.changePackage(
        PackageChangeKind::BuildSettings,
        [&](Package& p) {
            bool changed = false;
            OutputSettings& output = p.output;
            if (const std::optional<QString> folder = ui::TypedText(folder_)) {
                WideText stored = StoredOutputFolder(custom, ui::ToWide(*folder), packageFolder());
                changed |= stored != output.outputFolder;
                output.outputFolder = std::move(stored);
            }
            changed |= ui::TakeTypedText(outputName_, output.outputName);
            changed |= takeChecked(autoIncrement_, output.autoIncrementVersion);
            SigningSettings& signing = p.signing;
            changed |= takeChecked(sign_, signing.signPackage);
            changed |= ui::TakeTypedText(certificate_, signing.certificate);
            changed |= ui::TakeTypedText(privateKey_, signing.privateKey);
            changed |= ui::TakeTypedText(passphrase_, signing.passphrase);
            return changed;
        },
        changeOrigin());
    document.changePackage(
        PackageChangeKind::Header,
        [this](Package& p) { return takeChecked(compress_, p.compress); }, changeOrigin());
    for (QLineEdit* box : {folder_, outputName_, certificate_, privateKey_, passphrase_})
        box->setModified(false);
}

void DeploymentView::deactivated() {
    // Typed texts are not lost when another view changes the package meanwhile.
    commitEdits();
}

void DeploymentView::packageChanged(const PackageChange& change) {
    if (isOwnChange(change.origin))
        return;
    if (change.kind == PackageChangeKind::BuildSettings) {
        invalidateAfterBatch();
    } else if (change.kind == PackageChangeKind::Header && !needsRefresh()) {
        // Of the header only compression is shown here; texts being typed stay as they are.
        if (const Package* package = document().package())
            compress_->setChecked(package->compress);
    }
}

ViewPage* CreateDeploymentView(Application& app, ui::CommandRegistry& registry, QWidget* parent) {
    return new DeploymentView(app, registry, parent);
}

} // namespace tb
