// A zone's distance from UTC at a given instant, from the rules the system
// keeps for each year. Everything is decided on UTC: the local time is the
// result, never the input, so the hour skipped in spring and the hour shown
// twice in autumn come out as the zone's clocks really show them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "base/date_time.h"
#include "base/text.h"
#include "platform/time_zones.h"

namespace tbq {

// One year of a zone: the two distances (minutes east of UTC) and the UTC
// instants (seconds since 1970) at which summer time begins and ends.
struct SummerYear {
    int standardMinutes = 0;
    int summerMinutes = 0;
    bool hasSummer = false;
    std::int64_t begins = 0, ends = 0;

    // Minutes east of UTC at `utcSeconds`. A summer that spans the new year
    // (southern zones) begins after it ends within the calendar year.
    int DistanceAt(std::int64_t utcSeconds) const;
};

// The year's changes from the system's description of them; a change day
// that names no real day leaves the year without summer time.
SummerYear ResolveYear(const platform::ZoneYear& rules, int year);

// The rules of one zone, asked of the time-zone port once per year and kept.
class ZoneRules {
public:
    explicit ZoneRules(Text zoneKey = {}) : key_(std::move(zoneKey)) {}

    const Text& Key() const { return key_; }
    // Minutes east of UTC at that UTC moment; none when the system does not
    // know the zone (or no key was given).
    std::optional<int> DistanceAt(const DateTime& utc);
    // The zone's distance without summer time in that year.
    std::optional<int> StandardDistance(int year);

private:
    const std::optional<SummerYear>& Year(int year);

    Text key_;
    std::map<int, std::optional<SummerYear>> years_;
};

}  // namespace tbq
