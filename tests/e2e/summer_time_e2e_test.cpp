// Clocks that switch summer time by their zone's rules, in notepad's title:
// offsets carry them to just before and just after the next changes of London
// and New York. The days of change are worked out here from the two zones'
// present rules, independently of the program and of the system's records.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

constexpr long long kMinute = 60LL * 10000000LL;  // in FILETIME units

long long Minutes(const SYSTEMTIME& st) {
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) |
                                  ft.dwLowDateTime) /
           kMinute;
}

SYSTEMTIME FromMinutes(long long minutes) {
    const unsigned long long t = static_cast<unsigned long long>(minutes * kMinute);
    FILETIME ft{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    return st;
}

// The n-th (n > 0) or last (n = 0) Sunday of a month, at `hour` UTC, in minutes.
long long SundayAt(int year, int month, int n, int hour) {
    SYSTEMTIME first{};
    first.wYear = static_cast<WORD>(year);
    first.wMonth = static_cast<WORD>(month);
    first.wDay = 1;
    const long long day1 = Minutes(first) / 1440;
    // FILETIME day 0 (1601-01-01) was a Monday.
    const long long firstSunday = day1 + (6 - (day1 % 7)) % 7;
    long long day = firstSunday + 7LL * (n > 0 ? n - 1 : 4);
    if (n == 0) {
        SYSTEMTIME next = first;
        next.wMonth = static_cast<WORD>(month % 12 + 1);
        next.wYear = static_cast<WORD>(month == 12 ? year + 1 : year);
        while (day >= Minutes(next) / 1440) day -= 7;
    }
    return day * 1440 + hour * 60;
}

struct Change {
    long long at;         // minutes, UTC
    int before, after;    // the zone's distance in minutes on either side
};

// The first change of a zone still more than two hours ahead.
Change NextChange(bool london, long long now) {
    for (int year = FromMinutes(now).wYear;; ++year) {
        const Change changes[] = {
            london ? Change{SundayAt(year, 3, 0, 1), 0, 60} : Change{SundayAt(year, 3, 2, 7), -300, -240},
            london ? Change{SundayAt(year, 10, 0, 1), 60, 0} : Change{SundayAt(year, 11, 1, 6), -240, -300},
        };
        for (const Change& c : changes)
            if (c.at > now + 120) return c;
    }
}

// "|mm/dd hh" of a UTC moment at a distance.
std::wstring Shown(long long utc, int distance) {
    const SYSTEMTIME t = FromMinutes(utc + distance);
    wchar_t text[32];
    swprintf(text, 32, L"|%02d/%02d %02d", t.wMonth, t.wDay, t.wHour);
    return text;
}

// A clock section whose offsets move now to `shown`, in days and minutes.
std::string ClockItem(int n, const char* zone, int flag, long long now, long long shown) {
    const long long ahead = shown - now;
    char text[320];
    std::snprintf(text, sizeof text,
                  "[ViewData%04d]\r\nDataType=CLOCK\r\nFormat=\"|mm/dd hh\"\r\nTimeZone=%s\r\n"
                  "OffsetDay=%lld\r\nOffsetMinute=%lld\r\nOffsetType=1\r\nFlag=%d\r\n",
                  n, zone, ahead / 1440, ahead % 1440, flag);
    return text;
}

TEST(SummerTimeEndToEnd, ClocksAroundTheNextChangesOfLondonAndNewYork) {
    SYSTEMTIME utcNow;
    GetSystemTime(&utcNow);
    const long long now = Minutes(utcNow);
    const Change london = NextChange(true, now), newYork = NextChange(false, now);
    // Ninety minutes either side: in autumn the hour before the change is
    // shown again after it, so nearer moments could show the same hour.
    const long long lonBefore = london.at - 90, lonAfter = london.at + 90;
    const long long nycBefore = newYork.at - 90, nycAfter = newYork.at + 90;

    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    // Automatic clocks have the fixed bit set too: it must count for nothing.
    // The last two are clocks of before, which must show what they always did.
    const std::string items = ClockItem(1, "LON", 5, now, lonBefore) +
                              ClockItem(2, "LON", 5, now, lonAfter) +
                              ClockItem(3, "NYC", 4, now, nycBefore) +
                              ClockItem(4, "NYC", 4, now, nycAfter) +
                              ClockItem(5, "LON", 0, now, lonAfter) +
                              ClockItem(6, "NYC", 1, now, nycBefore) + "[ViewData0007]\r\nDataType=NONE\r\n";
    dir.WriteBytes("TBQ_ViewData.ini", items);
    const std::wstring expected = Shown(lonBefore, london.before) + Shown(lonAfter, london.after) +
                                  Shown(nycBefore, newYork.before) +
                                  Shown(nycAfter, newYork.after) + Shown(lonAfter, 0) +
                                  Shown(nycBefore, -240);

    Process notepadProcess(L"notepad.exe", L"");
    HWND notepad = WaitForWindowOfProcess(notepadProcess.Id(), L"Notepad", 20000);
    ASSERT_NE(notepad, nullptr) << notepadProcess.Describe();
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Process tbq(L"\"" + folder + L"TBQ.exe\"", folder);
    ASSERT_NE(MainWindowOf(tbq), nullptr);
    ASSERT_TRUE(BringToFront(notepad));
    std::wstring last;
    EXPECT_TRUE(WaitUntil([&] { return (last = TitleOf(notepad)) == expected; }, 10000))
        << "title:    " << std::string(last.begin(), last.end())
        << "\nexpected: " << std::string(expected.begin(), expected.end());
}

}  // namespace
}  // namespace tbq::e2e
