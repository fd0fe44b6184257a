#include "shell/main_window.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "shell/configuration_lists.h"
#include "shell/message_box_prompt.h"
#include "shell/output_pane.h"
#include "shell/package_languages_dialog.h"
#include "shell/status_bar.h"
#include "shell/view_bar.h"
#include "shell/welcome_page.h"
#include "ui/qt_text.h"
#include "views/localization/localization_view.h"
#include "views/view_page.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>

namespace tb {

namespace {
constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;
} // namespace

MainWindow::MainWindow(Application& app, ui::CommandRegistry& commands, QWidget* parent)
    : QMainWindow(parent), app_(app), commands_(commands),
      outputPaneVisible_(app.settings.outputPaneVisible),
      dividerPosition_(app.settings.dividerPosition) {
    setObjectName(QStringLiteral("mainWindow"));
    createActions();
    buildMenus();
    buildToolBar();
    statusBar_ = new StatusBar(app_, this);
    setStatusBar(statusBar_);

    client_ = new QStackedWidget(this);
    editingArea_ = new QWidget(client_);
    auto* layout = new QHBoxLayout(editingArea_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    viewBar_ = new ViewBar(commands_, editingArea_);
    splitter_ = new QSplitter(Qt::Vertical, editingArea_);
    splitter_->setChildrenCollapsible(false);
    viewArea_ = new QStackedWidget(splitter_);
    views_ = CreateViewPages(app_, commands_, viewArea_);
    SetLanguagesEditor(
        views_, [this](QWidget* owner, std::vector<uint32_t>& languages, size_t& current) {
            return RunPackageLanguagesDialog(owner, languages, current,
                                             app_.settings.showLanguageChangesConfirmation,
                                             app_.settings);
        });
    for (ViewPage* view : views_)
        viewArea_->addWidget(view);
    emptyView_ = new QWidget(viewArea_);
    viewArea_->addWidget(emptyView_);
    viewArea_->setCurrentWidget(emptyView_);
    outputPane_ = new OutputPane(app_, commands_, splitter_);
    splitter_->addWidget(viewArea_);
    splitter_->addWidget(outputPane_);
    // The divider keeps its distance from the top when the window is resized.
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    layout->addWidget(viewBar_);
    layout->addWidget(splitter_, 1);
    client_->addWidget(editingArea_);
    setCentralWidget(client_);

    const AppSettings& settings = app_.settings;
    toolBar_->setVisible(settings.toolBarVisible);
    statusBar_->setVisible(settings.statusBarVisible);
    commands_.action(ui::cmd::kToolBar)->setChecked(settings.toolBarVisible);
    commands_.action(ui::cmd::kStatusBar)->setChecked(settings.statusBarVisible);
    QRect placement(settings.windowX, settings.windowY, settings.windowWidth,
                    settings.windowHeight);
    if (placement.width() <= 0 || placement.height() <= 0)
        placement.setSize(QSize(kDefaultWidth, kDefaultHeight));
    // The stored position is the frame's, so the title bar stays on screen at 0,0.
    normalPlacement_ = placement;
    move(placement.topLeft());
    resize(placement.size());

    // After the views, so that they have refreshed when the window switches to one of them.
    commands_.addHandler(this);
    app_.document.addListener(this);
    app_.configuration.addListener(this);
    updateTitle();
    setMode(MainWindowMode::Empty);
}

MainWindow::~MainWindow() {
    if (!placementStored_)
        storePlacement();
    app_.configuration.removeListener(this);
    app_.document.removeListener(this);
    commands_.removeHandler(this);
}

void MainWindow::setMode(MainWindowMode mode) {
    MainWindowMode old = mode_;
    mode_ = mode;
    if (mode == MainWindowMode::Welcome) {
        if (!welcomePage_) {
            welcomePage_ = new WelcomePage(app_, commands_, client_);
            client_->addWidget(welcomePage_);
        }
        client_->setCurrentWidget(welcomePage_);
    } else {
        destroyWelcomePage();
        client_->setCurrentWidget(editingArea_);
    }
    if (mode == MainWindowMode::Editing && old != MainWindowMode::Editing) {
        switchToView(0);
    } else if (mode != MainWindowMode::Editing) {
        if (activeView_ >= 0)
            views_[size_t(activeView_)]->deactivate();
        activeView_ = -1;
        viewArea_->setCurrentWidget(emptyView_);
        for (QAction* action : viewGroup_->actions())
            action->setChecked(false);
    }
    updateOutputPaneVisibility();
    updateCommandStates();
    if (!dividerApplied_)
        applyDividerPosition();
}

void MainWindow::destroyWelcomePage() {
    if (!welcomePage_)
        return;
    // The page may be the one running the command that got us here.
    client_->removeWidget(welcomePage_);
    welcomePage_->hide();
    welcomePage_->deleteLater();
    welcomePage_ = nullptr;
}

void MainWindow::switchToView(int index) {
    if (mode_ != MainWindowMode::Editing || index < 0 || index >= kViewCount)
        return;
    if (index != activeView_) {
        if (activeView_ >= 0)
            views_[size_t(activeView_)]->deactivate();
        activeView_ = index;
        ViewPage* view = views_[size_t(index)];
        viewArea_->setCurrentWidget(view);
        view->setFocus();
        view->activate(); // refreshes it and hands it its commands
    }
    commands_.action(ui::cmd::kFirstView + index)->setChecked(true);
}

void MainWindow::updateTitle() {
    QString title = ui::ToQString(Application::kTitle);
    QString version = ui::ToQString(Application::kVersion);
    if (app_.document.isOpen())
        setWindowTitle(QStringLiteral("%1 - %2 %3")
                           .arg(ui::HostPathToQString(app_.document.fileName()), title, version));
    else
        setWindowTitle(title + u' ' + version);
}

void MainWindow::updateCommandStates() {
    using namespace ui::cmd;
    bool open = app_.document.isOpen();
    bool buildable = open && app_.configuration.sdkCount() > 0;
    for (int id : {kClose, kSave, kOpenOutputFolder})
        commands_.setEnabled(id, open);
    for (int i = 0; i < kViewCount; ++i)
        commands_.setEnabled(kFirstView + i, open);
    for (int id : {kBuild, kExport})
        commands_.setEnabled(id, buildable);
    for (int i = 0; i < kMaxSdks; ++i)
        commands_.setEnabled(kFirstSdk + i, buildable);
    for (int i = 0; i < kBuildPlatformCount; ++i)
        commands_.setEnabled(kFirstPlatform + i, buildable);
    for (int i = 0; i < kBuildTargetCount; ++i)
        commands_.setEnabled(kFirstTarget + i, buildable);
    for (QMenu* menu : {exportMenu_, sdkMenu_, platformMenu_, targetMenu_})
        menu->menuAction()->setEnabled(buildable);
    configurationLists_->setAvailable(buildable);
    commands_.setEnabled(kOutputPane, mode_ != MainWindowMode::Welcome);
    recentMenu_->menuAction()->setEnabled(!app_.recentFiles.empty());
}

void MainWindow::updateOutputPaneVisibility() {
    commands_.action(ui::cmd::kOutputPane)->setChecked(outputPaneVisible_);
    if (outputPaneVisible_ == !outputPane_->isHidden())
        return;
    if (!outputPaneVisible_)
        dividerPosition_ = currentDivider();
    outputPane_->setVisible(outputPaneVisible_);
    if (outputPaneVisible_)
        applyDividerPosition();
}

void MainWindow::showOutputPane() {
    if (outputPaneVisible_ || mode_ == MainWindowMode::Welcome)
        return;
    outputPaneVisible_ = true;
    updateOutputPaneVisibility();
}

int MainWindow::currentDivider() const {
    if (dividerApplied_ && !outputPane_->isHidden())
        return splitter_->sizes().value(0, dividerPosition_);
    return dividerPosition_;
}

void MainWindow::applyDividerPosition() {
    // Only a splitter on screen has its real height.
    if (!splitter_->isVisible() || outputPane_->isHidden())
        return;
    int total = splitter_->height() - splitter_->handleWidth();
    if (total <= 0)
        return;
    splitter_->setSizes({dividerPosition_, std::max(total - dividerPosition_, 0)});
    dividerApplied_ = true;
}

void MainWindow::storePlacement() {
    AppSettings& settings = app_.settings;
    noteNormalPlacement();
    settings.windowX = normalPlacement_.x();
    settings.windowY = normalPlacement_.y();
    settings.windowWidth = std::abs(normalPlacement_.width());
    settings.windowHeight = std::abs(normalPlacement_.height());
    settings.windowMaximized = isMaximized();
    settings.toolBarVisible = !toolBar_->isHidden();
    settings.statusBarVisible = !statusBar_->isHidden();
    settings.outputPaneVisible = outputPaneVisible_;
    settings.dividerPosition = currentDivider();
    placementStored_ = true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    MessageBoxPrompt prompt(this);
    if (!app_.document.closeWithQuestion(prompt)) {
        event->ignore();
        return;
    }
    storePlacement();
    event->accept();
    emit closeGranted();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    placementStored_ = false;
    if (!dividerApplied_) {
        applyDividerPosition();
        // The layout may give the splitter its height only after this event.
        QTimer::singleShot(0, this, [this] {
            if (!dividerApplied_)
                applyDividerPosition();
        });
    }
}

void MainWindow::noteNormalPlacement() {
    // Qt's normal geometry is the client's; mixing it with the frame's position made a
    // maximised window come back lower each run.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        normalPlacement_ = QRect(pos(), size());
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    noteNormalPlacement();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    noteNormalPlacement();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        noteNormalPlacement();
}

void MainWindow::packageLoaded() {
    updateTitle();
    rebuildRecentMenu();
    setMode(MainWindowMode::Editing);
}

void MainWindow::documentCreated() {
    packageLoaded();
}

void MainWindow::documentOpened() {
    packageLoaded();
}

void MainWindow::documentClosed() {
    updateTitle();
    setMode(MainWindowMode::Empty);
}

void MainWindow::sdkChanged(const SdkInfo&) {
    syncConfigurationChecks();
}

void MainWindow::platformChanged(BuildPlatform) {
    syncConfigurationChecks();
}

void MainWindow::targetChanged(BuildTarget) {
    syncConfigurationChecks();
}

} // namespace tb
