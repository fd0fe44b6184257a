#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tb::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Runs one command line (without the program name); output and messages go to out and err.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace tb::cli
