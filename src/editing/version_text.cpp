#include "editing/version_text.h"

#include "util/format.h"
#include "util/numbers.h"

#include <limits>

namespace tb {

std::optional<int32_t> ParseVersionComponent(std::u16string_view text) {
    if (text.empty())
        return 0;
    uint32_t value = 0;
    if (!parseUid(text, value) || value > uint32_t(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return int32_t(value);
}

std::optional<uint32_t> ParseUidText(std::u16string_view text) {
    uint32_t value = 0;
    if (!parseUid(text, value) || value == 0)
        return std::nullopt;
    return value;
}

WideText UidText(uint32_t uid) {
    return format(u"0x%x", {uid});
}

} // namespace tb
