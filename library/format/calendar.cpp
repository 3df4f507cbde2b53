#include "format/calendar.h"

#include <algorithm>
#include <cmath>

namespace tbq::format {
namespace {

constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Remainder in 0..m-1 also for negative values.
constexpr int Wrap(int64_t value, int m) {
    const int64_t r = value % m;
    return static_cast<int>(r < 0 ? r + m : r);
}

}  // namespace

int64_t DayOfYear(const TimeRecord& t) {
    const int earlier = std::min<int>(t.month, 13) - 1;  // never past December
    int64_t days = t.day;
    for (int i = 0; i < earlier; ++i) days += kMonthLength[i];
    if (earlier >= 2 && IsLeapYear(t.year)) ++days;
    return days;
}

double JulianDate(const TimeRecord& t) {
    int64_t y = t.year;
    int64_t m = t.month;
    if (m < 3) {
        y -= 1;
        m += 13;
    } else {
        m += 1;
    }
    // The Gregorian correction applies from the day the calendar changed.
    const bool gregorian = DateKey(t) > 1582'10'14;
    // Truncating division that still counts year 0 (and 1 BC) as a leap year.
    const int64_t leapDays = y > 0 ? y / 4 : (y - 3) / 4;
    int64_t n = 365 * y + leapDays + 30 * m + (3 * m) / 5 + t.day + 1720994;
    if (gregorian) n += y / 400 - y / 100 + 2;
    const int64_t seconds = int64_t{t.hour} * 3600 + int64_t{t.minute} * 60 + t.second;
    return static_cast<double>(n) + 0.5 + static_cast<double>(seconds) / 86400.0;
}

int64_t DayNumber(const TimeRecord& t) {
    // Rounded down, not toward zero: before 1858-11-17 the modified Julian
    // date is negative, and truncating would move every time after midnight
    // into the following day's stem and branch.
    return static_cast<int64_t>(std::floor(ModifiedJulianDate(t)));
}

int MonthStem(int64_t year, int64_t month) {
    // The first month's stem follows the year's stem: years ending in 1 or 6
    // start at 庚 (index 0), in 2 or 7 at 壬, and so on.
    static constexpr int kBase[10] = {8, 0, 2, 4, 6, 8, 0, 2, 4, 6};
    return Wrap(Wrap(month - 1, 10) + kBase[Wrap(year, 10)], 10);
}

int DayStem(int64_t dayNumber) { return Wrap(Wrap(dayNumber, 10) + 4, 10); }

int DayBranch(int64_t dayNumber) { return Wrap(Wrap(dayNumber, 12) + 6, 12); }

int DoubleHourBranch(int64_t hour) {
    if (hour < 0 || hour > 23) return -1;
    // 子 (index 4) covers 23:00-0:59; each later branch two hours.
    return Wrap((hour + 1) / 2 + 4, 12);
}

const tables::ModernEra* FindModernEra(int64_t key) {
    const tables::ModernEra* found = nullptr;
    for (const auto& era : tables::kModernEras) {
        if (era.start <= key) found = &era;
    }
    return found;
}

int FindEraRow(int64_t key) {
    if (key >= tables::kEraEndMarker) return 0;
    const auto eras = tables::FullEras();
    // First row that starts after the key; the one before it holds the date.
    const auto after = std::upper_bound(
        eras.begin(), eras.end(), key, [](int64_t k, const tables::Era& e) { return k < e.start; });
    return static_cast<int>(after - eras.begin()) - 1;
}

int64_t EraYear(int row, int64_t year) {
    if (row <= 0 || row >= tables::kEraCount) return year;
    return year - tables::FullEras()[static_cast<size_t>(row)].start / 10000 + 1;
}

}  // namespace tbq::format
