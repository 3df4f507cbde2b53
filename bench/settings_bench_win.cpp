// Windows build: the settings window of a running TBQ.exe, timed from another
// process as a user meets it: opening it (the command until it has painted),
// one refresh of its preview, and beside them one plain update tick with the
// window hidden. Run it under Wine from the build's bin folder:
//   tests/harness/wine-run build/win64/bin/tbq_settings_bench_win.exe
#include <windows.h>

#include "win_timing.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using tbq::bench::Seconds;
namespace fs = std::filesystem;

constexpr UINT kShowSettings = 1001, kQuitWithoutSaving = 1011;
constexpr WPARAM kUpdateTimer = 1;

fs::path OwnFolder() {
    wchar_t buf[MAX_PATH];
    GetModuleFileNameW(nullptr, buf, MAX_PATH);
    return fs::path(buf).parent_path();
}

struct Found {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindMain(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (pid == f->pid && std::wstring(cls) == L"TBQ_frmMain") {
        f->window = w;
        return FALSE;
    }
    return TRUE;
}

// The median of `rounds` runs of `work`, in milliseconds.
double MedianMs(int rounds, const std::function<void()>& work) {
    std::vector<double> t;
    for (int i = 0; i < rounds; ++i) t.push_back(1000 * Seconds(work));
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace

int wmain() {
    const fs::path bin = OwnFolder();
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const fs::path folder = fs::path(tmp) / L"tbq_settings_bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* f : {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"}) fs::copy_file(bin / f, folder / f);
    // Hidden at start, no question at the end; the era clock of the first start.
    std::ofstream(folder / "TBQ_Setting.ini", std::ios::binary)
        << "[Main]\r\nSettingVersion=1\r\n[Basic]\r\nViewDisplay=0\r\nEndCheck=0\r\nTaskTray=0\r\n";
    fs::copy_file(bin / "sample" / "era" / "TBQ_ViewData.ini", folder / "TBQ_ViewData.ini");

    std::wstring cmd = L"\"" + (folder / L"TBQ.exe").wstring() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        std::printf("cannot start TBQ.exe\n");
        return 1;
    }
    Found found{pi.dwProcessId, nullptr};
    for (int i = 0; i < 600 && !found.window; ++i) {
        Sleep(50);
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&found));
    }
    if (!found.window) {
        std::printf("TBQ.exe made no main window\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    HWND main = found.window;
    HWND preview = GetDlgItem(main, 2501);
    Sleep(1000);  // start-up settles

    const double tick = MedianMs(50, [&] { SendMessageW(main, WM_TIMER, kUpdateTimer, 0); });
    SendMessageW(main, WM_COMMAND, kShowSettings, 0);
    const double preview1 = MedianMs(50, [&] {
        RedrawWindow(preview, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    std::printf("plain update tick (window hidden):     %8.3f ms\n", tick);
    std::printf("one preview refresh:                   %8.3f ms\n", preview1);

    // The opening, each time from hidden.
    std::vector<double> opens;
    for (int i = 0; i < 20; ++i) {
        SendMessageW(main, WM_CLOSE, 0, 0);
        opens.push_back(1000 * Seconds([&] {
                            SendMessageW(main, WM_COMMAND, kShowSettings, 0);
                            RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                        }));
    }
    std::sort(opens.begin(), opens.end());
    std::printf("opening the settings window (painted): %8.3f ms\n", opens[opens.size() / 2]);

    PostMessageW(main, WM_COMMAND, kQuitWithoutSaving, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    fs::remove_all(folder);
    return 0;
}
