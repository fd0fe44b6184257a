#include "cli/command.h"
#include "cli/package_json.h"
#include "document/messages.h"
#include "model/package_reader.h"
#include "model/package_writer.h"

#include <ostream>

namespace tb::cli {

namespace {

bool load(const std::string& path, std::unique_ptr<Package>& package, std::ostream& err) {
    ErrorCode code = LoadPackage(path, package);
    if (code == err::kOk)
        return true;
    PrintMessage(err, messages::OpenMessage(code));
    return false;
}

// The program ends right after a command: taking a large package apart item by item costs
// about as much as writing it, for memory the system takes back anyway. The package kept
// before goes when another is kept (tests run many commands in one process).
void keepUntilExit(std::unique_ptr<Package> package) {
    static auto* kept = new std::unique_ptr<Package>();
    *kept = std::move(package);
}

} // namespace

int RunRewrite(const Arguments& args, std::ostream&, std::ostream& err) {
    std::unique_ptr<Package> package;
    if (!load(args.positionals[0], package, err))
        return kExitFailure;
    ErrorCode code = WritePackage(*package, args.positionals[1]);
    keepUntilExit(std::move(package));
    if (code == err::kOk)
        return kExitOk;
    PrintMessage(err, messages::SaveMessage(code));
    return kExitFailure;
}

int RunDump(const Arguments& args, std::ostream& out, std::ostream& err) {
    std::unique_ptr<Package> package;
    if (!load(args.positionals[0], package, err))
        return kExitFailure;
    out << PackageToJson(*package);
    return kExitOk;
}

} // namespace tb::cli
