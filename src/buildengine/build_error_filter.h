#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/build_output_log.h"
#include "model/package.h"

#include <set>
#include <string_view>
#include <vector>

namespace tb {

class BuildStepTracker;

// Explains the signing tool's failures (and the duplicate UID that makesis reports in a form
// the step tracker does not know) for lines the step tracker did not recognise, and shows the
// tools' own error lines that nothing explains, each once.
class BuildErrorFilter {
public:
    BuildErrorFilter(BuildOutputLog& log, const Package& package,
                     const BuildConfiguration& configuration, WideText baseFolder,
                     const BuildStepTracker& stepTracker);

    // Never claims a line: every pattern the line begins with gets its message.
    void handleLine(std::u16string_view line);
    // The tools' output has ended. OpenSSL reports one failure on many lines, so its lines
    // are shown only now, for a failed build whose signing failure nothing has explained.
    void finish(bool succeeded);

private:
    bool handleOpenSslLine(std::u16string_view line);
    void explainSigningFiles();
    void showToolError(std::u16string_view text, long makesisLine = -1);
    // Writes message unless this build has written it already.
    void writeOnce(const WideText& message);
    std::u16string_view toolName() const { return signing_ ? u"signsis" : u"makesis"; }

    BuildOutputLog& log_;
    const Package& package_;
    const BuildConfiguration& configuration_;
    WideText baseFolder_;
    const BuildStepTracker& stepTracker_;
    bool signing_ = false;          // the helper has started signsis
    bool signingExplained_ = false; // a signing failure has its explanation
    std::set<WideText> written_;
    std::vector<WideText> openSslErrors_;
};

} // namespace tb
