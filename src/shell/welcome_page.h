#pragma once

#include <QWidget>

class QTreeWidget;

namespace tb {

class Application;

namespace ui {
class CommandRegistry;
class DontShowAgainBox;
class LinkButton;
} // namespace ui

// The page shown at start-up: a picture, links to the New and Open commands, the recent
// packages and "Don't show this again". Commands are posted, never run from the click: the
// command may destroy the page.
class WelcomePage : public QWidget {
    Q_OBJECT
public:
    WelcomePage(Application& app, ui::CommandRegistry& commands, QWidget* parent);

    // Refills the recent packages from the application's list (also done when shown).
    void refreshRecentFiles();

    ui::LinkButton* newPackageLink() const { return newLink_; }
    ui::LinkButton* openPackageLink() const { return openLink_; }
    QTreeWidget* recentList() const { return recent_; }
    ui::DontShowAgainBox* dontShowAgainBox() const { return dontShow_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    Application& app_;
    ui::CommandRegistry& commands_;
    ui::LinkButton* newLink_;
    ui::LinkButton* openLink_;
    QTreeWidget* recent_;
    ui::DontShowAgainBox* dontShow_;
};

} // namespace tb
