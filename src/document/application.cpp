#include "document/application.h"

#include "document/app_settings.h"
#include "util/path.h"

namespace tb {

Application::Application(AppSettings& s, BuildEventPoster& poster)
    : Application(s, poster, DiscoverSdks()) {}

Application::Application(AppSettings& s, BuildEventPoster& poster, SdkList sdks)
    : settings(s), recentFiles(s.recentFiles), configuration(std::move(sdks)),
      buildController(poster, toHostPath(s.installDir)),
      document(s, recentFiles, configuration, &buildController) {}

Application::~Application() {
    // A build still running must not outlive the package it reads.
    buildController.cancelBuild();
    document.close();
    settings.recentFiles = recentFiles.entries();
}

} // namespace tb
