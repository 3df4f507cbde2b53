// Painting over captions with the real program: pixels read back from a
// helper window's frame show the profile's background, border and text inside
// its rectangle and nothing of ours outside it; the pseudo title bar lies over
// the caption, belongs to its window, lets clicks through, hides with it and
// follows it; the title modes leave, set or empty and restore the title.
//
// Each check runs at the prefix's own DPI and again at 144 pixels per inch,
// set for the programs the test starts (the test program itself keeps the
// resolution it started with: it only reads pixels).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 10000;
// Colours as the profiles store them (0x00BBGGRR).
constexpr COLORREF kBack = RGB(255, 0, 0), kLine = RGB(0, 255, 0);
// The manual rectangle, in pixels from the window's left and top edges.
constexpr int kLeft = 30, kTop = 6, kRightGap = 120, kBottom = 28;

std::string Hex(const std::wstring& text) {
    std::string out;
    char buf[8];
    for (wchar_t c : text) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(c));
        out += buf;
    }
    return out;
}

// A profile with a manual rectangle from the top edge and a 9-point font.
std::string Profile(int n, const char* name, int drawType, int trans) {
    char buf[1024];
    std::snprintf(buf, sizeof buf,
                  "[DrawBar%04d]\r\nName=%s\r\nDrawType=%d\r\nNormal_WindowFlag=272\r\n"
                  "Normal_Left=%d\r\nNormal_Top=%d\r\nNormal_Right=%d\r\nNormal_Bottom=%d\r\n"
                  "Normal_BackColor=0x%X\r\nNormal_LineColor=0x%X\r\nNormal_Trans=%d\r\n"
                  "Normal_Trans_MouseOver=%d\r\nNormal_FontHeight=90\r\n",
                  n, name, drawType, kLeft, kTop, kRightGap, kBottom, static_cast<unsigned>(kBack),
                  static_cast<unsigned>(kLine), trans, trans);
    return buf;
}

// Screen pixels: what the user sees, layered windows and all.
class Screen {
public:
    Screen() : dc_(GetDC(nullptr)) {}
    ~Screen() { ReleaseDC(nullptr, dc_); }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }

private:
    HDC dc_;
};

Census Count(const RECT& r) { return CountColours(r, kBack, kLine); }

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// The profile's rectangle on the screen for window `w`.
RECT BarRect(HWND w) { return TopBasedRect(w, kLeft, kTop, kRightGap, kBottom); }

RECT Inset(RECT r, int d) { return {r.left + d, r.top + d, r.right - d, r.bottom - d}; }

class DrawEndToEnd : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
        folder_ = dir_.Native().wstring();
        while (!folder_.empty() && folder_.back() == L'\\') folder_.pop_back();
        folder_ += L'\\';
        dir_.WriteBytes("TBQ_ViewData.ini",
                        "[ViewData0001]\r\nDataType=FIXED\r\nType=Fixed\r\nFontColor=0xFFFFFF\r\nText=" +
                            Hex(L"WWWW MMMM") + "\r\n[ViewData0002]\r\nDataType=NONE\r\n");
        dir_.WriteBytes("TBQ_DrawBar.ini", Profile(1, "direct", 1, 0) + Profile(2, "same", 1 | 16, 0) +
                                               Profile(3, "clear", 1 | 32, 0) +
                                               Profile(4, "bar", 2, 255) + "[DrawBar0005]\r\nName=\r\n");
        SetDpi(GetParam());
    }
    void TearDown() override { SetDpi(saved_); }

    // The resolution the programs started from now on get.
    void SetDpi(DWORD dpi) {
        HKEY key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        if (saved_ == 0) {
            DWORD size = sizeof saved_;
            if (RegQueryValueExW(key, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&saved_),
                                 &size) != ERROR_SUCCESS)
                saved_ = 96;
        }
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        RegCloseKey(key);
    }

    void Settings(const char* defaultBar, bool pinned, bool follow = true) {
        std::string s = "[DrawBar]\r\nUseDrawBar=1\r\nDefault=" + std::string(defaultBar) +
                        "\r\nFollowTarget=" + (follow ? "1" : "0") + "\r\n[TitleBar]\r\n";
        if (pinned) s += "Fixed_WindowTitle=Pinned\r\nFixed_Flag=2\r\nFixed_Enable=1\r\n";
        dir_.WriteBytes("TBQ_Setting.ini", s);
    }

    // Moves `w` five times and returns the longest wait (ms) until the bar
    // lay over its new caption; prints the figures.
    double TrailAfterMoves(const Process& tbq, HWND w) {
        double total = 0, longest = 0;
        for (int i = 0; i < 5; ++i) {
            Sleep(137 * (i + 1) % 400);  // at varying points between two ticks
            const Clock::time_point moved = Clock::now();
            SetWindowPos(w, nullptr, 200 + 40 * i, 300 + 20 * i, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (!WaitUntil([&] { return WindowRect(PseudoBarOf(tbq.Id(), w)).left == BarRect(w).left; }, kSoon))
                return kSoon;
            const double ms = MillisecondsSince(moved);
            total += ms;
            longest = std::max(longest, ms);
        }
        std::printf("[ measure ] the pseudo bar trailed a moved window by %.0f ms on average, %.0f ms at most\n",
                    total / 5, longest);
        return longest;
    }

    Process StartTbq() { return Process(L"\"" + folder_ + L"TBQ.exe\"", folder_); }
    // TBQ's main window, hidden as soon as it shows so that it covers none of
    // the windows whose pixels are read.
    HWND Hidden(const Process& tbq) {
        HWND main = MainWindowOf(tbq);
        if (main) ShowWindow(main, SW_HIDE);
        return main;
    }
    Process StartWindow(const std::wstring& title, HWND& window) {
        Process p(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"" + title + L"\" /width 640", L"");
        // A busy machine may take a while to start a program.
        window = WaitForWindowOfProcess(p.Id(), L"TBQ_TestWindow", 3 * kSoon);
        return p;
    }

    test::TempFolder dir_;
    std::wstring folder_;
    DWORD saved_ = 0;
};

TEST_P(DrawEndToEnd, DirectDrawingPaintsItsRectangleOnlyAndGoesWithTheWindow) {
    Settings("direct", false);
    HWND a = nullptr, b = nullptr;
    Process pa = StartWindow(L"Alpha", a), pb = StartWindow(L"Beta", b);
    ASSERT_TRUE(a && b);
    SetWindowPos(b, nullptr, 100, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(BringToFront(a));
    const RECT window = WindowRect(a);
    // Outside the rectangle: the caption's buttons and the frame's corner.
    const RECT outside{window.right - kRightGap + 2, window.top + kTop, window.right - 2, window.top + kBottom};
    const Census before = Count(outside);
    ASSERT_EQ(Count(BarRect(a)).back, 0) << "the caption is not already our colour";

    Process tbq = StartTbq();
    ASSERT_NE(Hidden(tbq), nullptr);
    ASSERT_TRUE(BringToFront(a));
    Census inside;
    // Read until a whole pass is on the screen: background and text.
    EXPECT_TRUE(WaitUntil([&] {
        inside = Count(Inset(BarRect(a), 1));
        return inside.back > 500 && inside.text > 20;
    }, kSoon)) << "background " << inside.back << ", text " << inside.text << ", other " << inside.other;
    // The border runs round the rectangle: its top row is the line colour.
    const RECT top{BarRect(a).left + 1, BarRect(a).top, BarRect(a).right - 1, BarRect(a).top + 1};
    EXPECT_GE(Count(top).line, (top.right - top.left) * 9 / 10);
    const Census after = Count(outside);
    EXPECT_EQ(after.back + after.line + after.text, before.back + before.line + before.text)
        << "nothing of ours outside the rectangle";
    // The text is at least as tall as a 9-point font's capitals at this
    // resolution (6 rows at 96 dpi, 9 at 144).
    const int rows = inside.textBottom - inside.textTop + 1;
    std::printf("[ measure ] the text spans %d rows at %d dpi\n", rows, GetParam());
    EXPECT_GE(rows, 6 * GetParam() / 96) << rows;
    EXPECT_LE(rows, 14 * GetParam() / 96) << rows;
    EXPECT_EQ(TitleOf(a), L"Alpha") << "this profile leaves the title alone";

    // Another window: it gets the painting, and the first repaints its own caption.
    ASSERT_TRUE(BringToFront(b));
    EXPECT_TRUE(WaitUntil([&] { return Count(Inset(BarRect(b), 1)).back > 500; }, kSoon));
    EXPECT_TRUE(WaitUntil([&] { return Count(BarRect(a)).back == 0; }, kSoon)) << Count(BarRect(a)).back;
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, FindWindowW(L"TBQ_frmMain", nullptr)));
    EXPECT_TRUE(WaitUntil([&] { return Count(BarRect(b)).back == 0; }, kSoon)) << "taken away at the end";
}

TEST_P(DrawEndToEnd, TitleModesLeaveSetOrEmptyAndRestoreTheTitle) {
    for (const char* mode : {"same", "clear"}) {
        SCOPED_TRACE(mode);
        Settings(mode, true);
        HWND pinned = nullptr, other = nullptr;
        Process pp = StartWindow(L"Pinned", pinned), po = StartWindow(L"Other", other);
        ASSERT_TRUE(pinned && other);
        SetWindowPos(other, nullptr, 100, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Process tbq = StartTbq();
        HWND main = Hidden(tbq);
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(BringToFront(other));
        const std::wstring shown = std::string(mode) == "same" ? L"WWWW MMMM" : L"";
        EXPECT_TRUE(WaitUntil([&] { return TitleOf(pinned) == shown; }, kSoon))
            << "title [" << Narrow(TitleOf(pinned)) << "]";
        EXPECT_TRUE(WaitUntil([&] { return Count(BarRect(pinned)).back > 500; }, kSoon)) << "and painted";
        EXPECT_EQ(TitleOf(other), L"Other") << "the pinned window has the text";
        ASSERT_TRUE(QuitTbqThroughMenu(tbq, main));
        EXPECT_EQ(TitleOf(pinned), L"Pinned") << "given back at the end";
    }
}

TEST_P(DrawEndToEnd, PseudoBarLiesOverTheCaptionLetsClicksThroughAndFollowsItsWindow) {
    Settings("bar", true);
    HWND pinned = nullptr;
    Process pp = StartWindow(L"Pinned", pinned);
    ASSERT_TRUE(pinned);
    Process tbq = StartTbq();
    ASSERT_NE(Hidden(tbq), nullptr);
    HWND bar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (bar = PseudoBarOf(tbq.Id(), pinned)) && IsWindowVisible(bar); }, kSoon));
    const RECT b = WindowRect(bar), want = BarRect(pinned);
    EXPECT_EQ(b.left, want.left);
    EXPECT_EQ(b.top, want.top);
    EXPECT_EQ(b.right, want.right);
    EXPECT_EQ(b.bottom, want.bottom);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT),
              WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(WindowFromPoint(POINT{(b.left + b.right) / 2, (b.top + b.bottom) / 2}), pinned)
        << "clicks reach the window below";
    // The background is keyed out: the caption shows through where no text is.
    EXPECT_TRUE(WaitUntil([&] { return Count(Inset(b, 1)).text > 20; }, kSoon)) << "the text shows";
    EXPECT_EQ(Count(b).back, 0) << "no background";
    {
        // Along the bar's lowest row, below the text, the caption shows as it
        // does just right of the bar.
        Screen sc;
        const int y = b.bottom - 2;
        const COLORREF caption = sc.At(b.right + 4, y);
        int same = 0, all = 0;
        for (int x = b.left + 2; x < b.right - 2; x += 5, ++all) same += sc.At(x, y) == caption;
        EXPECT_GE(same * 10, all * 8) << "the caption below shows through: " << same << " of " << all;
    }

    // Minimised: the bar goes with its window; restored: it comes back.
    ShowWindow(pinned, SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(bar) || !IsWindow(bar); }, kSoon));
    ShowWindow(pinned, SW_RESTORE);
    EXPECT_TRUE(WaitUntil([&] { return (bar = PseudoBarOf(tbq.Id(), pinned)) && IsWindowVisible(bar); }, kSoon));

    // Moved by a script: the bar follows.
    EXPECT_LT(TrailAfterMoves(tbq, pinned), kSoon);
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, FindWindowW(L"TBQ_frmMain", nullptr)));
    EXPECT_FALSE(IsWindow(bar));
}

// The same moves with the window events not followed: the bar moves at the
// next tick only. Run for the figures; it checks only that the bar follows.
TEST_P(DrawEndToEnd, PseudoBarFollowsAtTheNextTickWithoutWindowEvents) {
    Settings("bar", true, false);
    HWND pinned = nullptr;
    Process pp = StartWindow(L"Pinned", pinned);
    ASSERT_TRUE(pinned);
    Process tbq = StartTbq();
    ASSERT_NE(Hidden(tbq), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return PseudoBarOf(tbq.Id(), pinned) != nullptr; }, kSoon));
    EXPECT_LT(TrailAfterMoves(tbq, pinned), kSoon);
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, FindWindowW(L"TBQ_frmMain", nullptr)));
}

INSTANTIATE_TEST_SUITE_P(Dpi, DrawEndToEnd, ::testing::Values(96, 144),
                         [](const ::testing::TestParamInfo<int>& p) { return "At" + std::to_string(p.param) + "Dpi"; });

// The bar's upkeep and the programs that draw their own caption: a stand-in
// like a browser (its client area takes the caption strip, where it draws
// tabs and three caption buttons) gets the text on a bar in the strip's free
// end, left of its buttons, with no painting profile at all.
class CaptionBarEndToEnd : public DrawEndToEnd {
protected:
    // The stand-in and where its buttons begin and its strip ends, in window
    // coordinates at the resolution it runs at.
    Process StartTabs(const std::wstring& title, HWND& window, int& buttonsLeft, int& strip) {
        const std::wstring layout = folder_ + L"tabwin.layout";
        DeleteFileW(layout.c_str());
        Process p(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"" + title +
                      L"\" /class TBQ_TabWindow /width 640 /height 360 /owncaption 1 /layout \"" + layout + L"\"",
                  L"");
        window = WaitForWindowOfProcess(p.Id(), L"TBQ_TabWindow", 3 * kSoon);
        buttonsLeft = strip = 0;
        WaitUntil([&] {
            FILE* f = _wfopen(layout.c_str(), L"r");
            if (!f) return false;
            const bool read = std::fscanf(f, "%d %d", &buttonsLeft, &strip) == 2;
            std::fclose(f);
            return read;
        }, kSoon);
        return p;
    }
    // Whether `upper` lies above `lower` in the window order.
    static bool Above(HWND upper, HWND lower) {
        for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
            if (w == upper) return true;
        return false;
    }
    // The bar's alpha as the window system keeps it; -1 when it has none.
    static int Alpha(HWND bar) {
        BYTE alpha = 0;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(bar, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
        return alpha;
    }
};

TEST_P(CaptionBarEndToEnd, AProgramsOwnCaptionGetsTheBarLeftOfItsButtons) {
    Settings("", false);  // no painting profile
    HWND tabs = nullptr;
    int buttonsLeft = 0, strip = 0;
    Process pt = StartTabs(L"Tabs", tabs, buttonsLeft, strip);
    ASSERT_TRUE(tabs && buttonsLeft > 0 && strip > 0) << buttonsLeft << " " << strip;
    Process tbq = StartTbq();
    ASSERT_NE(Hidden(tbq), nullptr);
    ASSERT_TRUE(BringToFront(tabs));
    HWND bar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (bar = PseudoBarOf(tbq.Id(), tabs)) && IsWindowVisible(bar); }, kSoon));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(tabs) == L"WWWW MMMM"; }, kSoon)) << "the window text is written too";
    const RECT w = WindowRect(tabs);
    RECT b{};
    // Placed in the strip, ending left of the buttons, as wide as the text
    // (nine characters of the caption font: more than two buttons, less than
    // half the window).
    auto inStrip = [&] {
        b = WindowRect(bar);
        return b.top >= w.top && b.bottom <= w.top + strip && b.left > w.left && b.right <= w.left + buttonsLeft &&
               b.right >= w.left + buttonsLeft - 16 * GetParam() / 96;
    };
    EXPECT_TRUE(WaitUntil(inStrip, kSoon)) << "bar " << b.left - w.left << "," << b.top - w.top << " - "
                                           << b.right - w.left << "," << b.bottom - w.top << ", buttons from "
                                           << buttonsLeft << ", strip " << strip;
    EXPECT_GT(b.right - b.left, 2 * (w.right - w.left - buttonsLeft) / 3);
    EXPECT_LT(b.right - b.left, (w.right - w.left) / 2);
    EXPECT_EQ(GetWindow(tabs, GW_HWNDPREV), bar) << "directly above its window";
    // Opaque, in the caption's colours, the text on it.
    const Census c = CountColours(b, GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT));
    EXPECT_GT(c.back, (b.right - b.left) * (b.bottom - b.top) / 2);
    EXPECT_GT(c.line + c.text + c.other, 20) << "the text";
    std::printf("[ measure ] the bar is %ld x %ld at %d dpi, %ld px left of the buttons\n", b.right - b.left,
                b.bottom - b.top, GetParam(), w.left + buttonsLeft - b.right);

    // It follows its window, and goes when the window closes.
    SetWindowPos(tabs, nullptr, 160, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(bar).left - WindowRect(tabs).left == b.left - w.left &&
                                       WindowRect(bar).top - WindowRect(tabs).top == b.top - w.top; }, kSoon));
    PostMessageW(tabs, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(bar) || !IsWindowVisible(bar); }, kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, FindWindowW(L"TBQ_frmMain", nullptr)));
}

TEST_P(CaptionBarEndToEnd, TheOwnCaptionSwitchOffLeavesSuchWindowsTheirTitleOnly) {
    dir_.WriteBytes("TBQ_Setting.ini", "[DrawBar]\r\nUseDrawBar=0\r\nAppCaptionBar=0\r\n");
    HWND tabs = nullptr;
    int buttonsLeft = 0, strip = 0;
    Process pt = StartTabs(L"Tabs", tabs, buttonsLeft, strip);
    ASSERT_TRUE(tabs);
    Process tbq = StartTbq();
    ASSERT_NE(Hidden(tbq), nullptr);
    ASSERT_TRUE(BringToFront(tabs));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(tabs) == L"WWWW MMMM"; }, kSoon));
    Sleep(1000);  // two ticks more
    EXPECT_EQ(PseudoBarOf(tbq.Id(), tabs), nullptr);
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, FindWindowW(L"TBQ_frmMain", nullptr)));
}

// Passes that paint nothing new still keep the bar right: its transparency
// follows the pointer, and it stays directly above its window in the window
// order while another window covers that window's caption.
TEST_P(CaptionBarEndToEnd, TheBarKeepsItsHoverTransparencyAndItsPlaceInTheWindowOrder) {
    std::string hover = Profile(1, "hover", 2, 0);
    hover.replace(hover.find("Normal_Trans_MouseOver=0"), 24, "Normal_Trans_MouseOver=128");
    dir_.WriteBytes("TBQ_DrawBar.ini", hover + "[DrawBar0002]\r\nName=\r\n");
    Settings("hover", true);
    HWND pinned = nullptr, cover = nullptr;
    Process pp = StartWindow(L"Pinned", pinned), pc = StartWindow(L"Cover", cover);
    ASSERT_TRUE(pinned && cover);
    // The other window lies over the pinned window's caption before the bar shows.
    const RECT p = WindowRect(pinned);
    SetWindowPos(cover, HWND_TOP, p.left + 40, p.top + 4, 0, 0, SWP_NOSIZE);
    ASSERT_TRUE(BringToFront(cover));
    SetCursorPos(p.left + 10, p.bottom + 40);
    Process tbq = StartTbq();
    ASSERT_NE(Hidden(tbq), nullptr);
    HWND bar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (bar = PseudoBarOf(tbq.Id(), pinned)) && IsWindowVisible(bar); }, kSoon));
    EXPECT_TRUE(WaitUntil([&] { return GetWindow(pinned, GW_HWNDPREV) == bar; }, kSoon))
        << "bar directly above the pinned window";
    Sleep(1200);  // passes that paint nothing new
    EXPECT_EQ(GetWindow(pinned, GW_HWNDPREV), bar) << "and kept there";
    EXPECT_TRUE(Above(cover, bar)) << "below the window that covers it";
    ASSERT_TRUE(BringToFront(cover));
    EXPECT_TRUE(WaitUntil([&] { return GetWindow(pinned, GW_HWNDPREV) == bar; }, kSoon)) << "after a switch";

    EXPECT_TRUE(WaitUntil([&] { return Alpha(bar) == 255; }, kSoon)) << Alpha(bar);
    const RECT b = WindowRect(bar);
    for (const auto& [x, y, alpha] : {std::tuple{b.left + 4, (b.top + b.bottom) / 2, 127},
                                      std::tuple{b.left + 4, b.bottom + 60, 255}}) {
        SetCursorPos(x, y);
        const Clock::time_point moved = Clock::now();
        EXPECT_TRUE(WaitUntil([&] { return Alpha(bar) == alpha; }, kSoon)) << "alpha " << Alpha(bar);
        std::printf("[ measure ] alpha %d %.0f ms after the pointer moved\n", alpha, MillisecondsSince(moved));
    }
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, FindWindowW(L"TBQ_frmMain", nullptr)));
}

INSTANTIATE_TEST_SUITE_P(Dpi, CaptionBarEndToEnd, ::testing::Values(96, 144),
                         [](const ::testing::TestParamInfo<int>& p) { return "At" + std::to_string(p.param) + "Dpi"; });

}  // namespace
}  // namespace tbq::e2e
