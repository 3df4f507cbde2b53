// The system's zone records as a test writes them: for each zone key, records
// that hold from a year on (the next record's year ends one). Counts the
// look-ups so that tests can see what is cached.
#pragma once

#include <map>
#include <vector>

#include "platform/time_zones.h"

namespace tbq::test {

class FakeTimeZones final : public platform::TimeZones {
public:
    struct Record {
        int fromYear;
        platform::ZoneYear rules;
    };

    // A yearly rule: change days as week of the month (5 = last) and Sunday.
    static platform::ZoneYear Yearly(int bias, int summerBias, int endMonth, int endWeek,
                                     int endHour, int beginMonth, int beginWeek, int beginHour) {
        platform::ZoneYear z;
        z.bias = bias;
        z.daylightBias = summerBias;
        z.standardDate = {0, endMonth, 0, endWeek, endHour, 0, 0, 0};
        z.daylightDate = {0, beginMonth, 0, beginWeek, beginHour, 0, 0, 0};
        return z;
    }

    // The records Windows keeps for London, New York, Sydney, Santiago and Lord
    // Howe, with the years their rules changed.
    static FakeTimeZones WindowsRecords() {
        FakeTimeZones z;
        z.zones[u"GMT Standard Time"] = {{0, Yearly(0, -60, 10, 5, 2, 3, 5, 1)}};
        z.zones[u"Eastern Standard Time"] = {{0, Yearly(300, -60, 10, 5, 2, 4, 1, 2)},
                                             {2007, Yearly(300, -60, 11, 1, 2, 3, 2, 2)}};
        // Summer time ended a week late in 2006 and moved to April and October in 2008.
        z.zones[u"AUS Eastern Standard Time"] = {{2006, Yearly(-600, -60, 4, 1, 3, 10, 5, 2)},
                                                 {2007, Yearly(-600, -60, 3, 5, 3, 10, 5, 2)},
                                                 {2008, Yearly(-600, -60, 4, 1, 3, 10, 1, 2)}};
        z.zones[u"Lord Howe Standard Time"] = {{2006, Yearly(-630, -30, 4, 1, 2, 10, 5, 2)},
                                               {2007, Yearly(-630, -30, 3, 5, 2, 10, 5, 2)},
                                               {2008, Yearly(-630, -30, 4, 1, 2, 10, 1, 2)}};
        // 2016 and 2022 moved the days of change; 2015 kept summer time all year.
        z.zones[u"Pacific SA Standard Time"] = {{2015, Yearly(180, -60, 0, 0, 0, 0, 0, 0)},
                                                {2016, Yearly(240, -60, 5, 3, 0, 8, 2, 0)},
                                                {2022, Yearly(240, -60, 4, 1, 0, 9, 2, 0)},
                                                {2023, Yearly(240, -60, 4, 1, 0, 9, 1, 0)}};
        return z;
    }

    std::map<Text, std::vector<Record>, std::less<>> zones;
    int lookUps = 0;

    std::optional<platform::ZoneYear> ForYear(TextView key, int year) override {
        ++lookUps;
        const auto it = zones.find(key);
        if (it == zones.end()) return std::nullopt;
        const platform::ZoneYear* found = nullptr;
        for (const Record& r : it->second)
            if (r.fromYear <= year) found = &r.rules;
        if (!found) return std::nullopt;
        return *found;
    }
};

}  // namespace tbq::test
