#include "shell/startup.h"

#include "document/application.h"
#include "document/messages.h"
#include "shell/main_window.h"
#include "ui/command_registry.h"
#include "ui/gui_build_events.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QTimer>

#include <memory>

namespace tb {

namespace {

constexpr uint32_t kStartWithWelcomePage = 1;

// Shows what the program starts with: the package named first on the command line, or the
// Welcome page, or the empty window.
void ShowFirstContent(MainWindow& window, const Application& app,
                      const std::vector<std::string>& arguments) {
    bool haveSdk = app.configuration.sdkCount() > 0;
    if (arguments.empty()) {
        if (app.settings.startupAction == kStartWithWelcomePage)
            window.setMode(MainWindowMode::Welcome);
    } else if (haveSdk) {
        window.openPackage(arguments.front(), true);
    }
}

} // namespace

int RunTinderbridge(const std::vector<std::string>& arguments, const StartupOptions& options) {
    AppSettings settings(options.settingsPaths);
    int exitCode = 0;
    {
        ui::GuiBuildEvents buildEvents;
        std::unique_ptr<Application> app =
            options.sdks ? std::make_unique<Application>(settings, buildEvents, *options.sdks)
                         : std::make_unique<Application>(settings, buildEvents);
        buildEvents.setController(&app->buildController);
        ui::CommandRegistry commands;
        {
            MainWindow window(*app, commands);
            // The window ends the loop itself once its close check allows it.
            bool quitOnLastWindow = QGuiApplication::quitOnLastWindowClosed();
            QGuiApplication::setQuitOnLastWindowClosed(false);
            QObject::connect(&window, &MainWindow::closeGranted, qApp,
                             [] { QCoreApplication::exit(0); });

            if (settings.windowMaximized)
                window.showMaximized();
            else
                window.show();
            bool noSdk = app->configuration.sdkCount() == 0;
            window.applyDividerPosition();
            ShowFirstContent(window, *app, arguments);
            window.activateWindow();
            window.raise();
            if (noSdk) {
                ui::ShowWarning(&window, ui::ToQString(messages::kNoSdk));
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            }
            exitCode = QApplication::exec();
            QGuiApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
        } // the window stores its placement into the settings
        // Events of a build cancelled at shut-down must not reach the destroyed window.
        buildEvents.setController(nullptr);
        app.reset(); // hands the recent files back to the settings
    }
    settings.save();
    return exitCode;
}

int RunTinderbridge(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(ui::ToQString(Application::kTitle));
    QApplication::setApplicationVersion(ui::ToQString(Application::kVersion));
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return RunTinderbridge(arguments, StartupOptions{DefaultSettingsPaths(), std::nullopt});
}

} // namespace tb
