#include "cli/arguments.h"

namespace tb::cli {

std::optional<std::string> Arguments::option(const std::string& name) const {
    auto found = options.find(name);
    if (found == options.end())
        return std::nullopt;
    return found->second;
}

Arguments ParseArguments(const std::vector<std::string>& args, size_t first,
                         const std::set<std::string>& valueOptions,
                         const std::set<std::string>& flagOptions) {
    Arguments result;
    bool onlyPositionals = false;
    for (size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPositionals || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            result.positionals.push_back(arg);
        } else if (arg == "--") {
            onlyPositionals = true;
        } else if (arg == "--help") {
            result.help = true;
        } else if (valueOptions.count(arg.substr(2))) {
            if (i + 1 >= args.size()) {
                result.error = "missing value for " + arg;
                return result;
            }
            result.options[arg.substr(2)] = args[++i];
        } else if (flagOptions.count(arg.substr(2))) {
            result.flags.insert(arg.substr(2));
        } else {
            result.error = "unknown option " + arg;
            return result;
        }
    }
    return result;
}

} // namespace tb::cli
