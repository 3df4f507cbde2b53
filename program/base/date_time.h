// Local date and time in whole seconds: the value clocks, counts and alarms
// compute with. Proleptic Gregorian calendar, no time zone of its own.
//
// Every value the program shows lies between 0100-01-01 00:00:00 and
// 9999-12-31 23:59:59. The functions here never leave that range: inputs with
// fields out of place are clamped first (month into 1..12, day into the
// month, ...), and a sum that would pass an end of the range stops at that end.
#pragma once

#include <compare>
#include <cstdint>

namespace tbq {

struct DateTime {
    int year = 100, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;

    // Field order is significance order, so the defaulted comparison is chronological.
    auto operator<=>(const DateTime&) const = default;
};

inline constexpr DateTime kMinDateTime{100, 1, 1, 0, 0, 0};
inline constexpr DateTime kMaxDateTime{9999, 12, 31, 23, 59, 59};

enum class DateUnit { Year, Month, Day, Hour, Minute, Second };

bool IsLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// True when every field is in place and the value lies in the range.
bool IsValid(const DateTime& t);
// Each field moved to its nearest allowed value, year into 100..9999 first.
DateTime Clamped(const DateTime& t);

// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(const DateTime& t);
// 1..366.
int DayOfYear(const DateTime& t);

// Seconds since 1970-01-01 00:00:00 (negative before), and back (clamped to the range).
std::int64_t ToSerialSeconds(const DateTime& t);
DateTime FromSerialSeconds(std::int64_t seconds);

// Calendar addition. Years and months keep the day where the target month has
// it and take the month's last day otherwise (31 Jan + 1 month = end of Feb,
// 29 Feb + 1 year = 28 Feb); days and smaller units are exact.
DateTime Add(DateUnit unit, std::int64_t amount, const DateTime& t);

// Unit boundaries crossed going from `from` to `to` (negative when `to` is
// earlier): YearsBetween(2026-12-31, 2027-01-01) is 1, and so is
// HoursBetween(10:59:59, 11:00:00). Adding the result to `from` therefore never
// passes `to`, which is what keeps offsets inside the range.
std::int64_t Between(DateUnit unit, const DateTime& from, const DateTime& to);

inline DateTime AddYears(const DateTime& t, std::int64_t n) { return Add(DateUnit::Year, n, t); }
inline DateTime AddMonths(const DateTime& t, std::int64_t n) { return Add(DateUnit::Month, n, t); }
inline DateTime AddDays(const DateTime& t, std::int64_t n) { return Add(DateUnit::Day, n, t); }
inline DateTime AddHours(const DateTime& t, std::int64_t n) { return Add(DateUnit::Hour, n, t); }
inline DateTime AddMinutes(const DateTime& t, std::int64_t n) {
    return Add(DateUnit::Minute, n, t);
}
inline DateTime AddSeconds(const DateTime& t, std::int64_t n) {
    return Add(DateUnit::Second, n, t);
}

inline std::int64_t YearsBetween(const DateTime& a, const DateTime& b) {
    return Between(DateUnit::Year, a, b);
}
inline std::int64_t MonthsBetween(const DateTime& a, const DateTime& b) {
    return Between(DateUnit::Month, a, b);
}
inline std::int64_t DaysBetween(const DateTime& a, const DateTime& b) {
    return Between(DateUnit::Day, a, b);
}
inline std::int64_t HoursBetween(const DateTime& a, const DateTime& b) {
    return Between(DateUnit::Hour, a, b);
}
inline std::int64_t MinutesBetween(const DateTime& a, const DateTime& b) {
    return Between(DateUnit::Minute, a, b);
}
inline std::int64_t SecondsBetween(const DateTime& a, const DateTime& b) {
    return Between(DateUnit::Second, a, b);
}

// Adds `amount` units, first cut so that the result stays inside the range
// with the rest of the value kept (2026-06-15 + 20000 years = 9999-06-15).
DateTime AddWithinRange(DateUnit unit, std::int64_t amount, const DateTime& t);

}  // namespace tbq
