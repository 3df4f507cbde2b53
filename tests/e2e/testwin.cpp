// A small target window for the end-to-end tests: a top-level window with the
// title given on the command line that, on request, retitles itself or hangs.
//   tbq_testwin.exe TITLE [/class NAME] [/width PIXELS] [/exstyle HEX]
// The class defaults to "TBQ_TestWindow", the width to 400.
// Messages it understands (posted by the test):
//   WM_APP + 1, wParam n: retitle itself to "TITLE n" from its own thread
//   WM_APP + 2, wParam ms: stop answering messages for that long
#include <windows.h>

#include <string>

namespace {
std::wstring g_title;

LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_APP + 1:
            SetWindowTextW(h, (g_title + L" " + std::to_wstring(wp)).c_str());
            return 0;
        case WM_APP + 2:
            Sleep(static_cast<DWORD>(wp));
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
    int width = 400;
    DWORD exStyle = 0;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"/class") className = argv[i + 1];
        if (option == L"/width") width = _wtoi(argv[i + 1]);
        if (option == L"/exstyle") exStyle = static_cast<DWORD>(wcstoul(argv[i + 1], nullptr, 16));
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className.c_str();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(exStyle, wc.lpszClassName, g_title.c_str(), WS_OVERLAPPEDWINDOW, 100,
                             100, width, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(h, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
