// Menu bar and tool bar of the main window, built from the registry's one action per command.
#include "shell/main_window.h"

#include "document/application.h"
#include "shell/configuration_lists.h"
#include "ui/disabled_look.h"
#include "ui/qt_text.h"
#include "views/view_page.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QIcon>
#include <QMenuBar>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace tb {

namespace {

// The style's icons come in different sizes; the view bar shows them all at one size.
QIcon viewBarIcon(const QIcon& icon) {
    constexpr int kSize = 32;
    return QIcon(
        icon.pixmap(kSize).scaled(kSize, kSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

struct ActionText {
    int id;
    const char* text;    // menu text with its access key
    const char* toolTip; // tool bar name; null for the menu text
    QKeySequence shortcut;
};

QIcon themeIcon(const QWidget* widget, const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), widget->style()->standardIcon(fallback));
}

} // namespace

void MainWindow::createActions() {
    using namespace ui::cmd;
    const ActionText texts[] = {
        {kNew, "&New...", "New Package", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {kOpen, "&Open...", "Open Package", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {kClose, "&Close", nullptr, QKeySequence(Qt::CTRL | Qt::Key_F4)},
        {kSave, "&Save", "Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {kExport, "Standard PKG File ...", nullptr, {}},
        {kExit, "E&xit", nullptr, {}},
        {kOutputPane, "&Output pane", nullptr, {}},
        {kToolBar, "Tool&bar", nullptr, {}},
        {kStatusBar, "&Status bar", nullptr, {}},
        {kBuild, "&Build", "Build", QKeySequence(Qt::Key_F7)},
        {kOpenOutputFolder, "&Open Output Folder", nullptr, {}},
        {kOptions, "&Options...", nullptr, {}},
        {kHelp, "&Help", "Help", QKeySequence(Qt::Key_F1)},
        {kSymbianSigned, "Symbian Signed", nullptr, {}},
        {kSymbianOrg, "Symbian.org", nullptr, {}},
        {kHomePage, "Orchardly Home", nullptr, {}},
        {kAbout, "&About", nullptr, {}},
        {kTargetSimple, "Target Simple", nullptr, {}},
        {kTargetFull, "Target Full", nullptr, {}},
        {kMoveUp, "Move Up", nullptr, {}},
        {kMoveDown, "Move Down", nullptr, {}},
        {kInsertFile, "File...", nullptr, {}},
        {kInsertLanguageFile, "Language File...", nullptr, {}},
        {kInsertOptionList, "Option List...", nullptr, {}},
        {kInsertOption, "Option...", nullptr, {}},
        {kInsertDialogNew, "New...", nullptr, {}},
        {kInsertDialogFromFile, "From File...", nullptr, {}},
        {kInsertEmbeddedSis, "Embedded SIS...", nullptr, {}},
        {kInsertLanguageEmbeddedSis, "Language Embedded SIS...", nullptr, {}},
        {kInsertConditionBlock, "Condition Block...", nullptr, {}},
        {kInsertNullFile, "Null File...", nullptr, {}},
    };
    for (const ActionText& entry : texts) {
        QAction* action = commands_.action(entry.id);
        action->setText(QString::fromLatin1(entry.text));
        if (entry.toolTip)
            action->setToolTip(QString::fromLatin1(entry.toolTip));
        action->setShortcut(entry.shortcut);
    }

    QAction* outputPane = commands_.action(kOutputPane);
    outputPane->setCheckable(true);
    outputPane->setChecked(outputPaneVisible_);
    commands_.action(kToolBar)->setCheckable(true);
    commands_.action(kStatusBar)->setCheckable(true);

    auto setIcon = [this](int id, const QIcon& icon) {
        commands_.action(id)->setIcon(ui::WithDisabledLook(icon));
    };
    setIcon(kNew, themeIcon(this, "document-new", QStyle::SP_FileIcon));
    setIcon(kOpen, themeIcon(this, "document-open", QStyle::SP_DialogOpenButton));
    setIcon(kSave, themeIcon(this, "document-save", QStyle::SP_DialogSaveButton));
    setIcon(kTargetSimple, themeIcon(this, "view-list-icons", QStyle::SP_FileDialogListView));
    setIcon(kTargetFull, themeIcon(this, "view-list-details", QStyle::SP_FileDialogDetailedView));
    setIcon(kMoveUp, themeIcon(this, "go-up", QStyle::SP_ArrowUp));
    setIcon(kMoveDown, themeIcon(this, "go-down", QStyle::SP_ArrowDown));
    setIcon(kBuild, themeIcon(this, "system-run", QStyle::SP_MediaPlay));
    setIcon(kHelp, style()->standardIcon(QStyle::SP_MessageBoxQuestion));

    static const char* const viewMenuTexts[kViewCount] = {
        "&General Info", "&File Overview", "&Phone view",   "&Designer",
        "&Dependencies", "&Properties",    "&Localization", "D&eployment",
    };
    static const QStyle::StandardPixmap viewIcons[kViewCount] = {
        QStyle::SP_FileDialogInfoView, QStyle::SP_DirIcon,
        QStyle::SP_ComputerIcon,       QStyle::SP_FileDialogDetailedView,
        QStyle::SP_FileLinkIcon,       QStyle::SP_FileDialogContentsView,
        QStyle::SP_DriveNetIcon,       QStyle::SP_DriveHDIcon,
    };
    viewGroup_ = new QActionGroup(this);
    viewGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int i = 0; i < kViewCount; ++i) {
        QAction* action = commands_.action(kFirstView + i);
        action->setText(QString::fromLatin1(viewMenuTexts[i]));
        action->setIconText(ui::ToQString(kViewNames[size_t(i)])); // the view bar's text
        setIcon(kFirstView + i, viewBarIcon(style()->standardIcon(viewIcons[i])));
        action->setCheckable(true);
        viewGroup_->addAction(action);
    }

    auto* platformGroup = new QActionGroup(this);
    for (int32_t i = 0; i < kBuildPlatformCount; ++i) {
        QAction* action = commands_.action(kFirstPlatform + i);
        action->setText(ui::ToQString(BuildPlatformText(BuildPlatform(i))));
        action->setCheckable(true);
        platformGroup->addAction(action);
    }
    auto* targetGroup = new QActionGroup(this);
    for (int32_t i = 0; i < kBuildTargetCount; ++i) {
        QAction* action = commands_.action(kFirstTarget + i);
        action->setText(ui::ToQString(BuildTargetText(BuildTarget(i))));
        action->setCheckable(true);
        targetGroup->addAction(action);
    }
    sdkGroup_ = new QActionGroup(this);
}

void MainWindow::buildMenus() {
    using namespace ui::cmd;
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, int id) { menu->addAction(commands_.action(id)); };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    add(file, kNew);
    add(file, kOpen);
    add(file, kClose);
    file->addSeparator();
    add(file, kSave);
    file->addSeparator();
    exportMenu_ = file->addMenu(QStringLiteral("Export"));
    add(exportMenu_, kExport);
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("Recent Files"));
    file->addSeparator();
    add(file, kExit);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    for (int i = 0; i < kViewCount; ++i)
        add(view, kFirstView + i);
    view->addSeparator();
    add(view, kOutputPane);
    view->addSeparator();
    add(view, kToolBar);
    add(view, kStatusBar);

    // The Designer's add actions; its view turns them on while it is shown.
    QMenu* insert = bar->addMenu(QStringLiteral("&Insert"));
    for (int id : {kInsertFile, kInsertLanguageFile, kInsertOptionList, kInsertOption})
        add(insert, id);
    QMenu* dialog = insert->addMenu(QStringLiteral("Dialog"));
    add(dialog, kInsertDialogNew);
    add(dialog, kInsertDialogFromFile);
    add(insert, kInsertEmbeddedSis);
    add(insert, kInsertLanguageEmbeddedSis);
    insert->addSeparator();
    add(insert, kInsertConditionBlock);
    add(insert, kInsertNullFile);

    QMenu* build = bar->addMenu(QStringLiteral("&Build"));
    add(build, kBuild);
    build->addSeparator();
    sdkMenu_ = build->addMenu(QStringLiteral("SDK"));
    platformMenu_ = build->addMenu(QStringLiteral("Platform"));
    for (int32_t i = 0; i < kBuildPlatformCount; ++i)
        add(platformMenu_, kFirstPlatform + i);
    targetMenu_ = build->addMenu(QStringLiteral("Target"));
    for (int32_t i = 0; i < kBuildTargetCount; ++i)
        add(targetMenu_, kFirstTarget + i);
    build->addSeparator();
    add(build, kOpenOutputFolder);

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    add(tools, kOptions);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    add(help, kHelp);
    help->addSeparator();
    add(help, kSymbianSigned);
    add(help, kSymbianOrg);
    add(help, kHomePage);
    help->addSeparator();
    add(help, kAbout);

    rebuildSdkMenu();
    rebuildRecentMenu();
}

void MainWindow::buildToolBar() {
    using namespace ui::cmd;
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    // Shown and hidden through the View menu only.
    toolBar_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    auto add = [this](int id) { toolBar_->addAction(commands_.action(id)); };
    add(kNew);
    add(kOpen);
    add(kSave);
    toolBar_->addSeparator();
    add(kTargetSimple);
    add(kTargetFull);
    toolBar_->addSeparator();
    add(kMoveUp);
    add(kMoveDown);
    toolBar_->addSeparator();
    configurationLists_ = new ConfigurationLists(app_.configuration, toolBar_);
    toolBar_->addWidget(configurationLists_->platformList());
    toolBar_->addWidget(configurationLists_->targetList());
    add(kBuild);
    toolBar_->addSeparator();
    add(kHelp);
}

void MainWindow::rebuildRecentMenu() {
    recentMenu_->clear();
    const RecentFileList& recent = app_.recentFiles;
    for (int i = 0; i < int(RecentFileList::kCapacity) && size_t(i) < recent.size(); ++i) {
        QAction* action = commands_.action(ui::cmd::kFirstRecent + i);
        QString path = ui::ToQString(recent[size_t(i)].path);
        action->setText(QStringLiteral("%1 %2").arg(i + 1).arg(path.replace('&', "&&")));
        recentMenu_->addAction(action);
    }
    recentMenu_->setEnabled(!recent.empty());
}

void MainWindow::rebuildSdkMenu() {
    // Only the first twenty SDKs have command identifiers.
    size_t count = std::min(app_.configuration.sdkCount(), size_t(ui::cmd::kMaxSdks));
    for (size_t i = 0; i < count; ++i) {
        QAction* action = commands_.action(ui::cmd::kFirstSdk + int(i));
        QString text = ui::ToQString(app_.configuration.sdkAt(i)->id);
        action->setText(text.replace('&', "&&"));
        action->setCheckable(true);
        sdkGroup_->addAction(action);
        sdkMenu_->addAction(action);
    }
    syncConfigurationChecks();
}

void MainWindow::syncConfigurationChecks() {
    const BuildConfiguration& configuration = app_.configuration;
    size_t count = std::min(configuration.sdkCount(), size_t(ui::cmd::kMaxSdks));
    for (size_t i = 0; i < count; ++i)
        commands_.action(ui::cmd::kFirstSdk + int(i))
            ->setChecked(configuration.sdkAt(i) == configuration.currentSdk());
    commands_.action(ui::cmd::kFirstPlatform + int(configuration.platform()))->setChecked(true);
    commands_.action(ui::cmd::kFirstTarget + int(configuration.target()))->setChecked(true);
}

} // namespace tb
