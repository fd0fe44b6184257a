#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tb::cli {

// Command arguments: positionals, "--name value" options and "--flag" switches. Anything not
// declared is an error, reported in `error`.
struct Arguments {
    std::vector<std::string> positionals;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;
    bool help = false;
    std::string error;

    std::optional<std::string> option(const std::string& name) const;
    bool flag(const std::string& name) const { return flags.count(name) != 0; }
};

Arguments ParseArguments(const std::vector<std::string>& args, size_t first,
                         const std::set<std::string>& valueOptions,
                         const std::set<std::string>& flagOptions);

} // namespace tb::cli
