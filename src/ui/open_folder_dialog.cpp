#include "ui/open_folder_dialog.h"

#include "ui/dialog_buttons.h"

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
    case MessageIcon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageIcon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case MessageIcon::Error:
        break;
    }
    return QStyle::SP_MessageBoxCritical;
}

} // namespace

QWidget* CreateIconTextRow(QWidget* parent, MessageIcon icon, const QString& text,
                           QLabel** textLabel) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* iconLabel = new QLabel(row);
    QStyle* style = row->style();
    const int size = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, row);
    iconLabel->setPixmap(style->standardIcon(PixmapOf(icon), nullptr, row).pixmap(size));
    iconLabel->setAlignment(Qt::AlignTop);
    auto* label = new QLabel(text, row);
    label->setWordWrap(true);
    label->setMinimumWidth(360);
    // Paths are worth copying.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(iconLabel);
    layout->addWidget(label, 1);
    if (textLabel)
        *textLabel = label;
    return row;
}

OpenFolderDialog::OpenFolderDialog(QWidget* owner, const QString& title, const QString& text)
    : QDialog(owner) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateIconTextRow(this, MessageIcon::Information, text, &text_));
    content_ = new QVBoxLayout;
    layout->addLayout(content_);
    DialogButtons buttons =
        AddDialogButtons(*this, *layout, QStringLiteral("&Open Folder"), QStringLiteral("&Close"),
                         [this] { done(kOpenFolder); });
    openFolder_ = buttons.accept;
    close_ = buttons.cancel;
}

int OpenFolderDialog::run() {
    QTimer::singleShot(0, this, [this] { CentreOnOwner(this, parentWidget()); });
    return exec() == kOpenFolder ? kOpenFolder : kClose;
}

} // namespace tb::ui
