#include "buildengine/build_output_log.h"
#include "buildengine/build_validator.h"
#include "cli/cli_session.h"
#include "cli/command.h"
#include "document/messages.h"
#include "model/tables.h"
#include "util/numbers.h"
#include "util/path.h"
#include "util/text_convert.h"

#include <ostream>
#include <sstream>

namespace tb::cli {

namespace {

bool parseLanguages(const std::string& list, std::vector<uint32_t>& languages) {
    languages.clear();
    std::stringstream in(list);
    for (std::string code; std::getline(in, code, ',');) {
        int32_t number = LanguageFromCode(utf8ToWide(code));
        if (number < 0)
            return false;
        languages.push_back(uint32_t(number));
    }
    return !languages.empty();
}

bool parseIndex(const std::optional<std::string>& text, uint32_t& value) {
    return !text || parseUnsigned(utf8ToWide(*text), 10, value);
}

} // namespace

int RunNew(const Arguments& args, std::ostream& out, std::ostream& err) {
    auto location = args.option("location");
    if (!location) {
        err << "tinderbridge-cli new: --location is required\n";
        return kExitUsage;
    }
    NewPackageRequest request;
    request.name = utf8ToWide(args.positionals[0]);
    request.location = *location;
    request.createDirectory = args.flag("create-directory");
    if (auto type = args.option("type")) {
        int32_t value = PackageTypeFromKeyword(utf8ToWide(*type));
        if (value < 0 || value >= kPackageTypeCount) {
            err << "tinderbridge-cli new: the type must be SA, SP, PU, PA or PP\n";
            return kExitUsage;
        }
        request.type = PackageType(value);
    }
    if (auto languages = args.option("languages");
        languages && !parseLanguages(*languages, request.languages)) {
        err << "tinderbridge-cli new: unknown language code in '" << *languages << "'\n";
        return kExitUsage;
    }
    uint32_t current = 0, device = 0;
    if (!parseIndex(args.option("current-language"), current) ||
        current >= request.languages.size()) {
        err << "tinderbridge-cli new: --current-language must be a position in the language "
               "list, from 0\n";
        return kExitUsage;
    }
    if (!parseIndex(args.option("device"), device) || device >= uint32_t(kPlatformCount) ||
        device == 6 || device == 7) {
        err << "tinderbridge-cli new: --device must be 0-5, 8 or 9\n";
        return kExitUsage;
    }
    request.currentLanguage = current;
    request.targetDevice = int32_t(device);

    if (auto problem = CheckNewPackage(request)) {
        PrintMessage(err, *problem);
        return kExitFailure;
    }
    Session session;
    if (ErrorCode code = session.document.create(request); code != err::kOk) {
        PrintMessage(err, messages::CreateMessage(code));
        return kExitFailure;
    }
    out << session.document.filePath() << '\n';
    return kExitOk;
}

int RunValidate(const Arguments& args, std::ostream& out, std::ostream& err) {
    Session session;
    if (!session.open(args.positionals[0], err))
        return kExitFailure;
    BuildOutputLog log;
    BuildValidator validator(*session.document.package(), log,
                             fromHostPath(session.document.folder()));
    bool valid = validator.validate();
    PrintText(out, log.read());
    return valid ? kExitOk : kExitFailure;
}

int RunExport(const Arguments& args, std::ostream& out, std::ostream& err) {
    const std::string& output = args.positionals[1];
    if (output.empty()) {
        PrintMessage(err, messages::kExportNoOutputFile);
        return kExitFailure;
    }
    if (output.front() != '/') {
        PrintMessage(err, messages::kExportRelativeOutputFile);
        return kExitFailure;
    }
    Session session;
    if (!session.open(args.positionals[0], err) || !session.configure(args, err))
        return kExitFailure;
    const BuildConfiguration& c = session.configuration;
    ErrorCode code = session.document.exportTo(*c.currentSdk(), c.platform(), c.target(), output);
    if (code != err::kOk) {
        PrintMessage(err, messages::ExportMessage(code));
        return kExitFailure;
    }
    PrintMessage(out, WideText(messages::kExportSucceeded) + utf8ToWide(output) + u"'");
    return kExitOk;
}

} // namespace tb::cli
