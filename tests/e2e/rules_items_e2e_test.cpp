// Window rules and the text items with the real program: which windows get
// which display list, the fixed window, and a list of a fixed text, a title
// excerpt, a count-down and a switching group, read tick by tick from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 10000;

// A fixed text as its settings key holds it: four hexadecimal digits a character.
std::string Hex(const std::wstring& text) {
    std::string out;
    char buf[8];
    for (wchar_t c : text) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(c));
        out += buf;
    }
    return out;
}

std::string FixedItem(int n, const std::wstring& text) {
    char section[32];
    std::snprintf(section, sizeof section, "[ViewData%04d]\r\n", n);
    return std::string(section) + "DataType=FIXED\r\nType=Fixed\r\nText=" + Hex(text) + "\r\n";
}

std::string EndOfList(int n) {
    char section[48];
    std::snprintf(section, sizeof section, "[ViewData%04d]\r\nDataType=NONE\r\n", n);
    return section;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

class RulesAndItemsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
        folder_ = dir_.Native().wstring() + L"\\";
    }

    Process StartTbq() { return Process(L"\"" + folder_ + L"TBQ.exe\"", folder_); }

    Process StartWindow(const std::wstring& title, HWND& window,
                        const std::wstring& className = L"TBQ_TestWindow", int width = 400) {
        Process p(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"" + title + L"\" /class " +
                      className + L" /width " + std::to_wstring(width),
                  L"");
        window = WaitForWindowOfProcess(p.Id(), className.c_str(), kSoon);
        return p;
    }

    bool Shows(HWND w, const std::wstring& title) {
        return WaitUntil([&] { return TitleOf(w) == title; }, kSoon);
    }
    // True when `w` keeps `title` over three ticks.
    bool Keeps(HWND w, const std::wstring& title) {
        return !WaitUntil([&] { return TitleOf(w) != title; }, 1500);
    }

    std::vector<std::string> SettingFiles() {
        std::vector<std::string> bytes;
        for (const char* f : {"TBQ_Setting.ini", "TBQ_Window.ini", "TBQ_ViewData.ini",
                              "ViewData\\permit.ini"})
            bytes.push_back(dir_.ReadBytes(f));
        return bytes;
    }

    test::TempFolder dir_;
    std::wstring folder_;
};

TEST_F(RulesAndItemsEndToEnd, RulesChooseWhichWindowsGetWhichListAndSurviveASavedRestart) {
    dir_.WriteBytes("TBQ_ViewData.ini", FixedItem(1, L"[default]") + EndOfList(2));
    std::filesystem::create_directory(dir_.Native("ViewData"));
    dir_.WriteBytes("ViewData\\permit.ini", FixedItem(1, L"[permit]") + EndOfList(2));
    // Notepad is left alone; windows of our rule class wider than 500 pixels get
    // the list "permit.ini"; everything else the default list.
    dir_.WriteBytes("TBQ_Window.ini",
                    "[WindowData0001]\r\nTitle=no notepad\r\nAction=1\r\nWindowClass=Notepad\r\n"
                    "Flag=4\r\nEnable=1\r\n"
                    "[WindowData0002]\r\nTitle=wide helpers\r\nAction=2\r\n"
                    "WindowClass=TBQ_RuleWindow\r\nWindowWidth=500\r\nFlag=68\r\n"
                    "CheckOption=256\r\nViewOption=4\r\nViewData=permit.ini\r\nEnable=1\r\n"
                    "[WindowData0003]\r\nTitle=\r\n");

    Process notepadProcess(L"notepad.exe", L"");
    HWND notepad = WaitForWindowOfProcess(notepadProcess.Id(), nullptr, kSoon);
    ASSERT_NE(notepad, nullptr);
    wchar_t cls[64] = {};
    GetClassNameW(notepad, cls, 64);
    ASSERT_EQ(std::wstring(cls), L"Notepad");
    const std::wstring notepadTitle = TitleOf(notepad);
    HWND wide = nullptr, narrow = nullptr;
    Process wideProcess = StartWindow(L"Wide helper", wide, L"TBQ_RuleWindow", 600);
    Process narrowProcess = StartWindow(L"Narrow helper", narrow, L"TBQ_RuleWindow", 300);
    ASSERT_TRUE(wide && narrow);

    std::vector<std::string> saved;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first run" : "after the restart");
        Process tbq = StartTbq();
        HWND mainWindow = MainWindowOf(tbq);
        ASSERT_NE(mainWindow, nullptr);

        ASSERT_TRUE(BringToFront(wide));
        EXPECT_TRUE(Shows(wide, L"[permit]")) << Narrow(TitleOf(wide));
        ASSERT_TRUE(BringToFront(notepad));
        EXPECT_TRUE(Shows(wide, L"Wide helper"));
        EXPECT_TRUE(Keeps(notepad, notepadTitle)) << Narrow(TitleOf(notepad));
        ASSERT_TRUE(BringToFront(narrow));
        EXPECT_TRUE(Shows(narrow, L"[default]")) << Narrow(TitleOf(narrow));
        EXPECT_EQ(TitleOf(notepad), notepadTitle);

        ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
        EXPECT_EQ(TitleOf(narrow), L"Narrow helper");
        if (run == 0) {
            saved = SettingFiles();
            EXPECT_NE(saved[1].find("WindowClass=TBQ_RuleWindow"), std::string::npos);
        } else {
            // What the first quit saved reads back and is saved again byte for byte.
            EXPECT_EQ(SettingFiles(), saved);
        }
    }
}

TEST_F(RulesAndItemsEndToEnd, TheFixedWindowKeepsTheTextWhileAnotherIsInFront) {
    dir_.WriteBytes("TBQ_ViewData.ini", FixedItem(1, L"[pinned]") + EndOfList(2));
    dir_.WriteBytes("TBQ_Setting.ini",
                    "[TitleBar]\r\nFixed_WindowTitle=Pinned\r\nFixed_Flag=2\r\nFixed_Enable=1\r\n");
    HWND pinned = nullptr, front = nullptr;
    Process pinnedProcess = StartWindow(L"Pinned", pinned);
    Process frontProcess = StartWindow(L"Front", front);
    ASSERT_TRUE(pinned && front);
    ASSERT_TRUE(BringToFront(front));

    Process tbq = StartTbq();
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_TRUE(BringToFront(front));
    EXPECT_TRUE(Shows(pinned, L"[pinned]")) << Narrow(TitleOf(pinned));
    EXPECT_TRUE(Keeps(front, L"Front"));
    EXPECT_EQ(TitleOf(pinned), L"[pinned]");
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    EXPECT_EQ(TitleOf(pinned), L"Pinned");
}

// ---- A list of every text kind, checked against the clock tick by tick -------

constexpr long long kSecond = 10000000;  // FILETIME units

long long Now() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return static_cast<long long>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) |
                                  ft.dwLowDateTime);
}

SYSTEMTIME Fields(long long t) {
    FILETIME ft{static_cast<DWORD>(t), static_cast<DWORD>(static_cast<unsigned long long>(t) >> 32)};
    SYSTEMTIME st;
    FileTimeToSystemTime(&ft, &st);
    return st;
}

long long Local(long long utc) {
    FILETIME in{static_cast<DWORD>(utc), static_cast<DWORD>(static_cast<unsigned long long>(utc) >> 32)};
    FILETIME out;
    FileTimeToLocalFileTime(&in, &out);
    return static_cast<long long>((static_cast<unsigned long long>(out.dwHighDateTime) << 32) |
                                  out.dwLowDateTime);
}

std::wstring Two(int v) {
    wchar_t b[8];
    swprintf(b, 8, L"%02d", v);
    return b;
}

std::wstring ClockText(long long utc, int offsetHours, int child) {
    const SYSTEMTIME t = Fields(utc + offsetHours * 3600 * kSecond);
    return L"<" + std::to_wstring(child) + L" " + Two(t.wHour) + L":" + Two(t.wMinute) + L":" +
           Two(t.wSecond) + L">";
}

// Minutes and seconds to go, as the count-down with both units ticked shows them.
std::wstring CountDown(long long seconds) {
    if (seconds == 0) return L"0秒";
    std::wstring sign = seconds < 0 ? L"-" : L"";
    if (seconds < 0) seconds = -seconds;
    std::wstring minutes = seconds >= 60 ? std::to_wstring(seconds / 60) + L"分" : L"";
    return sign + minutes + std::to_wstring(seconds % 60) + L"秒";
}

TEST_F(RulesAndItemsEndToEnd, FixedTextTitleExcerptCountAndSwitchingClocksTickByTick) {
    // The count-down's moment: a minute from now, local time, in whole seconds.
    const long long target = (Local(Now()) / kSecond + 60) * kSecond;
    const SYSTEMTIME at = Fields(target);
    char count[160];
    std::snprintf(count, sizeof count,
                  "[ViewData0003]\r\nDataType=COUNT\r\nYear=%d\r\nMonth=%d\r\nDay=%d\r\nHour=%d\r\n"
                  "Minute=%d\r\nSecond=%d\r\nStyle=3\r\n",
                  at.wYear, at.wMonth, at.wDay, at.wHour, at.wMinute, at.wSecond);
    dir_.WriteBytes(
        "TBQ_ViewData.ini",
        FixedItem(1, L"【作業中】") +
            "[ViewData0002]\r\nDataType=TITLE\r\nType=Title\r\nStyle=2\r\nNum=0\r\nChar=\" - \"\r\n" +
            count +
            // Switches between its two clocks every second tick.
            "[ViewData0004]\r\nDataType=GROUP\r\nTargetNum=2\r\nTiming=1\r\nStep=1\r\nCharLen=10\r\n"
            "Style=2\r\n"
            "[ViewData0005]\r\nDataType=CLOCK\r\nFormat=\"<1 HH:MM:SS>\"\r\nTimeZone=TYO\r\n"
            "OffsetType=1\r\nFlag=0\r\n"
            "[ViewData0006]\r\nDataType=CLOCK\r\nFormat=\"<2 HH:MM:SS>\"\r\nTimeZone=NYC\r\n"
            "OffsetType=1\r\nFlag=0\r\n" +
            EndOfList(7));
    HWND window = nullptr;
    Process windowProcess = StartWindow(L"Document1 - Editor", window);
    ASSERT_NE(window, nullptr);
    Process tbq = StartTbq();
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_TRUE(BringToFront(window));

    // Every title seen must be the list's text at the moment it was read (or the
    // second before, which the tick may have composed), with one of the clocks.
    auto expected = [&](long long utc, int child) {
        const long long toGo = (target - Local(utc)) / kSecond;
        return L"【作業中】Document1" + CountDown(toGo) +
               (child == 1 ? ClockText(utc, 9, 1) : ClockText(utc, -5, 2));
    };
    std::set<std::wstring> seen;
    std::set<int> children;
    const auto start = e2e::Clock::now();
    while (MillisecondsSince(start) < 6000) {
        const long long before = Now() / kSecond * kSecond;
        const std::wstring title = TitleOf(window);
        if (title != L"Document1 - Editor" && seen.insert(title).second) {
            bool matched = false;
            for (int child : {1, 2})
                for (long long t : {before, before - kSecond, before + kSecond})
                    if (title == expected(t, child)) {
                        matched = true;
                        children.insert(child);
                    }
            EXPECT_TRUE(matched) << "unexpected title: " << Narrow(title);
        }
        Sleep(100);
    }
    EXPECT_GE(seen.size(), 5u);
    EXPECT_EQ(children.size(), 2u) << "the group never switched";
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    EXPECT_EQ(TitleOf(window), L"Document1 - Editor");
}

}  // namespace
}  // namespace tbq::e2e
