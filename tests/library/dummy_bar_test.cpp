// The pseudo title bar through SetDummyBarEx, SetDummyBar, GetDummyBar and
// CloseDummyBar bound by name: where it lies, whom it belongs to, how it lets
// the mouse through, and its two transparencies.
#include <gtest/gtest.h>
#include <windows.h>

#include "library/library_harness.h"

namespace tbq::test {
namespace {

// A plain window: a static control would answer hit tests as transparent itself.
HWND MakeTarget(int x, int y) {
    static const ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TBQBarTarget";
        return RegisterClassW(&wc);
    }();
    return CreateWindowExW(0, MAKEINTATOM(cls), L"bar target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 400, 200,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

RECT ScreenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

struct Layered {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
Layered LayeredOf(HWND w) {
    Layered l;
    GetLayeredWindowAttributes(w, &l.key, &l.alpha, &l.flags);
    return l;
}

TEST(DummyBar, LiesOverItsTargetBelongsToItAndLetsTheMouseThrough) {
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    SetCursorPos(0, 0);
    HWND target = MakeTarget(100, 120), other = MakeTarget(200, 400);
    const TBQ_DummyBarRect record{0, 30, 4, 330, 22, 0xFF00FF00u, 0x8000FF00u};
    lib.SetDummyBarEx(1, target, &record);
    HWND bar = lib.GetDummyBar();
    ASSERT_TRUE(IsWindow(bar));
    EXPECT_EQ(GetWindow(bar, GW_OWNER), target);
    EXPECT_TRUE(IsWindowVisible(bar));
    const RECT t = ScreenRect(target), b = ScreenRect(bar);
    EXPECT_EQ(b.left, t.left + 30);
    EXPECT_EQ(b.top, t.top + 4);
    EXPECT_EQ(b.right - b.left, 300);
    EXPECT_EQ(b.bottom - b.top, 18);
    const LONG_PTR ex = GetWindowLongPtrW(bar, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    Layered l = LayeredOf(bar);
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(l.alpha, 255);
    // Clicks go through to the target.
    EXPECT_EQ(WindowFromPoint(POINT{b.left + 5, b.top + 5}), target);

    // The mouse over the bar: the second value, from the next call on.
    SetCursorPos(b.left + 10, b.top + 5);
    lib.SetDummyBarEx(1, target, &record);
    l = LayeredOf(bar);
    EXPECT_EQ(l.alpha, 0x80);
    SetCursorPos(0, 0);

    // The same target with another rectangle moves the same bar; a colour key
    // cuts the background out.
    const TBQ_DummyBarRect moved{0, 10, 2, 110, 12, 0x00FF0000u, 0x00FF0000u};
    lib.SetDummyBarEx(1, target, &moved);
    EXPECT_EQ(lib.GetDummyBar(), bar);
    EXPECT_EQ(ScreenRect(bar).left, t.left + 10);
    l = LayeredOf(bar);
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(l.key, static_cast<COLORREF>(0xFF0000));

    // Hidden, kept; SetDummyBar with one value shows it again.
    lib.SetDummyBarEx(0, target, &moved);
    EXPECT_FALSE(IsWindowVisible(bar));
    EXPECT_EQ(lib.GetDummyBar(), bar);
    const RECT plain{0, 0, 50, 10};
    lib.SetDummyBar(1, target, &plain, 0xFF123456u);
    EXPECT_TRUE(IsWindowVisible(bar));

    // Another target: a new bar owned by it, the old one gone.
    lib.SetDummyBarEx(1, other, &record);
    HWND second = lib.GetDummyBar();
    EXPECT_NE(second, bar);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(GetWindow(second, GW_OWNER), other);

    // A bar that went with its target reads as none, and closing it then
    // destroys nothing (its handle may name another window by now).
    DestroyWindow(other);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(lib.GetDummyBar(), nullptr);
    EXPECT_EQ(lib.CloseDummyBar(), 0);
    // A bar for a target that is no window, or is the bar itself, is not made.
    lib.SetDummyBarEx(1, reinterpret_cast<HWND>(0x7FFF0), &record);
    EXPECT_EQ(lib.GetDummyBar(), nullptr);
    lib.SetDummyBarEx(1, target, nullptr);
    EXPECT_EQ(lib.GetDummyBar(), nullptr);
    lib.SetDummyBarEx(1, target, &record);
    ASSERT_NE(lib.GetDummyBar(), nullptr);
    lib.SetDummyBarEx(1, lib.GetDummyBar(), &record);
    EXPECT_EQ(GetWindow(lib.GetDummyBar(), GW_OWNER), target);
    lib.CloseDummyBar();
    EXPECT_EQ(lib.GetDummyBar(), nullptr);
    DestroyWindow(target);
}

// A window lying over the target's caption stays over the bar: the bar goes
// directly above its target, when it is made and whenever it is shown again,
// and is never made topmost.
TEST(DummyBar, LiesDirectlyAboveItsTargetNotOverWindowsCoveringIt) {
    LibraryExports lib = LoadTbqLibrary();
    ASSERT_TRUE(lib.Complete());
    HWND target = MakeTarget(100, 120), cover = MakeTarget(150, 100);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto covered = [&](HWND bar) {
        for (HWND w = GetWindow(bar, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
            if (w == cover) return true;
        return false;
    };
    const TBQ_DummyBarRect record{0, 30, 4, 330, 22, 0xFF00FF00u, 0xFF00FF00u};
    for (const char* when : {"made", "shown again"}) {
        lib.SetDummyBarEx(1, target, &record);
        HWND bar = lib.GetDummyBar();
        ASSERT_TRUE(IsWindowVisible(bar)) << when;
        EXPECT_EQ(GetWindow(bar, GW_HWNDNEXT), target) << when;
        EXPECT_TRUE(covered(bar)) << when;
        EXPECT_EQ(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << when;
        lib.SetDummyBarEx(0, target, &record);
    }
    lib.CloseDummyBar();
    DestroyWindow(cover);
    DestroyWindow(target);
}

}  // namespace
}  // namespace tbq::test
