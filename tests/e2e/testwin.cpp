// A small target window for the end-to-end tests: a top-level window with the
// title given on the command line that, on request, retitles itself or hangs.
//   tbq_testwin.exe TITLE [/class NAME] [/width PIXELS] [/height PIXELS] [/exstyle HEX]
//                   [/owncaption 1] [/layout FILE]
// The class defaults to "TBQ_TestWindow", the width to 400, the height to 200.
// With /owncaption it stands in for the programs that draw their own caption
// (browsers, editors, terminals): its client area takes the whole window,
// caption strip and all (WM_NCCALCSIZE), and it paints tabs and three caption
// buttons there itself. /layout then writes "buttonsLeft stripBottom" (window
// coordinates, at its own resolution) to FILE once it shows, so a test that
// runs at another resolution knows where its buttons are.
// Messages it understands (posted by the test):
//   WM_APP + 1, wParam n: retitle itself to "TITLE n" from its own thread
//   WM_APP + 2, wParam ms: stop answering messages for that long
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
std::wstring g_title;
bool g_ownCaption = false;

struct Layout {
    int strip = 0;       // the height of the caption strip
    int button = 0;      // the width of a caption button
    int buttonsLeft = 0;
};

Layout LayoutOf(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    Layout l;
    // The caption's own sizes, as a program that draws its caption like the
    // system's would take them.
    l.strip = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    l.button = GetSystemMetrics(SM_CXSIZE);
    l.buttonsLeft = r.right - 3 * l.button;
    return l;
}

void Fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
    HBRUSH brush = CreateSolidBrush(c);
    const RECT rc{l, t, r, b};
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void Paint(HWND h) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT r;
    GetClientRect(h, &r);
    const Layout l = LayoutOf(h);
    Fill(dc, 0, 0, r.right, r.bottom, RGB(250, 250, 250));
    Fill(dc, 0, 0, r.right, l.strip, RGB(40, 44, 52));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const wchar_t* tabs[] = {L"Start", L"Tab 2"};
    const int tabWidth = 8 * l.button / 2;
    for (int i = 0; i < 2; ++i) {
        const int left = 6 + i * (tabWidth + 4);
        Fill(dc, left, 4, left + tabWidth, l.strip, i == 0 ? RGB(250, 250, 250) : RGB(70, 76, 88));
        SetTextColor(dc, i == 0 ? RGB(0, 0, 0) : RGB(230, 230, 230));
        RECT t{left + 8, 4, left + tabWidth, l.strip};
        DrawTextW(dc, tabs[i], -1, &t, DT_SINGLELINE | DT_VCENTER);
    }
    const wchar_t* glyphs[] = {L"_", L"\x25A1", L"X"};
    const COLORREF faces[] = {RGB(40, 44, 52), RGB(40, 44, 52), RGB(196, 43, 28)};
    for (int i = 0; i < 3; ++i) {
        const int left = l.buttonsLeft + i * l.button;
        Fill(dc, left, 0, left + l.button, l.strip, faces[i]);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT t{left, 0, left + l.button, l.strip};
        DrawTextW(dc, glyphs[i], -1, &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SetTextColor(dc, RGB(0, 0, 0));
    RECT body{12, l.strip + 12, r.right - 12, r.bottom - 12};
    DrawTextW(dc, L"This window draws its own caption.", -1, &body, DT_WORDBREAK);
    EndPaint(h, &ps);
}


LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_APP + 1:
            SetWindowTextW(h, (g_title + L" " + std::to_wstring(wp)).c_str());
            return 0;
        case WM_APP + 2:
            Sleep(static_cast<DWORD>(wp));
            return 0;
        case WM_NCCALCSIZE:
            // The whole window is client area: the caption strip is ours to draw.
            if (g_ownCaption && wp) return 0;
            break;
        case WM_NCHITTEST: {
            if (!g_ownCaption) break;
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            ScreenToClient(h, &p);
            const Layout l = LayoutOf(h);
            if (p.y < 0 || p.y >= l.strip) return HTCLIENT;
            if (p.x >= l.buttonsLeft + 2 * l.button) return HTCLOSE;
            if (p.x >= l.buttonsLeft + l.button) return HTMAXBUTTON;
            return p.x >= l.buttonsLeft ? HTMINBUTTON : HTCAPTION;
        }
        case WM_SIZE:
            if (g_ownCaption) InvalidateRect(h, nullptr, FALSE);
            break;
        case WM_PAINT:
            if (!g_ownCaption) break;
            Paint(h);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    g_title = argc > 1 ? argv[1] : L"Test window";
    std::wstring className = L"TBQ_TestWindow";
    int width = 400, height = 200;
    DWORD exStyle = 0;
    std::wstring layout;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"/class") className = argv[i + 1];
        if (option == L"/width") width = _wtoi(argv[i + 1]);
        if (option == L"/height") height = _wtoi(argv[i + 1]);
        if (option == L"/exstyle") exStyle = static_cast<DWORD>(wcstoul(argv[i + 1], nullptr, 16));
        if (option == L"/owncaption") g_ownCaption = _wtoi(argv[i + 1]) != 0;
        if (option == L"/layout") layout = argv[i + 1];
    }
    // The caption's own sizes at the resolution the program runs at.
    if (g_ownCaption) SetProcessDPIAware();
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className.c_str();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(exStyle, wc.lpszClassName, g_title.c_str(), WS_OVERLAPPEDWINDOW, 100,
                             100, width, height, nullptr, nullptr, wc.hInstance, nullptr);
    // The frame changes once the window exists: its sizes are asked again.
    if (g_ownCaption) SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(h, SW_SHOW);
    if (!layout.empty()) {
        const Layout l = LayoutOf(h);
        if (FILE* f = _wfopen(layout.c_str(), L"w")) {
            std::fprintf(f, "%d %d\n", l.buttonsLeft, l.strip);
            std::fclose(f);
        }
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
