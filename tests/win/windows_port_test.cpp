// The windows port on a real window: the style words and the width that the
// window rules match against.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ports.h"
#include "rules/window_rule.h"

namespace tbq {
namespace {

platform::WindowId Id(HWND h) {
    return static_cast<platform::WindowId>(reinterpret_cast<std::uintptr_t>(h));
}

TEST(Win32WindowsPortTest, StylesAndWidthOfARealWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TbqRuleTestWindow";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES, wc.lpszClassName, L"Rule test",
                             WS_OVERLAPPEDWINDOW, 10, 10, 321, 200, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(h, nullptr);
    const platform::WindowId w = Id(h);
    platform::Windows& win = platform::windows();

    EXPECT_EQ(win.Style(w) & WS_OVERLAPPEDWINDOW, DWORD{WS_OVERLAPPEDWINDOW});
    EXPECT_EQ(win.Style(w) & WS_VISIBLE, 0u);
    EXPECT_EQ(win.ExStyle(w) & (WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES),
              DWORD{WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES});
    EXPECT_EQ(win.ExStyle(w) & WS_EX_TOPMOST, 0u);
    EXPECT_EQ(win.Width(w), 321);

    // The words follow the window's changes.
    ShowWindow(h, SW_SHOWNOACTIVATE);
    SetWindowPos(h, nullptr, 0, 0, 400, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_NE(win.Style(w) & WS_VISIBLE, 0u);
    EXPECT_EQ(win.Width(w), 400);

    // A rule sees them through the port: every bit of the overlapped style,
    // the tool-window bit, wider than 399 and narrower than 401, but not 400.
    vbKerova_Window rule;
    rule.Flag = vbKerova_Window::kStyle | vbKerova_Window::kExStyle | vbKerova_Window::kWidth;
    rule.WindowStyle = WS_OVERLAPPEDWINDOW;
    rule.ExStyle = WS_EX_TOOLWINDOW;
    rule.CheckOption = vbKerova_Window::kStyleAll | vbKerova_Window::kExStyleAll |
                       vbKerova_Window::kWider;
    rule.WindowWidth = 399;
    EXPECT_TRUE(rule.CheckWindow(w, RuleContext{}));
    rule.WindowWidth = 400;
    EXPECT_FALSE(rule.CheckWindow(w, RuleContext{}));
    rule.CheckOption &= ~std::uint32_t{vbKerova_Window::kWider};
    rule.WindowWidth = 401;
    EXPECT_TRUE(rule.CheckWindow(w, RuleContext{}));
    rule.CheckOption = vbKerova_Window::kStyleNotAll | vbKerova_Window::kExStyleAll;
    EXPECT_FALSE(rule.CheckWindow(w, RuleContext{}));

    // A window that has gone reads as nothing.
    DestroyWindow(h);
    EXPECT_EQ(win.Style(w), 0u);
    EXPECT_EQ(win.ExStyle(w), 0u);
    EXPECT_EQ(win.Width(w), 0);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace
}  // namespace tbq
