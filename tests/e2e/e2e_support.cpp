#include "e2e/e2e_support.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <utility>

#include "base/texts.h"
#include "core/program_location.h"

namespace tbq::e2e {

Process::Process(const std::wstring& commandLine, const std::wstring& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = commandLine;
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi_))
        pi_ = {};
}

Process::~Process() {
    if (pi_.hProcess) {
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) Kill();
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

Process::Process(Process&& o) noexcept : pi_(std::exchange(o.pi_, {})) {}

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        this->~Process();
        pi_ = std::exchange(o.pi_, {});
    }
    return *this;
}

bool Process::WaitExit(int ms, DWORD* exitCode) {
    if (!pi_.hProcess) return true;
    if (WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(ms)) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
    return true;
}

void Process::Kill() {
    if (!pi_.hProcess) return;
    TerminateProcess(pi_.hProcess, 9);
    WaitForSingleObject(pi_.hProcess, 5000);
}

namespace {
std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

struct WindowList {
    DWORD pid;
    std::string text;
};

BOOL CALLBACK ListWindow(HWND h, LPARAM lp) {
    auto* list = reinterpret_cast<WindowList*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != list->pid) return TRUE;
    wchar_t cls[256] = {}, title[256] = {};
    GetClassNameW(h, cls, 256);
    GetWindowTextW(h, title, 256);
    list->text += " [" + Narrow(cls) + " \"" + Narrow(title) + "\"" +
                  (IsWindowVisible(h) ? " visible" : " hidden") + "]";
    return TRUE;
}
}  // namespace

std::string Process::Describe() const {
    if (!pi_.hProcess) return "not started";
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    std::string s = code == STILL_ACTIVE ? "running" : "ended with code " + std::to_string(code);
    WindowList list{pi_.dwProcessId, {}};
    EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&list));
    return s + ", windows:" + (list.text.empty() ? " none" : list.text);
}

bool WaitUntil(const std::function<bool()>& condition, int ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        Sleep(10);
    }
}

namespace {
struct Search {
    DWORD pid;
    const wchar_t* className;
    bool visibleOnly = true;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != s->pid || (s->visibleOnly && !IsWindowVisible(h))) return TRUE;
    if (s->className) {
        wchar_t cls[256] = {};
        GetClassNameW(h, cls, 256);
        if (lstrcmpiW(cls, s->className) != 0) return TRUE;
    }
    s->found = h;
    return FALSE;
}
}  // namespace

HWND WindowOfProcess(DWORD pid, const wchar_t* className) {
    Search s{pid, className};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitForWindowOfProcess(DWORD pid, const wchar_t* className, int ms) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = WindowOfProcess(pid, className)) != nullptr; }, ms);
    return found;
}

HWND MainWindowOf(const Process& tbq, bool shown) {
    HWND w = nullptr;
    WaitUntil(
        [&] {
            Search s{tbq.Id(), L"TBQ_frmMain", shown};
            EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
            return (w = s.found) != nullptr;
        },
        30000);
    if (!w) ADD_FAILURE() << "no main window: " << tbq.Describe();
    return w;
}

HWND Page(HWND mainWindow, const wchar_t* title) {
    return FindWindowExW(mainWindow, nullptr, L"#32770", Ui(title).c_str());
}

void ShowPage(HWND mainWindow, int index) {
    constexpr UINT kPageCommand = 1020;
    PostMessageW(mainWindow, WM_COMMAND, kPageCommand + static_cast<UINT>(index), 0);
}

std::wstring TitleOf(HWND w) {
    wchar_t buf[4096] = {};
    int n = GetWindowTextW(w, buf, 4096);
    return std::wstring(buf, static_cast<size_t>(n > 0 ? n : 0));
}

bool BringToFront(HWND w) {
    // Windows that start up around the test (Wine's tray window among them) can
    // take the activation away once more, so the window must hold it a moment.
    auto heldSince = Clock::now();
    bool holding = false;
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() != w) {
                holding = false;
                SetForegroundWindow(w);
                return false;
            }
            if (!holding) {
                holding = true;
                heldSince = Clock::now();
            }
            return MillisecondsSince(heldSince) >= 300;
        },
        5000);
}

bool EnglishRun() { return ChooseLanguage(kLanguageAuto, GetUserDefaultUILanguage()) == Language::English; }

std::wstring InEnglish(const std::wstring& japanese) {
    const Text text(japanese.begin(), japanese.end());
    if (const auto id = JapaneseTextId(text)) {
        const TextView english = TrIn(Language::English, *id);
        return std::wstring(english.begin(), english.end());
    }
    const std::wstring name(std::begin(kProductName), std::end(kProductName) - 1);
    const std::wstring product = name + L" - ";
    if (japanese.starts_with(product) && japanese.size() > product.size()) {
        // The title alone, or with the separator as a caption suffix.
        const std::wstring title = japanese.substr(product.size());
        if (const std::wstring alone = InEnglish(title); alone != title) return product + alone;
        if (const std::wstring suffix = InEnglish(L" - " + title); suffix != L" - " + title) return name + suffix;
    }
    return japanese;
}

std::wstring Ui(const std::wstring& japanese) { return EnglishRun() ? InEnglish(japanese) : japanese; }

bool QuitTbqThroughMenu(Process& tbq, HWND mainWindow) {
    constexpr WPARAM kQuitAndSave = 1010;  // the menu's 終了(&X)
    PostMessageW(mainWindow, WM_COMMAND, kQuitAndSave, 0);
    // The question comes unless the settings switched it off, in the
    // language the program was switched to, whatever the run's.
    HWND ask = nullptr;
    const std::wstring japanese = L"終了確認", english = InEnglish(japanese);
    if (!WaitUntil(
            [&] {
                ask = FindWindowW(L"#32770", japanese.c_str());
                if (!ask) ask = FindWindowW(L"#32770", english.c_str());
                return ask != nullptr || tbq.WaitExit(0);
            },
            15000))
        return false;
    if (ask)
        PostMessageW(ask, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(ask, IDYES)));
    DWORD code = 99;
    return tbq.WaitExit(20000, &code) && code == 0;
}

std::wstring OwnFolder() {
    wchar_t buf[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::vector<HWND> WindowsTitled(DWORD pid, const std::wstring& title) {
    // A caption the tests name in Japanese is looked for as this run's language shows it.
    const std::wstring shown = Ui(title);
    struct Titled {
        DWORD pid;
        const std::wstring* title;
        std::vector<HWND> found;
    } s{pid, &shown, {}};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* search = reinterpret_cast<Titled*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == search->pid && IsWindowVisible(w) && TitleOf(w) == *search->title)
                search->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitForWindowTitled(const Process& p, const std::wstring& title, int ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const auto windows = WindowsTitled(p.Id(), title);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        ms);
    return found;
}

HWND WaitForBoxTitled(DWORD pid, const std::wstring& caption, HWND except, int ms) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : WindowsTitled(pid, caption))
                if (w != except && GetDlgItem(w, 0xFFFF)) box = w;
            return box != nullptr;
        },
        ms);
    return box;
}

std::wstring ControlText(HWND w) {
    wchar_t buf[2048] = {};
    SendMessageTimeoutW(w, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, nullptr);
    return buf;
}

void SetControl(HWND dlg, int id, const std::wstring& text) {
    SendMessageTimeoutW(GetDlgItem(dlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
}

void Press(HWND dlg, int id) {
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

bool Checked(HWND dlg, int id) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(GetDlgItem(dlg, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &r);
    return r == BST_CHECKED;
}

void InstallTbq(const std::filesystem::path& folder, std::initializer_list<const char*> files) {
    for (const char* f : files) std::filesystem::copy_file(std::filesystem::path(OwnFolder()) / f, folder / f);
    std::ofstream(folder / "TBQ_Setting.ini", std::ios::binary) << "[Main]\r\nSettingVersion=1\r\n";
}

bool SaveWindowPicture(HWND w, const std::filesystem::path& bmp) {
    if (!BringToFront(w)) return false;
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(300);  // the other process paints
    RECT r{};
    GetWindowRect(w, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;  // bottom-up, as BMP files hold it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && mem) {
        HGDIOBJ old = SelectObject(mem, bitmap);
        ok = BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY) != FALSE;
        SelectObject(mem, old);
        GdiFlush();
    }
    if (ok) {
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD size = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
        fh.bfSize = fh.bfOffBits + size;
        std::ofstream out(bmp, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
        out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
        out.write(static_cast<const char*>(bits), size);
        ok = out.good();
    }
    if (bitmap) DeleteObject(bitmap);
    if (mem) DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

namespace {
// Memory in the process that owns `w`, freed when it goes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND w, std::size_t size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Ok() const { return at_ != nullptr; }
    void* At(std::size_t offset = 0) const { return static_cast<char*>(at_) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t n) const {
        return WriteProcessMemory(process_, At(offset), data, n, nullptr) != FALSE;
    }
    bool Read(std::size_t offset, void* data, std::size_t n) const {
        return ReadProcessMemory(process_, At(offset), data, n, nullptr) != FALSE;
    }

private:
    HANDLE process_ = nullptr;
    void* at_ = nullptr;
};

bool SetItemState(HWND list, int line, UINT state, UINT mask) {
    RemoteBuffer buf(list, sizeof(LVITEMW));
    if (!buf.Ok()) return false;
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    if (!buf.Write(0, &item, sizeof item)) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buf.At()),
                               SMTO_ABORTIFHUNG, 5000, &result) != 0 &&
           result != 0;
}
}  // namespace

std::wstring ListLineText(HWND list, int line) {
    constexpr int kChars = 1024;
    RemoteBuffer buf(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!buf.Ok()) return L"";
    LVITEMW item{};
    item.iSubItem = 0;
    item.cchTextMax = kChars;
    item.pszText = static_cast<wchar_t*>(buf.At(sizeof(LVITEMW)));
    if (!buf.Write(0, &item, sizeof item)) return L"";
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buf.At()),
                             SMTO_ABORTIFHUNG, 5000, &n))
        return L"";
    std::wstring text(std::min<DWORD_PTR>(n, kChars), L'\0');
    if (!text.empty() && !buf.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t))) return L"";
    return text;
}

bool SetListCheck(HWND list, int line, bool checked) {
    return SetItemState(list, line, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

bool SelectListLine(HWND list, int line) {
    return SetItemState(list, line, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

SYSTEMTIME LocalTimeIn(int seconds, long long* serial) {
    constexpr unsigned long long kSecond = 10000000;  // FILETIME units
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    ULARGE_INTEGER u{{utc.dwLowDateTime, utc.dwHighDateTime}};
    u.QuadPart += static_cast<unsigned long long>(seconds) * kSecond;
    FILETIME later{u.LowPart, u.HighPart}, local;
    FileTimeToLocalFileTime(&later, &local);
    if (serial)
        *serial = static_cast<long long>(ULARGE_INTEGER{{local.dwLowDateTime, local.dwHighDateTime}}.QuadPart / kSecond);
    SYSTEMTIME st;
    FileTimeToSystemTime(&local, &st);
    return st;
}

Census CountColours(const RECT& r, COLORREF back, COLORREF line) {
    HDC screen = GetDC(nullptr);
    Census c;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF p = GetPixel(screen, x, y) & 0xFFFFFF;
            if (p == back) ++c.back;
            else if (p == line) ++c.line;
            // Text is smoothed into the background: any light pixel is text.
            else if (GetGValue(p) >= 0x60 && GetBValue(p) >= 0x60 && GetRValue(p) >= 0x60) ++c.text;
            else ++c.other;
            if (p != back && p != line) {
                if (c.textTop < 0) c.textTop = y;
                c.textBottom = y;
            }
        }
    ReleaseDC(nullptr, screen);
    return c;
}

RECT WindowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

RECT TopBasedRect(HWND w, int left, int top, int rightGap, int bottom) {
    const RECT r = WindowRect(w);
    return {r.left + left, r.top + top, r.right - rightGap, r.top + bottom};
}

HWND PseudoBarOf(DWORD pid, HWND target) {
    struct Find {
        DWORD pid;
        HWND owner, found;
    } f{pid, target, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* find = reinterpret_cast<Find*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != find->pid || GetWindow(w, GW_OWNER) != find->owner) return TRUE;
            find->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

}  // namespace tbq::e2e
