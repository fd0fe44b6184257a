#include "ui/confirmation_dialog.h"

#include "ui/dialog_buttons.h"
#include "ui/dont_show_again.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace tb::ui {

namespace {

QStyle::StandardPixmap PixmapOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning: return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Information: return QStyle::SP_MessageBoxInformation;
    case MessageIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MessageIcon::Error: break;
    }
    return QStyle::SP_MessageBoxCritical;
}

} // namespace

ConfirmationDialog::ConfirmationDialog(QWidget* owner, const QString& text, MessageIcon icon,
                                       std::function<void(bool)> onDontShowAgain)
    : QDialog(owner) {
    setWindowTitle(ApplicationTitle());
    auto* layout = new QVBoxLayout(this);
    auto* message = new QHBoxLayout;
    auto* iconLabel = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    iconLabel->setPixmap(style()->standardIcon(PixmapOf(icon), nullptr, this).pixmap(size));
    iconLabel->setAlignment(Qt::AlignTop);
    auto* textLabel = new QLabel(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                                 this);
    textLabel->setWordWrap(true);
    textLabel->setMinimumWidth(360);
    message->addWidget(iconLabel);
    message->addWidget(textLabel, 1);
    layout->addLayout(message);
    dontShow_ = new DontShowAgainBox(false, std::move(onDontShowAgain), this);
    layout->addWidget(dontShow_);
    DialogButtons buttons =
        AddDialogButtons(*this, *layout, QStringLiteral("&Yes"), QStringLiteral("&No"),
                         [this] { accept(); });
    yes_ = buttons.accept;
    no_ = buttons.cancel;
}

MessageAnswer ConfirmationDialog::ask() {
    QTimer::singleShot(0, this, [this] { CentreOnOwner(this, parentWidget()); });
    return exec() == QDialog::Accepted ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace tb::ui
