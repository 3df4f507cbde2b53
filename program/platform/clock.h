// Time as the logic reads it. Tests always use a fake.
#pragma once

#include <cstdint>

namespace tbq::platform {

// A calendar moment broken into fields, as the platform reports it.
struct ClockTime {
    int year = 1601, month = 1, day = 1;
    int dayOfWeek = 0;  // 0 = Sunday
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    bool operator==(const ClockTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockTime UtcNow() = 0;
    virtual ClockTime LocalNow() = 0;
    // Milliseconds since start-up, wrapping at 2^32 like the system tick count.
    virtual std::uint32_t TickCount() = 0;
};

}  // namespace tbq::platform
