#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/build_controller.h"
#include "cli/arguments.h"
#include "document/app_settings.h"
#include "document/package_document.h"
#include "document/recent_file_list.h"
#include "util/path.h"

#include <iosfwd>
#include <memory>

namespace tb::cli {

// What a document command runs with: the user's settings (read, never written: the command
// line leaves the window's settings and recent files alone), the SDKs and one document.
// With a poster the session can build: the build helper is looked up in the installation
// folder.
struct Session {
    AppSettings settings{DefaultSettingsPaths()};
    RecentFileList recentFiles;
    BuildConfiguration configuration;
    std::unique_ptr<BuildController> controller;
    PackageDocument document;

    explicit Session(BuildEventPoster* poster = nullptr)
        : controller(poster ? std::make_unique<BuildController>(
                                  *poster, toHostPath(settings.installDir))
                            : nullptr),
          document(settings, recentFiles, configuration, controller.get()) {}

    // Opens path; prints the open message and returns false on failure.
    bool open(const std::string& path, std::ostream& err);
    // Applies --sdk, --platform and --target; prints what is wrong and returns false.
    bool configure(const Arguments& args, std::ostream& err);
};

} // namespace tb::cli
