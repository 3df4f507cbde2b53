#include "frame/alarm_window.h"

#include <charconv>
#include <vector>

#include "frame/alarm_ids.h"
#include "frame/library_state.h"

namespace tbq::library {

namespace {

// Set at creation, with this library's module handle as its value: together
// with the dialog procedure it tells our alarm windows from any other window.
constexpr wchar_t kAlarmProperty[] = L"TBQ.AlarmWindow";

struct AlarmContent {
    const char* title;
    const char* message;
    std::uint32_t tag;
};

// The caller's message loop need not know about our windows, so Enter, Esc
// and Tab would never reach the dialog manager. A message hook on the thread
// hands them to IsDialogMessage while any alarm window of that thread is open.
struct Keyboard {
    HHOOK hook = nullptr;
    DWORD thread = 0;
    int windows = 0;
};
Keyboard g_keyboard;

// DWLP_USER of a window the hook counts.
constexpr LONG_PTR kCounted = 1;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->hwnd && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
            HWND root = GetAncestor(msg->hwnd, GA_ROOT);
            if (IsAlarmWindow(root) && IsDialogMessageW(root, msg)) {
                // Handled: the caller's loop dispatches nothing.
                msg->message = WM_NULL;
                msg->wParam = 0;
                msg->lParam = 0;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CountWindow(HWND dialog) noexcept {
    const DWORD thread = GetCurrentThreadId();
    if (!g_keyboard.hook) {
        g_keyboard.hook = SetWindowsHookExW(WH_GETMESSAGE, &KeyboardHook, nullptr, thread);
        if (!g_keyboard.hook) return;
        g_keyboard.thread = thread;
        g_keyboard.windows = 0;
    }
    // Windows of a second thread go without keyboard help rather than share a hook.
    if (g_keyboard.thread != thread) return;
    ++g_keyboard.windows;
    SetWindowLongPtrW(dialog, DWLP_USER, kCounted);
}

void UncountWindow(HWND dialog) noexcept {
    if (GetWindowLongPtrW(dialog, DWLP_USER) != kCounted) return;
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    if (g_keyboard.hook && --g_keyboard.windows <= 0) {
        UnhookWindowsHookEx(g_keyboard.hook);
        g_keyboard = Keyboard{};
    }
}

void WriteTag(HWND dialog, std::uint32_t tag) noexcept {
    char hex[16] = {};
    std::to_chars(hex, hex + sizeof hex - 1, tag, 16);
    SetDlgItemTextA(dialog, IDC_ALARM_TAG, hex);
}

// Unsigned, so every 32-bit tag comes back with its bits unchanged.
std::uint32_t ReadTag(HWND dialog) noexcept {
    char hex[16] = {};
    const int n = GetDlgItemTextA(dialog, IDC_ALARM_TAG, hex, sizeof hex);
    std::uint32_t tag = 0;
    if (n <= 0 || std::from_chars(hex, hex + n, tag, 16).ec != std::errc()) return 0;
    return tag;
}

INT_PTR CALLBACK AlarmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* content = reinterpret_cast<const AlarmContent*>(lParam);
            SetWindowTextA(dialog, content->title);
            SetDlgItemTextA(dialog, IDC_ALARM_MESSAGE, content->message);
            WriteTag(dialog, content->tag);
            CheckDlgButton(dialog, IDC_ALARM_AGAIN, BST_CHECKED);
            if (State().english) SetDlgItemTextW(dialog, IDC_ALARM_AGAIN, L"Show again when the conditions are met");
            if (SetPropW(dialog, kAlarmProperty, State().module)) CountWindow(dialog);
            // Enter on an alarm just acknowledges it, whatever the message says.
            SetFocus(GetDlgItem(dialog, IDOK));
            return FALSE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                case IDCANCEL:
                    DestroyWindow(dialog);
                    return TRUE;
                case IDC_ALARM_AGAIN:
                    if (HIWORD(wParam) == BN_CLICKED) {
                        const bool checked =
                            IsDlgButtonChecked(dialog, IDC_ALARM_AGAIN) == BST_CHECKED;
                        ReportEvent(TBQ_EVENT_ALARM_CHECK,
                                    static_cast<std::int32_t>(ReadTag(dialog)), checked ? 1 : 0);
                    }
                    return TRUE;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            // At once, rather than through the IDCANCEL the dialog manager posts.
            DestroyWindow(dialog);
            return TRUE;
        case WM_NCDESTROY:
            if (RemovePropW(dialog, kAlarmProperty)) UncountWindow(dialog);
            return FALSE;
        default:
            break;
    }
    return FALSE;
}

BOOL CALLBACK CollectAlarmWindow(HWND window, LPARAM found) noexcept {
    try {
        if (IsAlarmWindow(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

HWND OpenAlarmWindow(HWND owner, const char* title, const char* message,
                     std::uint32_t tag) noexcept {
    AlarmContent content{title ? title : "", message ? message : "", tag};
    return CreateDialogParamW(State().module, MAKEINTRESOURCEW(IDD_ALARM), owner, &AlarmDialogProc,
                              reinterpret_cast<LPARAM>(&content));
}

bool IsAlarmWindow(HWND window) noexcept {
    if (!window || !IsWindow(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return false;
    if (GetPropW(window, kAlarmProperty) != State().module) return false;
    return GetWindowLongPtrW(window, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(&AlarmDialogProc);
}

std::int32_t DestroyAlarmWindow(HWND window) noexcept {
    if (!IsAlarmWindow(window)) return 0;
    return DestroyWindow(window) ? 1 : 0;
}

void CloseAlarmWindowsOfThisThread() noexcept {
    try {
        std::vector<HWND> open;
        EnumThreadWindows(GetCurrentThreadId(), &CollectAlarmWindow,
                          reinterpret_cast<LPARAM>(&open));
        for (HWND window : open) DestroyWindow(window);
    } catch (...) {
        // Out of memory: the hook below still goes.
    }
    if (g_keyboard.hook && g_keyboard.thread == GetCurrentThreadId()) {
        UnhookWindowsHookEx(g_keyboard.hook);
        g_keyboard = Keyboard{};
    }
}

}  // namespace tbq::library
