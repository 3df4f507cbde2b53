#include "frame/message_window.h"

#include <cstdint>

#include "frame/library_state.h"
#include "frame/tray_icon.h"

namespace tbq::library {

namespace {

constexpr wchar_t kClassName[] = L"TBQ_LibraryMessageWindow";

std::int32_t Value32(std::uintptr_t v) { return static_cast<std::int32_t>(v); }

struct TrayMouse {
    UINT message;
    std::int32_t action;
    std::int32_t button;
};

constexpr TrayMouse kTrayMouse[] = {
    {WM_LBUTTONDOWN, TBQ_TRAY_ACTION_DOWN, TBQ_TRAY_BUTTON_LEFT},
    {WM_LBUTTONUP, TBQ_TRAY_ACTION_UP, TBQ_TRAY_BUTTON_LEFT},
    {WM_LBUTTONDBLCLK, TBQ_TRAY_ACTION_DOUBLE_CLICK, TBQ_TRAY_BUTTON_LEFT},
    {WM_RBUTTONDOWN, TBQ_TRAY_ACTION_DOWN, TBQ_TRAY_BUTTON_RIGHT},
    {WM_RBUTTONUP, TBQ_TRAY_ACTION_UP, TBQ_TRAY_BUTTON_RIGHT},
    {WM_RBUTTONDBLCLK, TBQ_TRAY_ACTION_DOUBLE_CLICK, TBQ_TRAY_BUTTON_RIGHT},
    {WM_MBUTTONDOWN, TBQ_TRAY_ACTION_DOWN, TBQ_TRAY_BUTTON_MIDDLE},
    {WM_MBUTTONUP, TBQ_TRAY_ACTION_UP, TBQ_TRAY_BUTTON_MIDDLE},
    {WM_MBUTTONDBLCLK, TBQ_TRAY_ACTION_DOUBLE_CLICK, TBQ_TRAY_BUTTON_MIDDLE},
};

void ReportTrayMouse(LPARAM lParam) noexcept {
    // Without NIM_SETVERSION the shell puts the mouse message in the low word.
    const UINT mouse = LOWORD(static_cast<DWORD>(lParam));
    for (const TrayMouse& m : kTrayMouse) {
        if (m.message == mouse) {
            ReportEvent(TBQ_EVENT_TRAY_MOUSE, m.action, m.button);
            return;
        }
    }
}

LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    LibraryState& s = State();
    switch (message) {
        case WM_HOTKEY:
            ReportEvent(TBQ_EVENT_HOTKEY, Value32(wParam), Value32(lParam));
            return 0;
        case WM_DESTROY:
            ReportEvent(TBQ_EVENT_WINDOW_DESTROYED, Value32(wParam), Value32(lParam));
            // Destroyed by someone other than Quit (which takes the icon down
            // first): the icon goes while its owner can still be named.
            if (s.trayIcon && s.trayIcon->Shown()) s.trayIcon->Remove();
            return 0;
        case WM_NCDESTROY:
            // Forget the handle, so that nothing later touches a window that
            // reuses it.
            if (s.messageWindow == window) {
                s.messageWindow = nullptr;
                if (s.trayIcon) s.trayIcon->Attach(nullptr, s.module);
            }
            break;
        case WM_CLOSE:
            // The window lives from Init to Quit; a stray close does not end it.
            return 0;
        default:
            break;
    }
    if (message >= WM_USER) {
        if (message == s.taskbarCreatedMessage) {
            // The shell restarted and forgot every icon: bring ours back,
            // without replaying an old balloon.
            if (s.trayIcon) s.trayIcon->OnTaskbarCreated();
            return 0;
        }
        if (message == s.mainWindowShowMessage) {
            ReportEvent(TBQ_EVENT_SHOW_MAIN_WINDOW, Value32(wParam), Value32(lParam));
            return 0;
        }
        if (s.trayIcon && message == s.trayIcon->CallbackMessage()) {
            ReportTrayMouse(lParam);
            return 0;
        }
        // Kind 6 (alarm window check boxes) arrives through the alarm windows,
        // which report with ReportEvent themselves.
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateMessageWindow(HMODULE module) noexcept {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MessageWindowProc;
    wc.hInstance = module;
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    // A tool window, so that nothing lists it even if someone shows it.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, module, nullptr);
    if (!window) return nullptr;
    // An elevated program must still hear the shell's restart and a second
    // instance started without elevation.
    const LibraryState& s = State();
    ChangeWindowMessageFilterEx(window, s.taskbarCreatedMessage, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(window, s.mainWindowShowMessage, MSGFLT_ALLOW, nullptr);
    if (s.trayIcon) {
        ChangeWindowMessageFilterEx(window, s.trayIcon->CallbackMessage(), MSGFLT_ALLOW, nullptr);
    }
    return window;
}

void DestroyMessageWindow(HWND window, HMODULE module) noexcept {
    if (window && IsWindow(window)) DestroyWindow(window);
    UnregisterClassW(kClassName, module);
}

}  // namespace tbq::library
