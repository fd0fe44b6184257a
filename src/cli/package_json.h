#pragma once

#include "model/package.h"

#include <string>

namespace tb {

// The package model as JSON: field names as in the model, per-language texts as arrays, the
// installation sequence as nested "items"/"children" arrays.
std::string PackageToJson(const Package& package);

} // namespace tb
