// The alarm message windows, through ShowAlarmWindow and CloseAlarmWindow bound
// by name. The tests that listen to the check box need Init, so they run in a
// process of their own; the harness's pump never calls IsDialogMessage, as the
// program's loop does not either.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "library/library_harness.h"

namespace tbq::test {
namespace {

constexpr int kAgain = 1010, kMessage = 1012, kTag = 1013;

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = {};
    return std::wstring(text, static_cast<std::size_t>(GetWindowTextW(window, text, 1024)));
}

HWND MakeOwner(int x, int y) {
    return CreateWindowExW(0, L"STATIC", L"alarm owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                           300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void Click(HWND alarm) { SendMessageW(GetDlgItem(alarm, kAgain), BM_CLICK, 0, 0); }

TEST(AlarmWindow, ShowsItsTextsAndTagWithTheBoxCheckedAndLivesWithItsOwner) {
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    HWND owner = MakeOwner(100, 100), farOwner = MakeOwner(300, 260);
    struct Row {
        std::wstring title, message;
        std::int32_t tag;
        const char* hex;
    };
    std::vector<Row> rows = {
        {L"Alarm", L"one line", 1, "1"},
        {L"Lines", L"first\r\nsecond\r\n\r\nfourth", 0x7fffffff, "7fffffff"},
        {L"", L"", static_cast<std::int32_t>(0xfffffffeu), "fffffffe"},
    };
    if (GetACP() == 932) rows.push_back({L"アラーム", L"東京\r\n会議室ソ", 0xabc, "abc"});
    std::vector<HWND> alarms;
    for (const Row& row : rows) {
        const std::string title = ToAnsi(row.title), message = ToAnsi(row.message);
        HWND alarm = lib.ShowAlarmWindow(owner, title.c_str(), message.c_str(), row.tag);
        ASSERT_TRUE(IsWindow(alarm)) << row.hex;
        alarms.push_back(alarm);
        EXPECT_EQ(TextOf(alarm), row.title);
        EXPECT_EQ(TextOf(GetDlgItem(alarm, kMessage)), row.message);
        char hex[16] = {};
        GetDlgItemTextA(alarm, kTag, hex, sizeof hex);
        EXPECT_STREQ(hex, row.hex);
        EXPECT_EQ(IsDlgButtonChecked(alarm, kAgain), UINT{BST_CHECKED});
        EXPECT_EQ(GetWindow(alarm, GW_OWNER), owner);
    }
    // Null texts read as empty ones; no callback is registered, so a click reports nowhere.
    HWND blank = lib.ShowAlarmWindow(farOwner, nullptr, nullptr, 0);
    ASSERT_TRUE(IsWindow(blank));
    EXPECT_EQ(TextOf(blank) + TextOf(GetDlgItem(blank, kMessage)), L"");
    Click(blank);

    HWND first = alarms.front();
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(first, kTag)));
    EXPECT_EQ(GetWindowLongW(first, GWL_STYLE) & (WS_SYSMENU | WS_THICKFRAME), WS_SYSMENU);
    EXPECT_EQ(GetWindowLongW(first, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetWindowLongW(GetDlgItem(first, kMessage), GWL_STYLE) & ES_READONLY, 0);
    // Placed relative to the owner: a window of an owner further off lies as much further off.
    RECT close{}, away{};
    GetWindowRect(first, &close);
    GetWindowRect(blank, &away);
    POINT a{0, 0}, b{0, 0};
    ClientToScreen(owner, &a);
    ClientToScreen(farOwner, &b);
    EXPECT_EQ(away.left - close.left, b.x - a.x);
    EXPECT_EQ(away.top - close.top, b.y - a.y);

    DestroyWindow(owner);
    for (HWND alarm : alarms) EXPECT_FALSE(IsWindow(alarm)) << "an alarm window outlived its owner";
    DestroyWindow(farOwner);
    EXPECT_EQ(lib.ShowAlarmWindow(owner, "gone owner", "", 1), nullptr);
}

TEST(FreshProcess, AlarmCheckBoxReportsTheWindowsOwnTagAndState) {
    TBQ_IN_FRESH_PROCESS();
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    ASSERT_TRUE(lib.Init(&RecordFirst));
    std::vector<HWND> alarms;
    for (std::uint32_t tag : {1u, 0x7fffffffu, 0xfffffffeu}) {
        const auto bits = static_cast<std::int32_t>(tag);
        alarms.push_back(lib.ShowAlarmWindow(nullptr, "alarm", "text", bits));
        EXPECT_EQ(GetFocus(), GetDlgItem(alarms.back(), IDOK)) << "a new alarm window starts on OK";
        g_firstEvents.clear();
        Click(alarms.back());
        Click(alarms.back());
        PumpMessagesUntil([] { return g_firstEvents.size() >= 2; });
        EXPECT_EQ(g_firstEvents, (std::vector<Event>{{6, bits, 0}, {6, bits, 1}})) << tag;
    }
    // Independent windows: one gone, the others keep their state and their own tags.
    ASSERT_NE(lib.CloseAlarmWindow(alarms[0]), 0);
    g_firstEvents.clear();
    Click(alarms[2]);
    PumpMessagesUntil([] { return !g_firstEvents.empty(); });
    EXPECT_EQ(g_firstEvents, (std::vector<Event>{{6, static_cast<std::int32_t>(0xfffffffeu), 0}}));
    EXPECT_EQ(IsDlgButtonChecked(alarms[1], kAgain), UINT{BST_CHECKED});
    EXPECT_NE(lib.Quit(), 0);
}

TEST(FreshProcess, AlarmWindowsCloseSilentlyAndCloseAlarmWindowTouchesNothingElse) {
    TBQ_IN_FRESH_PROCESS();
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    ASSERT_TRUE(lib.Init(&RecordFirst));
    const struct {
        const char* way;
        std::function<void(HWND)> close;
    } ways[] = {
        {"WM_CLOSE", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
        {"close command", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"OK", [](HWND w) { PostMessageW(GetDlgItem(w, IDOK), BM_CLICK, 0, 0); }},
        {"Esc", [](HWND w) { PostMessageW(GetDlgItem(w, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Enter", [](HWND w) { PostMessageW(GetDlgItem(w, kAgain), WM_KEYDOWN, VK_RETURN, 0); }},
        {"CloseAlarmWindow", [&](HWND w) { EXPECT_NE(lib.CloseAlarmWindow(w), 0); }},
    };
    for (const auto& way : ways) {
        HWND alarm = lib.ShowAlarmWindow(nullptr, "alarm", "text", 7);
        way.close(alarm);
        EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(alarm); })) << way.way;
        EXPECT_EQ(lib.CloseAlarmWindow(alarm), 0) << way.way;
    }

    HWND alarm = lib.ShowAlarmWindow(nullptr, "alarm", "text", 8);
    HWND plain = MakeOwner(0, 0);
    for (HWND other : {HWND{}, plain, GetDlgItem(alarm, IDOK), GetDesktopWindow()})
        EXPECT_EQ(lib.CloseAlarmWindow(other), 0) << other;
    EXPECT_TRUE(IsWindow(plain) && IsWindow(GetDlgItem(alarm, IDOK)));
    EXPECT_TRUE(g_firstEvents.empty()) << "first event: " << g_firstEvents.front();
    EXPECT_NE(lib.Quit(), 0);
}

TEST(FreshProcess, UnloadingTheLibraryTakesItsAlarmWindowsAlong) {
    TBQ_IN_FRESH_PROCESS();
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    HWND alarm = lib.ShowAlarmWindow(nullptr, "alarm", "text", 1);
    ASSERT_TRUE(FreeLibrary(lib.module));
    ASSERT_EQ(GetModuleHandleW(L"TBQ.dll"), nullptr);
    EXPECT_FALSE(IsWindow(alarm));
    // Nothing of the library (its window procedure, its keyboard help) is left to call.
    HWND plain = MakeOwner(0, 0);
    PostMessageW(plain, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessagesUntil([] { return false; }, std::chrono::milliseconds(100));
    DestroyWindow(plain);
}

// The program tells the library its language: the alarm window's check box,
// the library's description and the extended tokens' help follow, and
// Japanese comes back.
TEST(AlarmWindow, FollowsTheLanguageTheProgramSets) {
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    auto setLanguage = reinterpret_cast<TBQ_SetLanguageProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(lib.module, "SetLanguage")));
    auto tokenHelp = reinterpret_cast<TBQ_ExFormatGetInfoProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(lib.module, "ExFormatGetInfo")));
    ASSERT_NE(setLanguage, nullptr);
    ASSERT_NE(tokenHelp, nullptr);
    HWND owner = MakeOwner(100, 100);
    for (int language : {1, 0}) {
        setLanguage(language);
        HWND alarm = lib.ShowAlarmWindow(owner, "t", "m", 1);
        ASSERT_TRUE(IsWindow(alarm));
        TBQ_Information info{};
        lib.GetInformation(&info);
        const std::wstring box = TextOf(GetDlgItem(alarm, kAgain));
        char name[16] = {}, help[128] = {};
        EXPECT_EQ(tokenHelp(13, name, sizeof name - 1, help, sizeof help - 1), 3);
        if (language == 1) {
            EXPECT_EQ(box, L"Show again when the conditions are met");
            EXPECT_STREQ(info.Comment, "Runs plug-ins, extended formats and other services.");
            EXPECT_STREQ(help, "The Julian day number.");
        } else {
            EXPECT_EQ(box, L"条件を満たした場合、再度表示する");
            EXPECT_STRNE(help, "The Julian day number.");
            EXPECT_NE(help[0], '\0');
        }
    }
    DestroyWindow(owner);
}

}  // namespace
}  // namespace tbq::test
