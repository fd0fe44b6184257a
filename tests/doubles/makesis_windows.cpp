// makesis with the Windows tool's texts: it takes any argument that does not start with '-'
// as a file, reports file and UID faults in its own words and writes "Created  <file>".
#include "tool_double.h"

#include <cstdio>

namespace double_tool {

namespace {

void printLines(const std::vector<std::string>& lines) {
    const bool open = setting("NO_FINAL_NEWLINE") == "1";
    for (size_t i = 0; i < lines.size(); ++i)
        out(lines[i] + (open && i + 1 == lines.size() ? "" : "\n"));
    std::fflush(stdout);
}

} // namespace

int makesisWindows(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    for (const std::string& arg : args)
        if (arg.empty() || arg[0] != '-')
            files.push_back(arg);
    if (files.size() != 2) {
        out("Usage: makesis [-v] pkgfile [sisfile]\n");
        return 1;
    }
    const std::string& pkg = files[0];
    const std::string text = packageText(readFile(pkg));
    std::vector<std::string> lines{"Processing " + pkg + "..."};
    uint32_t uid = 0;
    bool inBlock = false;
    size_t lineNumber = 0;
    auto report = [&](const std::string& what) {
        lines.push_back(pkg + "(" + std::to_string(lineNumber) + ") : " + what);
    };
    for (const std::string& line : split(text, '\n')) {
        ++lineNumber;
        if (line.empty() || line[0] == ';')
            continue;
        const std::vector<std::string> quoted = quotedStrings(line);
        const std::string source = quoted.empty() ? std::string() : quoted[0];
        bool fault = false;
        if (inBlock) {
            if (line[0] == '}')
                inBlock = false;
            else
                fault = !isFile(source);
        } else if (line[0] == '&') {
            report("processing languages");
        } else if (line[0] == '#') {
            uid = uidIn(line);
            report("processing header");
        } else if (line[0] == '=') {
            fault = !isFile(source);
            if (!fault)
                report("processing logo");
        } else if (line[0] == '"') {
            // Reported before the file is read, so a fault refers to the line just reported.
            report("processing file");
            fault = !isFile(source);
        } else if (line[0] == '{') {
            inBlock = true;
            report("processing language block");
        } else if (line[0] == '@') {
            report("processing embedded package file");
            fault = !isFile(source);
            const std::string embedded = fault ? std::string() : readFile(source);
            if (!fault && (embedded.size() < 16 || word(embedded, 8) != uidIn(line))) {
                report("error: different UID.");
                printLines(lines);
                return 1;
            }
        } else if (line[0] == '!') {
            report("processing options block");
        } else if (line.rfind("IF", 0) == 0) {
            report("processing IF block");
        }
        if (fault) {
            report("error: file I/O fault.");
            printLines(lines);
            return 1;
        }
    }
    if (setting("NO_FINAL_NEWLINE") != "1")
        lines.push_back("Created  " + files[1]);
    printLines(lines);
    return finish(0, files[1], sisBytes(uid, text));
}

} // namespace double_tool
