#include "shell/output_pane.h"

#include "document/application.h"
#include "ui/command_registry.h"
#include "ui/qt_text.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTextCursor>
#include <QTime>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace tb {

namespace {

// The field hands its context menu requests, from the mouse or the menu key (placed at the
// caret), to the pane.
class LogField : public QPlainTextEdit {
public:
    LogField(std::function<void(const QPoint&)> onMenu, QWidget* parent)
        : QPlainTextEdit(parent), onMenu_(std::move(onMenu)) {}

protected:
    void contextMenuEvent(QContextMenuEvent* event) override { onMenu_(event->globalPos()); }

private:
    std::function<void(const QPoint&)> onMenu_;
};

QString ToDisplay(std::u16string_view text) {
    return ui::ToQString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

OutputPane::OutputPane(Application& app, ui::CommandRegistry& commands, QWidget* parent)
    : QWidget(parent), app_(app), commands_(commands) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(4, 2, 2, 2);
    header->addWidget(new QLabel(QStringLiteral("Output"), this), 1);
    auto* close = new QToolButton(this);
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    close->setToolTip(QStringLiteral("Close"));
    connect(close, &QToolButton::clicked, this,
            [this] { commands_.execute(ui::cmd::kOutputPane); });
    header->addWidget(close);
    layout->addLayout(header);

    field_ = new LogField(
        [this](const QPoint& at) {
            std::unique_ptr<QMenu> menu = createContextMenu();
            menu->exec(at);
        },
        this);
    field_->setReadOnly(true);
    // Keyboard selection gives a caret, where the menu key opens the menu, and Ctrl+A.
    field_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field_->setLineWrapMode(QPlainTextEdit::NoWrap);
    field_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(field_, 1);

    app_.document.addListener(this);
    app_.buildController.addListener(this);
    copyLog();
}

OutputPane::~OutputPane() {
    app_.buildController.removeListener(this);
    app_.document.removeListener(this);
}

QString OutputPane::text() const {
    return field_->toPlainText();
}

void OutputPane::appendLine(const QString& line) {
    QString text;
    if (!line.isEmpty()) {
        const QTime now = QTime::currentTime();
        text = QString::asprintf("%02d:%02d:%02d ", now.hour(), now.minute(), now.second()) + line;
    }
    appendText(text + u'\n');
    scrollToEnd();
}

std::unique_ptr<QMenu> OutputPane::createContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const bool hasText = !field_->document()->isEmpty();
    QAction* copy = menu->addAction(QStringLiteral("Copy"), field_, &QPlainTextEdit::copy);
    copy->setEnabled(hasText);
    menu->addSeparator();
    QAction* clearAction = menu->addAction(QStringLiteral("Clear"), this, &OutputPane::clear);
    clearAction->setEnabled(hasText);
    return menu;
}

void OutputPane::clear() {
    clearField();
    app_.buildController.log().clear();
}

void OutputPane::documentClosed() {
    clearField();
}

void OutputPane::buildStarted() {
    clearField();
}
void OutputPane::buildSucceeded() {
    copyLog();
}
void OutputPane::buildFailed() {
    copyLog();
}
void OutputPane::outputChanged() {
    copyLog();
}

void OutputPane::buildCancelled() {
    appendText(QStringLiteral("\nThe build was cancelled by the user"));
    scrollToEnd();
}

void OutputPane::copyLog() {
    BuildOutputLog& log = app_.buildController.log();
    if (log.size() < copied_) {
        // Emptied since the last copy (Clear, a new build): the field starts again.
        const WideText all = log.read();
        field_->clear();
        copied_ = all.size();
        appendText(ToDisplay(all));
    } else {
        // The log only grows while a build runs: copy what is new, not the whole log again.
        const WideText added = log.readFrom(copied_);
        copied_ += added.size();
        appendText(ToDisplay(added));
    }
    scrollToEnd();
}

void OutputPane::clearField() {
    field_->clear();
    copied_ = 0;
}

void OutputPane::appendText(const QString& text) {
    if (text.isEmpty())
        return;
    // A cursor of its own, so that the user's selection stays while output arrives.
    QTextCursor cursor(field_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

void OutputPane::scrollToEnd() {
    QScrollBar* bar = field_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

} // namespace tb
