#pragma once

#include "util/wide_text.h"

#include <string_view>

namespace tb {

// Where the build goes. The package's own folder is stored as an empty output folder, so a
// package moved or copied elsewhere builds next to itself; any other folder is stored as
// chosen. packageFolder is the package file's host folder.

// True for the package's folder: an empty text, or the folder itself written with either
// separator, final separators or not.
bool IsPackageOutputFolder(std::u16string_view stored, std::u16string_view packageFolder);

// What "Create build in:" stores: empty for "Project folder", and for a custom folder that is
// the package's folder; the custom text otherwise.
WideText StoredOutputFolder(bool custom, std::u16string_view customFolder,
                            std::u16string_view packageFolder);

} // namespace tb
