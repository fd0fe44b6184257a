#include "ui/help_window.h"

#include "ui/desktop_services.h"
#include "ui/message_box.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace tb::ui {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(ApplicationTitle() + QStringLiteral(" Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(false);
    layout->addWidget(browser_);
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        QUrl target = browser_->source().resolved(link);
        if (target.isLocalFile())
            browser_->setSource(target);
        else
            OpenWithDesktop(target);
    });
    resize(800, 640);
}

void HelpWindow::showFile(const QString& path) {
    QUrl url = QUrl::fromLocalFile(path);
    if (browser_->source().adjusted(QUrl::RemoveFragment) != url)
        browser_->setSource(url);
    if (!placed_) {
        CentreOnOwner(this, parentWidget());
        placed_ = true;
    }
    showNormal();
    raise();
    activateWindow();
}

} // namespace tb::ui
