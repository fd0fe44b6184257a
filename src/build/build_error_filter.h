#pragma once

#include "build/build_configuration.h"
#include "build/build_output_log.h"
#include "model/package.h"

#include <string_view>

namespace tb {

// Explains the signing tool's failures (and the duplicate UID that makesis reports in a form
// the step tracker does not know) for lines the step tracker did not recognise.
class BuildErrorFilter {
public:
    BuildErrorFilter(BuildOutputLog& log, const Package& package,
                     const BuildConfiguration& configuration, WideText baseFolder);

    // Never claims a line: every pattern the line begins with gets its message.
    void handleLine(std::u16string_view line);

private:
    void explainSigningFiles();

    BuildOutputLog& log_;
    const Package& package_;
    const BuildConfiguration& configuration_;
    WideText baseFolder_;
};

} // namespace tb
