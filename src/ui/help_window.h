#pragma once

#include <QWidget>

class QTextBrowser;

namespace tb::ui {

// The program's own viewer for the user guide, for desktops that have none for HTML files.
// One window, kept hidden between uses; the guide's own links stay in it, others go to the
// desktop.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);

    // Shows the file (loaded again when it is another one) and brings the window to the front.
    void showFile(const QString& path);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    bool placed_ = false;
};

} // namespace tb::ui
