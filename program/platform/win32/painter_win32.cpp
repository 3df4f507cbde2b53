// The caption painter's graphics: GDI on another program's whole-window device
// context, or on our pseudo title bar. Nothing here sends a message that could
// wait on a hung window: the icon question has a time-out, repainting is only
// invalidated.
#include <windows.h>

#include <algorithm>
#include <map>

#include "platform/win32/win32_ports.h"
#include "win32/wide.h"

namespace tbq::platform {

namespace {

constexpr UINT kIconTimeoutMs = 50;

HWND H(WindowId w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }
WindowId Id(HWND h) { return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(h)); }

// Functions newer systems have, looked up once.
struct Newer {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    using MetricsForDpi = int(WINAPI*)(int, UINT);
    using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    using ThemeActive = BOOL(WINAPI*)();
    DpiForWindow dpiForWindow = nullptr;
    MetricsForDpi metricsForDpi = nullptr;
    ParametersForDpi parametersForDpi = nullptr;
    ThemeActive themeActive = nullptr;

    Newer() {
        if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
            dpiForWindow = reinterpret_cast<DpiForWindow>(
                reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
            metricsForDpi = reinterpret_cast<MetricsForDpi>(
                reinterpret_cast<void*>(GetProcAddress(user, "GetSystemMetricsForDpi")));
            parametersForDpi = reinterpret_cast<ParametersForDpi>(
                reinterpret_cast<void*>(GetProcAddress(user, "SystemParametersInfoForDpi")));
        }
        // Kept loaded for the life of the process, like the system keeps it.
        if (HMODULE theme = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
            themeActive = reinterpret_cast<ThemeActive>(
                reinterpret_cast<void*>(GetProcAddress(theme, "IsThemeActive")));
    }
};

const Newer& Api() {
    static const Newer api;
    return api;
}

int ScreenDpi(int axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, axis) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int Metric(int index, int dpi) {
    if (Api().metricsForDpi) return Api().metricsForDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi(LOGPIXELSY));
}

bool HasIcon(HWND h) {
    for (WPARAM kind : {WPARAM{ICON_SMALL}, WPARAM{ICON_BIG}}) {
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutW(h, WM_GETICON, kind, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kIconTimeoutMs,
                                &icon) &&
            icon)
            return true;
    }
    return GetClassLongPtrW(h, GCLP_HICONSM) != 0 || GetClassLongPtrW(h, GCLP_HICON) != 0;
}

LOGFONTW ToLogFont(const FontSpec& spec) {
    LOGFONTW lf{};
    lf.lfHeight = spec.height;
    lf.lfWidth = spec.width;
    lf.lfWeight = spec.weight;
    lf.lfItalic = spec.italic;
    lf.lfUnderline = spec.underline;
    lf.lfStrikeOut = spec.strikeOut;
    lf.lfCharSet = static_cast<BYTE>(spec.charSet);
    const std::wstring face = win32::Wide(spec.face);
    std::copy_n(face.c_str(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
    return lf;
}

RECT R(const PaintRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A text up to its first NUL, as the text functions would read it.
TextView UpToNul(TextView text) { return text.substr(0, text.find(u'\0')); }

// DrawText in wide characters, or in the code page's.
void DrawLine(HDC dc, TextView text, RECT& r, UINT format, bool unicode) {
    const TextView t = UpToNul(text);
    if (unicode) {
        const std::wstring w = win32::Wide(t);
        DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, format);
    } else {
        const std::string a = codepage().ToAnsi(t);
        DrawTextA(dc, a.c_str(), static_cast<int>(a.size()), &r, format);
    }
}

}  // namespace

class Win32Painter final : public Painter {
public:
    ~Win32Painter() override { End(); }
    std::optional<PaintTarget> Describe(WindowId w) override;
    FontSpec CaptionFont(bool small, int dpiY) override;
    FontHandle MakeFont(const FontSpec& spec) override;
    void FreeFont(FontHandle font) override;
    bool Begin(WindowId w, const PaintRect& rect, bool offscreen) override;
    void Fill(const PaintRect& rect, std::uint32_t fill, std::optional<std::uint32_t> line) override;
    int SelectFont(FontHandle font) override;
    void PaintText(TextView text, const PaintRect& rect, std::uint32_t color, bool unicode) override;
    int MeasureRight(TextView text, const PaintRect& rect, bool unicode) override;
    int TextWidth(FontHandle font, TextView text, bool unicode) override;
    void End() override;
    void Repaint(WindowId w) override;
    void PaintNow(WindowId own) override;
    WindowId Owner(WindowId w) override;

private:
    // What one pass holds, all given back by End.
    struct Pass {
        HWND window = nullptr;
        HDC windowDc = nullptr;
        HDC dc = nullptr;  // where painting goes: the window's or the bitmap's
        HDC memoryDc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ oldBitmap = nullptr;
        HGDIOBJ oldFont = nullptr;
        PaintRect rect;
    };
    Pass pass_;
    // Whether a window shows an icon is asked once for it: the question goes to
    // its process, and the painting tick describes its target every time.
    HWND iconAsked_ = nullptr;
    bool icon_ = false;
    CaptionMetrics Metrics(int dpiX, int dpiY);
    CaptionMetrics metrics_;
    int metricsDpiX_ = 0, metricsDpiY_ = 0;
    DWORD metricsAt_ = 0;
    HWND dpiAsked_ = nullptr;
    int dpiWidth_ = 0, dpiHeight_ = 0, dpiX_ = 96, dpiY_ = 96;
};

Painter& Win32PainterInstance() {
    static Win32Painter painter;
    return painter;
}

std::optional<PaintTarget> Win32Painter::Describe(WindowId w) {
    HWND h = H(w);
    RECT rc;
    if (!w || !::IsWindow(h) || !GetWindowRect(h, &rc)) return std::nullopt;
    PaintTarget t;
    t.left = rc.left;
    t.top = rc.top;
    t.width = rc.right - rc.left;
    t.height = rc.bottom - rc.top;
    t.style = static_cast<std::uint32_t>(GetWindowLongW(h, GWL_STYLE));
    t.exStyle = static_cast<std::uint32_t>(GetWindowLongW(h, GWL_EXSTYLE));
    t.iconic = (t.style & WS_MINIMIZE) != 0;
    t.themed = Api().themeActive && Api().themeActive();
    // A window changes its resolution only with its size (moved to another
    // screen): asked again then, and for each new window.
    if (h != dpiAsked_ || t.width != dpiWidth_ || t.height != dpiHeight_) {
        const int dpi = Api().dpiForWindow ? static_cast<int>(Api().dpiForWindow(h)) : 0;
        dpiAsked_ = h;
        dpiWidth_ = t.width;
        dpiHeight_ = t.height;
        dpiX_ = dpi > 0 ? dpi : ScreenDpi(LOGPIXELSX);
        dpiY_ = dpi > 0 ? dpi : ScreenDpi(LOGPIXELSY);
    }
    t.dpiX = dpiX_;
    t.dpiY = dpiY_;
    t.metrics = Metrics(t.dpiX, t.dpiY);
    // Only a window with a system menu shows its icon, so only then is it asked.
    if (h != iconAsked_) {
        iconAsked_ = h;
        icon_ = HasIcon(h);
    }
    t.hasIcon = (t.style & WS_SYSMENU) && icon_;
    return t;
}

CaptionMetrics Win32Painter::Metrics(int dpiX, int dpiY) {
    // Asking for a metric can cost more than a whole tick (some systems read
    // their display settings each time), so they are kept for a second: the
    // user changes them seldom, and a pass a second late is no harm.
    constexpr DWORD kKeepMs = 1000;
    const DWORD now = GetTickCount();
    if (metricsDpiX_ == dpiX && metricsDpiY_ == dpiY && now - metricsAt_ < kKeepMs) return metrics_;
    CaptionMetrics& m = metrics_;
    m.cxFrame = Metric(SM_CXFRAME, dpiX);
    m.cyFrame = Metric(SM_CYFRAME, dpiY);
    m.cxDlgFrame = Metric(SM_CXDLGFRAME, dpiX);
    m.cyDlgFrame = Metric(SM_CYDLGFRAME, dpiY);
    m.cxSize = Metric(SM_CXSIZE, dpiX);
    m.cxSmIcon = Metric(SM_CXSMICON, dpiX);
    m.cyCaption = Metric(SM_CYCAPTION, dpiY);
    m.cySmSize = Metric(SM_CYSMSIZE, dpiY);
    m.cySmCaption = Metric(SM_CYSMCAPTION, dpiY);
    metricsDpiX_ = dpiX;
    metricsDpiY_ = dpiY;
    metricsAt_ = now;
    return m;
}

FontSpec Win32Painter::CaptionFont(bool small, int dpiY) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    bool scaled = false;
    if (Api().parametersForDpi)
        scaled = Api().parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0,
                                        static_cast<UINT>(dpiY)) != 0;
    if (!scaled) {
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return {};
        const int system = ScreenDpi(LOGPIXELSY);
        for (LOGFONTW* lf : {&ncm.lfCaptionFont, &ncm.lfSmCaptionFont}) {
            lf->lfHeight = MulDiv(lf->lfHeight, dpiY, system);
            lf->lfWidth = MulDiv(lf->lfWidth, dpiY, system);
        }
    }
    const LOGFONTW& lf = small ? ncm.lfSmCaptionFont : ncm.lfCaptionFont;
    FontSpec spec;
    spec.height = lf.lfHeight;
    spec.width = lf.lfWidth;
    spec.weight = lf.lfWeight;
    spec.italic = lf.lfItalic != 0;
    spec.underline = lf.lfUnderline != 0;
    spec.strikeOut = lf.lfStrikeOut != 0;
    spec.charSet = lf.lfCharSet;
    spec.face = win32::FromWide(lf.lfFaceName);
    return spec;
}

FontHandle Win32Painter::MakeFont(const FontSpec& spec) {
    const LOGFONTW lf = ToLogFont(spec);
    return reinterpret_cast<FontHandle>(CreateFontIndirectW(&lf));
}

void Win32Painter::FreeFont(FontHandle font) {
    if (font) DeleteObject(reinterpret_cast<HFONT>(font));
}

bool Win32Painter::Begin(WindowId w, const PaintRect& rect, bool offscreen) {
    End();
    HWND h = H(w);
    if (!w || !::IsWindow(h) || rect.Empty()) return false;
    HDC dc = GetWindowDC(h);
    if (!dc) return false;
    pass_ = Pass{};
    pass_.window = h;
    pass_.windowDc = dc;
    pass_.rect = rect;
    pass_.dc = dc;
    if (offscreen) {
        pass_.memoryDc = CreateCompatibleDC(dc);
        pass_.bitmap = pass_.memoryDc ? CreateCompatibleBitmap(dc, rect.Width(), rect.Height()) : nullptr;
        if (!pass_.bitmap) {
            // Without the bitmap the pass paints straight into the window.
            if (pass_.memoryDc) DeleteDC(pass_.memoryDc);
            ReleaseDC(h, dc);
            pass_ = Pass{};
            return false;
        }
        pass_.oldBitmap = SelectObject(pass_.memoryDc, pass_.bitmap);
        pass_.dc = pass_.memoryDc;
    }
    SetBkMode(pass_.dc, TRANSPARENT);
    return true;
}

void Win32Painter::Fill(const PaintRect& rect, std::uint32_t fill, std::optional<std::uint32_t> line) {
    if (!pass_.dc) return;
    HBRUSH brush = CreateSolidBrush(fill);
    if (!brush) return;
    if (line) {
        HPEN pen = CreatePen(PS_SOLID, 1, *line);
        HGDIOBJ oldPen = pen ? SelectObject(pass_.dc, pen) : nullptr;
        HGDIOBJ oldBrush = SelectObject(pass_.dc, brush);
        Rectangle(pass_.dc, rect.left, rect.top, rect.right, rect.bottom);
        SelectObject(pass_.dc, oldBrush);
        if (oldPen) SelectObject(pass_.dc, oldPen);
        if (pen) DeleteObject(pen);
    } else {
        const RECT r = R(rect);
        FillRect(pass_.dc, &r, brush);
    }
    DeleteObject(brush);
}

int Win32Painter::SelectFont(FontHandle font) {
    if (!pass_.dc || !font) return 0;
    HGDIOBJ old = SelectObject(pass_.dc, reinterpret_cast<HFONT>(font));
    if (!pass_.oldFont) pass_.oldFont = old;
    TEXTMETRICW tm{};
    return GetTextMetricsW(pass_.dc, &tm) ? tm.tmHeight : 0;
}

void Win32Painter::PaintText(TextView text, const PaintRect& rect, std::uint32_t color, bool unicode) {
    if (!pass_.dc) return;
    SetTextColor(pass_.dc, color);
    RECT r = R(rect);
    DrawLine(pass_.dc, text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS, unicode);
}

int Win32Painter::MeasureRight(TextView text, const PaintRect& rect, bool unicode) {
    if (!pass_.dc || UpToNul(text).empty()) return rect.left;
    RECT r = R(rect);
    DrawLine(pass_.dc, text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT, unicode);
    return r.right;
}

int Win32Painter::TextWidth(FontHandle font, TextView text, bool unicode) {
    if (UpToNul(text).empty()) return 0;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return 0;
    HGDIOBJ old = font ? SelectObject(dc, reinterpret_cast<HFONT>(font)) : nullptr;
    RECT r{0, 0, 0, 0};
    DrawLine(dc, text, r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT, unicode);
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
    return r.right - r.left;
}

void Win32Painter::End() {
    if (!pass_.windowDc) return;
    if (pass_.oldFont) SelectObject(pass_.dc, pass_.oldFont);
    if (pass_.memoryDc) {
        BitBlt(pass_.windowDc, pass_.rect.left, pass_.rect.top, pass_.rect.Width(), pass_.rect.Height(),
               pass_.memoryDc, 0, 0, SRCCOPY);
        SelectObject(pass_.memoryDc, pass_.oldBitmap);
        DeleteObject(pass_.bitmap);
        DeleteDC(pass_.memoryDc);
    }
    // Some systems keep what was painted into another program's frame in a
    // buffer until the context is read from; one read puts it on the screen.
    GdiFlush();
    GetPixel(pass_.windowDc, pass_.rect.left, pass_.rect.top);
    ReleaseDC(pass_.window, pass_.windowDc);
    pass_ = Pass{};
}

void Win32Painter::Repaint(WindowId w) {
    HWND h = H(w);
    if (!w || !::IsWindow(h)) return;
    // Invalidated only: the window repaints when its own thread gets to it,
    // so a hung program cannot hold us up.
    RedrawWindow(h, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_INTERNALPAINT | RDW_ALLCHILDREN);
}

void Win32Painter::PaintNow(WindowId own) {
    HWND h = H(own);
    if (own && ::IsWindow(h) && GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId())
        UpdateWindow(h);
}

WindowId Win32Painter::Owner(WindowId w) {
    HWND h = H(w);
    if (!w || !::IsWindow(h)) return 0;
    return Id(GetWindow(h, GW_OWNER));
}

}  // namespace tbq::platform
