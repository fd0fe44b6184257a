#include "cli/cli.h"

#include "cli/command.h"
#include "util/text_convert.h"

#include <ostream>

namespace tb::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"rewrite", "IN.pkg OUT.pkg", "Read a package file and write it again.", {}, {}, 2, 2,
         RunRewrite},
        {"dump", "IN.pkg", "Print the package model of a package file as JSON.", {}, {}, 1, 1,
         RunDump},
        {"sdks", "", "List the installed SDKs: id, name and root, separated by TABs.", {}, {}, 0,
         0, RunSdks},
    };
    return commands;
}

void PrintMessage(std::ostream& err, std::u16string_view message) {
    std::string text = wideToUtf8(message);
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    err << out << '\n';
}

namespace {

void printUsage(std::ostream& s) {
    s << "Usage: tinderbridge-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& c : Commands())
        s << "  " << c.name << (*c.synopsis ? " " : "") << c.synopsis << "\n      " << c.summary
          << '\n';
    s << "\nRun 'tinderbridge-cli COMMAND --help' for the options of a command.\n";
}

void printCommandUsage(std::ostream& s, const Command& c) {
    s << "Usage: tinderbridge-cli " << c.name << (*c.synopsis ? " " : "") << c.synopsis << "\n"
      << c.summary << '\n';
}

} // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printUsage(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(out);
        return kExitOk;
    }
    for (const Command& command : Commands()) {
        if (args[0] != command.name)
            continue;
        Arguments parsed = ParseArguments(args, 1, command.valueOptions, command.flagOptions);
        if (parsed.help) {
            printCommandUsage(out, command);
            return kExitOk;
        }
        if (parsed.error.empty() && (parsed.positionals.size() < command.minPositionals ||
                                     parsed.positionals.size() > command.maxPositionals))
            parsed.error = "wrong number of arguments";
        if (!parsed.error.empty()) {
            err << "tinderbridge-cli " << command.name << ": " << parsed.error << "\n";
            printCommandUsage(err, command);
            return kExitUsage;
        }
        return command.run(parsed, out, err);
    }
    err << "tinderbridge-cli: unknown command '" << args[0] << "'\n";
    printUsage(err);
    return kExitUsage;
}

} // namespace tb::cli
