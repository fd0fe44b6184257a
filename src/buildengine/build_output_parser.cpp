#include "buildengine/build_output_parser.h"

#include "util/path.h"

namespace tb {

WideText PackageBaseFolder(const std::string& packageFilePath) {
    WideText path = fromHostPath(packageFilePath);
    const size_t slash = path.rfind(u'/');
    if (slash == WideText::npos)
        return {};
    path.resize(slash + 1);
    return path;
}

BuildOutputParser::BuildOutputParser(const BuildConfiguration& configuration, BuildOutputLog& log,
                                     const std::string& packageFilePath, const Package& package)
    : stepTracker_(log, configuration, package, PackageBaseFolder(packageFilePath)),
      errorFilter_(log, package, configuration, PackageBaseFolder(packageFilePath), stepTracker_) {}

void BuildOutputParser::append(std::u16string_view text) {
    pending_.append(text);
}

bool BuildOutputParser::handleLines() {
    // CR, LF and CR LF all end a line. Empty lines are skipped, so the LF of a CR LF pair
    // needs no special case, even when the pair is split between two pieces, and a character
    // after a lone CR is never lost.
    size_t lineStart = 0;
    for (size_t end = pending_.find_first_of(u"\r\n", scanned_); end != WideText::npos;
         end = pending_.find_first_of(u"\r\n", lineStart)) {
        if (end > lineStart) {
            const std::u16string_view line =
                std::u16string_view(pending_).substr(lineStart, end - lineStart);
            if (!stepTracker_.handleLine(line))
                errorFilter_.handleLine(line);
        }
        lineStart = end + 1;
    }
    // What is left is at most the unfinished line, which started in the newest piece unless
    // no line ended in it.
    if (lineStart > 0)
        pending_.erase(0, lineStart);
    scanned_ = pending_.size();
    return true;
}

void BuildOutputParser::finish(bool succeeded) {
    errorFilter_.finish(succeeded);
}

} // namespace tb
