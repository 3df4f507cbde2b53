// The point in time the extended format works on: the layout of the Win32
// SYSTEMTIME record, so the library's export can take the caller's record as
// it stands.
#pragma once

#include <cstdint>

namespace tbq::format {

struct TimeRecord {
    uint16_t year;
    uint16_t month;      // 1-12 from well-behaved callers; any value must be survived
    uint16_t dayOfWeek;  // 0 = Sunday; used as given, never derived from the date
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};

static_assert(sizeof(TimeRecord) == 16, "must match SYSTEMTIME byte for byte");

}  // namespace tbq::format
