// The system's zone records for a year. Windows looks the record up by its
// registry key name and applies the zone's "Dynamic DST" entries for that year.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "platform/win32/win32_ports.h"
#include "win32/wide.h"

namespace tbq::platform {

namespace {

ChangeDay FromSystemTime(const SYSTEMTIME& st) {
    return {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay,
            st.wHour, st.wMinute, st.wSecond,   st.wMilliseconds};
}

// Some systems want the whole record, not only its key name; the enumeration
// gives it. Only reached for a key the direct call did not find.
// The enumeration lives in advapi32 and is looked up when first needed: the
// 32-bit import libraries do not name it.
using EnumZonesProc = DWORD(WINAPI*)(DWORD, PDYNAMIC_TIME_ZONE_INFORMATION);
EnumZonesProc EnumZones() {
    static const EnumZonesProc proc = [] {
        HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
        if (!advapi) advapi = LoadLibraryW(L"advapi32.dll");
        return advapi ? reinterpret_cast<EnumZonesProc>(
                            reinterpret_cast<void*>(GetProcAddress(advapi, "EnumDynamicTimeZoneInformation")))
                      : nullptr;
    }();
    return proc;
}

bool FindRecord(const std::wstring& key, DYNAMIC_TIME_ZONE_INFORMATION& record) {
    const EnumZonesProc enumerate = EnumZones();
    if (!enumerate) return false;
    for (DWORD i = 0; enumerate(i, &record) == ERROR_SUCCESS; ++i)
        if (_wcsicmp(record.TimeZoneKeyName, key.c_str()) == 0) return true;
    return false;
}

}  // namespace

std::optional<ZoneYear> Win32TimeZones::ForYear(TextView zoneKey, int year) {
    const std::wstring key = win32::Wide(zoneKey);
    DYNAMIC_TIME_ZONE_INFORMATION record{};
    if (key.empty() || key.size() >= std::size(record.TimeZoneKeyName) || year < 1601 ||
        year > 30827)
        return std::nullopt;
    std::copy(key.begin(), key.end(), record.TimeZoneKeyName);
    TIME_ZONE_INFORMATION info{};
    const auto y = static_cast<USHORT>(year);
    if (!GetTimeZoneInformationForYear(y, &record, &info)) {
        DYNAMIC_TIME_ZONE_INFORMATION found{};
        if (!FindRecord(key, found) || !GetTimeZoneInformationForYear(y, &found, &info))
            return std::nullopt;
    }
    return ZoneYear{static_cast<int>(info.Bias), static_cast<int>(info.StandardBias),
                    FromSystemTime(info.StandardDate), static_cast<int>(info.DaylightBias),
                    FromSystemTime(info.DaylightDate)};
}

}  // namespace tbq::platform
