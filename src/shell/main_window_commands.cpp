// What the main window does for each of its commands.
#include "shell/main_window.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "document/messages.h"
#include "shell/build_command.h"
#include "shell/export_dialog.h"
#include "shell/message_box_prompt.h"
#include "shell/new_package_dialog.h"
#include "shell/options_dialog.h"
#include "shell/status_bar.h"
#include "ui/desktop_services.h"
#include "ui/file_dialogs.h"
#include "ui/help_window.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/path.h"
#include "views/view_page.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QToolBar>
#include <QUrl>

namespace tb {

namespace {

const char* const kHomePageUrl = "https://www.orchardly.com/";
const char* const kSymbianSignedUrl = "https://www.symbiansigned.com/";
const char* const kSymbianOrgUrl = "https://www.symbian.org/";

QString Quoted(std::u16string_view before, const QString& path, std::u16string_view after) {
    return ui::ToQString(before) + path + ui::ToQString(after);
}

bool InRange(int id, int first, int count) {
    return id >= first && id < first + count;
}

} // namespace

bool MainWindow::handleCommand(int id) {
    using namespace ui::cmd;
    if (InRange(id, kFirstView, kViewCount)) {
        switchToView(id - kFirstView);
    } else if (InRange(id, kFirstRecent, int(RecentFileList::kCapacity))) {
        openRecent(id - kFirstRecent);
    } else if (InRange(id, kFirstSdk, kMaxSdks)) {
        app_.configuration.selectSdk(size_t(id - kFirstSdk));
        syncConfigurationChecks(); // also when the choice did not change
    } else if (InRange(id, kFirstPlatform, kBuildPlatformCount)) {
        app_.configuration.setPlatform(BuildPlatform(id - kFirstPlatform));
        syncConfigurationChecks();
    } else if (InRange(id, kFirstTarget, kBuildTargetCount)) {
        app_.configuration.setTarget(BuildTarget(id - kFirstTarget));
        syncConfigurationChecks();
    } else {
        switch (id) {
        case kExit:
            close();
            break;
        case kNew:
            newPackage();
            break;
        case kOpen:
            openWithDialog();
            break;
        case kClose:
            closePackage();
            break;
        case kSave:
            savePackage();
            break;
        case kExport:
            RunExportCommand(this, app_);
            break;
        case kOutputPane:
        case kToolBar:
        case kStatusBar:
            toggleBar(id);
            break;
        case kBuild:
            RunBuildCommand(this, app_, [this] { showOutputPane(); });
            break;
        case kOpenOutputFolder:
            openOutputFolder();
            break;
        case kHelp:
            openHelp();
            break;
        // A browser that cannot be started is not worth a message.
        case kHomePage:
            ui::OpenWithDesktop(QUrl(QString::fromLatin1(kHomePageUrl)));
            break;
        case kSymbianSigned:
            ui::OpenWithDesktop(QUrl(QString::fromLatin1(kSymbianSignedUrl)));
            break;
        case kSymbianOrg:
            ui::OpenWithDesktop(QUrl(QString::fromLatin1(kSymbianOrgUrl)));
            break;
        case kAbout:
            showAbout();
            break;
        case kOptions:
            RunOptionsDialog(this, app_.settings);
            break;
        default:
            return false;
        }
    }
    return true;
}

bool MainWindow::openPackage(const std::string& path, bool addToRecent) {
    ErrorCode code = app_.document.open(path, addToRecent);
    if (code == err::kOk)
        return true; // documentOpened switched to the views
    ui::ShowError(this, ui::ToQString(messages::OpenMessage(code)));
    setMode(MainWindowMode::Empty);
    return false;
}

void MainWindow::newPackage() {
    PackageDocument& document = app_.document;
    if (document.isOpen())
        document.commitEdits();
    // The wizard asks about the open package's changes itself.
    std::optional<NewPackageRequest> request = RunNewPackageDialog(this, app_);
    if (!request)
        return;
    if (document.isOpen())
        document.close();
    if (ErrorCode code = document.create(*request); code != err::kOk)
        ui::ShowError(this, ui::ToQString(messages::CreateMessage(code)));
}

void MainWindow::openWithDialog() {
    QString path = ui::GetOpenFileName(this, QStringLiteral("Open Package"),
                                       QStringLiteral("Symbian Package (*.pkg)"));
    if (path.isEmpty())
        return;
    MessageBoxPrompt prompt(this);
    if (!app_.document.closeWithQuestion(prompt))
        return;
    openPackage(ui::ToHostPath(path), true);
}

void MainWindow::openRecent(int index) {
    MessageBoxPrompt prompt(this);
    if (!app_.document.closeWithQuestion(prompt))
        return;
    RecentFileList& recent = app_.recentFiles;
    if (size_t(index) >= recent.size())
        return;
    QString path = ui::ToQString(recent[size_t(index)].path);
    ErrorCode code = app_.document.openRecent(size_t(index));
    if (code == err::kOk)
        return;
    if (code == err::kNotFound) {
        QString question =
            Quoted(messages::kRemoveRecentBefore, path, messages::kRemoveRecentAfter);
        if (ui::AskYesNo(this, question) == ui::MessageAnswer::Yes) {
            recent.remove(size_t(index));
            rebuildRecentMenu();
            updateCommandStates();
        }
    } else {
        ui::ShowError(this, ui::ToQString(messages::OpenMessage(code)));
    }
    setMode(MainWindowMode::Empty);
}

void MainWindow::closePackage() {
    MessageBoxPrompt prompt(this);
    app_.document.closeWithQuestion(prompt); // documentClosed updates the window
}

void MainWindow::savePackage() {
    if (ErrorCode code = app_.document.save(); code != err::kOk)
        ui::ShowError(this, ui::ToQString(messages::SaveMessage(code)));
}

void MainWindow::toggleBar(int id) {
    bool visible = false;
    if (id == ui::cmd::kOutputPane) {
        outputPaneVisible_ = !outputPaneVisible_;
        visible = outputPaneVisible_;
        updateOutputPaneVisibility();
    } else {
        QWidget* bar = id == ui::cmd::kToolBar ? static_cast<QWidget*>(toolBar_) : statusBar_;
        visible = bar->isHidden();
        bar->setVisible(visible);
    }
    commands_.action(id)->setChecked(visible);
}

void MainWindow::openOutputFolder() {
    const Package* package = app_.document.package();
    if (!package)
        return;
    // An empty output folder is the package's own; a relative one lies under it.
    QString folder =
        ui::ToQString(OutputFolderPath(package->output, fromHostPath(app_.document.folder())));
    QString resolved = folder;
    if (!folder.isEmpty() && QDir::isRelativePath(folder))
        resolved = QDir(ui::HostPathToQString(app_.document.folder())).filePath(folder);
    QFileInfo info(resolved);
    if (folder.isEmpty() || !info.exists()) {
        ui::ShowError(this,
                      Quoted(messages::kFolderBefore, folder, messages::kFolderNotFoundAfter));
    } else if (!info.isDir() || !info.isReadable()) {
        ui::ShowError(this,
                      Quoted(messages::kFolderBefore, folder, messages::kFolderNoAccessAfter));
    } else if (!ui::OpenWithDesktop(QUrl::fromLocalFile(info.absoluteFilePath()))) {
        ui::ShowError(this, Quoted(messages::kNoFolderApplicationBefore, folder,
                                   messages::kNoFolderApplicationAfter));
    }
}

void MainWindow::openHelp() {
    QString folder = ui::ToQString(app_.settings.installDir);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    QString path = folder + QStringLiteral("Tinderbridge.html");
    if (!QFileInfo(path).isFile()) {
        ui::ShowError(this, Quoted(messages::kHelpBefore, path, messages::kHelpAfter));
        return;
    }
    if (ui::OpenWithDesktop(QUrl::fromLocalFile(path)))
        return;
    // The desktop has no viewer for the guide: our own window shows it.
    if (!helpWindow_)
        helpWindow_ = new ui::HelpWindow(this);
    helpWindow_->showFile(path);
}

void MainWindow::showAbout() {
    ui::ShowInformation(
        this, QStringLiteral("%1\r\nVersion %2")
                  .arg(ui::ToQString(Application::kTitle), ui::ToQString(Application::kVersion)));
}

} // namespace tb
