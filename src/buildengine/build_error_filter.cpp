#include "buildengine/build_error_filter.h"

#include "buildengine/build_step_tracker.h"
#include "util/numbers.h"
#include "util/path.h"

#include <sys/stat.h>

namespace tb {

namespace {

bool isRegularFile(const WideText& path) {
    struct stat info {};
    return !path.empty() && ::stat(toHostPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// The fields after "error:<8 hex digits>:" of an OpenSSL error line: OpenSSL 3 puts a thread
// id in front ("40A709FC127F0000:error:1C800064:...") and the signing tool's pass phrase prompt
// may stand before that. None when the line is no such line.
std::optional<std::u16string_view> openSslFields(std::u16string_view line) {
    constexpr std::u16string_view kError = u"error:";
    for (size_t at = line.find(kError); at != std::u16string_view::npos;
         at = line.find(kError, at + 1)) {
        if (at > 0) { // only after the thread id and its colon
            size_t id = at - 1;
            if (line[id] != u':')
                continue;
            while (id > 0 && isHexDigit(line[id - 1]))
                --id;
            if (at - 1 - id < 8)
                continue;
        }
        const size_t code = at + kError.size();
        if (line.size() < code + 9 || line[code + 8] != u':')
            continue;
        bool hex = true;
        for (size_t i = code; i < code + 8; ++i)
            hex = hex && isHexDigit(line[i]);
        if (hex)
            return line.substr(code + 9);
    }
    return std::nullopt;
}

// "lib:func:reason[:file:line:data]" → the reason, and the data when there is one.
WideText openSslReason(std::u16string_view fields) {
    std::vector<std::u16string_view> parts;
    for (size_t start = 0;;) {
        const size_t colon = fields.find(u':', start);
        // The data is the rest of the line, colons and all.
        if (colon == std::u16string_view::npos || parts.size() == 5) {
            parts.push_back(fields.substr(start));
            break;
        }
        parts.push_back(fields.substr(start, colon - start));
        start = colon + 1;
    }
    WideText reason(parts.size() > 2 ? parts[2] : fields);
    if (parts.size() > 5 && !parts[5].empty())
        reason += u" (" + WideText(parts[5]) + u")";
    return reason;
}

} // namespace

BuildErrorFilter::BuildErrorFilter(BuildOutputLog& log, const Package& package,
                                   const BuildConfiguration& configuration, WideText baseFolder,
                                   const BuildStepTracker& stepTracker)
    : log_(log), package_(package), configuration_(configuration),
      baseFolder_(WithFinalSlash(std::move(baseFolder))), stepTracker_(stepTracker) {}

void BuildErrorFilter::handleLine(std::u16string_view line) {
    if (line.starts_with(u"SIGNSIS")) {
        signing_ = true;
        log_.appendLine(u"\r\nSigning package...");
        return;
    }
    // OpenSSL's codes for a wrong and for a missing pass phrase (the Windows tool's form).
    if (line.starts_with(u"error:06065064")) {
        signingExplained_ = true;
        writeOnce(u"Error, invalid passphrase for the private key");
        return;
    }
    if (line.starts_with(u"error:0906A068")) {
        signingExplained_ = true;
        writeOnce(u"Error, the private key requires a passphrase");
        return;
    }
    if (line.starts_with(u"SISfile error, expected data missing.")) {
        writeOnce(u"Error, an embedded SIS file in the package has the same UID(" +
                  numberToText(package_.uid, 16) + u") as the package");
        return;
    }
    if (line.starts_with(u"file I/O fault, cannot open")) {
        if (package_.signing.signPackage)
            explainSigningFiles();
        else
            showToolError(line);
        return;
    }
    if (handleOpenSslLine(line))
        return;
    // The Linux signing tool names a certificate or key it cannot find and ends with 0.
    constexpr std::u16string_view kNoFile = u": No such file or directory";
    if (signing_ && line.ends_with(kNoFile)) {
        const WideText path(line.substr(0, line.size() - kNoFile.size()));
        const SigningSettings& signing = package_.signing;
        if (path == ExpandBuildPath(signing.certificate, baseFolder_, configuration_) ||
            path == ExpandBuildPath(signing.privateKey, baseFolder_, configuration_)) {
            explainSigningFiles();
            return;
        }
    }
    // The build helper's own findings are already in the user's terms; without them a failed
    // build would say only "Build failed".
    if (line.starts_with(u"Error")) {
        writeOnce(WideText(line));
        return;
    }
    if (const std::optional<MakesisLine> makesis = ParseMakesisLine(line)) {
        if (makesis->message.starts_with(u"error: "))
            showToolError(makesis->message.substr(7), makesis->line);
        return;
    }
    if (line.starts_with(u"error: "))
        showToolError(line.substr(7));
}

bool BuildErrorFilter::handleOpenSslLine(std::u16string_view line) {
    const std::optional<std::u16string_view> fields = openSslFields(line);
    if (!fields)
        return false;
    if (line.ends_with(u":empty password")) {
        signingExplained_ = true;
        writeOnce(u"Error, the private key requires a passphrase");
    } else if (line.ends_with(u":maybe wrong password")) {
        signingExplained_ = true;
        writeOnce(u"Error, invalid passphrase for the private key");
    } else {
        openSslErrors_.push_back(openSslReason(*fields));
    }
    return true;
}

void BuildErrorFilter::finish(bool succeeded) {
    if (!succeeded && !signingExplained_) {
        for (const WideText& reason : openSslErrors_)
            writeOnce(u"Error, " + WideText(toolName()) + u" reports '" + reason + u"'");
    }
    openSslErrors_.clear();
}

// A tool's error line that no rule explains, in the tool's own words, with what makesis was
// reading at that line when it is known.
void BuildErrorFilter::showToolError(std::u16string_view text, long makesisLine) {
    WideText message = u"Error, " + WideText(toolName()) + u" reports '" + WideText(text) + u"'";
    const MakesisStep& step = stepTracker_.lastStep();
    if (makesisLine >= 0 && step.line == makesisLine) {
        if (const WideText item = stepTracker_.describe(step.item); !item.empty())
            message += u" for '" + item + u"'";
        else if (!step.what.empty())
            message += u" while processing the " + step.what;
    }
    writeOnce(message);
}

void BuildErrorFilter::explainSigningFiles() {
    signingExplained_ = true;
    const SigningSettings& signing = package_.signing;
    const WideText certificate = ExpandBuildPath(signing.certificate, baseFolder_, configuration_);
    if (!isRegularFile(certificate)) {
        writeOnce(u"Error, can not find certificate '" + certificate + u"'");
        return;
    }
    const WideText privateKey = ExpandBuildPath(signing.privateKey, baseFolder_, configuration_);
    if (!isRegularFile(privateKey))
        writeOnce(u"Error, can not find private key '" + privateKey + u"'");
}

void BuildErrorFilter::writeOnce(const WideText& message) {
    if (written_.insert(message).second)
        log_.appendLine(message);
}

} // namespace tb
