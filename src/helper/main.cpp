// TBBuildHelper: builds (and signs) one package with the SDK's tools for the program.
//   TBBuildHelper <epocroot> <package file> <output file> [-s <certificate> <key> [<passphrase>]]
// Exit codes: 0 the .sis file was produced (and signed when asked), 1 a tool failed,
// 2 wrong arguments, 3 cancelled, 4 a tool is missing.

#include "buildengine/build_signal.h"
#include "helper/output_relay.h"
#include "helper/tool_run.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using tbhelper::OutputRelay;
using tbhelper::ToolResult;

enum ExitCode { kSuccess = 0, kFailed = 1, kUsage = 2, kCancelled = 3, kToolMissing = 4 };

struct Arguments {
    std::string epocRoot;
    std::string packageFile;
    std::string outputFile;
    bool sign = false;
    std::string certificate;
    std::string privateKey;
    std::string passphrase; // never printed
};

// The tools run in the package file's folder, so every path they get must not depend on the
// helper's own.
std::string absolute(const std::string& path) {
    if (path.empty() || path[0] == '/')
        return path;
    std::string folder(4096, '\0');
    if (!::getcwd(folder.data(), folder.size()))
        return path;
    folder.resize(std::strlen(folder.c_str()));
    return folder + (folder.back() == '/' ? "" : "/") + path;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

// makesis takes every argument before the package file that starts with '-' or '/' for a
// switch, so it gets the file by its bare name from inside its folder.
std::string bareName(const std::string& path) {
    std::string name = path.substr(path.rfind('/') + 1);
    return name[0] == '-' ? "./" + name : name;
}

bool parseArguments(int argc, char** argv, Arguments& out) {
    if (argc != 4 && argc != 7 && argc != 8)
        return false;
    out.epocRoot = argv[1];
    out.packageFile = absolute(argv[2]);
    out.outputFile = absolute(argv[3]);
    if (out.packageFile.empty() || out.packageFile.back() == '/' || out.outputFile.empty())
        return false;
    if (argc == 4)
        return true;
    if (std::strcmp(argv[4], "-s") != 0)
        return false;
    out.sign = true;
    out.certificate = absolute(argv[5]);
    out.privateKey = absolute(argv[6]);
    if (argc == 8)
        out.passphrase = argv[7];
    return true;
}

bool isNonEmptyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
}

std::string describe(const std::string& tool, const ToolResult& result) {
    switch (result.kind) {
    case ToolResult::Kind::Exited:
        return tool + " ended with exit code " + std::to_string(result.value);
    case ToolResult::Kind::Signalled:
        return tool + " was ended by signal " + std::to_string(result.value);
    case ToolResult::Kind::StartFailed:
        return tool + " could not be started: " + std::strerror(result.value);
    case ToolResult::Kind::Cancelled:
        break;
    }
    return tool + " was cancelled";
}

class Build {
public:
    Build(Arguments arguments, OutputRelay& relay)
        : args_(std::move(arguments)), relay_(relay),
          cancel_(tb::BuildSignal::fromEnvironment(tb::kCancelBuildEvent)) {}

    int run();

private:
    std::string findTool(const std::string& name);
    // A build that does not succeed leaves no file behind that could pass for its result.
    int fail(int code) {
        ::unlink(args_.outputFile.c_str());
        if (!signingFile_.empty())
            ::unlink(signingFile_.c_str());
        return code;
    }
    int toolFailed(const std::string& tool, const ToolResult& result) {
        if (result.kind == ToolResult::Kind::Cancelled)
            return fail(kCancelled);
        relay_.line(describe(tool, result));
        return fail(kFailed);
    }

    Arguments args_;
    OutputRelay& relay_;
    tb::BuildSignal cancel_;
    std::string signingFile_;
};

std::string Build::findTool(const std::string& name) {
    std::string path = absolute(tbhelper::FindTool(args_.epocRoot, name));
    if (path.empty())
        relay_.line("Error, can not find " + name + " in '" + args_.epocRoot +
                    "/epoc32/tools' or on the PATH");
    return path;
}

int Build::run() {
    const std::string makesis = findTool("makesis");
    if (makesis.empty())
        return kToolMissing;
    std::string signsis;
    if (args_.sign && (signsis = findTool("signsis")).empty())
        return kToolMissing;

    // An old file must not pass for the new one when makesis writes nothing.
    ::unlink(args_.outputFile.c_str());
    ToolResult result =
        tbhelper::RunTool(makesis, {"-v", bareName(args_.packageFile), args_.outputFile},
                          folderOf(args_.packageFile), cancel_, relay_);
    if (!result.succeeded())
        return toolFailed("makesis", result);
    if (!isNonEmptyFile(args_.outputFile)) {
        relay_.line("Error, makesis did not write '" + args_.outputFile + "'");
        return fail(kFailed);
    }
    tb::BuildSignal::fromEnvironment(tb::kBuildCompletedEvent).signal();
    if (!args_.sign)
        return kSuccess;

    relay_.line("SIGNSIS " + args_.outputFile);
    signingFile_ = args_.outputFile + ".signing-" + std::to_string(::getpid()) + ".sis";
    ::unlink(signingFile_.c_str());
    std::vector<std::string> signArguments{"-s", args_.outputFile, signingFile_, args_.certificate,
                                           args_.privateKey};
    if (!args_.passphrase.empty())
        signArguments.push_back(args_.passphrase);
    result = tbhelper::RunTool(signsis, signArguments, {}, cancel_, relay_);
    if (!result.succeeded())
        return toolFailed("signsis", result);
    // Signing tools have been seen to end with 0 without writing anything.
    if (!isNonEmptyFile(signingFile_)) {
        relay_.line("Error, signsis did not write the signed package");
        return fail(kFailed);
    }
    if (::rename(signingFile_.c_str(), args_.outputFile.c_str()) != 0) {
        relay_.line("Error, can not replace '" + args_.outputFile +
                    "' with the signed package: " + std::strerror(errno));
        return fail(kFailed);
    }
    signingFile_.clear();
    tb::BuildSignal::fromEnvironment(tb::kSigningCompletedEvent).signal();
    return kSuccess;
}

} // namespace

int main(int argc, char** argv) {
    OutputRelay relay(STDOUT_FILENO);
    Arguments arguments;
    if (!parseArguments(argc, argv, arguments)) {
        relay.line("Usage: TBBuildHelper <epocroot> <package file> <output file> "
                   "[-s <certificate> <private key> [<passphrase>]]");
        return kUsage;
    }
    return Build(std::move(arguments), relay).run();
}
