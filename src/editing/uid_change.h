#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tb {

class FileItemBase;
struct Package;

// The target moved from the private folder of oldUid into that of newUid, the rest of the path
// kept; none for a target outside it. The folder is matched as the device does (bounded by a
// backslash, hexadecimal digits in either case), and the registration folder is never taken
// for the private folder, even in a package whose UID names it.
std::optional<WideText> MovedPrivateTarget(std::u16string_view target, uint32_t oldUid,
                                           uint32_t newUid);

struct TargetMove {
    FileItemBase* file;
    WideText target;
};

// The files at any depth of the sequence (inside options and condition branches too, null
// files included) that a change of the package's UID to newUid moves, in sequence order.
std::vector<TargetMove> PrivateFolderMoves(const Package& package, uint32_t newUid);

} // namespace tb
