// A clock setter that records what it was asked to set and answers as told.
// Every test that could reach the clock uses it; the machine's clock is never set.
#pragma once

#include <mutex>
#include <vector>

#include "platform/clock_setter.h"

namespace tbq::test {

class FakeClockSetter final : public platform::ClockSetter {
public:
    platform::SetClockResult answer = platform::SetClockResult::Set;

    platform::SetClockResult SetUtc(const platform::ClockTime& utc) override {
        std::lock_guard lock(m_);
        calls_.push_back(utc);
        return answer;
    }
    std::vector<platform::ClockTime> Calls() {
        std::lock_guard lock(m_);
        return calls_;
    }

private:
    std::mutex m_;
    std::vector<platform::ClockTime> calls_;
};

}  // namespace tbq::test
