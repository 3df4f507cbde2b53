// Plug-ins with the real program: HostStat's CPU, memory and uptime texts in
// notepad's title, renewed tick by tick; the same list with HostStat switched
// off in "[Plugin_Enable]" after a restart; plug-ins that crash and hang
// inside their text function, which leave the title showing everything else;
// and one that crashes while it loads, which is not loaded again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

namespace fs = std::filesystem;
constexpr int kSoon = 15000;

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    s.resize(s.size() ? s.size() - 1 : 0);
    return s;
}

std::string Section(int n) {
    char s[32];
    std::snprintf(s, sizeof s, "[ViewData%04d]\r\n", n);
    return s;
}

std::string PluginItem(int n, const std::string& file, int func, int setting) {
    return Section(n) + "DataType=PLUGIN\r\nPluginName=" + file + "\r\nFuncNo=" + std::to_string(func) +
           "\r\nSettingNo=" + std::to_string(setting) + "\r\n";
}

std::string FixedItem(int n, const std::wstring& text) {
    std::string hex;
    char buf[8];
    for (wchar_t c : text) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(c));
        hex += buf;
    }
    return Section(n) + "DataType=FIXED\r\nType=Fixed\r\nText=" + hex + "\r\n";
}

std::string End(int n) { return Section(n) + "DataType=NONE\r\n"; }

class PluginEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini", "TBQPluginHost.exe"});
        fs::create_directory(dir_.Native("Plugins"));
        folder_ = dir_.Native().wstring() + L"\\";
    }
    void AddPlugin(const fs::path& from) { fs::copy_file(from, dir_.Native("Plugins") / from.filename()); }
    Process StartTbq() { return Process(L"\"" + folder_ + L"TBQ.exe\"", folder_); }

    test::TempFolder dir_;
    std::wstring folder_;
};

TEST_F(PluginEndToEnd, HostStatTextsInNotepadTickByTickAndMissingOnceSwitchedOff) {
    AddPlugin(fs::path(OwnFolder()) / "Plugins" / "HostStat.tbqp");
    fs::create_directory(dir_.Native("Plugins/HostStat"));
    dir_.WriteBytes("Plugins\\HostStat\\Setting.ini",
                    "[CPU1]\r\nSettingName=cpu\r\nFormat=CPU {load}%\r\n"
                    "[MemoryUsed1]\r\nSettingName=mem\r\nFormat=MEM {usedkb}/{totalkb}KB\r\n"
                    "[Uptime1]\r\nSettingName=up\r\nFormat=UP {totalseconds}\r\n");
    dir_.WriteBytes("TBQ_ViewData.ini", PluginItem(1, "HostStat.tbqp", 1, 1) + FixedItem(2, L" / ") +
                                            PluginItem(3, "HostStat.tbqp", 2, 1) + FixedItem(4, L" / ") +
                                            PluginItem(5, "HostStat.tbqp", 4, 1) + End(6));

    Process notepadProcess(L"notepad.exe", L"");
    HWND notepad = WaitForWindowOfProcess(notepadProcess.Id(), nullptr, kSoon);
    ASSERT_NE(notepad, nullptr);
    const std::wstring ownTitle = TitleOf(notepad);
    {
        Process tbq = StartTbq();
        HWND mainWindow = MainWindowOf(tbq);
        ASSERT_NE(mainWindow, nullptr);
        ASSERT_TRUE(BringToFront(notepad));
        const std::wregex shape(LR"(CPU \d{1,3}% / MEM \d+/\d+KB / UP \d+)");
        EXPECT_TRUE(WaitUntil([&] { return std::regex_match(TitleOf(notepad), shape); }, kSoon))
            << Utf8(TitleOf(notepad));
        // The uptime moves on every second: the title follows, tick by tick.
        std::set<std::wstring> seen;
        WaitUntil([&] {
            const std::wstring t = TitleOf(notepad);
            if (std::regex_match(t, shape)) seen.insert(t);
            return seen.size() >= 3;
        }, kSoon);
        EXPECT_GE(seen.size(), 3u);
        ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
        EXPECT_EQ(TitleOf(notepad), ownTitle);
    }
    std::string setting = dir_.ReadBytes("TBQ_Setting.ini");
    const std::size_t at = setting.find("HostStat.tbqp=1");
    ASSERT_NE(at, std::string::npos) << "the enabled state is saved";
    ASSERT_NE(setting.rfind("[Plugin_Enable]", at), std::string::npos);
    setting[at + std::string("HostStat.tbqp=").size()] = '0';
    dir_.WriteBytes("TBQ_Setting.ini", setting);

    Process tbq = StartTbq();
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_TRUE(BringToFront(notepad));
    const std::wstring off = L"!HostStat.tbqp / !HostStat.tbqp / !HostStat.tbqp";
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == off; }, kSoon)) << Utf8(TitleOf(notepad));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    EXPECT_NE(dir_.ReadBytes("TBQ_Setting.ini").find("HostStat.tbqp=0"), std::string::npos)
        << "a disabled plug-in's state is saved too";
}

TEST_F(PluginEndToEnd, PluginsThatCrashOrHangLeaveTheOtherItemsShowing) {
    const fs::path plugins = fs::path(OwnFolder()) / "testplugins";
    for (const char* f : {"crash.tbqp", "hang.tbqp", "good_ansi.tbqp"}) AddPlugin(plugins / f);
    dir_.WriteBytes("TBQ_ViewData.ini", FixedItem(1, L"[A]") + PluginItem(2, "crash.tbqp", 1, 1) +
                                            FixedItem(3, L"[B]") + PluginItem(4, "hang.tbqp", 1, 1) +
                                            FixedItem(5, L"[C]") + PluginItem(6, "good_ansi.tbqp", 1, 5) +
                                            End(7));
    Process notepadProcess(L"notepad.exe", L"");
    HWND notepad = WaitForWindowOfProcess(notepadProcess.Id(), nullptr, kSoon);
    ASSERT_NE(notepad, nullptr);
    Process tbq = StartTbq();
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    ASSERT_TRUE(BringToFront(notepad));
    const std::wstring expected = L"[A]!crash.tbqp[B]!hang.tbqp[C]時刻テスト 5";
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == expected; }, kSoon)) << Utf8(TitleOf(notepad));
    // And it stays so, tick after tick, with TBQ answering.
    EXPECT_FALSE(WaitUntil([&] { return TitleOf(notepad) != expected; }, 2000)) << Utf8(TitleOf(notepad));
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    const std::string setting = dir_.ReadBytes("TBQ_Setting.ini");
    for (const char* state : {"crash.tbqp=0", "hang.tbqp=0", "good_ansi.tbqp=1"})
        EXPECT_NE(setting.find(state), std::string::npos) << state << " in\n" << setting;
}

// A plug-in that crashes in its Init is switched off as one that crashes in
// its text: listed off, saved off at the end, and the next start leaves it
// alone (its Init leaves a line in crash_init.tbqp.inits each time it runs).
TEST_F(PluginEndToEnd, APluginThatCrashesInItsInitIsSavedOffAndNotLoadedAgain) {
    const fs::path plugins = fs::path(OwnFolder()) / "testplugins";
    for (const char* f : {"crash_init.tbqp", "good_ansi.tbqp"}) AddPlugin(plugins / f);
    dir_.WriteBytes("TBQ_ViewData.ini", PluginItem(1, "crash_init.tbqp", 1, 1) + FixedItem(2, L"[A]") +
                                            PluginItem(3, "good_ansi.tbqp", 1, 5) + End(4));
    Process notepadProcess(L"notepad.exe", L"");
    HWND notepad = WaitForWindowOfProcess(notepadProcess.Id(), nullptr, kSoon);
    ASSERT_NE(notepad, nullptr);
    const std::wstring expected = L"!crash_init.tbqp[A]時刻テスト 5";
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        Process tbq = StartTbq();
        HWND mainWindow = MainWindowOf(tbq);
        ASSERT_NE(mainWindow, nullptr);
        ASSERT_TRUE(BringToFront(notepad));
        EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == expected; }, kSoon)) << Utf8(TitleOf(notepad));
        ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
        const std::string setting = dir_.ReadBytes("TBQ_Setting.ini");
        for (const char* state : {"crash_init.tbqp=0", "good_ansi.tbqp=1"})
            EXPECT_NE(setting.find(state), std::string::npos) << state << " in\n" << setting;
        EXPECT_EQ(dir_.ReadBytes("Plugins\\crash_init.tbqp.inits"), "init\r\n") << "loaded once, at the first start";
    }
}

}  // namespace
}  // namespace tbq::e2e
