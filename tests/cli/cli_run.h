#pragma once

#include "cli/cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace tb::test {

struct Result {
    int code;
    std::string out, err;
};

// Runs one command line in process.
inline Result run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = cli::Run(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace tb::test
