// A clock that shows what the test sets: the moment (local time equals UTC
// unless set apart) and the millisecond tick count.
#pragma once

#include <optional>

#include "platform/clock.h"

namespace tbq::test {

class FakeClock final : public platform::Clock {
public:
    platform::ClockTime utc{2026, 12, 7, 1, 12, 3, 9, 0};
    std::optional<platform::ClockTime> local;
    std::uint32_t tick = 0;

    platform::ClockTime UtcNow() override { return utc; }
    platform::ClockTime LocalNow() override { return local ? *local : utc; }
    std::uint32_t TickCount() override { return tick; }
};

}  // namespace tbq::test
