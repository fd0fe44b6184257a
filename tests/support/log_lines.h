#pragma once

#include "buildengine/build_output_log.h"
#include "util/text_convert.h"

#include <string>
#include <vector>

namespace tb::test {

using Lines = std::vector<std::string>;

// The log's lines as UTF-8, without their CR LF.
inline Lines LogLines(const BuildOutputLog& log) {
    Lines lines;
    const std::string text = wideToUtf8(log.read());
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// The last entry, or "(nothing)" for an empty list: a test that looks at the end of a result
// fails on an empty one instead of crashing.
inline std::string LastOf(const std::vector<std::string>& list) {
    return list.empty() ? std::string("(nothing)") : list.back();
}

} // namespace tb::test
