#include "shell/welcome_page.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "ui/command_registry.h"
#include "ui/dont_show_again.h"
#include "ui/link_button.h"
#include "ui/qt_text.h"
#include "util/date_time.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tb {

namespace {

// A timber bridge over water under the program's name.
QPixmap WelcomePicture() {
    QPixmap pixmap(520, 120);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 120);
    sky.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    sky.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
    painter.fillRect(pixmap.rect(), sky);
    painter.fillRect(QRect(0, 96, 520, 24), QColor(0x2a, 0x5d, 0x8f));

    painter.setPen(QPen(QColor(0x8b, 0x5a, 0x2b), 5));
    QPainterPath arch;
    arch.moveTo(300, 96);
    arch.quadTo(400, 30, 500, 96);
    painter.drawPath(arch);
    painter.drawLine(292, 62, 508, 62);
    painter.setPen(QPen(QColor(0x8b, 0x5a, 0x2b), 3));
    for (int x = 320; x <= 480; x += 32)
        painter.drawLine(x, 62, x, 96 - (x > 360 && x < 440 ? 30 : 12));

    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPointSize(20);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(20, 20, 280, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     ui::ToQString(Application::kTitle).section(QLatin1Char(' '), -1));
    title.setPointSize(10);
    title.setBold(false);
    painter.setFont(title);
    painter.drawText(QRect(20, 58, 280, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Symbian installation packages"));
    return pixmap;
}

} // namespace

WelcomePage::WelcomePage(Application& app, ui::CommandRegistry& commands, QWidget* parent)
    : QWidget(parent), app_(app), commands_(commands) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    setPalette(white);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    auto* picture = new QLabel(this);
    picture->setPixmap(WelcomePicture());
    layout->addWidget(picture);

    newLink_ = new ui::LinkButton(style()->standardIcon(QStyle::SP_FileIcon),
                                  QStringLiteral("New Package"), this);
    openLink_ = new ui::LinkButton(style()->standardIcon(QStyle::SP_DirOpenIcon),
                                   QStringLiteral("Open Package"), this);
    layout->addSpacing(12);
    layout->addWidget(newLink_, 0, Qt::AlignLeft);
    layout->addWidget(openLink_, 0, Qt::AlignLeft);
    connect(newLink_, &QPushButton::clicked, this, [this] { commands_.post(ui::cmd::kNew); });
    connect(openLink_, &QPushButton::clicked, this, [this] { commands_.post(ui::cmd::kOpen); });

    layout->addSpacing(12);
    auto* recentTitle = new QLabel(QStringLiteral("Recent packages"), this);
    QFont bold = recentTitle->font();
    bold.setBold(true);
    recentTitle->setFont(bold);
    layout->addWidget(recentTitle);
    recent_ = new QTreeWidget(this);
    recent_->setColumnCount(2);
    recent_->setHeaderHidden(true);
    recent_->setRootIsDecorated(false);
    recent_->setFrameShape(QFrame::NoFrame);
    recent_->setTextElideMode(Qt::ElideRight);
    recent_->setMouseTracking(true);
    recent_->viewport()->setCursor(Qt::PointingHandCursor);
    recent_->header()->setStretchLastSection(false);
    recent_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    recent_->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    recent_->header()->resizeSection(
        1, recent_->fontMetrics().horizontalAdvance(QStringLiteral("yyyy-mm-dd----")));
    recent_->setMaximumHeight(recent_->fontMetrics().lineSpacing() * 8);
    layout->addWidget(recent_);
    connect(recent_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        commands_.post(ui::cmd::kFirstRecent + recent_->indexOfTopLevelItem(item));
    });

    layout->addStretch(1);
    dontShow_ = new ui::DontShowAgainBox(app.settings.startupAction == 0, [this](bool checked) {
        app_.settings.startupAction = checked ? 0 : 1;
    }, this);
    layout->addWidget(dontShow_, 0, Qt::AlignLeft);
    refreshRecentFiles();
}

void WelcomePage::refreshRecentFiles() {
    recent_->clear();
    for (const RecentFileEntry& entry : app_.recentFiles.entries()) {
        auto* item = new QTreeWidgetItem(recent_);
        item->setText(0, ui::ToQString(entry.path));
        item->setToolTip(0, item->text(0));
        item->setText(1, ui::ToQString(FormatShortDate(DateTime::fromStamp(entry.lastOpened))));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void WelcomePage::showEvent(QShowEvent* event) {
    refreshRecentFiles();
    QWidget::showEvent(event);
}

} // namespace tb
