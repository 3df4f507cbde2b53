#include "ui/window_base.h"

#include "ui/kit/dialog.h"
#include "ui/kit/dpi.h"

namespace tbq::ui {

WindowBase::~WindowBase() {
    if (hwnd_) {
        navigation::Remove(hwnd_);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool WindowBase::Create(const wchar_t* className, const wchar_t* title, DWORD style,
                        DWORD exStyle, int width, int height, HICON icon) {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(inst, className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &WindowBase::Proc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        if (!RegisterClassExW(&wc)) return false;
    }
    return CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, width,
                           height, nullptr, nullptr, inst, this) != nullptr;
}

LRESULT WindowBase::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK WindowBase::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        auto* self = static_cast<WindowBase*>(cs->lpCreateParams);
        self->hwnd_ = h;
        self->dpi_ = WindowDpi(h);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    try {
        if (msg == WM_DPICHANGED) {
            self->dpi_ = HIWORD(wp);
            ApplySuggestedRect(h, lp);
            self->OnDpiChanged(self->dpi_);
            return 0;
        }
        LRESULT r = self->HandleMessage(msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            navigation::Remove(h);
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return r;
    } catch (...) {
        return DefWindowProcW(h, msg, wp, lp);
    }
}

}  // namespace tbq::ui
