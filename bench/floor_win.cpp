// The floor TBQ's idle cost is measured against, and the window switcher of the
// same measurement (bench/idle_cost.py runs both under Wine).
//
//   tbq_floor.exe floor <ms>    the least a title clock can do: on a timer of
//                               <ms>, the window in front gets its own title
//                               followed by the time; the title is read every
//                               tick and written only when it differs, and the
//                               window it leaves gets its own title back
//   tbq_floor.exe switch <ms>   brings the top-level windows of class
//                               "Notepad" to the front in turn, one every <ms>
//   tbq_floor.exe count <exe>   prints the handle and GDI object counts of the
//                               running process of that executable name
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr UINT kWriteTimeoutMs = 100;

std::wstring Title(HWND w) {
    wchar_t buffer[1024];
    const int n = GetWindowTextW(w, buffer, 1024);
    return std::wstring(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

void Write(HWND w, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG | SMTO_NORMAL, kWriteTimeoutMs, &result);
}

struct Floor {
    HWND target = nullptr;
    std::wstring own, shown;

    void Tick() {
        HWND front = GetForegroundWindow();
        if (front != target) {
            if (target && Title(target) == shown) Write(target, own);
            target = front;
            own = target ? Title(target) : std::wstring();
            shown.clear();
        }
        if (!target) return;
        SYSTEMTIME t;
        GetLocalTime(&t);
        wchar_t clock[32];
        std::swprintf(clock, 32, L"  %02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
        std::wstring text = own + clock;
        const std::wstring now = Title(target);
        if (now == text) return;
        // A title that is neither ours nor due is the window's own new one.
        if (now != shown) text = (own = now) + clock;
        Write(target, text);
        shown = std::move(text);
    }
};

BOOL CALLBACK AddNotepad(HWND w, LPARAM list) {
    wchar_t cls[64];
    if (GetClassNameW(w, cls, 64) && std::wcscmp(cls, L"Notepad") == 0 && IsWindowVisible(w))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

// The timer goes to a hidden window of our own, as in any resident program
// (its tray icon needs one anyway), unless `windowless`.
int RunTimer(UINT ms, void (*tick)(void*), void* state, bool windowless = false) {
    HWND own = nullptr;
    if (!windowless) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"tbq_floor";
        RegisterClassW(&wc);
        own = CreateWindowExW(0, wc.lpszClassName, L"floor", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, wc.hInstance, nullptr);
    }
    const UINT_PTR timer = SetTimer(own, 1, ms, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.wParam == timer) tick(state);
        DispatchMessageW(&msg);
    }
    return 0;
}

// The system's handle list (Wine keeps it in its server), and the process's
// GDI handle table, which its PEB points to: GetProcessHandleCount and
// GetGuiResources answer 0 under Wine.
struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType, flags;
    USHORT value;
    PVOID object;
    ULONG access;
};
struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};
using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryProcess = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

long HandlesOf(DWORD pid) {
    auto query = reinterpret_cast<QuerySystem>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 20);
    for (int tries = 0; tries < 6; ++tries) {
        ULONG needed = 0;
        const LONG status = query(16 /* SystemHandleInformation */, buffer.data(),
                                  static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) {
            const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
            long n = 0;
            for (ULONG i = 0; i < list->count; ++i) n += list->entries[i].ownerPid == pid;
            return n;
        }
        buffer.resize(buffer.size() * 4);
    }
    return -1;
}

long GdiObjectsOf(HANDLE process) {
    auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PVOID basic[6] = {};  // PROCESS_BASIC_INFORMATION: the PEB's address is the second field
    if (query(process, 0, basic, sizeof basic, nullptr) != 0) return -1;
    constexpr SIZE_T kGdiTableInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;  // PEB.GdiSharedHandleTable
    PVOID table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(basic[1]) + kGdiTableInPeb, &table, sizeof table, &read) ||
        !table)
        return -1;
    // 65536 entries of 24 bytes: object, owner, generation, object type, ...
    constexpr SIZE_T kEntry = 24, kEntries = 0x10000, kTypeByte = 14;
    std::vector<unsigned char> entries(kEntry * kEntries);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &read)) return -1;
    long n = 0;
    for (SIZE_T i = 0; i + kEntry <= read; i += kEntry) n += entries[i + kTypeByte] != 0;
    return n;
}

int Count(const wchar_t* exe) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD pid = 0;
    for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry))
        if (_wcsicmp(entry.szExeFile, exe) == 0) pid = entry.th32ProcessID;
    CloseHandle(snap);
    HANDLE process = pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
    if (!process) return 1;
    std::printf("%ld %ld\n", HandlesOf(pid), GdiObjectsOf(process));
    CloseHandle(process);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const UINT ms = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10));
    if (std::wcscmp(argv[1], L"floor") == 0) {
        Floor floor;
        return RunTimer(ms, [](void* f) { static_cast<Floor*>(f)->Tick(); }, &floor,
                        argc > 3 && std::wcscmp(argv[3], L"windowless") == 0);
    }
    if (std::wcscmp(argv[1], L"switch") == 0) {
        struct Switcher {
            std::size_t next = 0;
        } switcher;
        return RunTimer(ms, [](void* s) {
            std::vector<HWND> windows;
            EnumWindows(AddNotepad, reinterpret_cast<LPARAM>(&windows));
            if (windows.empty()) return;
            auto& sw = *static_cast<Switcher*>(s);
            // Z order changes with every switch: go by handle order instead.
            std::sort(windows.begin(), windows.end());
            SetForegroundWindow(windows[sw.next++ % windows.size()]);
        }, &switcher);
    }
    if (std::wcscmp(argv[1], L"count") == 0) return Count(argv[2]);
    return 2;
}
