#include "shell/build_command.h"

#include "document/app_settings.h"
#include "document/application.h"
#include "shell/build_completed_dialog.h"
#include "shell/build_progress_dialog.h"
#include "ui/desktop_services.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"
#include "util/path.h"

namespace tb {

void RunBuildCommand(QWidget* owner, Application& app,
                     const std::function<void()>& showOutputPane) {
    if (!app.document.isOpen() || !app.configuration.currentSdk())
        return;
    BuildProgressDialog progress(app, owner);
    if (!app.document.startBuild())
        return;
    switch (progress.run()) {
    case BuildProgressDialog::kSucceeded: {
        if (!app.settings.showBuildCompleteDialog)
            return;
        const Package& package = *app.document.package();
        BuildCompletedDialog completed(owner, app.settings, package, app.document.filePath());
        if (completed.run() == BuildCompletedDialog::kOpenFolder)
            ui::ShowFileInFileManager(
                ui::ToQString(BuiltFilePath(package, fromHostPath(app.document.folder()))));
        return;
    }
    case BuildProgressDialog::kFailed:
        ui::ShowError(owner, QStringLiteral("Building package failed. See the output view for "
                                            "more information."));
        if (showOutputPane)
            showOutputPane();
        return;
    default: // cancelled
        return;
    }
}

} // namespace tb
