#include "util/date_time.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

DateNames testNames() {
    DateNames names;
    const char16_t* days[] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
    for (int i = 0; i < 7; ++i) {
        names.shortWeekdays[i] = days[i];
        names.longWeekdays[i] = WideText(days[i]) + u"day";
    }
    names.shortMonths[2] = u"Mar";
    names.longMonths[2] = u"March";
    return names;
}

TEST(DateTimeTest, FormatShortDate) {
    const DateTime date = DateTime::fromFields(2010, 3, 5);
    const DateNames names = testNames();
    EXPECT_EQ(FormatShortDate(date, u"dd.MM.yyyy", names), u"05.03.2010");
    EXPECT_EQ(FormatShortDate(date, u"d/M/yy", names), u"5/3/10");
    EXPECT_EQ(FormatShortDate(date, u"y|yyy|yyyyy|ddddd|MMMMM", names), u"0||||");
    EXPECT_EQ(FormatShortDate(date, u"ddd dddd, d MMM MMMM", names), u"Fri Friday, 5 Mar March");
    EXPECT_EQ(FormatShortDate(date, u"'de' yyyy-MM-dd", names),
              u"'5e' 2010-03-05"); // quotes copied
    EXPECT_EQ(FormatShortDate(date, u"", names), u"");
    EXPECT_EQ(FormatShortDate(DateTime::fromFields(7, 1, 1), u"yyyy yy", names), u"1601 01");
}

TEST(DateTimeTest, StampsAndFields) {
    const DateTime start = DateTime::fromFields(1601, 1, 1); // a Monday
    EXPECT_EQ(std::tuple(start.stamp, start.dayOfWeek), std::tuple(0u, 1u));
    const DateTime epoch = DateTime::fromFields(1970, 1, 1); // a Thursday, as a file time
    EXPECT_EQ(std::tuple(epoch.stamp, epoch.dayOfWeek), std::tuple(116444736000000000u, 4u));
    EXPECT_EQ(DateTime::fromFields(2010, 3, 5).dayOfWeek, 5u);

    const DateTime dt = DateTime::fromFields(2024, 2, 29, 23, 59, 58, 999);
    const DateTime b = DateTime::fromStamp(dt.stamp);
    EXPECT_EQ(std::tuple(b.year, b.month, b.day, b.hour, b.minute, b.second, b.millisecond),
              std::tuple(2024, 2, 29, 23, 59, 58, 999));
    EXPECT_EQ(b.dayOfWeek, 4u);
    EXPECT_EQ(b.stamp, dt.stamp);

    const DateTime carried = DateTime::fromFields(2023, 2, 29);
    EXPECT_EQ(std::tuple(carried.month, carried.day), std::tuple(3, 1));
    EXPECT_EQ(DateTime::fromFields(9999, 12, 31).year, 9999);
    EXPECT_LT(DateTime::fromFields(65535, 12, 31).stamp, UINT64_MAX);
}

TEST(DateTimeTest, LocaleValues) {
    const DateTime now = DateTime::now();
    EXPECT_TRUE(now.year >= 2020 && DateTime::fromStamp(now.stamp).day == now.day);
    const WideText pattern = LocaleShortDatePattern();
    EXPECT_TRUE(pattern.find(u'd') != WideText::npos && pattern.find(u'E') == WideText::npos);
    EXPECT_FALSE(LocaleDateNames().longMonths[11].empty() || FormatShortDate(now).empty());
}

} // namespace
} // namespace tb
