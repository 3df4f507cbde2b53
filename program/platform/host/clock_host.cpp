#include <chrono>
#include <ctime>

#include "platform/host/host_ports.h"

namespace tbq::platform {

namespace {
ClockTime FromTm(const std::tm& tm, int ms) {
    ClockTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.dayOfWeek = tm.tm_wday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.millisecond = ms;
    return t;
}

void Now(std::time_t& secs, int& ms) {
    auto now = std::chrono::system_clock::now();
    auto total = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    secs = static_cast<std::time_t>(total / 1000);
    ms = static_cast<int>(total % 1000);
}
}  // namespace

ClockTime HostClock::UtcNow() {
    std::time_t secs;
    int ms;
    Now(secs, ms);
    std::tm tm{};
    gmtime_r(&secs, &tm);
    return FromTm(tm, ms);
}

ClockTime HostClock::LocalNow() {
    std::time_t secs;
    int ms;
    Now(secs, ms);
    std::tm tm{};
    localtime_r(&secs, &tm);
    return FromTm(tm, ms);
}

std::uint32_t HostClock::TickCount() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now().time_since_epoch())
                  .count();
    return static_cast<std::uint32_t>(ms);
}

std::uint32_t HostSystemColors::SysColor(int index) {
    static const std::uint32_t kClassic[] = {
        0xC8D0D4, 0x000000, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
        0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
        0xE1FFFF, 0x000000, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xFF9933, 0xF0F0F0};
    if (index < 0 || index >= static_cast<int>(std::size(kClassic))) return 0;
    return kClassic[index];
}

}  // namespace tbq::platform
