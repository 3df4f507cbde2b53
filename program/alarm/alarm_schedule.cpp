#include "alarm/alarm_schedule.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace tbq {

namespace {

constexpr std::int64_t kDay = 86400;
// A check more than this far behind the present looks no further back: a
// year and a month of calendar days, one loop pass each.
constexpr std::int64_t kLookbackDays = 400;
// An alarm with every field free runs for ever.
constexpr std::int64_t kAlways = std::numeric_limits<std::int64_t>::max() / 4;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

struct Civil {
    int year, month, day, dayOfWeek;  // dayOfWeek 0 = Sunday
};

Civil CivilFromDays(std::int64_t days) {
    using namespace std::chrono;
    const sys_days d{std::chrono::days{days}};
    const year_month_day ymd{d};
    return {static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
            static_cast<int>(unsigned(ymd.day())), static_cast<int>(weekday{d}.c_encoding())};
}

std::int64_t DaysFromCivil(int y, int m, int d) {
    using namespace std::chrono;
    return sys_days{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}}
        .time_since_epoch()
        .count();
}

// Which fields a start must have. -1 leaves an hour or minute free.
struct StartPattern {
    int year, month, day;  // as the schedule holds them
    int hour, minute, second;
};

enum class Unit { Minute, Hour, Day, Month, Year, Always };

bool DayMatches(int year, int month, int day, const Civil& c) {
    if (year != AlarmSchedule::kEveryYear && year != c.year) return false;
    if (month != AlarmSchedule::kEvery && month != c.month) return false;
    if (day == AlarmSchedule::kEveryDay) return true;
    if (day & AlarmSchedule::kWeekdays) return (day & (1 << c.dayOfWeek)) != 0;
    return day == c.day;  // 125 and 126 match no day
}

// The field mode's run: one unit of its finest fixed field.
Unit FieldUnit(const AlarmSchedule& s) {
    if (s.minute != AlarmSchedule::kEvery) return Unit::Minute;
    if (s.hour != AlarmSchedule::kEvery) return Unit::Hour;
    if (s.day != AlarmSchedule::kEveryDay) return Unit::Day;
    if (s.month != AlarmSchedule::kEvery) return Unit::Month;
    if (s.year != AlarmSchedule::kEveryYear) return Unit::Year;
    return Unit::Always;
}

StartPattern PatternOf(const AlarmSchedule& s) {
    auto freeOr = [](int v) { return v == AlarmSchedule::kEvery ? -1 : v; };
    if (!s.FieldMode()) return {s.year, s.month, s.day, freeOr(s.hour), freeOr(s.minute), s.second};
    // A field-mode run starts at the beginning of its unit.
    switch (FieldUnit(s)) {
        case Unit::Minute: return {s.year, s.month, s.day, freeOr(s.hour), s.minute, 0};
        case Unit::Hour: return {s.year, s.month, s.day, s.hour, 0, 0};
        case Unit::Day: return {s.year, s.month, s.day, 0, 0, 0};
        case Unit::Month: return {s.year, s.month, 1, 0, 0, 0};
        default: return {s.year, 1, 1, 0, 0, 0};
    }
}

std::int64_t RunEnd(const AlarmSchedule& s, std::int64_t start) {
    if (!s.FieldMode()) return start + s.duration;
    const Civil c = CivilFromDays(FloorDiv(start, kDay));
    switch (FieldUnit(s)) {
        case Unit::Minute: return start + 59;
        case Unit::Hour: return start + 3599;
        case Unit::Day: return start + kDay - 1;
        case Unit::Month: return start + DaysInMonth(c.year, c.month) * kDay - 1;
        case Unit::Year: return start + (IsLeapYear(c.year) ? 366 : 365) * kDay - 1;
        default: return kAlways;
    }
}

// The latest second of the day not after `limit` with the pattern's time.
std::optional<int> LatestTimeOnDay(const StartPattern& p, int limit) {
    const int lh = limit / 3600, lm = limit / 60 % 60, ls = limit % 60;
    if (p.hour > lh) return std::nullopt;
    for (int h = p.hour >= 0 ? p.hour : lh; h >= 0; --h) {
        const int maxMinute = h == lh ? lm : 59;
        int m = p.minute >= 0 ? p.minute : maxMinute;
        bool found = m <= maxMinute;
        if (found && h == lh && m == lm && p.second > ls) {
            // This minute's start is still to come: the minute before, if free.
            found = p.minute < 0 && m > 0;
            --m;
        }
        if (found) return h * 3600 + m * 60 + p.second;
        if (p.hour >= 0) break;
    }
    return std::nullopt;
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

bool AlarmSchedule::Valid() const {
    const bool y = year == kEveryYear || InRange(year, 100, 9999);
    const bool mo = month == kEvery || InRange(month, 1, 12);
    const bool d = InRange(day, 1, 31) || InRange(day, 125, 127) ||
                   (InRange(day, kWeekdays + 1, 255));
    const bool h = hour == kEvery || InRange(hour, 0, 23);
    const bool mi = minute == kEvery || InRange(minute, 0, 59);
    const bool s = second == kEvery || InRange(second, 0, 59);
    return y && mo && d && h && mi && s && duration >= 0;
}

std::optional<AlarmRun> LatestStartIn(const AlarmSchedule& s, std::int64_t after,
                                      std::int64_t now) {
    if (after >= now || !s.Valid()) return std::nullopt;
    if (s.FieldMode() && FieldUnit(s) == Unit::Always) return std::nullopt;
    const StartPattern p = PatternOf(s);
    const std::int64_t floor = std::max(after + 1, now - kLookbackDays * kDay);
    const std::int64_t today = FloorDiv(now, kDay);
    for (std::int64_t day = today; day >= FloorDiv(floor, kDay); --day) {
        const Civil c = CivilFromDays(day);
        if (!DayMatches(p.year, p.month, p.day, c)) continue;
        const int limit = day == today ? static_cast<int>(now - today * kDay) : kDay - 1;
        const std::optional<int> t = LatestTimeOnDay(p, limit);
        if (!t) continue;
        const std::int64_t start = day * kDay + *t;
        // Earlier days hold only earlier starts.
        if (start < floor) return std::nullopt;
        return AlarmRun{start, RunEnd(s, start)};
    }
    return std::nullopt;
}

std::optional<AlarmRun> CurrentRun(const AlarmSchedule& s, std::int64_t now) {
    if (!s.Valid()) return std::nullopt;
    if (!s.FieldMode()) {
        const std::optional<AlarmRun> run = LatestStartIn(s, now - s.duration - 1, now);
        if (run && now <= run->end) return run;
        return std::nullopt;
    }
    const Unit unit = FieldUnit(s);
    if (unit == Unit::Always) return AlarmRun{-kAlways, kAlways};
    const std::int64_t today = FloorDiv(now, kDay);
    const Civil c = CivilFromDays(today);
    const int tod = static_cast<int>(now - today * kDay);
    if (!DayMatches(s.year, s.month, s.day, c)) return std::nullopt;
    if (s.hour != AlarmSchedule::kEvery && s.hour != tod / 3600) return std::nullopt;
    if (s.minute != AlarmSchedule::kEvery && s.minute != tod / 60 % 60) return std::nullopt;
    std::int64_t start = 0;
    switch (unit) {
        case Unit::Minute: start = now - tod % 60; break;
        case Unit::Hour: start = now - tod % 3600; break;
        case Unit::Day: start = today * kDay; break;
        case Unit::Month: start = DaysFromCivil(c.year, c.month, 1) * kDay; break;
        default: start = DaysFromCivil(c.year, 1, 1) * kDay; break;
    }
    return AlarmRun{start, RunEnd(s, start)};
}

bool SchedulePassed(const AlarmSchedule& s, const DateTime& now) {
    using S = AlarmSchedule;
    if (!s.Valid() || s.year == S::kEveryYear) return false;
    // The latest moment the fields allow, each free field at its largest value;
    // a day that no month has (31 April) still orders after the 30th.
    auto largest = [](int v, int every, int max) { return v == every ? max : v; };
    const int day = InRange(s.day, 1, 31) ? s.day : 31;
    const DateTime last{s.year,
                        largest(s.month, S::kEvery, 12),
                        day,
                        largest(s.hour, S::kEvery, 23),
                        largest(s.minute, S::kEvery, 59),
                        largest(s.second, S::kEvery, 59)};
    return now > last;
}

}  // namespace tbq
