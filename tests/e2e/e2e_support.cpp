#include "e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>

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

HWND Page(HWND mainWindow, const wchar_t* title) { return FindWindowExW(mainWindow, nullptr, L"#32770", title); }

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

bool QuitTbqThroughMenu(Process& tbq, HWND mainWindow) {
    constexpr WPARAM kQuitAndSave = 1010;  // the menu's 終了(&X)
    PostMessageW(mainWindow, WM_COMMAND, kQuitAndSave, 0);
    // The question comes unless the settings switched it off.
    HWND ask = nullptr;
    if (!WaitUntil(
            [&] {
                ask = FindWindowW(L"#32770", L"終了確認");
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
    struct Titled {
        DWORD pid;
        const std::wstring* title;
        std::vector<HWND> found;
    } s{pid, &title, {}};
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

}  // namespace tbq::e2e
