#pragma once

#include "util/wide_text.h"

#include <cstdint>
#include <string_view>

namespace tb {

struct DateTime {
    uint16_t year = 1601, month = 1, day = 1;
    uint16_t hour = 0, minute = 0, second = 0, millisecond = 0;
    uint32_t dayOfWeek = 1; // 0 = Sunday
    uint64_t stamp = 0;     // 100 ns intervals since 1601-01-01 00:00

    static DateTime now();                     // local time
    static DateTime fromStamp(uint64_t stamp); // fields of the stamp as it stands
    // Fills stamp and dayOfWeek from the date and time fields. Fields out of range carry over
    // (31 February is 3 March); moments before 1601 give stamp 0.
    static DateTime fromFields(uint16_t year, uint16_t month, uint16_t day, uint16_t hour = 0,
                               uint16_t minute = 0, uint16_t second = 0, uint16_t millisecond = 0);
};

// Locale names used by FormatShortDate; index 0 = Sunday / January.
struct DateNames {
    WideText shortWeekdays[7];
    WideText longWeekdays[7];
    WideText shortMonths[12];
    WideText longMonths[12];
};

// The user's short date pattern (d, M, y letters) and names, from the locale.
WideText LocaleShortDatePattern();
const DateNames& LocaleDateNames();

WideText FormatShortDate(const DateTime& dateTime);
WideText FormatShortDate(const DateTime& dateTime, std::u16string_view pattern,
                         const DateNames& names);

} // namespace tb
