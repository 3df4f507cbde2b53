#include "ui/kit/dpi.h"

#include "ui/resource.h"

namespace tbq::ui {

UINT WindowDpi(HWND w) {
    // Looked up at run time: older systems have no per-window DPI.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && w) {
        if (UINT dpi = getDpi(w)) return dpi;
    }
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UniqueFont MakeDialogFont(UINT dpi, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(TBQ_DIALOG_FONT_POINTS, static_cast<int>(dpi), 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy_s(lf.lfFaceName, TBQ_DIALOG_FONT_FACE_W);
    return UniqueFont(CreateFontIndirectW(&lf));
}

void ApplySuggestedRect(HWND w, LPARAM suggested) {
    const auto* r = reinterpret_cast<const RECT*>(suggested);
    if (!r) return;
    SetWindowPos(w, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tbq::ui
