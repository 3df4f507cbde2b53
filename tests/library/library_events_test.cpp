// Init, Quit, the hidden message window's events and the tray icon. Init and
// Quit work once per process, so each test runs in a process of its own.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <string>
#include <vector>

#include "library/library_harness.h"

namespace tbq::test {
namespace {

UINT Registered(const wchar_t* name) { return RegisterWindowMessageW(name); }

// The icon's identifier is a global atom "TBQ_NOTIFYICON_" + lower-case hex;
// every atom so named is a candidate.
std::vector<ATOM> IconIdentifiers() {
    std::vector<ATOM> found;
    const std::string prefix = "TBQ_NOTIFYICON_";
    // The table hands out the lowest free slot, so a long run of free ones ends it.
    for (unsigned a = 0xC000, misses = 0; a <= 0xFFFF && misses < 1024; ++a) {
        char name[256];
        const std::string s(name, GlobalGetAtomNameA(static_cast<ATOM>(a), name, sizeof name));
        misses = s.empty() ? misses + 1 : 0;
        if (s.size() > prefix.size() && s.compare(0, prefix.size(), prefix) == 0 &&
            s.find_first_not_of("0123456789abcdef", prefix.size()) == std::string::npos)
            found.push_back(static_cast<ATOM>(a));
    }
    return found;
}

// Asks the shell about each of the owner's possible icons; true when any call succeeds.
bool AnyIcon(HWND owner, const std::vector<ATOM>& ids, DWORD operation) {
    bool any = false;
    for (ATOM id : ids) {
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = owner;
        icon.uID = id;
        if (Shell_NotifyIconW(operation, &icon)) any = true;
    }
    return any;
}

// Modifying nothing succeeds only for an icon the shell holds.
bool IconShown(HWND owner, const std::vector<ATOM>& ids) { return AnyIcon(owner, ids, NIM_MODIFY); }

// What a shell that ends takes with it.
void ShellForgetsIcons(HWND owner, const std::vector<ATOM>& ids) { AnyIcon(owner, ids, NIM_DELETE); }

TEST(FreshProcess, InitWorksOnceAndMessagesBecomeEventsOfTheFirstCallback) {
    TBQ_IN_FRESH_PROCESS();
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    HWND window = lib.Init(&RecordFirst);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow())
        << "broadcasts reach top-level windows only";
    EXPECT_EQ(lib.Init(&RecordSecond), nullptr);

    const UINT tray = Registered(L"TBQ_NOTIFYICON_MESSAGE By Pellam");
    const struct {
        LPARAM mouse;
        Event event;
    } posted[] = {
        {WM_LBUTTONDOWN, {5, 1, 1}},
        {WM_LBUTTONUP, {5, 2, 1}},
        {WM_LBUTTONDBLCLK, {5, 3, 1}},
        {WM_RBUTTONDOWN, {5, 1, 2}},
        {WM_RBUTTONUP, {5, 2, 2}},
        {WM_RBUTTONDBLCLK, {5, 3, 2}},
        {WM_MBUTTONDOWN, {5, 1, 4}},
        {WM_MBUTTONUP, {5, 2, 4}},
        {WM_MBUTTONDBLCLK, {5, 3, 4}},
        {MAKELPARAM(WM_LBUTTONUP, 0xC123), {5, 2, 1}},  // icon id in the high word
    };
    std::vector<Event> expected;
    for (const auto& p : posted) {
        PostMessageW(window, tray, 0, p.mouse);
        expected.push_back(p.event);
    }
    PostMessageW(window, tray, 0, WM_MOUSEMOVE);  // reports nothing
    PostMessageW(window, WM_CLOSE, 0, 0);         // the window lives until Quit
    PostMessageW(window, Registered(L"TBQ_MainWindow_Show"), 7, 9);
    // Last in the queue: its arrival shows that everything before was handled.
    PostMessageW(window, WM_HOTKEY, 5, 0x00410002);
    expected.insert(expected.end(), {{4, 7, 9}, {1, 5, 0x00410002}});
    ASSERT_TRUE(PumpMessagesUntil([] { return g_firstEvents.size() >= 12; }));
    EXPECT_EQ(g_firstEvents, expected);
    EXPECT_TRUE(IsWindow(window));

    // The broadcast is answered before it returns, our own window included.
    g_firstEvents.clear();
    EXPECT_NE(lib.ShowMainProgramWindow(), 0);
    EXPECT_EQ(g_firstEvents, (std::vector<Event>{{4, 0, 0}}));

    // Destroyed by someone other than Quit: the program hears of it, and Quit
    // still ends cleanly afterwards.
    g_firstEvents.clear();
    DestroyWindow(window);
    EXPECT_EQ(g_firstEvents, (std::vector<Event>{{3, 0, 0}}));
    EXPECT_TRUE(g_secondEvents.empty());
    EXPECT_NE(lib.Quit(), 0);
}

TEST(FreshProcess, NothingReachesTheProgramAfterQuit) {
    TBQ_IN_FRESH_PROCESS();
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    HWND window = lib.Init(&RecordFirst);
    EXPECT_EQ(lib.NotifyIconControl(TBQ_TRAY_ADD, 0, 0), 0);
    const std::vector<ATOM> ids = IconIdentifiers();
    ASSERT_TRUE(IconShown(window, ids));

    EXPECT_NE(lib.Quit(), 0);
    EXPECT_FALSE(IsWindow(window));
    // Windows keeps an icon whose owner is gone until the mouse passes over it
    // (Wine drops it by itself, so there this holds either way).
    EXPECT_FALSE(IconShown(window, ids)) << "an icon outlived its owner window";
    lib.ShowMainProgramWindow();
    // Init works once per process; a second Quit has nothing left to release.
    EXPECT_EQ(lib.Init(&RecordSecond), nullptr);
    lib.ShowMainProgramWindow();
    EXPECT_TRUE(g_firstEvents.empty()) << "first event: " << g_firstEvents.front();
    EXPECT_TRUE(g_secondEvents.empty());
    EXPECT_EQ(lib.Quit(), 0);
}

TEST(FreshProcess, TrayIconComesAndGoesAndReturnsWithTheShell) {
    TBQ_IN_FRESH_PROCESS();
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    HWND window = lib.Init(&RecordFirst);
    const std::vector<ATOM> ids = IconIdentifiers();
    ASSERT_FALSE(ids.empty()) << "no global atom named TBQ_NOTIFYICON_<lower-case hex>";

    // Texts far longer than their fields, and missing texts, are taken safely.
    const std::string longText(5000, 'w');
    const std::string longJapanese = ToAnsi(std::wstring(300, L'ソ'));
    for (int32_t mode : {TBQ_TRAY_BALLOON_TITLE, TBQ_TRAY_BALLOON_TEXT, TBQ_TRAY_TIP}) {
        lib.NotifyIconControl(mode, 0, 0);
        lib.NotifyIconControl(mode, reinterpret_cast<INT_PTR>(longJapanese.c_str()), 0);
        lib.NotifyIconControl(mode, reinterpret_cast<INT_PTR>(longText.c_str()), 0);
    }
    lib.NotifyIconControl(TBQ_TRAY_BALLOON_ON, 1, 0);
    // Icons this program does not have: the standard application icon stands in.
    const auto self = reinterpret_cast<INT_PTR>(GetModuleHandleW(nullptr));
    lib.NotifyIconControl(TBQ_TRAY_LOAD_ICON, self, 4242);
    lib.NotifyIconControl(TBQ_TRAY_LOAD_ICON, self, reinterpret_cast<INT_PTR>("NO_SUCH_ICON"));
    lib.NotifyIconControl(TBQ_TRAY_LOAD_ICON, 0, 0);
    for (int32_t mode : {0, 12, -1}) EXPECT_EQ(lib.NotifyIconControl(mode, 1, 1), 0);
    EXPECT_FALSE(IconShown(window, ids));

    // A restarted shell has lost every icon; ours comes back while the program
    // wants it, and one the program removed stays away.
    lib.NotifyIconControl(TBQ_TRAY_ADD, 0, 0);
    EXPECT_TRUE(IconShown(window, ids));
    ShellForgetsIcons(window, ids);
    ASSERT_FALSE(IconShown(window, ids));
    SendMessageW(window, Registered(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconShown(window, ids));
    lib.NotifyIconControl(TBQ_TRAY_REMOVE, 0, 0);
    EXPECT_FALSE(IconShown(window, ids));
    SendMessageW(window, Registered(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(IconShown(window, ids));
    EXPECT_TRUE(g_firstEvents.empty());
    // No Quit: the library must also end cleanly when the process exits under it.
}

TEST(FreshProcess, UnloadingWithoutQuitShutsTheLibraryDown) {
    TBQ_IN_FRESH_PROCESS();
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    HWND window = lib.Init(&RecordFirst);
    lib.NotifyIconControl(TBQ_TRAY_ADD, 0, 0);
    const std::vector<ATOM> ids = IconIdentifiers();
    ASSERT_TRUE(IconShown(window, ids));

    ASSERT_TRUE(FreeLibrary(lib.module));
    EXPECT_EQ(GetModuleHandleW(L"TBQ.dll"), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IconShown(window, ids));
    EXPECT_TRUE(g_firstEvents.empty()) << "the callback was called during unload";
}

}  // namespace
}  // namespace tbq::test
