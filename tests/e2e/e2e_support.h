// What the end-to-end tests need to drive real programs under Windows (Wine):
// processes started and ended by handle, windows found by process, waits on
// conditions with deadlines.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace tbq::e2e {

class Process {
public:
    Process() = default;
    Process(const std::wstring& commandLine, const std::wstring& folder);
    ~Process();
    Process(Process&& o) noexcept;
    Process& operator=(Process&& o) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Id() const { return pi_.dwProcessId; }
    // Waits for the process to end; false on time-out.
    bool WaitExit(int ms, DWORD* exitCode = nullptr);
    void Kill();
    // For failure messages: whether it runs or how it ended, and every
    // top-level window it has (class, title, visible or not).
    std::string Describe() const;

private:
    PROCESS_INFORMATION pi_{};
};

// Polls `condition` until it holds or `ms` pass. Returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, int ms);

// The first visible top-level window of the process (optionally of a class).
HWND WindowOfProcess(DWORD pid, const wchar_t* className = nullptr);
HWND WaitForWindowOfProcess(DWORD pid, const wchar_t* className, int ms);

// TBQ's main window, once the program has started and shown it. A slow start
// under a busy machine is waited for; when it never comes, the test fails with
// what the process was doing.
HWND MainWindowOf(const Process& tbq);

std::wstring TitleOf(HWND w);
// Makes `w` the foreground window and waits until it is.
bool BringToFront(HWND w);

// Quits TBQ as a user does: the menu's quit entry, then yes in "終了確認".
// True when the program then ended with exit code 0.
bool QuitTbqThroughMenu(Process& tbq, HWND mainWindow);

// The folder of this test program (the build puts every program there).
std::wstring OwnFolder();

using Clock = std::chrono::steady_clock;
inline double MillisecondsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

}  // namespace tbq::e2e
