#include <windows.h>

#include <exception>
#include <string>

#include "win32/wide.h"
#include "platform/win32/win32_ports.h"

namespace tbq::platform {

namespace {

// Long enough for a busy program to answer, short enough that a hung one
// never holds up the update tick noticeably.
constexpr UINT kMessageTimeoutMs = 100;

HWND H(WindowId w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
WindowId Id(HWND h) { return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(h)); }

// Why a send failed: gone, hung (timed out, or known to be hung), or refused
// (a window of a higher integrity level, for one) which waiting will not change.
WriteResult Classify(HWND h, DWORD error) {
    if (!::IsWindow(h)) return WriteResult::Gone;
    if (error == ERROR_TIMEOUT || IsHungAppWindow(h)) return WriteResult::Hung;
    return WriteResult::Refused;
}

}  // namespace

bool Win32Windows::IsWindow(WindowId w) { return w != 0 && ::IsWindow(H(w)); }

std::optional<Text> Win32Windows::GetTitle(WindowId w, bool unicode) {
    if (w == 0) return std::nullopt;
    // GetWindowText reads another process's caption without sending it a
    // message, so it returns at once even when that process hangs. Only an
    // empty answer needs asking whether the window is still there: each call
    // to the window manager costs the tick.
    for (int size = 10240; size <= (1 << 20); size *= 4) {
        if (unicode) {
            std::wstring buf(static_cast<size_t>(size), L'\0');
            int n = GetWindowTextW(H(w), buf.data(), size);
            if (n == 0 && !IsWindow(w)) return std::nullopt;
            if (n < size - 1) {
                buf.resize(static_cast<size_t>(n));
                return win32::FromWide(buf.substr(0, buf.find(L'\0')));
            }
        } else {
            std::string buf(static_cast<size_t>(size), '\0');
            int n = GetWindowTextA(H(w), buf.data(), size);
            if (n == 0 && !IsWindow(w)) return std::nullopt;
            if (n < size - 1) {
                buf.resize(static_cast<size_t>(n));
                return codepage().FromAnsi(buf.substr(0, buf.find('\0')));
            }
        }
    }
    return Text();
}

WriteResult Win32Windows::SetTitle(WindowId w, TextView title, bool unicode) {
    // A window that has gone fails the send, and Classify tells so.
    if (w == 0) return WriteResult::Gone;
    DWORD_PTR answer = 0;
    LRESULT ok;
    if (unicode) {
        std::wstring text = win32::Wide(title);
        ok = SendMessageTimeoutW(H(w), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                 SMTO_ABORTIFHUNG | SMTO_NORMAL, kMessageTimeoutMs, &answer);
    } else {
        std::string text = codepage().ToAnsi(title);
        ok = SendMessageTimeoutA(H(w), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                 SMTO_ABORTIFHUNG | SMTO_NORMAL, kMessageTimeoutMs, &answer);
    }
    return ok ? WriteResult::Written : Classify(H(w), GetLastError());
}

WindowId Win32Windows::Foreground() { return Id(GetForegroundWindow()); }

WindowId Win32Windows::Parent(WindowId w) { return Id(GetParent(H(w))); }

Text Win32Windows::ClassName(WindowId w) {
    char buf[1024] = {};
    int n = GetClassNameA(H(w), buf, sizeof buf);
    return codepage().FromAnsi(std::string_view(buf, static_cast<size_t>(n > 0 ? n : 0)));
}

// Style words and the rectangle are read from the system's window record:
// no message goes to the window, so a hung one answers as fast as any.
std::uint32_t Win32Windows::Style(WindowId w) {
    return static_cast<std::uint32_t>(GetWindowLongW(H(w), GWL_STYLE));
}

std::uint32_t Win32Windows::ExStyle(WindowId w) {
    return static_cast<std::uint32_t>(GetWindowLongW(H(w), GWL_EXSTYLE));
}

std::int32_t Win32Windows::Width(WindowId w) {
    RECT r{};
    if (!GetWindowRect(H(w), &r)) return 0;
    return static_cast<std::int32_t>(r.right - r.left);
}

WindowId Win32Windows::ActiveMdiChild(WindowId frame) {
    HWND client = FindWindowExA(H(frame), nullptr, "mdiclient", nullptr);
    if (!client) return 0;
    DWORD_PTR child = 0;
    if (!SendMessageTimeoutW(client, WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                             kMessageTimeoutMs, &child))
        return 0;
    return Id(reinterpret_cast<HWND>(child));
}

namespace {
constexpr wchar_t kMarkProperty[] = L"TBQ.TitleMark";
}

// A window property lives with the window in the system, not in our process,
// and reading or setting one sends the window no message.
void Win32Windows::SetMark(WindowId w, std::uint32_t mark) {
    if (mark)
        SetPropW(H(w), kMarkProperty, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(mark)));
    else
        RemovePropW(H(w), kMarkProperty);
}

std::uint32_t Win32Windows::GetMark(WindowId w) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetPropW(H(w), kMarkProperty)));
}

void Win32Windows::Flash(WindowId w, bool on) {
    if (!IsWindow(w)) return;
    FLASHWINFO flash{};
    flash.cbSize = sizeof(FLASHWINFO);
    flash.hwnd = H(w);
    flash.dwFlags = on ? FLASHW_CAPTION | FLASHW_TRAY : FLASHW_STOP;
    flash.uCount = 3;
    flash.dwTimeout = 0;  // the caret blink rate
    // The result only says whether the window was active before.
    FlashWindowEx(&flash);
}

namespace {
struct Visit {
    const std::function<bool(WindowId)>& visit;
    std::exception_ptr error;
};

// Nothing may unwind through the system's enumeration: an exception is kept
// and thrown again once EnumWindows has returned.
BOOL CALLBACK VisitWindow(HWND h, LPARAM param) noexcept {
    auto* v = reinterpret_cast<Visit*>(param);
    try {
        return v->visit(Id(h)) ? TRUE : FALSE;
    } catch (...) {
        v->error = std::current_exception();
        return FALSE;
    }
}
}  // namespace

void Win32Windows::EnumerateTopLevel(const std::function<bool(WindowId)>& visit) {
    Visit v{visit, nullptr};
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&v));
    if (v.error) std::rethrow_exception(v.error);
}

}  // namespace tbq::platform
