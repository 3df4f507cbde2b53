#include "ui/kit/tooltips.h"

#include <commctrl.h>

#include "win32/wide.h"

namespace tbq::ui {

Tooltips::~Tooltips() {
    if (tips_) DestroyWindow(tips_);
}

void Tooltips::Add(HWND dlg, HWND control, const Text& tip) {
    if (!control) return;
    if (!tips_) {
        tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dlg, nullptr, nullptr,
                                nullptr);
        if (!tips_) return;
        // Tips of more than one line break at this width.
        SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    std::wstring text = win32::Wide(tip);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = dlg;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Tooltips::Change(HWND dlg, HWND control, const Text& tip) {
    if (!tips_ || !control) return;
    std::wstring text = win32::Wide(tip);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = dlg;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text.data();
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace tbq::ui
