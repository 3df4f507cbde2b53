// Window frames through the desktop window manager's library, loaded when
// first asked. A system without it, a function it lacks or a call that fails
// answers as a system without a compositor (Wine among them): the window
// rectangle is the frame.
#include <windows.h>

#include "platform/win32/win32_ports.h"

namespace tbq::platform {

namespace {

// The window attributes asked for (dwmapi.h names).
constexpr DWORD kCaptionButtonBounds = 5;  // DWMWA_CAPTION_BUTTON_BOUNDS
constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

HWND H(WindowId w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
PaintRect P(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

struct Dwm {
    using CompositionEnabled = HRESULT(WINAPI*)(BOOL*);
    using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    CompositionEnabled compositionEnabled = nullptr;
    GetAttribute getAttribute = nullptr;

    Dwm() {
        // Kept loaded for the life of the process once asked for.
        if (HMODULE dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            compositionEnabled = reinterpret_cast<CompositionEnabled>(
                reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
            getAttribute = reinterpret_cast<GetAttribute>(
                reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")));
        }
    }
    bool Composed() const {
        BOOL on = FALSE;
        return compositionEnabled && SUCCEEDED(compositionEnabled(&on)) && on;
    }
    std::optional<RECT> Rect(HWND h, DWORD attribute) const {
        RECT r{};
        if (!getAttribute || FAILED(getAttribute(h, attribute, &r, sizeof r))) return std::nullopt;
        if (r.right <= r.left || r.bottom <= r.top) return std::nullopt;
        return r;
    }
};

const Dwm& Api() {
    static const Dwm dwm;
    return dwm;
}

std::optional<DWORD> UserNumber(const wchar_t* key, const wchar_t* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, &type, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

class Win32Frames final : public Frames {
public:
    std::optional<FrameFacts> Describe(WindowId w) override {
        HWND h = H(w);
        RECT window, client;
        if (!w || !GetWindowRect(h, &window)) return std::nullopt;
        FrameFacts f;
        f.window = P(window);
        POINT origin{0, 0};
        if (GetClientRect(h, &client) && ClientToScreen(h, &origin))
            f.client = P(client).Moved(origin.x, origin.y);
        f.composed = Api().Composed();
        if (f.composed) {
            if (auto v = Api().Rect(h, kExtendedFrameBounds)) f.visible = P(*v);
            // The buttons are told in window coordinates.
            if (auto b = Api().Rect(h, kCaptionButtonBounds))
                f.buttons = P(*b).Moved(window.left, window.top);
        }
        return f;
    }

    CaptionLook Look() override {
        CaptionLook look;
        look.classicBack = GetSysColor(COLOR_ACTIVECAPTION);
        look.classicText = GetSysColor(COLOR_CAPTIONTEXT);
        look.composed = Api().Composed();
        if (!look.composed) return look;
        look.accentOnTitleBars = UserNumber(L"Software\\Microsoft\\Windows\\DWM", L"ColorPrevalence").value_or(0) == 1;
        // Stored as 0xAABBGGRR.
        look.accent = UserNumber(L"Software\\Microsoft\\Windows\\DWM", L"AccentColor").value_or(0) & 0xFFFFFF;
        look.darkApps = UserNumber(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                   L"AppsUseLightTheme")
                            .value_or(1) == 0;
        return look;
    }
};

}  // namespace

Frames& Win32FramesInstance() {
    static Win32Frames frames;
    return frames;
}

}  // namespace tbq::platform
