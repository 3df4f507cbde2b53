// Setting the system clock. Every test uses a fake; the host adapter never sets
// anything.
#pragma once

#include "platform/clock.h"

namespace tbq::platform {

enum class SetClockResult {
    Set,
    Denied,   // the system refused: the user lacks the right to change the time
    Invalid,  // the system did not take the value
};

class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    // Sets the clock to `utc` (milliseconds included).
    virtual SetClockResult SetUtc(const ClockTime& utc) = 0;
};

ClockSetter& DefaultClockSetter();

}  // namespace tbq::platform
