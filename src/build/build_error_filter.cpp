#include "build/build_error_filter.h"

#include "build/build_step_tracker.h"
#include "util/numbers.h"
#include "util/path.h"

#include <sys/stat.h>

namespace tb {

namespace {

bool isRegularFile(const WideText& path) {
    struct stat info {};
    return !path.empty() && ::stat(toHostPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

BuildErrorFilter::BuildErrorFilter(BuildOutputLog& log, const Package& package,
                                   const BuildConfiguration& configuration, WideText baseFolder)
    : log_(log), package_(package), configuration_(configuration),
      baseFolder_(WithFinalSlash(std::move(baseFolder))) {}

void BuildErrorFilter::handleLine(std::u16string_view line) {
    if (line.starts_with(u"SIGNSIS"))
        log_.appendLine(u"\r\nSigning package...");
    // OpenSSL's codes for a wrong and for a missing pass phrase.
    if (line.starts_with(u"error:06065064"))
        log_.appendLine(u"Error, invalid passphrase for the private key");
    if (line.starts_with(u"error:0906A068"))
        log_.appendLine(u"Error, the private key requires a passphrase");
    if (line.starts_with(u"SISfile error, expected data missing."))
        log_.appendLine(u"Error, an embedded SIS file in the package has the same UID(" +
                        numberToText(package_.uid, 16) + u") as the package");
    if (line.starts_with(u"file I/O fault, cannot open"))
        explainSigningFiles();
    // The build helper's own findings (a missing tool, a tool that wrote nothing) are already
    // in the user's terms; without them a failed build would say only "Build failed".
    if (line.starts_with(u"Error, "))
        log_.appendLine(line);
}

void BuildErrorFilter::explainSigningFiles() {
    const SigningSettings& signing = package_.signing;
    const WideText certificate = ExpandBuildPath(signing.certificate, baseFolder_, configuration_);
    if (!isRegularFile(certificate)) {
        log_.appendLine(u"Error, can not find certificate '" + certificate + u"'");
        return;
    }
    const WideText privateKey = ExpandBuildPath(signing.privateKey, baseFolder_, configuration_);
    if (!isRegularFile(privateKey))
        log_.appendLine(u"Error, can not find private key '" + privateKey + u"'");
}

} // namespace tb
