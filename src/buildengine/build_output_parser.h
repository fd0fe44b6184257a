#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/build_error_filter.h"
#include "buildengine/build_output_log.h"
#include "buildengine/build_step_tracker.h"
#include "model/package.h"

#include <string>
#include <string_view>

namespace tb {

// Cuts the build helper's output into lines and hands each to the step tracker, then, when the
// tracker does not recognise it, to the error filter. One per build.
class BuildOutputParser {
public:
    // packageFilePath is the host path of the package file; relative sources are resolved
    // against its folder.
    BuildOutputParser(const BuildConfiguration& configuration, BuildOutputLog& log,
                      const std::string& packageFilePath, const Package& package);
    BuildOutputParser(const BuildOutputParser&) = delete;
    BuildOutputParser& operator=(const BuildOutputParser&) = delete;

    // Adds a converted piece of output; nothing is handled until handleLines().
    void append(std::u16string_view text);
    // Handles every complete line received so far; an unfinished line waits for the next
    // piece. Always true.
    bool handleLines();
    // The helper has ended (after the last handleLines); succeeded is its verdict.
    void finish(bool succeeded);

    BuildStepTracker& stepTracker() { return stepTracker_; }

private:
    // Only the text not handled yet, so that long builds neither grow nor rescan it.
    WideText pending_;
    size_t scanned_ = 0; // pending_ before this holds no line end
    BuildStepTracker stepTracker_;
    BuildErrorFilter errorFilter_;
};

// Folder of a host file path, with its final '/'; empty for a bare file name.
WideText PackageBaseFolder(const std::string& packageFilePath);

} // namespace tb
