// Calendar arithmetic over its whole range, against std::chrono and the
// Julian calendar counted day by day.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "format/calendar.h"
#include "format/format_test_support.h"

namespace tbq::format::test {
namespace {

using namespace std::chrono;

// The Julian day number (noon) of a proleptic Gregorian date.
int64_t Jdn(const year_month_day& date) {
    return sys_days{date}.time_since_epoch().count() + 2440588;
}

TimeRecord Record(const year_month_day& date, int hour = 0) {
    return At(int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())), hour);
}

TEST(ExFormatCalendar, GregorianDatesAgreeWithChrono) {
    // Every day from the calendar change to the last four-digit year.
    for (sys_days d = sys_days{1582y / October / 15}; d <= sys_days{9999y / December / 31};
         d += days{1}) {
        const year_month_day date{d};
        const TimeRecord t = Record(date);
        ASSERT_EQ(JulianDate(t), double(Jdn(date)) - 0.5) << int(date.year());
        const auto jan1 = sys_days{date.year() / January / 1};
        ASSERT_EQ(DayOfYear(t), (d - jan1).count() + 1) << int(date.year());
        // The day's place in the sixty-day cycle, anchored at 1949-10-01 (甲子).
        const int64_t cycle = (Jdn(date) + 49) % 60;
        ASSERT_EQ(DayStem(DayNumber(t)), (cycle + 4) % 10);
        ASSERT_EQ(DayBranch(DayNumber(t)), (cycle + 4) % 12);
    }
}

TEST(ExFormatCalendar, JulianCalendarRunsWithoutGapsUpToTheChange) {
    // Counted in the Julian calendar from 1 January of year 1 (JD 1721423.5)
    // to 4 October 1582, whose next day is the Gregorian 15 October.
    static constexpr int kLength[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    double expected = 1721423.5;
    int year = 1, month = 1, day = 1;
    for (;;) {
        TimeRecord t{uint16_t(year), uint16_t(month), 0, uint16_t(day), 0, 0, 0, 0};
        ASSERT_EQ(JulianDate(t), expected) << year << "-" << month << "-" << day;
        // Also in the afternoon, when the modified Julian date is still negative.
        t.hour = 18;
        const int64_t cycle = (int64_t(expected + 0.5) + 49) % 60;
        ASSERT_EQ(DayStem(DayNumber(t)), (cycle + 4) % 10) << year << "-" << month << "-" << day;
        if (year == 1582 && month == 10 && day == 4) break;
        expected += 1;
        const int length = kLength[month] + (month == 2 && year % 4 == 0 ? 1 : 0);
        if (++day > length) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    EXPECT_EQ(expected, 2299159.5);
    EXPECT_EQ(JulianDate(At(1582, 10, 15)), 2299160.5);
    // Year 0, a leap year of the Julian count, lies 366 days before year 1.
    EXPECT_EQ(JulianDate(TimeRecord{0, 1, 0, 1, 0, 0, 0, 0}), 1721423.5 - 366);
}

TEST(ExFormatCalendar, EveryEraStartsOnItsOwnDate) {
    const auto eras = tables::FullEras();
    ASSERT_EQ(eras.size(), 241u);
    EXPECT_EQ(std::u16string(eras[239].name), u"令和");
    std::set<std::u16string_view> names;
    for (int row = 1; row < tables::kEraCount; ++row) {
        const int64_t start = eras[size_t(row)].start;
        EXPECT_TRUE(names.insert(eras[size_t(row)].name).second) << "era " << row << " twice";
        const year_month_day first{year{int(start / 10000)}, month{unsigned(start / 100 % 100)},
                                   day{unsigned(start % 100)}};
        ASSERT_TRUE(first.ok()) << start;
        const year_month_day before{sys_days{first} - days{1}};
        const TimeRecord t = Record(first);
        EXPECT_EQ(FindEraRow(DateKey(t)), row);
        EXPECT_EQ(EraYear(row, t.year), 1);
        EXPECT_EQ(FindEraRow(DateKey(Record(before))), row - 1) << start;
    }
    EXPECT_EQ(FindEraRow(DateKey(At(9999, 12, 31))), 239);
    EXPECT_EQ(FindEraRow(99999999), 0);
    EXPECT_EQ(FindEraRow(0), 0);
}

}  // namespace
}  // namespace tbq::format::test
