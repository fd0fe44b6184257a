#pragma once

#include "model/package.h"
#include "util/error_code.h"

#include <memory>
#include <string>

namespace tb {

// Loads a package file. 0 on success; -2 for any syntax error, an empty text or a text that
// defines no package; the text file reader's code when the file cannot be read.
ErrorCode LoadPackage(const std::string& filePath, std::unique_ptr<Package>& package);

// The same on text already in memory (no byte order mark).
ErrorCode ParsePackageText(std::u16string_view text, std::unique_ptr<Package>& package);

} // namespace tb
