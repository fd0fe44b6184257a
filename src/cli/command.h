#pragma once

#include "cli/arguments.h"
#include "cli/cli.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tb::cli {

struct Command {
    const char* name;
    const char* synopsis; // arguments after the command name
    const char* summary;
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
    size_t minPositionals;
    size_t maxPositionals;
    int (*run)(const Arguments& args, std::ostream& out, std::ostream& err);
};

const std::vector<Command>& Commands();

// Program text with terminal line ends (CR dropped), as it stands / as a message line.
void PrintText(std::ostream& stream, std::u16string_view text);
void PrintMessage(std::ostream& stream, std::u16string_view message);

// Command implementations.
int RunRewrite(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDump(const Arguments& args, std::ostream& out, std::ostream& err);
int RunSdks(const Arguments& args, std::ostream& out, std::ostream& err);
int RunNew(const Arguments& args, std::ostream& out, std::ostream& err);
int RunValidate(const Arguments& args, std::ostream& out, std::ostream& err);
int RunBuild(const Arguments& args, std::ostream& out, std::ostream& err);
int RunExport(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace tb::cli
