#pragma once

#include "buildengine/sdk_list.h"
#include "document/app_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace tb {

struct StartupOptions {
    SettingsPaths settingsPaths;
    std::optional<SdkList> sdks; // none: SDK discovery
};

// The program: creates the QApplication and runs with the default settings paths and the
// discovered SDKs. Returns the process exit code.
int RunTinderbridge(int argc, char** argv);

// Runs the program inside an existing QApplication. arguments are the command line without
// the program name; only the first is used, as a package file to open.
int RunTinderbridge(const std::vector<std::string>& arguments, const StartupOptions& options);

} // namespace tb
