#include "editing/file_checks.h"

#include "util/names.h"

namespace tb {

std::optional<std::u16string_view> CheckTargetName(std::u16string_view name) {
    if (name.empty())
        return kEnterTargetName;
    if (!IsValidName(name))
        return kInvalidTargetName;
    return std::nullopt;
}

std::optional<std::u16string_view> CheckMimeType(std::u16string_view mimeType) {
    if (!IsValidMimeType(mimeType))
        return kInvalidMimeType;
    return std::nullopt;
}

std::optional<size_t> FirstMissingSource(const LocalizedText& sources) {
    for (size_t i = 0; i < sources.size(); ++i)
        if (sources[i].empty())
            return i;
    return std::nullopt;
}

} // namespace tb
