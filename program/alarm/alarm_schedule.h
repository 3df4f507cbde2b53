// When an alarm runs. The target fields name a set of start moments (every
// wildcard free, every other field fixed); a run lasts from a start to a known
// end. Two modes, told apart by the second:
//   window mode (second 0..59): each start is a moment with that second, and
//     the run lasts the alarm's duration after it;
//   field mode (second 255): the alarm runs while every fixed field equals the
//     present, so a run is one whole unit of its finest fixed field (a minute,
//     an hour, a day, a month, a year).
// Starts are real calendar moments only: a 31 April or a 29 February of a
// common year never starts. A run that began before a midnight, a month's end
// or an hour keeps running after it. Every search here is bounded.
#pragma once

#include <cstdint>
#include <optional>

#include "base/date_time.h"

namespace tbq {

struct AlarmSchedule {
    static constexpr int kEveryYear = -1;
    static constexpr int kEvery = 255;      // month, hour, minute; second: field mode
    static constexpr int kEveryDay = 127;
    static constexpr int kWeekdays = 128;   // day: this bit plus Sunday 1 .. Saturday 64

    int year = kEveryYear, month = kEvery, day = kEveryDay;
    int hour = kEvery, minute = kEvery, second = kEvery;
    // Window mode's run length in seconds after the start (0: the start's second only).
    std::int64_t duration = 0;

    bool FieldMode() const { return second == kEvery; }
    // Every field holds a value its field allows: a year of -1 or 100..9999, a
    // month 1..12 or 255, a day 1..31, 125..127 or a weekday mask with at least
    // one day, an hour 0..23, a minute and a second 0..59 or 255.
    bool Valid() const;
};

// One run, in serial seconds (ToSerialSeconds), both ends included.
struct AlarmRun {
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool operator==(const AlarmRun&) const = default;
};

// The run that holds at `now`: the one with the latest start not after `now`,
// when `now` is not past its end. None for an invalid schedule.
std::optional<AlarmRun> CurrentRun(const AlarmSchedule& s, std::int64_t now);

// The run with the latest start in (after, now]; none when the interval is
// empty or holds no start. Starts more than a little over a year before `now`
// are not looked for.
std::optional<AlarmRun> LatestStartIn(const AlarmSchedule& s, std::int64_t after,
                                      std::int64_t now);

// True when the alarm can never start again after `now`: its year is fixed and
// `now` lies after the latest moment its fields allow (a wildcard standing for
// its largest value), compared as one date and time.
bool SchedulePassed(const AlarmSchedule& s, const DateTime& now);

}  // namespace tbq
