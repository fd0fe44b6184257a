#pragma once

#include "buildengine/build_configuration.h"
#include "buildengine/sdk_list.h"
#include "util/path.h"
#include "util/wide_text.h"

#include <optional>
#include <string_view>

namespace tb {

inline constexpr std::u16string_view kEpocRootMacro = u"$(EPOCROOT)";
inline constexpr std::u16string_view kPlatformMacro = u"$(PLATFORM)";
inline constexpr std::u16string_view kTargetMacro = u"$(TARGET)";

// Stored package paths always use backslashes. In Posix style they are expanded with '/';
// baseFolder (the package's folder) ends with a separator.

// Absolute path of a stored path for this SDK, platform and target: macro paths under the
// SDK root, relative paths against baseFolder. Windows drive paths come back unchanged, and so
// does any path that cannot be resolved.
WideText ExpandSourcePath(std::u16string_view storedPath, std::u16string_view baseFolder,
                          const SdkInfo& sdk, BuildPlatform platform, BuildTarget target,
                          PathStyle style = PathStyle::Windows);

// "$(EPOCROOT)..." for a path under the root of the first SDK that holds it (exact case, the
// root followed by a separator or the end), with the platform and target folders right after
// \epoc32\release\ replaced by their macros. None when no SDK root holds the path.
std::optional<WideText> MacroizeSdkPath(std::u16string_view path, const SdkList& sdks,
                                        PathStyle style = PathStyle::Windows);

// The form a chosen file is stored in: macro form, else relative to baseFolder when on the same
// drive (Posix: both absolute), else the path unchanged.
WideText MakeStoredPath(std::u16string_view absolutePath, std::u16string_view baseFolder,
                        const SdkList& sdks, PathStyle style = PathStyle::Windows);

} // namespace tb
