#include "util/names.h"

#include "util/text_convert.h"

namespace tb {

namespace {

bool isReservedName(std::u16string_view name) {
    static constexpr std::u16string_view kReserved[] = {u"CON", u"PRN", u"AUX",
                                                        u"NUL", u".",   u".."};
    for (std::u16string_view reserved : kReserved) {
        if (equalsIgnoreAsciiCase(name, reserved))
            return true;
    }
    // COM1-COM9 and LPT1-LPT9; COM0 and COM10 are ordinary names.
    if (name.size() == 4 && name[3] >= u'1' && name[3] <= u'9') {
        std::u16string_view stem = name.substr(0, 3);
        return equalsIgnoreAsciiCase(stem, u"COM") || equalsIgnoreAsciiCase(stem, u"LPT");
    }
    return false;
}

} // namespace

bool IsValidName(std::u16string_view name) {
    if (name.empty())
        return false;
    if (name.find_first_of(u"<>:\"/\\?*|") != std::u16string_view::npos)
        return false;
    return !isReservedName(name);
}

bool IsValidMimeType(std::u16string_view text) {
    if (text.size() <= 3 || text.find(u'"') != std::u16string_view::npos)
        return false;
    size_t slash = text.find(u'/');
    return slash != std::u16string_view::npos && slash != 0 && slash != text.size() - 1;
}

} // namespace tb
