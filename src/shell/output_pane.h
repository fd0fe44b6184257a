#pragma once

#include "buildengine/build_events.h"
#include "document/document_listener.h"

#include <QWidget>

#include <memory>

class QMenu;
class QPlainTextEdit;

namespace tb {

class Application;
namespace ui {
class CommandRegistry;
}

// The "Output" panel: the build log in a read-only fixed-pitch field, kept up to date from the
// build events, plus lines of the program's own. Its close button runs the "&Output pane"
// command.
class OutputPane : public QWidget, public DocumentListener, public BuildListener {
    Q_OBJECT
public:
    OutputPane(Application& app, ui::CommandRegistry& commands, QWidget* parent = nullptr);
    ~OutputPane() override;

    // A line that is not from the build log, stamped with the local time unless it is empty.
    void appendLine(const QString& line);
    // The field's text, lines ended by '\n'.
    QString text() const;
    QPlainTextEdit* field() const { return field_; }

    // "Copy" and "Clear", greyed when the field is empty; the caller shows it.
    std::unique_ptr<QMenu> createContextMenu();
    // Empties the field and the build log.
    void clear();

    void documentClosed() override;

    void buildStarted() override;
    void buildSucceeded() override;
    void buildFailed() override;
    void buildCancelled() override;
    void outputChanged() override;

private:
    void copyLog();
    void clearField();
    void appendText(const QString& text);
    void scrollToEnd();

    Application& app_;
    ui::CommandRegistry& commands_;
    QPlainTextEdit* field_ = nullptr;
    // How much of the log the field holds; the log is only read from here on.
    size_t copied_ = 0;
};

} // namespace tb
