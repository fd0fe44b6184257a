#pragma once

#include "buildengine/build_configuration.h"
#include "document/document_listener.h"
#include "ui/command_registry.h"

#include <QMainWindow>

#include <string>
#include <vector>

class QActionGroup;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace tb {

namespace ui {
class HelpWindow;
}

class Application;
class ConfigurationLists;
class StatusBar;
class ViewBar;
class ViewPage;

enum class MainWindowMode {
    Welcome = 1, // the Welcome page fills the window
    Editing = 2, // view bar, active view and output pane
    Empty = 3,   // view bar and an empty view area, no package
};

// The application's frame: menus, tool bar, view bar, the eight views above the output pane,
// and the status bar. Turns every command into a call on the document, the build or the
// settings.
class MainWindow : public QMainWindow,
                   public ui::CommandHandler,
                   public DocumentListener,
                   public BuildConfigurationListener {
    Q_OBJECT
public:
    // Placed as the settings say; not shown yet.
    MainWindow(Application& app, ui::CommandRegistry& commands, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowMode mode() const { return mode_; }
    void setMode(MainWindowMode mode);

    // The Open operation with its messages: true when the package is open. On failure the
    // window stays in or switches to the empty mode.
    bool openPackage(const std::string& path, bool addToRecent = true);

    void switchToView(int index);
    int activeView() const { return activeView_; }
    ViewPage* view(int index) const { return views_.at(size_t(index)); }
    QWidget* welcomePage() const { return welcomePage_; }
    QWidget* outputPane() const { return outputPane_; }
    StatusBar* statusPane() const { return statusBar_; }
    ConfigurationLists* configurationLists() const { return configurationLists_; }
    // The program's own help window, once F1 found no viewer on the desktop.
    ui::HelpWindow* helpWindow() const { return helpWindow_; }

    void showOutputPane();
    // Puts the divider between view area and output pane at the stored position.
    void applyDividerPosition();
    // Stores the restored rectangle, the maximised state, the bars' visibility and the
    // divider into the settings.
    void storePlacement();

    bool handleCommand(int id) override;

    void documentCreated() override;
    void documentOpened() override;
    void documentClosed() override;

    void sdkChanged(const SdkInfo& sdk) override;
    void platformChanged(BuildPlatform platform) override;
    void targetChanged(BuildTarget target) override;

signals:
    // The close request was granted; the program ends.
    void closeGranted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // main_window_menus.cpp
    void createActions();
    void buildMenus();
    void buildToolBar();
    void rebuildRecentMenu();
    void rebuildSdkMenu();
    void syncConfigurationChecks();

    // main_window_commands.cpp
    void newPackage();
    void openWithDialog();
    void openRecent(int index);
    void closePackage();
    void savePackage();
    void toggleBar(int id);
    void openOutputFolder();
    void openHelp();
    void showAbout();

    void packageLoaded();
    void updateTitle();
    void updateCommandStates();
    void updateOutputPaneVisibility();
    void destroyWelcomePage();
    int currentDivider() const;
    void noteNormalPlacement();

    Application& app_;
    ui::CommandRegistry& commands_;
    MainWindowMode mode_ = MainWindowMode::Empty;

    QStackedWidget* client_ = nullptr;
    QWidget* editingArea_ = nullptr;
    ViewBar* viewBar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QStackedWidget* viewArea_ = nullptr;
    QWidget* emptyView_ = nullptr;
    QWidget* outputPane_ = nullptr;
    QWidget* welcomePage_ = nullptr;
    ui::HelpWindow* helpWindow_ = nullptr;
    std::vector<ViewPage*> views_;
    int activeView_ = -1;

    QToolBar* toolBar_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    ConfigurationLists* configurationLists_ = nullptr;
    QMenu* exportMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* sdkMenu_ = nullptr;
    QMenu* platformMenu_ = nullptr;
    QMenu* targetMenu_ = nullptr;
    QActionGroup* viewGroup_ = nullptr;
    QActionGroup* sdkGroup_ = nullptr;

    // The frame's position and the client's size while neither maximised, minimised nor full
    // screen: what move() and resize() take back at the next start.
    QRect normalPlacement_;
    bool outputPaneVisible_;
    int dividerPosition_;
    bool dividerApplied_ = false;
    bool placementStored_ = false;
};

} // namespace tb
