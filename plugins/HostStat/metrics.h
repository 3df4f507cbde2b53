// What HostStat reads from Windows, one reading per call; the rates (CPU load,
// network bytes per second) are measured between two readings.
#pragma once

#include <cstdint>
#include <string>

namespace hoststat {

struct Memory {
    std::uint64_t total = 0, available = 0;  // bytes
};
struct Drive {
    bool ok = false;
    std::uint64_t free = 0, total = 0;  // bytes free to the user, and the size
};
struct Battery {
    int level = -1;  // percent, -1 unknown
    enum State { kUnknown, kCharging, kDischarging, kAcPower, kNoBattery } state = kUnknown;
};
struct NetworkTotals {
    std::uint64_t received = 0, sent = 0;  // bytes since the interfaces came up
};

Memory ReadMemory();
std::uint64_t UptimeMilliseconds();
Drive ReadDrive(const std::wstring& root);
Battery ReadBattery();
NetworkTotals ReadNetworkTotals();

// The CPU load in percent since the last call that measured (the first call:
// since the system started). Calls closer than the interval keep the last value.
double CpuLoad();

// Bytes per second received and sent since the last measuring call.
struct NetworkRate {
    double received = 0, sent = 0;
};
NetworkRate NetworkRates(const NetworkTotals& now);

}  // namespace hoststat
