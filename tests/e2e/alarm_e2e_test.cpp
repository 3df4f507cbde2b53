// An alarm with the real program: due three seconds after the start, it opens
// its message window, shows its text in notepad's title through a first-valid
// group, opens a helper program once with its own arguments and folder (not
// again after a restart in the middle of the run), and, deleting itself, is
// gone from the alarm file once its run is over.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 10000;
constexpr int kRunSeconds = 30;

std::string Hex(const std::wstring& text) {
    std::string out;
    char buf[8];
    for (wchar_t c : text) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(c));
        out += buf;
    }
    return out;
}

std::string Utf8(const std::wstring& w) {
    std::string out(static_cast<std::size_t>(
                        WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr,
                        nullptr);
    out.resize(out.size() - 1);
    return out;
}

// Text in the system's code page, as settings files hold it.
std::string Ansi(const std::wstring& w) {
    std::string out(static_cast<std::size_t>(
                        WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr,
                        nullptr);
    out.resize(out.size() - 1);
    return out;
}

// The local time as the helper writes it, for failure messages.
std::string NowText() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    return buf;
}

class AlarmEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini", "argdump.exe"});
        std::filesystem::create_directory(dir_.Native("work"));
        // The folder with exactly one separator at its end (Native() may give one).
        folder_ = dir_.Native().wstring();
        while (!folder_.empty() && (folder_.back() == L'\\' || folder_.back() == L'/')) folder_.pop_back();
        folder_ += L'\\';
    }

    Process StartTbq() { return Process(L"\"" + folder_ + L"TBQ.exe\"", folder_); }

    // The blocks argdump.log holds: one per run of the helper.
    int HelperRuns() {
        std::istringstream in(dir_.ReadBytes("argdump.log"));
        int runs = 0;
        for (std::string line; std::getline(in, line);)
            if (line == "run") ++runs;
        return runs;
    }

    test::TempFolder dir_;
    std::wstring folder_;
};

TEST_F(AlarmEndToEnd, AnAlarmRunsItsActionsOnceAndDeletesItself) {
    const std::wstring message = L"お湯が沸きました";
    dir_.WriteBytes("TBQ_ViewData.ini",
                    "[ViewData0001]\r\nDataType=GROUP\r\nStyle=16\r\nTargetNum=2\r\n"
                    "[ViewData0002]\r\nDataType=ALARM\r\nStyle=4\r\nType=1\r\n"
                    "[ViewData0003]\r\nDataType=FIXED\r\nType=Fixed\r\nText=" + Hex(L"[idle]") +
                        "\r\n[ViewData0004]\r\nDataType=NONE\r\n");
    const SYSTEMTIME due = LocalTimeIn(3);
    char alarm[1024];
    std::snprintf(alarm, sizeof alarm,
                  "[Alarm0001]\r\nName=TeaTime\r\nMessage=%s\r\nTargetYear=%d\r\nTargetMonth=%d\r\n"
                  "TargetDay=%d\r\nTargetHour=%d\r\nTargetMinute=%d\r\nTargetSecond=%d\r\n"
                  "Flag=29\r\nDayType=1\r\nFileOpen=%sargdump.exe\r\nFileCommandLine=-x \"a b\"\r\n"
                  "FileDirectory=%swork\r\nMessageHour=0\r\nMessageMinute=0\r\nMessageSecond=%d\r\n"
                  "Enable=1\r\n[Alarm0002]\r\nName=\r\n",
                  Ansi(message).c_str(), due.wYear, due.wMonth, due.wDay, due.wHour, due.wMinute,
                  due.wSecond, Ansi(folder_).c_str(), Ansi(folder_).c_str(), kRunSeconds);
    dir_.WriteBytes("TBQ_Alarm.ini", alarm);

    Process notepadProcess(L"notepad.exe", L"");
    HWND notepad = WaitForWindowOfProcess(notepadProcess.Id(), nullptr, kSoon);
    ASSERT_NE(notepad, nullptr);
    ASSERT_TRUE(BringToFront(notepad));

    Process tbq = StartTbq();
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == L"[idle]"; }, kSoon))
        << Utf8(TitleOf(notepad));

    // The alarm starts: its window opens, and its text takes the group's place.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowW(L"#32770", L"TeaTime")) != nullptr; }, kSoon))
        << tbq.Describe();
    // The new window may have come to the front; the text is for the user's window.
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == message; }, kSoon))
        << Utf8(TitleOf(notepad));
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 1012, text, 512);
    EXPECT_EQ(std::wstring(text).rfind(message + L"\r\n\r\n対象日時 : ", 0), 0u) << Utf8(text);
    EXPECT_EQ(IsDlgButtonChecked(box, 1010), BST_CHECKED);

    // The helper ran once, in its folder, with its two arguments kept apart.
    ASSERT_TRUE(WaitUntil([&] { return HelperRuns() == 1; }, kSoon));
    const std::string log = dir_.ReadBytes("argdump.log");
    EXPECT_NE(log.find("cwd=" + Utf8(folder_) + "work"), std::string::npos) << log;
    EXPECT_NE(log.find("arg=-x\narg=a b\n"), std::string::npos) << log;

    // Quit and start again while the alarm runs: the window comes back, the
    // helper does not run again.
    const std::string quitAt = NowText();
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow)) << "quit at " << quitAt;
    EXPECT_TRUE(WaitUntil([&] { return FindWindowW(L"#32770", L"TeaTime") == nullptr; }, kSoon));
    const std::string restartedAt = NowText();
    Process again = StartTbq();
    mainWindow = MainWindowOf(again);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowW(L"#32770", L"TeaTime") != nullptr; }, kSoon));
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == message; }, kSoon));

    // The run ends: the text goes, the window closes, the alarm deletes itself.
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == L"[idle]"; }, (kRunSeconds + 5) * 1000))
        << Utf8(TitleOf(notepad));
    EXPECT_TRUE(WaitUntil([&] { return FindWindowW(L"#32770", L"TeaTime") == nullptr; }, kSoon));
    EXPECT_EQ(HelperRuns(), 1) << dir_.ReadBytes("argdump.log") << "restarted at " << restartedAt;
    ASSERT_TRUE(QuitTbqThroughMenu(again, mainWindow));
    const std::string alarms = dir_.ReadBytes("TBQ_Alarm.ini");
    EXPECT_EQ(alarms.find("TeaTime"), std::string::npos) << alarms;
    EXPECT_NE(alarms.find("[Alarm0001]\r\nName=\r\n"), std::string::npos) << alarms;
}

}  // namespace
}  // namespace tbq::e2e
