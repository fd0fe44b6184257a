#pragma once

#include "build/build_output_log.h"
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

} // namespace tb::test
