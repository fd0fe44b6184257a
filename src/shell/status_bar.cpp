#include "shell/status_bar.h"

#include "document/application.h"
#include "model/tables.h"
#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QStyle>

namespace tb {

namespace {
const QString kReady = QStringLiteral("Ready");
}

StatusBar::StatusBar(Application& app, QWidget* parent) : QStatusBar(parent), app_(app) {
    setSizeGripEnabled(true);
    message_ = new QLabel(kReady, this);
    message_->setObjectName(QStringLiteral("messagePane"));
    addWidget(message_, 1);

    languagePane_ = new QWidget(this);
    languagePane_->setFixedWidth(kLanguagePaneWidth);
    languagePane_->setToolTip(QStringLiteral("Current language"));
    auto* layout = new QHBoxLayout(languagePane_);
    layout->setContentsMargins(2, 0, 2, 0);
    languageIcon_ = new QLabel(languagePane_);
    int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    QIcon icon = QIcon::fromTheme(QStringLiteral("preferences-desktop-locale"),
                                  style()->standardIcon(QStyle::SP_FileDialogInfoView));
    languageIcon_->setPixmap(icon.pixmap(iconSize, iconSize));
    language_ = new QLabel(languagePane_);
    language_->setObjectName(QStringLiteral("languagePane"));
    layout->addWidget(languageIcon_);
    layout->addWidget(language_, 1);
    addPermanentWidget(languagePane_);

    restoreTimer_.setSingleShot(true);
    restoreTimer_.setInterval(kMessageDurationMs);
    connect(&restoreTimer_, &QTimer::timeout, this, [this] { message_->setText(kReady); });

    app_.document.addListener(this);
    app_.buildController.addListener(this);
    refreshLanguage();
}

StatusBar::~StatusBar() {
    app_.buildController.removeListener(this);
    app_.document.removeListener(this);
}

void StatusBar::showEventText(const QString& text) {
    message_->setText(text);
    restoreTimer_.start();
}

void StatusBar::showLastingText(const QString& text) {
    restoreTimer_.stop();
    message_->setText(text);
}

QString StatusBar::messageText() const {
    return message_->text();
}

QString StatusBar::languageText() const {
    return language_->text();
}

void StatusBar::refreshLanguage() {
    const Package* package = app_.document.package();
    size_t current = app_.document.currentLanguage();
    QString name;
    if (package && current < package->languages.size())
        if (auto text = LanguageName(package->languages[current]))
            name = ui::ToQString(*text);
    language_->setText(name);
    languageIcon_->setVisible(package != nullptr);
}

void StatusBar::documentCreated() {
    showEventText(QStringLiteral("Package created at '%1'")
                      .arg(ui::HostPathToQString(app_.document.filePath())));
    refreshLanguage();
}

void StatusBar::documentOpened() {
    showEventText(QStringLiteral("Package was successfully opened"));
    refreshLanguage();
}

void StatusBar::documentSaved() {
    showEventText(QStringLiteral("Package saved to '%1'")
                      .arg(ui::HostPathToQString(app_.document.filePath())));
}

void StatusBar::documentClosed() {
    refreshLanguage();
}

void StatusBar::currentLanguageChanged(size_t) {
    refreshLanguage();
}

void StatusBar::buildStarted() {
    showLastingText(QStringLiteral("Build started..."));
}

void StatusBar::buildSucceeded() {
    showEventText(QStringLiteral("Build succeeded"));
}

void StatusBar::buildFailed() {
    showEventText(QStringLiteral("Build failed"));
}

void StatusBar::buildCancelled() {
    showEventText(QStringLiteral("Build cancelled"));
}

} // namespace tb
