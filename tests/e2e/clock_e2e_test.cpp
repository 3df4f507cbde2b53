// Clocks in the title bar, checked to the second against the system clock:
// the values expected are worked out here independently of the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

// UTC now shifted by `minutes`, as calendar fields.
SYSTEMTIME UtcPlus(int minutes) {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(minutes) * 60 * 10000000LL);
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    return st;
}

std::wstring Two(int v) {
    wchar_t b[8];
    swprintf(b, 8, L"%02d", v);
    return b;
}

// The day's place in the sixty-day cycle from its Julian day number: day 0 of
// the cycle (甲子) is JDN ≡ 11 (mod 60).
std::wstring SexagenaryDay(const SYSTEMTIME& st) {
    int a = (14 - st.wMonth) / 12, y = st.wYear + 4800 - a, m = st.wMonth + 12 * a - 3;
    long jdn = st.wDay + (153 * m + 2) / 5 + 365L * y + y / 4 - y / 100 + y / 400 - 32045;
    const int index = static_cast<int>((jdn + 49) % 60);
    static const wchar_t stems[] = L"甲乙丙丁戊己庚辛壬癸";
    static const wchar_t branches[] = L"子丑寅卯辰巳午未申酉戌亥";
    return std::wstring(1, stems[index % 10]) + branches[index % 12];
}

std::wstring TokyoDefault() {
    const SYSTEMTIME t = UtcPlus(9 * 60);
    return L"<" + std::to_wstring(t.wYear) + L"/" + Two(t.wMonth) + L"/" + Two(t.wDay) + L" " +
           Two(t.wHour) + L":" + Two(t.wMinute) + L":" + Two(t.wSecond) + L">";
}

std::wstring Expected() {
    const SYSTEMTIME london = UtcPlus(60), newYork = UtcPlus(-5 * 60);
    std::wstring s = TokyoDefault();
    s += L"|" + Two(london.wHour) + L":" + Two(london.wMinute) + L":" + Two(london.wSecond);
    s += L"|令和" + std::to_wstring(newYork.wYear - 2018) + L" " + SexagenaryDay(newYork) + L" " +
         Two(newYork.wHour) + L":" + Two(newYork.wMinute) + L":" + Two(newYork.wSecond);
    return s;
}

TEST(ClockEndToEnd, ANewClockItemShowsJapanTime) {
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    // A clock item as the editor creates it: nothing but its kind, so every key
    // reads as its default.
    dir.WriteBytes("TBQ_ViewData.ini", "[ViewData0001]\r\nDataType=CLOCK\r\n");
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Process window(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"One clock\"", L"");
    HWND target = WaitForWindowOfProcess(window.Id(), L"TBQ_TestWindow", 10000);
    ASSERT_NE(target, nullptr);
    Process tbq(L"\"" + folder + L"TBQ.exe\"", folder);
    ASSERT_NE(MainWindowOf(tbq), nullptr);
    ASSERT_TRUE(BringToFront(target));
    std::wstring last;
    EXPECT_TRUE(WaitUntil([&] { return (last = TitleOf(target)) == TokyoDefault(); }, 10000))
        << "title: " << std::string(last.begin(), last.end());
}

TEST(ClockEndToEnd, ThreeZonesToTheSecondAndTheSameAfterASavedRestart) {
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    // Tokyo in the default format; London with daylight saving; New York in the
    // extended format with the era and the day's stem and branch.
    dir.WriteBytes("TBQ_ViewData.ini",
                   "[ViewData0001]\r\nDataType=CLOCK\r\nFormat=\"<YYYY/MM/DD HH:MM:SS>\"\r\n"
                   "TimeZone=TYO\r\nOffsetType=1\r\nFlag=0\r\n"
                   "[ViewData0002]\r\nDataType=CLOCK\r\nFormat=\"|HH:MM:SS\"\r\n"
                   "TimeZone=lon\r\nOffsetType=1\r\nFlag=1\r\n"
                   "[ViewData0003]\r\nDataType=CLOCK\r\nFormat=\"|ggge #{detet} hh:nn:ss\"\r\n"
                   "TimeZone=NYC\r\nOffsetType=1\r\nFlag=2\r\n"
                   "[ViewData0004]\r\nDataType=NONE\r\n");
    const std::wstring folder = dir.Native().wstring() + L"\\";
    HWND target = nullptr;
    Process window(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"Clocks\"", L"");
    target = WaitForWindowOfProcess(window.Id(), L"TBQ_TestWindow", 10000);
    ASSERT_NE(target, nullptr);

    for (int run = 0; run < 2; ++run) {
        Process tbq(L"\"" + folder + L"TBQ.exe\"", folder);
        HWND mainWindow = MainWindowOf(tbq);
        ASSERT_NE(mainWindow, nullptr) << "run " << run;
        ASSERT_TRUE(BringToFront(target));
        std::wstring last;
        // The tick writes twice a second; the title must match the clock as it
        // is read here, give or take the second turning over meanwhile.
        EXPECT_TRUE(WaitUntil([&] { return (last = TitleOf(target)) == Expected(); }, 10000))
            << "title: " << std::string(last.begin(), last.end());

        ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
        EXPECT_EQ(TitleOf(target), L"Clocks");
        // The quit saved every file.
        EXPECT_TRUE(std::filesystem::exists(dir.Native("TBQ_Setting.ini")));
        EXPECT_TRUE(std::filesystem::exists(dir.Native("TBQ_ViewData.ini")));
    }
}

}  // namespace
}  // namespace tbq::e2e
