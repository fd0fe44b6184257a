#include "util/date_time.h"

#include <ctime>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

namespace tb {

namespace {

constexpr int64_t kTicksPerMillisecond = 10'000;
constexpr int64_t kTicksPerDay = 86'400'000LL * kTicksPerMillisecond;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kDaysBefore1970 = 134'774;
// Largest stamp we produce: the all-ones value means "no stamp" in stored text.
constexpr uint64_t kMaxStamp = UINT64_MAX - 1;

// Days since 1970-01-01 of a proleptic Gregorian date (months outside 1-12 carry over).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y += (m - 1 >= 0 ? (m - 1) / 12 : (m - 12) / 12);
    m = ((m - 1) % 12 + 12) % 12 + 1;
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2);
}

WideText fromIcu(const icu::UnicodeString& s) {
    return WideText(s.getBuffer(), static_cast<size_t>(s.length()));
}

WideText numberText(unsigned value, int minDigits) {
    WideText digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    while (digits.size() < static_cast<size_t>(minDigits))
        digits.insert(digits.begin(), u'0');
    return digits;
}

// ICU pattern letters onto the d/M/y letters of the short date table: ICU's "y" and "yyy"
// mean the whole year, "E" is the weekday and "L" the stand-alone month. Quoted literals are
// kept as they are.
WideText fromIcuPattern(std::u16string_view icu) {
    WideText out;
    bool quoted = false;
    for (size_t i = 0; i < icu.size();) {
        const char16_t c = icu[i];
        size_t run = 1;
        while (i + run < icu.size() && icu[i + run] == c)
            ++run;
        if (c == u'\'') {
            if (run % 2)
                quoted = !quoted;
            out.append(run, c);
        } else if (quoted) {
            out.append(run, c);
        } else if (c == u'y') {
            out.append(run == 2 ? 2 : 4, u'y');
        } else if (c == u'E' || c == u'c') {
            out.append(run >= 4 ? 4 : 3, u'd');
        } else if (c == u'L') {
            out.append(run, u'M');
        } else {
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

DateNames loadDateNames() {
    DateNames names;
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(icu::Locale::getDefault(), status);
    if (U_SUCCESS(status)) {
        int32_t count = 0;
        // Weekday arrays are indexed by UCAL_SUNDAY (1) to UCAL_SATURDAY (7).
        const icu::UnicodeString* shortDays = symbols.getShortWeekdays(count);
        for (int32_t i = 1; i < count && i <= 7; ++i)
            names.shortWeekdays[i - 1] = fromIcu(shortDays[i]);
        const icu::UnicodeString* longDays = symbols.getWeekdays(count);
        for (int32_t i = 1; i < count && i <= 7; ++i)
            names.longWeekdays[i - 1] = fromIcu(longDays[i]);
        const icu::UnicodeString* shortMonths = symbols.getShortMonths(count);
        for (int32_t i = 0; i < count && i < 12; ++i)
            names.shortMonths[i] = fromIcu(shortMonths[i]);
        const icu::UnicodeString* longMonths = symbols.getMonths(count);
        for (int32_t i = 0; i < count && i < 12; ++i)
            names.longMonths[i] = fromIcu(longMonths[i]);
        return names;
    }
    static constexpr const char16_t* kDays[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                                u"Thursday", u"Friday", u"Saturday"};
    static constexpr const char16_t* kMonths[] = {
        u"January", u"February", u"March",     u"April",   u"May",      u"June",
        u"July",    u"August",   u"September", u"October", u"November", u"December"};
    for (int i = 0; i < 7; ++i) {
        names.longWeekdays[i] = kDays[i];
        names.shortWeekdays[i] = names.longWeekdays[i].substr(0, 3);
    }
    for (int i = 0; i < 12; ++i) {
        names.longMonths[i] = kMonths[i];
        names.shortMonths[i] = names.longMonths[i].substr(0, 3);
    }
    return names;
}

} // namespace

DateTime DateTime::now() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    if (!::localtime_r(&ts.tv_sec, &local))
        return fromStamp(0);
    return fromFields(static_cast<uint16_t>(local.tm_year + 1900),
                      static_cast<uint16_t>(local.tm_mon + 1), static_cast<uint16_t>(local.tm_mday),
                      static_cast<uint16_t>(local.tm_hour), static_cast<uint16_t>(local.tm_min),
                      static_cast<uint16_t>(local.tm_sec),
                      static_cast<uint16_t>(ts.tv_nsec / 1'000'000));
}

DateTime DateTime::fromStamp(uint64_t stamp) {
    DateTime dt;
    dt.stamp = stamp;
    const auto days = static_cast<int64_t>(stamp / kTicksPerDay);
    const auto ms = static_cast<int64_t>(stamp % kTicksPerDay) / kTicksPerMillisecond;
    int64_t y = 0, m = 0, d = 0;
    civilFromDays(days - kDaysBefore1970, y, m, d);
    dt.year = static_cast<uint16_t>(y);
    dt.month = static_cast<uint16_t>(m);
    dt.day = static_cast<uint16_t>(d);
    dt.hour = static_cast<uint16_t>(ms / 3'600'000);
    dt.minute = static_cast<uint16_t>(ms / 60'000 % 60);
    dt.second = static_cast<uint16_t>(ms / 1000 % 60);
    dt.millisecond = static_cast<uint16_t>(ms % 1000);
    dt.dayOfWeek = static_cast<uint32_t>((days + 1) % 7); // 1601-01-01 was a Monday
    return dt;
}

DateTime DateTime::fromFields(uint16_t year, uint16_t month, uint16_t day, uint16_t hour,
                              uint16_t minute, uint16_t second, uint16_t millisecond) {
    const int64_t days = daysFromCivil(year, month, day) + kDaysBefore1970;
    const int64_t ms = ((int64_t{hour} * 60 + minute) * 60 + second) * 1000 + int64_t{millisecond};
    // Whole milliseconds of the moment; clamped to the range a stamp can hold.
    const int64_t totalMs = days * 86'400'000LL + ms;
    if (totalMs <= 0)
        return fromStamp(0);
    const auto ticks = static_cast<uint64_t>(totalMs);
    if (ticks > kMaxStamp / kTicksPerMillisecond)
        return fromStamp(kMaxStamp / kTicksPerMillisecond * kTicksPerMillisecond);
    return fromStamp(ticks * kTicksPerMillisecond);
}

WideText LocaleShortDatePattern() {
    std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateInstance(icu::DateFormat::kShort, icu::Locale::getDefault()));
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
    if (!simple)
        return u"yyyy-MM-dd";
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return fromIcuPattern(fromIcu(pattern));
}

const DateNames& LocaleDateNames() {
    static const DateNames names = loadDateNames();
    return names;
}

WideText FormatShortDate(const DateTime& dateTime) {
    return FormatShortDate(dateTime, LocaleShortDatePattern(), LocaleDateNames());
}

WideText FormatShortDate(const DateTime& dateTime, std::u16string_view pattern,
                         const DateNames& names) {
    WideText out;
    const size_t weekday = dateTime.dayOfWeek % 7;
    const bool monthValid = dateTime.month >= 1 && dateTime.month <= 12;
    for (size_t i = 0; i < pattern.size();) {
        const char16_t c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        i += run;
        if (c == u'd') {
            if (run <= 2)
                out += numberText(dateTime.day, static_cast<int>(run));
            else if (run == 3)
                out += names.shortWeekdays[weekday];
            else if (run == 4)
                out += names.longWeekdays[weekday];
        } else if (c == u'M') {
            if (run <= 2)
                out += numberText(dateTime.month, static_cast<int>(run));
            else if (run == 3 && monthValid)
                out += names.shortMonths[dateTime.month - 1];
            else if (run == 4 && monthValid)
                out += names.longMonths[dateTime.month - 1];
        } else if (c == u'y') {
            if (run == 1)
                out += numberText(dateTime.year % 10, 1);
            else if (run == 2)
                out += numberText(dateTime.year % 100, 2);
            else if (run == 4)
                out += numberText(dateTime.year, 1);
        } else {
            out.append(run, c);
        }
    }
    return out;
}

} // namespace tb
