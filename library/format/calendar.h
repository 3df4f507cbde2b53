// Calendar arithmetic of the extended format: day of the year, Julian date,
// the sexagenary cycle and era lookup. Every function takes any field values a
// caller's record can hold (0 to 65535) and returns table indexes that are
// always in range, or -1 where there is nothing to show.
#pragma once

#include <cstdint>

#include "format/tables.h"
#include "format/time_record.h"

namespace tbq::format {

// year*10000 + month*100 + day, the key all era tables compare with.
constexpr int64_t DateKey(const TimeRecord& t) {
    return int64_t{t.year} * 10000 + int64_t{t.month} * 100 + t.day;
}

// Gregorian leap rule, applied to every year (also before 1582).
constexpr bool IsLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The day plus the lengths of the earlier months. A month above 12 counts the
// whole year before its day, month 0 none.
int64_t DayOfYear(const TimeRecord& t);

// Julian date at the record's time of day (whole seconds); Julian calendar up
// to 1582-10-14, Gregorian after it.
double JulianDate(const TimeRecord& t);

inline double ModifiedJulianDate(const TimeRecord& t) { return JulianDate(t) - 2400000.5; }

// The whole day the modified Julian date falls in, the count the day's stem
// and branch run on.
int64_t DayNumber(const TimeRecord& t);

// Indexes into tables::kStems (0-9) and tables::kBranches (0-11).
constexpr int YearStem(int64_t year) { return static_cast<int>(year % 10); }
constexpr int YearBranch(int64_t year) { return static_cast<int>(year % 12); }
int MonthStem(int64_t year, int64_t month);
constexpr int MonthBranch(int64_t month) { return static_cast<int>((month + 5) % 12); }
int DayStem(int64_t dayNumber);
int DayBranch(int64_t dayNumber);
// -1 for an hour above 23.
int DoubleHourBranch(int64_t hour);

// The modern era a date falls in, or null before 1868-01-25.
const tables::ModernEra* FindModernEra(int64_t key);

// Row of tables::FullEras() for a date: 0 ("西暦") before 645-06-19 and for
// keys from the end marker on.
int FindEraRow(int64_t key);
int64_t EraYear(int row, int64_t year);

}  // namespace tbq::format
