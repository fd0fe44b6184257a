#include "cli/cli_session.h"

#include "cli/command.h"
#include "document/messages.h"
#include "util/text_convert.h"

#include <ostream>

namespace tb::cli {

bool Session::open(const std::string& path, std::ostream& err) {
    ErrorCode code = document.open(path, false);
    if (code != err::kOk)
        PrintMessage(err, messages::OpenMessage(code));
    return code == err::kOk;
}

namespace {

template <class Value, class Name>
bool choose(const std::optional<std::string>& given, int32_t count, Name name, Value& out) {
    if (!given)
        return true;
    for (int32_t i = 0; i < count; ++i) {
        if (wideToUtf8(name(Value(i))) == *given) {
            out = Value(i);
            return true;
        }
    }
    return false;
}

} // namespace

bool Session::configure(const Arguments& args, std::ostream& err) {
    if (configuration.sdkCount() == 0) {
        PrintMessage(err, messages::kNoSdk);
        return false;
    }
    if (auto id = args.option("sdk")) {
        size_t position = 0;
        while (position < configuration.sdkCount() &&
               wideToUtf8(configuration.sdkAt(position)->id) != *id)
            ++position;
        if (position == configuration.sdkCount()) {
            err << "tinderbridge-cli: no SDK with the id '" << *id
                << "'; 'tinderbridge-cli sdks' lists them\n";
            return false;
        }
        configuration.selectSdk(position);
    }
    BuildPlatform platform = configuration.platform();
    if (!choose(args.option("platform"), kBuildPlatformCount, BuildPlatformName, platform)) {
        err << "tinderbridge-cli: the platform must be armv5, gcce or winscw\n";
        return false;
    }
    BuildTarget target = configuration.target();
    if (!choose(args.option("target"), kBuildTargetCount, BuildTargetName, target)) {
        err << "tinderbridge-cli: the target must be urel or udeb\n";
        return false;
    }
    configuration.setPlatform(platform);
    configuration.setTarget(target);
    return true;
}

} // namespace tb::cli
