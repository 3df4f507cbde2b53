#include "ui/window_base.h"

#include "ui/window_helpers.h"

namespace tbq::ui {

WindowBase::~WindowBase() {
    if (hwnd_) {
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
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    try {
        LRESULT r = self->HandleMessage(msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return r;
    } catch (...) {
        return DefWindowProcW(h, msg, wp, lp);
    }
}

DialogBase::~DialogBase() {
    if (dlg_) {
        // The derived object is gone: nothing may reach it while the dialog goes.
        SetWindowLongPtrW(dlg_, DWLP_USER, 0);
        DestroyWindow(dlg_);
    }
}

bool DialogBase::Open(int resourceId) {
    if (!dlg_) {
        dlg_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), nullptr,
                                  Proc, reinterpret_cast<LPARAM>(this));
        if (!dlg_) return false;
    }
    ShowWindow(dlg_, SW_SHOWNORMAL);
    ForceForeground(dlg_);
    return true;
}

bool DialogBase::PreTranslate(MSG& msg) {
    return dlg_ && (msg.hwnd == dlg_ || IsChild(dlg_, msg.hwnd)) && IsDialogMessageW(dlg_, &msg);
}

INT_PTR CALLBACK DialogBase::Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    try {
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            auto* self = reinterpret_cast<DialogBase*>(lp);
            self->dlg_ = dlg;
            self->OnOpen();
            return TRUE;
        }
        auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(dlg, DWLP_USER));
        return self ? self->Handle(msg, wp, lp) : FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace tbq::ui
