#pragma once

#include "buildengine/sdk_list.h"
#include "model/install_item.h"
#include "util/wide_text.h"

#include <memory>
#include <string_view>

// How files chosen on this computer enter the package.
namespace tb {

// The stored form of a chosen host file: macro form under an SDK root, else relative to the
// package's folder (a host folder, with or without its final '/'), else the path as chosen.
WideText StoredSourcePath(std::u16string_view hostPath, std::u16string_view packageFolder,
                          const SdkList& sdks);

// What "Add File(s)" and a dropped file make: an install-only file with the stored source,
// the default target for its extension and the drive left to the user.
std::unique_ptr<InstallFileItem> NewInstallFile(std::u16string_view hostPath,
                                                std::u16string_view packageFolder,
                                                const SdkList& sdks, uint32_t packageUid);

} // namespace tb
