// What the end-to-end tests need to drive real programs under Windows (Wine):
// processes started and ended by handle, windows found by process, waits on
// conditions with deadlines.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <functional>
#include <string>
#include <vector>

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

// TBQ's main window, once the program has started and shown it (or, with
// `shown` false, made it, hidden as it starts when the settings say so). A
// slow start under a busy machine is waited for; when it never comes, the
// test fails with what the process was doing.
HWND MainWindowOf(const Process& tbq, bool shown = true);

// Visible top-level windows of the process with that caption (given in
// Japanese, looked for as Ui() has it, as are the pages' titles below).
std::vector<HWND> WindowsTitled(DWORD pid, const std::wstring& title);
// The first visible top-level window of the process with that caption, once
// it is there; null after `ms`.
HWND WaitForWindowTitled(const Process& p, const std::wstring& title, int ms = 20000);
// A message box of the process with that caption (any window of that caption
// but `except` that has a box's text control), or null after `ms`.
HWND WaitForBoxTitled(DWORD pid, const std::wstring& caption, HWND except, int ms);
// Controls of another program's dialog, driven as a user does.
std::wstring ControlText(HWND w);
void SetControl(HWND dlg, int id, const std::wstring& text);
// Clicks the button (posted: a box it opens does not hold the test up).
void Press(HWND dlg, int id);
bool Checked(HWND dlg, int id);

// The page of TBQ's settings window with that title (each page is a child
// dialog named by its title), and showing the page at `index` by its key
// command (Ctrl+1 ... Ctrl+7).
HWND Page(HWND mainWindow, const wchar_t* title);
void ShowPage(HWND mainWindow, int index);

std::wstring TitleOf(HWND w);
// Makes `w` the foreground window and waits until it is.
bool BringToFront(HWND w);

// A text of TBQ's windows as the program shows it in this run's language: the
// program speaks English unless the user's Windows is Japanese, and a text
// the tables do not hold yet shows in Japanese in either language. Window
// captions of the form "Lunetta - <title>" are looked up by their title.
std::wstring Ui(const std::wstring& japanese);
// The same text as the English table has it, whatever the run's language.
std::wstring InEnglish(const std::wstring& japanese);
// Whether this run's program speaks English (the user's Windows is not Japanese).
bool EnglishRun();

// Quits TBQ as a user does: the menu's quit entry, then yes in "終了確認"
// (or its English, when the program was switched to English).
// True when the program then ended with exit code 0.
bool QuitTbqThroughMenu(Process& tbq, HWND mainWindow);

// A list view of another process, through a buffer in that process (a list
// view reads and writes its items only in its own memory): a line's text, and
// ticking or clearing its check box or selecting it as a click does, so that
// the list's owner is told. False when the process could not be reached.
std::wstring ListLineText(HWND list, int line);
bool SetListCheck(HWND list, int line, bool checked);
bool SelectListLine(HWND list, int line);

// What a rectangle of the screen (layered windows and all) holds: how many
// pixels are the background and the line colour given, how many are light
// (text smoothed into the background), the rest, and the rows where anything
// but the two colours stands.
struct Census {
    int back = 0, line = 0, text = 0, other = 0;
    int textTop = -1, textBottom = -1;
};
Census CountColours(const RECT& r, COLORREF back, COLORREF line);

RECT WindowRect(HWND w);
// A painting profile's rectangle from the top edge over window `w`, on the
// screen: `left` and `rightGap` in from its sides, `top` and `bottom` down
// from its top edge.
RECT TopBasedRect(HWND w, int left, int top, int rightGap, int bottom);

// The pseudo title bar: the window of process `pid` owned by `target`; null
// when there is none.
HWND PseudoBarOf(DWORD pid, HWND target);

// Saves what the screen shows of window `w` (with its frame) as a 24-bit BMP;
// false when it could not. The window is brought to the front first.
bool SaveWindowPicture(HWND w, const std::filesystem::path& bmp);

// The folder of this test program (the build puts every program there).
std::wstring OwnFolder();

// Copies the named files of the build into a program folder and gives it a
// main settings file, as a program folder has after its first start (without
// one the program welcomes a new user first).
void InstallTbq(const std::filesystem::path& folder, std::initializer_list<const char*> files);

// The local time `seconds` from now; with `serial`, the same moment as a
// count of seconds, for comparing two local times.
SYSTEMTIME LocalTimeIn(int seconds, long long* serial = nullptr);

using Clock = std::chrono::steady_clock;
inline double MillisecondsSince(Clock::time_point t) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

}  // namespace tbq::e2e
