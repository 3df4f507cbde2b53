// The system's time-zone rules: for a zone named by its Windows key (the name
// under "Time Zones" in the registry, "GMT Standard Time") and a year, the
// distances and the two days of change that hold in that year. Windows keeps
// these up to date and has a record per year where a zone's rules changed.
#pragma once

#include <optional>

#include "base/text.h"

namespace tbq::platform {

// When a change happens, as the system describes it. With `year` 0 the rule
// repeats every year: `day` is the week of the month (1 to 4; 5 the last) and
// `dayOfWeek` the weekday (0 = Sunday); otherwise it is one calendar date.
// The time is the local time just before the change. `month` 0: no change.
struct ChangeDay {
    int year = 0, month = 0, dayOfWeek = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Distances in minutes with the system's sign: UTC = local time + bias.
struct ZoneYear {
    int bias = 0;
    int standardBias = 0;
    ChangeDay standardDate;  // summer time ends
    int daylightBias = 0;
    ChangeDay daylightDate;  // summer time begins
};

class TimeZones {
public:
    virtual ~TimeZones() = default;
    // None when the system does not know the zone.
    virtual std::optional<ZoneYear> ForYear(TextView zoneKey, int year) = 0;
};

}  // namespace tbq::platform
