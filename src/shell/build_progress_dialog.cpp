#include "shell/build_progress_dialog.h"

#include "buildengine/build_output_parser.h"
#include "buildengine/build_step_tracker.h"
#include "document/application.h"
#include "model/install_item.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/path.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace tb {

namespace {

struct StepTexts {
    const char* pending;
    const char* running;
    const char* complete;
};

constexpr std::array<StepTexts, 3> kStepTexts{{
    {"Validation pending", "Validating...", "Validation complete"},
    {"Build pending", "Building...", "Building complete"},
    {"Signing pending", "Signing...", "Signing complete"},
}};

constexpr int kIconSize = 16;

QString Upper(std::u16string_view name) {
    return ui::ToQString(name).toUpper();
}

} // namespace

BuildProgressDialog::BuildProgressDialog(Application& app, QWidget* owner)
    : QDialog(owner), app_(app) {
    const Package* package = app.document.package();
    signing_ = package && package->signing.signPackage;
    setWindowTitle(QStringLiteral("Building Package..."));
    auto* layout = new QVBoxLayout(this);

    const BuildConfiguration& configuration = app.configuration;
    title_ = new QLabel(QStringLiteral("Building package ") +
                            ui::HostPathToQString(app.document.fileName()) +
                            QStringLiteral(", Configuration: ") +
                            Upper(BuildPlatformName(configuration.platform())) +
                            QStringLiteral(", ") + Upper(BuildTargetName(configuration.target())),
                        this);
    layout->addWidget(title_);

    for (Row& row : rows_) {
        auto* line = new QHBoxLayout;
        row.icon = new QLabel(this);
        row.icon->setFixedSize(kIconSize, kIconSize);
        row.text = new QLabel(this);
        line->addSpacing(kIconSize);
        line->addWidget(row.icon);
        line->addWidget(row.text, 1);
        layout->addLayout(line);
    }
    for (size_t i = 0; i < rows_.size(); ++i)
        setStepState(Step(i), StepState::Pending);
    if (!signing_) {
        rows_[size_t(Step::Signing)].icon->hide();
        rows_[size_t(Step::Signing)].text->hide();
    }

    status_ = new QLabel(QStringLiteral("Validating package..."), this);
    // Long source paths must not widen the dialog.
    status_->setMinimumWidth(420);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(status_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, signing_ ? 3 : 2);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    layout->addWidget(progress_);
    layout->addWidget(new QLabel(
        QStringLiteral("You can find a log of this build session in the Output pane"), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancel_, &QPushButton::clicked, this, &BuildProgressDialog::reject);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    setModal(true);
}

BuildProgressDialog::~BuildProgressDialog() {
    listen(false);
}

int BuildProgressDialog::run() {
    listen(true);
    QTimer::singleShot(0, this, [this] { ui::CentreOnOwner(this, parentWidget()); });
    const int result = exec();
    listen(false);
    return result;
}

void BuildProgressDialog::listen(bool on) {
    if (on == listening_)
        return;
    listening_ = on;
    if (on)
        app_.buildController.addListener(this);
    else
        app_.buildController.removeListener(this);
}

QString BuildProgressDialog::titleText() const {
    return title_->text();
}
QString BuildProgressDialog::statusText() const {
    return status_->text();
}
QString BuildProgressDialog::stepText(Step step) const {
    return rows_[size_t(step)].text->text();
}
bool BuildProgressDialog::stepShown(Step step) const {
    return !rows_[size_t(step)].text->isHidden();
}

void BuildProgressDialog::setStepState(Step step, StepState state) {
    Row& row = rows_[size_t(step)];
    row.state = state;
    const StepTexts& texts = kStepTexts[size_t(step)];
    row.text->setText(QString::fromLatin1(state == StepState::Pending   ? texts.pending
                                          : state == StepState::Running ? texts.running
                                                                        : texts.complete));
    QFont font = row.text->font();
    font.setBold(state == StepState::Running);
    row.text->setFont(font);
    if (state == StepState::Pending) {
        row.icon->clear();
    } else {
        const auto icon =
            state == StepState::Running ? QStyle::SP_ArrowRight : QStyle::SP_DialogApplyButton;
        row.icon->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(kIconSize));
    }
}

void BuildProgressDialog::buildStarted() {
    if (running_ < 0 && stepState(Step::Validation) == StepState::Pending) {
        running_ = int(Step::Validation);
        setStepState(Step::Validation, StepState::Running);
    }
}

void BuildProgressDialog::buildStage(int32_t /*stage*/) {
    if (running_ < 0)
        return;
    setStepState(Step(running_), StepState::Complete);
    progress_->setValue(running_ + 1);
    const int next = running_ + 1;
    running_ = next < (signing_ ? 3 : 2) ? next : -1;
    if (running_ < 0)
        return;
    setStepState(Step(running_), StepState::Running);
    // Only a signed build has a signing step to announce.
    if (Step(running_) == Step::Signing)
        status_->setText(QStringLiteral("Signing package..."));
}

void BuildProgressDialog::itemProcessed(const InstallItem* item) {
    if (!item)
        return;
    if (QString text = itemText(*item); !text.isEmpty())
        status_->setText(text);
}

QString BuildProgressDialog::itemText(const InstallItem& item) const {
    auto adding = [this](const WideText& stored) {
        const WideText path = ExpandBuildPath(stored, PackageBaseFolder(app_.document.filePath()),
                                              app_.configuration);
        return QStringLiteral("Adding ") + ui::ToQString(path) + QStringLiteral("...");
    };
    switch (item.kind) {
    case InstallItemKind::File:
        return adding(static_cast<const InstallFileItem&>(item).source);
    case InstallItemKind::IncludePackage:
        return adding(static_cast<const IncludePackageItem&>(item).path);
    case InstallItemKind::ShowDialog:
        return adding(static_cast<const ShowDialogItem&>(item).source);
    case InstallItemKind::LanguageFile:
        return QStringLiteral("Adding language file ") +
               ui::ToQString(static_cast<const InstallLanguageFileItem&>(item).target);
    case InstallItemKind::IncludeLanguagePackage:
        return QStringLiteral("Adding language package file '") +
               QString::number(static_cast<const IncludeLanguagePackageItem&>(item).uid, 16) +
               QStringLiteral("'...");
    case InstallItemKind::ShowLanguageDialog:
        return QStringLiteral("Adding dialog '") +
               ui::ToQString(static_cast<const ShowLanguageDialogItem&>(item).name) +
               QStringLiteral("'...");
    default:
        return {};
    }
}

void BuildProgressDialog::buildSucceeded() {
    finish(kSucceeded);
}
void BuildProgressDialog::buildFailed() {
    finish(kFailed);
}

void BuildProgressDialog::reject() {
    if (finished_)
        return;
    // Blocks until the build has stopped, so nothing of it outlives the dialog.
    app_.buildController.cancelBuild();
    finish(kCancelled);
}

void BuildProgressDialog::finish(int result) {
    if (finished_)
        return;
    finished_ = true;
    done(result);
}

} // namespace tb
