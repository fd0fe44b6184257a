#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/build_controller.h"
#include "document/package_document.h"
#include "document/recent_file_list.h"

namespace tb {

class AppSettings;
class BuildEventPoster;

// The objects that live for the whole run: SDKs and build configuration, the build
// controller with its log, the recent files and the one package document. Created after the
// settings are loaded; hands the recent files back to the settings when destroyed.
class Application {
public:
    static constexpr std::u16string_view kTitle = u"Orchardly Tinderbridge";
    static constexpr std::u16string_view kVersion = u"1.0";

    // Runs SDK discovery.
    Application(AppSettings& settings, BuildEventPoster& poster);
    // For tests: a given SDK list.
    Application(AppSettings& settings, BuildEventPoster& poster, SdkList sdks);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    AppSettings& settings;
    RecentFileList recentFiles;
    BuildConfiguration configuration;
    BuildController buildController;
    PackageDocument document;
};

} // namespace tb
