#include "items/summer_time.h"

#include <algorithm>

#include "platform/ports.h"

namespace tbq {

namespace {

// A clock can show at most a few years (now, and now moved by its offsets);
// more than this means offsets were edited many times, and the oldest go.
constexpr std::size_t kYearsKept = 8;
// Distances beyond a day are not a zone's; a damaged record is held to this.
constexpr int kMaxDistance = 24 * 60;

int Distance(int bias) { return std::clamp(-bias, -kMaxDistance, kMaxDistance); }

// The day of the year a change falls on, or none for a description that
// names no day ("no change", or fields out of their range).
std::optional<DateTime> ChangeDate(const platform::ChangeDay& c, int year) {
    if (c.month < 1 || c.month > 12) return std::nullopt;
    if (c.year != 0) {
        if (c.year != year || c.day < 1 || c.day > DaysInMonth(year, c.month)) return std::nullopt;
        return DateTime{year, c.month, c.day, 0, 0, 0};
    }
    if (c.day < 1 || c.day > 5 || c.dayOfWeek < 0 || c.dayOfWeek > 6) return std::nullopt;
    const int first = DayOfWeek(DateTime{year, c.month, 1, 0, 0, 0});
    int day = 1 + (c.dayOfWeek - first + 7) % 7 + (c.day - 1) * 7;
    // Week 5 means the last such weekday, which may be the fourth.
    while (day > DaysInMonth(year, c.month)) day -= 7;
    return DateTime{year, c.month, day, 0, 0, 0};
}

// The UTC instant of a change given in the local time that holds before it.
// A change at 23:59:59.999 is one at midnight for a clock of whole seconds.
std::optional<std::int64_t> ChangeInstant(const platform::ChangeDay& c, int year,
                                          int minutesBefore) {
    const auto date = ChangeDate(c, year);
    if (!date || c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 ||
        c.second > 59)
        return std::nullopt;
    const std::int64_t wall = c.hour * 3600 + c.minute * 60 + c.second + (c.millisecond > 0 ? 1 : 0);
    return ToSerialSeconds(*date) + wall - std::int64_t{minutesBefore} * 60;
}

}  // namespace

int SummerYear::DistanceAt(std::int64_t utcSeconds) const {
    if (!hasSummer) return standardMinutes;
    const bool summer = begins < ends ? utcSeconds >= begins && utcSeconds < ends
                                      : utcSeconds >= begins || utcSeconds < ends;
    return summer ? summerMinutes : standardMinutes;
}

SummerYear ResolveYear(const platform::ZoneYear& rules, int year) {
    SummerYear y;
    y.standardMinutes = Distance(rules.bias + rules.standardBias);
    y.summerMinutes = Distance(rules.bias + rules.daylightBias);
    const auto begins = ChangeInstant(rules.daylightDate, year, y.standardMinutes);
    const auto ends = ChangeInstant(rules.standardDate, year, y.summerMinutes);
    if (begins && ends && y.summerMinutes != y.standardMinutes) {
        y.hasSummer = true;
        y.begins = *begins;
        y.ends = *ends;
    }
    return y;
}

const std::optional<SummerYear>& ZoneRules::Year(int year) {
    if (auto it = years_.find(year); it != years_.end()) return it->second;
    if (years_.size() >= kYearsKept) years_.clear();
    std::optional<SummerYear> resolved;
    if (!key_.empty())
        if (auto rules = platform::zones().ForYear(key_, year)) resolved = ResolveYear(*rules, year);
    return years_.emplace(year, resolved).first->second;
}

std::optional<int> ZoneRules::StandardDistance(int year) {
    const auto& y = Year(year);
    if (!y) return std::nullopt;
    return y->standardMinutes;
}

std::optional<int> ZoneRules::DistanceAt(const DateTime& utc) {
    const auto& first = Year(utc.year);
    if (!first) return std::nullopt;
    // The rules of a year are those of the zone's own calendar year, which
    // near the new year is not the UTC one.
    const int localYear = AddMinutes(utc, first->standardMinutes).year;
    const auto& y = localYear == utc.year ? first : Year(localYear);
    if (!y) return std::nullopt;
    return y->DistanceAt(ToSerialSeconds(utc));
}

}  // namespace tbq
