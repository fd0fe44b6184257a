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
        {"new",
         "NAME --location DIR [--type SA|SP|PU|PA|PP] [--languages EN,FR,...] "
         "[--current-language N] [--device N] [--create-directory]",
         "Create a new package file and print its path. --current-language is a position in\n"
         "the language list (from 0); --device is a device table index (0 Generic, 1-5, 8, 9).",
         {"location", "type", "languages", "current-language", "device"},
         {"create-directory"},
         1,
         1,
         RunNew},
        {"validate", "FILE.pkg",
         "Check a package before a build and print the findings; exit 1 when there is an error.",
         {}, {}, 1, 1, RunValidate},
        {"build", "FILE.pkg [--sdk ID] [--platform armv5|gcce|winscw] [--target urel|udeb]",
         "Build the package into a .sis file, printing the build log as it grows. Exit 0 on\n"
         "success, 1 on failure, 130 when interrupted (Ctrl+C cancels the build). Default: the\n"
         "first SDK, gcce, urel.",
         {"sdk", "platform", "target"}, {}, 1, 1, RunBuild},
        {"export", "FILE.pkg OUT.pkg [--sdk ID] [--platform P] [--target T]",
         "Write a standard package file with every source path resolved for the SDK, platform\n"
         "and target. OUT.pkg must be an absolute path.",
         {"sdk", "platform", "target"}, {}, 2, 2, RunExport},
    };
    return commands;
}

void PrintText(std::ostream& stream, std::u16string_view text) {
    std::string bytes = wideToUtf8(text);
    std::erase(bytes, '\r');
    stream << bytes << std::flush;
}

void PrintMessage(std::ostream& stream, std::u16string_view message) {
    PrintText(stream, message);
    stream << '\n';
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
