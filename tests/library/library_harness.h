// What the TBQ.dll tests share: the library bound by name as the program binds
// it, tests that run in a process of their own (Init and Quit work once per
// process), message pumping with a deadline, and event recording.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tbq_library.h"

namespace tbq::test {

struct LibraryExports {
    HMODULE module = nullptr;
    TBQ_InitProc Init = nullptr;
    TBQ_QuitProc Quit = nullptr;
    TBQ_GetInformationProc GetInformation = nullptr;
    TBQ_ShowAboutProc ShowAbout = nullptr;
    TBQ_ShowMainProgramWindowProc ShowMainProgramWindow = nullptr;
    TBQ_GetExeFileNameProc GetExeFileName = nullptr;
    TBQ_CreateShortCutProc CreateShortCut = nullptr;
    TBQ_NotifyIconControlProc NotifyIconControl = nullptr;
    TBQ_ShowAlarmWindowProc ShowAlarmWindow = nullptr;
    TBQ_CloseAlarmWindowProc CloseAlarmWindow = nullptr;
    TBQ_SetDummyBarExProc SetDummyBarEx = nullptr;
    TBQ_SetDummyBarProc SetDummyBar = nullptr;
    TBQ_GetDummyBarProc GetDummyBar = nullptr;
    TBQ_CloseDummyBarProc CloseDummyBar = nullptr;

    // True when the library loaded and every export was found by its plain name.
    bool Complete() const;
};

// LoadLibrary("TBQ.dll") without a path, so the system's search finds the copy
// beside the test program, then GetProcAddress by name.
LibraryExports LoadTbqLibrary();

// Own path of the running test program.
std::wstring SelfPath();
// The title of the window that a copy started with --tbq-hold-window shows.
std::wstring HolderTitle(DWORD processId);

// A test that starts with TBQ_IN_FRESH_PROCESS() runs its body in a new copy of
// the test program (only that test), and in the parent only checks that the
// copy passed and ended in time.
bool InFreshProcess();
void RunCurrentTestInFreshProcess();
#define TBQ_IN_FRESH_PROCESS()                           \
    do {                                                 \
        if (!::tbq::test::InFreshProcess()) {            \
            ::tbq::test::RunCurrentTestInFreshProcess(); \
            return;                                      \
        }                                                \
    } while (0)

// Dispatches this thread's messages until `done` holds or the limit passes.
bool PumpMessagesUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(5));

struct Event {
    std::int32_t kind;
    std::int32_t value1;
    std::int32_t value2;
    bool operator==(const Event&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Event& e);

// Two callbacks with separate records.
extern std::vector<Event> g_firstEvents;
extern std::vector<Event> g_secondEvents;
void WINAPI RecordFirst(std::int32_t kind, std::int32_t value1, std::int32_t value2);
void WINAPI RecordSecond(std::int32_t kind, std::int32_t value1, std::int32_t value2);

// Text in the ANSI code page, as callers hand it to the library.
std::string ToAnsi(const std::wstring& text);

}  // namespace tbq::test
