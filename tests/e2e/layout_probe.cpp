// Makes every dialog of TBQ.exe from its own resources in each language, as
// the program shows them, and measures each label, button and check box's
// text with the control's own font: one line per text that does not fit its
// control. The settings pages' check boxes get the captions the program gives
// them. Run at the resolution of the session that starts it.
//
//   tbq_layout_probe.exe PATH\TBQ.exe REPORT.txt
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/texts.h"
#include "ui/resource.h"
#include "uimodel/page_bindings.h"
#include "win32/wide.h"

namespace {

using namespace tbq;

int g_failures = 0;
FILE* g_out = stdout;

std::wstring TextOf(HWND w) {
    wchar_t buffer[1024];
    const int n = GetWindowTextW(w, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

// The room the control leaves its text beside the box, the frame or the
// margins, in pixels at its resolution.
struct Room {
    int width, height;
    bool wraps;
};

bool Measured(HWND control, Room& room) {
    wchar_t cls[64] = {};
    GetClassNameW(control, cls, 64);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    RECT r{};
    GetClientRect(control, &r);
    const UINT dpi = GetDpiForWindow(control);
    auto px = [dpi](int at96) { return MulDiv(at96, static_cast<int>(dpi), 96); };
    room = {r.right, r.bottom, false};
    if (lstrcmpiW(cls, L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_GROUPBOX: room.width -= px(16); return true;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON: room.width -= px(13 + 4); break;
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON: room.width -= px(6); break;
            default: return false;
        }
        room.wraps = (style & BS_MULTILINE) != 0;
        return true;
    }
    if (lstrcmpiW(cls, L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
            room.wraps = true;
            return true;
        }
        return type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
    }
    return false;
}

void Check(const char* where, HWND control) {
    if (!(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE)) return;
    const std::wstring text = TextOf(control);
    Room room{};
    if (text.empty() || !Measured(control, room)) return;
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need{0, 0, room.width, 0};
    UINT flags = DT_CALCRECT | (room.wraps ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, flags);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const bool fits = need.right <= room.width && (!room.wraps || need.bottom <= room.height);
    if (fits) return;
    ++g_failures;
    std::fprintf(g_out, "%s control %d \"%s\": needs %ldx%ld, has %dx%d\n", where, GetDlgCtrlID(control), Utf8(text).c_str(),
                need.right, need.bottom, room.width, room.height);
}

INT_PTR CALLBACK Proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// The template's texts in the language in force, as the program's dialogs show them.
void Translate(HWND dlg) {
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (auto id = JapaneseTextId(win32::FromWide(TextOf(child))))
            SetWindowTextW(child, win32::Wide(Tr(*id)).c_str());
}

std::vector<int> DialogIds(HMODULE module) {
    std::vector<int> ids;
    EnumResourceNamesW(
        module, RT_DIALOG,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) -> BOOL {
            if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(out)->push_back(LOWORD(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// Texts a dialog gives its controls itself rather than through its template.
struct CodeText {
    int dialog, control;
    TextId text;
};
constexpr CodeText kCodeTexts[] = {
    {IDD_PAGE_BASIC, IDC_BASIC_LANGUAGE_LABEL, TextId::BasicLanguageLabel},
    {IDD_PAGE_BASIC, IDC_BASIC_STARTUP, TextId::BasicStartupUnregister},
};

int PageTemplate(uimodel::Page page) {
    switch (page) {
        case uimodel::Page::Basic: return IDD_PAGE_BASIC;
        case uimodel::Page::TitleBar: return IDD_PAGE_TITLEBAR;
        case uimodel::Page::Information: return IDD_PAGE_INFO;
        default: return IDD_PAGE_LIST;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    g_out = _wfopen(argv[2], L"w");
    if (!g_out) return 2;
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                             ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    HMODULE module = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return 2;
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr, nullptr,
                                  nullptr);
    const std::vector<int> ids = DialogIds(module);
    std::fprintf(g_out, "%zu dialogs at %u dpi\n", ids.size(), GetDpiForWindow(parent));
    for (Language language : {Language::Japanese, Language::English}) {
        SetLanguage(language);
        const char* name = language == Language::English ? "en" : "ja";
        for (int id : ids) {
            HWND dlg = CreateDialogParamW(module, MAKEINTRESOURCEW(id), parent, Proc, 0);
            if (!dlg) {
                std::fprintf(g_out, "%s dialog %d: cannot be made\n", name, id);
                ++g_failures;
                continue;
            }
            Translate(dlg);
            // The pages' check boxes carry the captions of the page they are.
            for (const uimodel::PageModel& page : uimodel::Pages()) {
                if (PageTemplate(page.page) != id) continue;
                const int checks[] = {IDC_PAGE_CHECK0, IDC_PAGE_CHECK1, IDC_PAGE_CHECK2, IDC_PAGE_CHECK3};
                for (std::size_t i = 0; i < page.checkBoxes.size() && i < std::size(checks); ++i) {
                    SetDlgItemTextW(dlg, checks[i], win32::Wide(Tr(page.checkBoxes[i].caption)).c_str());
                    const std::string where = std::string(name) + " page " + Utf8(win32::Wide(Tr(page.title)));
                    Check(where.c_str(), GetDlgItem(dlg, checks[i]));
                }
            }
            for (const CodeText& t : kCodeTexts)
                if (t.dialog == id) SetDlgItemTextW(dlg, t.control, win32::Wide(Tr(t.text)).c_str());
            const std::string where = std::string(name) + " dialog " + std::to_string(id);
            for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                const int cid = GetDlgCtrlID(child);
                if (cid == IDC_PAGE_CHECK0 || cid == IDC_PAGE_CHECK1 || cid == IDC_PAGE_CHECK2 || cid == IDC_PAGE_CHECK3)
                    continue;
                Check(where.c_str(), child);
            }
            DestroyWindow(dlg);
        }
    }
    std::fprintf(g_out, "%d texts do not fit\n", g_failures);
    std::fclose(g_out);
    return g_failures == 0 ? 0 : 1;
}
