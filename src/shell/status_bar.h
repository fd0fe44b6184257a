#pragma once

#include "buildengine/build_events.h"
#include "document/document_listener.h"

#include <QStatusBar>
#include <QTimer>

class QLabel;

namespace tb {

class Application;

// The main window's status bar: a message pane that shows what just happened and returns to
// "Ready", and a pane with the package's current language.
class StatusBar : public QStatusBar, public DocumentListener, public BuildListener {
    Q_OBJECT
public:
    static constexpr int kMessageDurationMs = 3000;
    static constexpr int kLanguagePaneWidth = 200;

    StatusBar(Application& app, QWidget* parent);
    ~StatusBar() override;

    // Shows text until the message duration has passed; a new text starts it again.
    void showEventText(const QString& text);
    // Shows text until the next one.
    void showLastingText(const QString& text);

    QString messageText() const;
    QString languageText() const;
    void setMessageDuration(int milliseconds) { restoreTimer_.setInterval(milliseconds); }

    void documentCreated() override;
    void documentOpened() override;
    void documentSaved() override;
    void documentClosed() override;
    void currentLanguageChanged(size_t languageIndex) override;

    void buildStarted() override;
    void buildSucceeded() override;
    void buildFailed() override;
    void buildCancelled() override;

private:
    void refreshLanguage();

    Application& app_;
    QLabel* message_;
    QWidget* languagePane_;
    QLabel* languageIcon_;
    QLabel* language_;
    QTimer restoreTimer_;
};

} // namespace tb
