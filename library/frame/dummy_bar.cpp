#include "frame/dummy_bar.h"

#include "frame/dummy_bar_ids.h"
#include "frame/library_state.h"

namespace tbq::library {

namespace {

// Every message gets the default dialog handling: the bar shows the dialog
// background until the program paints on it.
INT_PTR CALLBACK DummyBarProc(HWND, UINT, WPARAM, LPARAM) noexcept { return FALSE; }

// The bar we made is still ours: a window, owned by the target we made it for.
// A handle left from a window that has gone may name another window by now.
bool BarIsOurs(const LibraryState& s) noexcept {
    return s.dummyBar && IsWindow(s.dummyBar) && GetWindow(s.dummyBar, GW_OWNER) == s.dummyBarTarget;
}

// The layered-window function, looked up by name once: at Init, or here for
// a caller that never called Init. Null on systems without it.
SetLayeredWindowAttributesProc LayeredAttributes() noexcept {
    LibraryState& s = State();
    if (!s.setLayeredWindowAttributes)
        if (HMODULE user = GetModuleHandleW(L"user32.dll"))
            s.setLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesProc>(
                reinterpret_cast<void (*)()>(GetProcAddress(user, "SetLayeredWindowAttributes")));
    return s.setLayeredWindowAttributes;
}

HWND MakeBar(HWND target) noexcept {
    LibraryState& s = State();
    HWND bar = CreateDialogParamW(s.module, MAKEINTRESOURCEW(IDD_DUMMY_BAR), target, &DummyBarProc, 0);
    if (!bar) return nullptr;
    // Layered only where the transparency can be set: a layered window that
    // never had its attributes set is never drawn at all.
    LONG_PTR ex = GetWindowLongPtrW(bar, GWL_EXSTYLE) | WS_EX_TRANSPARENT;
    if (LayeredAttributes()) ex |= WS_EX_LAYERED;
    SetWindowLongPtrW(bar, GWL_EXSTYLE, ex);
    return bar;
}

void ApplyTransparency(HWND bar, std::uint32_t value) noexcept {
    const auto set = LayeredAttributes();
    if (!set) return;
    const BYTE alpha = static_cast<BYTE>(value >> 24);
    const COLORREF color = value & 0x00FFFFFF;
    if (alpha != 0) set(bar, 0, alpha, LWA_ALPHA);
    else set(bar, color, 0, LWA_COLORKEY);
}

// Puts the bar directly above its target in the z-order. Shown, an owned
// popup would rise to the top of all windows and cover whatever lies over
// the target's caption; it is never made topmost either.
void KeepAboveTarget(HWND bar, HWND target) noexcept {
    HWND above = GetWindow(target, GW_HWNDPREV);
    if (above == bar) return;
    // Placed below a topmost window it would become topmost itself; an
    // ordinary target under one is the highest window of the ordinary band.
    const auto topmost = [](HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    if (!above || (topmost(above) && !topmost(target))) above = HWND_TOP;
    SetWindowPos(bar, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

}  // namespace

void PlaceDummyBar(bool show, HWND target, const RECT& rect, std::uint32_t normal,
                   std::uint32_t mouseOver) noexcept {
    LibraryState& s = State();
    // A handle that names no window has no rectangle, and changes nothing.
    RECT window;
    if (!target || target == s.dummyBar || !GetWindowRect(target, &window)) return;
    if (target != s.dummyBarTarget || !BarIsOurs(s)) CloseDummyBar();
    if (!s.dummyBar) {
        s.dummyBar = MakeBar(target);
        s.dummyBarTarget = target;
        s.dummyBarPlace = RECT{};
        s.dummyBarValueSet = false;
        if (!s.dummyBar) return;
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) show = false;
    if (!show) {
        if (IsWindowVisible(s.dummyBar)) ShowWindow(s.dummyBar, SW_HIDE);
        return;
    }
    const RECT screen{window.left + rect.left, window.top + rect.top, window.left + rect.right,
                      window.top + rect.bottom};
    if (!EqualRect(&screen, &s.dummyBarPlace)) {
        SetWindowPos(s.dummyBar, nullptr, screen.left, screen.top, width, height,
                     SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER);
        s.dummyBarPlace = screen;
    }
    POINT mouse{};
    const bool over = GetCursorPos(&mouse) && PtInRect(&screen, mouse);
    if (!IsWindowVisible(s.dummyBar)) ShowWindow(s.dummyBar, SW_SHOWNA);
    KeepAboveTarget(s.dummyBar, target);
    // Set again only when it changes: each setting makes the bar repaint.
    const std::uint32_t value = over ? mouseOver : normal;
    if (!s.dummyBarValueSet || value != s.dummyBarValue) {
        ApplyTransparency(s.dummyBar, value);
        s.dummyBarValue = value;
        s.dummyBarValueSet = true;
    }
}

// A bar whose window has gone (with its target) reads as none: its handle may
// name another program's window by now.
HWND DummyBar() noexcept { return BarIsOurs(State()) ? State().dummyBar : nullptr; }

void CloseDummyBar() noexcept {
    LibraryState& s = State();
    if (BarIsOurs(s)) DestroyWindow(s.dummyBar);
    s.dummyBar = nullptr;
}

}  // namespace tbq::library
