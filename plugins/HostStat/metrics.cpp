#include "metrics.h"

#include <winsock2.h>
#include <ws2ipdef.h>
#include <windows.h>
// After ws2ipdef.h, which makes it declare the 64-bit interface table:
#include <iphlpapi.h>

#include <algorithm>

namespace hoststat {

namespace {
// Rates over shorter spans than this jump about; the last value is kept.
constexpr ULONGLONG kMinimumSpanMs = 250;

std::uint64_t Ticks(const FILETIME& f) {
    return (std::uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime;
}
}  // namespace

Memory ReadMemory() {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    if (!GlobalMemoryStatusEx(&m)) return {};
    return {m.ullTotalPhys, m.ullAvailPhys};
}

std::uint64_t UptimeMilliseconds() { return GetTickCount64(); }

Drive ReadDrive(const std::wstring& root) {
    ULARGE_INTEGER freeToCaller{}, total{}, totalFree{};
    Drive d;
    d.ok = GetDiskFreeSpaceExW(root.c_str(), &freeToCaller, &total, &totalFree) != FALSE;
    if (d.ok) d.free = freeToCaller.QuadPart, d.total = total.QuadPart;
    return d;
}

Battery ReadBattery() {
    SYSTEM_POWER_STATUS s{};
    Battery b;
    if (!GetSystemPowerStatus(&s)) return b;
    constexpr BYTE kNoSystemBattery = 128, kCharging = 8, kUnknownStatus = 255;
    if (s.BatteryLifePercent <= 100) b.level = s.BatteryLifePercent;
    if (s.BatteryFlag != kUnknownStatus && (s.BatteryFlag & kNoSystemBattery))
        b.state = Battery::kNoBattery;
    else if (s.BatteryFlag != kUnknownStatus && (s.BatteryFlag & kCharging))
        b.state = Battery::kCharging;
    else if (s.ACLineStatus == 1)
        b.state = Battery::kAcPower;
    else if (s.ACLineStatus == 0)
        b.state = Battery::kDischarging;
    return b;
}

NetworkTotals ReadNetworkTotals() {
    NetworkTotals t;
    MIB_IF_TABLE2* table = nullptr;
    if (GetIfTable2(&table) != NO_ERROR || !table) return t;
    for (ULONG i = 0; i < table->NumEntries; ++i) {
        const MIB_IF_ROW2& row = table->Table[i];
        // Loopback traffic never leaves the machine; filter interfaces would count twice.
        if (row.Type == IF_TYPE_SOFTWARE_LOOPBACK || row.InterfaceAndOperStatusFlags.FilterInterface)
            continue;
        t.received += row.InOctets;
        t.sent += row.OutOctets;
    }
    FreeMibTable(table);
    return t;
}

double CpuLoad() {
    static std::uint64_t lastIdle = 0, lastBusy = 0;
    static ULONGLONG lastAt = 0;
    static double last = 0;
    const ULONGLONG now = GetTickCount64();
    if (lastAt != 0 && now - lastAt < kMinimumSpanMs) return last;
    FILETIME idle, kernel, user;
    if (!GetSystemTimes(&idle, &kernel, &user)) return last;
    // Kernel time includes the idle time.
    const std::uint64_t i = Ticks(idle), busy = Ticks(kernel) + Ticks(user);
    const std::uint64_t dIdle = i - lastIdle, dAll = busy - lastBusy;
    if (dAll > 0) last = 100.0 * static_cast<double>(dAll - std::min(dIdle, dAll)) / static_cast<double>(dAll);
    lastIdle = i, lastBusy = busy, lastAt = now;
    return last;
}

NetworkRate NetworkRates(const NetworkTotals& totals) {
    static NetworkTotals lastTotals;
    static ULONGLONG lastAt = 0;
    static NetworkRate last;
    const ULONGLONG now = GetTickCount64();
    if (lastAt != 0 && now - lastAt < kMinimumSpanMs) return last;
    if (lastAt != 0) {
        const double seconds = static_cast<double>(now - lastAt) / 1000.0;
        // Counters that went back (an interface reset) count from zero.
        auto rate = [&](std::uint64_t a, std::uint64_t b) {
            return a >= b ? static_cast<double>(a - b) / seconds : 0.0;
        };
        last = {rate(totals.received, lastTotals.received), rate(totals.sent, lastTotals.sent)};
    }
    lastTotals = totals, lastAt = now;
    return last;
}

}  // namespace hoststat
