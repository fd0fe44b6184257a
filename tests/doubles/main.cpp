// Stands in for the SDK's makesis and signsis (chosen by the name it is started under). It
// prints what the real tools print at the interface the build reads and writes a SIS file
// whose bytes 8-11 hold the package UID. FAKE_TOOLS=linux switches from the Windows tools'
// texts to those of the Linux builds (makesis 4.0, signsis on OpenSSL 3), including how they
// read their arguments. Behaviour per test, through FAKE_MAKESIS_<KEY> or FAKE_SIGNSIS_<KEY>:
//   OUTPUT_BYTES=n     n more bytes of unrecognised output, in lines
//   SLEEP_MS=n         stay silent this long before finishing
//   IGNORE_TERM=1      ignore SIGTERM
//   NO_FILE=1          end with 0 without writing the output
//   NO_FINAL_NEWLINE=1 the last line has no line end (Windows texts)
//   KILL_PARENT=1      kill the process that started it
//   ARGV_FILE=path     append the arguments to path, one a line, then "--"
//   CWD_FILE=path      append the folder it runs in to path, one a line
//   ENV_FILE=path      append EPOCROOT, PLATFORM and TARGET as it sees them to path
// A test key whose file holds "ENCRYPTED:<passphrase>" wants that passphrase.
#include "tool_double.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

using namespace double_tool;

int main(int argc, char** argv) {
    std::string name = argv[0];
    name = name.substr(name.rfind('/') + 1);
    g_tool = name == "signsis" ? "SIGNSIS" : "MAKESIS";
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (setting("IGNORE_TERM") == "1")
        std::signal(SIGTERM, SIG_IGN);
    if (const std::string file = setting("ARGV_FILE"); !file.empty()) {
        std::ofstream record(file, std::ios::app);
        for (const std::string& arg : args)
            record << arg << "\n";
        record << "--\n";
    }
    if (const std::string file = setting("CWD_FILE"); !file.empty()) {
        char folder[4096] = "?";
        std::ofstream(file, std::ios::app)
            << (::getcwd(folder, sizeof folder) ? folder : "?") << "\n";
    }
    if (const std::string file = setting("ENV_FILE"); !file.empty()) {
        std::ofstream record(file, std::ios::app);
        for (const char* name : {"EPOCROOT", "PLATFORM", "TARGET"}) {
            const char* value = std::getenv(name);
            record << name << "=" << (value ? value : "(unset)") << "\n";
        }
    }
    if (g_tool == "SIGNSIS")
        return signsis(args);
    return linuxTools() ? makesisLinux(args) : makesisWindows(args);
}
