#include "buildengine/sdk_list.h"
#include "cli/command.h"
#include "util/text_convert.h"

#include <ostream>

namespace tb::cli {

int RunSdks(const Arguments&, std::ostream& out, std::ostream&) {
    for (const SdkInfo& sdk : DiscoverSdks())
        out << wideToUtf8(sdk.id) << '\t' << wideToUtf8(sdk.name) << '\t'
            << wideToUtf8(sdk.epocRoot) << '\n';
    return kExitOk;
}

} // namespace tb::cli
