// The library-wide state: one per process, living from load to unload.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "tbq_library.h"

namespace tbq::library {

class TrayIcon;

using SetLayeredWindowAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

struct LibraryState {
    HMODULE module = nullptr;  // this library, stored at load

    bool initialised = false;  // Init ran (successfully or not): it runs once per process
    bool shutDown = false;     // Quit ran
    bool english = false;      // the program shows its texts in English (SetLanguage)

    TBQ_EventCallback callback = nullptr;
    HWND messageWindow = nullptr;
    UINT taskbarCreatedMessage = 0;
    UINT mainWindowShowMessage = 0;

    // The layered-window entry, looked up by name for the pseudo title bar; null
    // on systems without it.
    HMODULE user32 = nullptr;
    SetLayeredWindowAttributesProc setLayeredWindowAttributes = nullptr;

    // The pseudo title bar and the window it serves; Init clears both, Quit
    // destroys the bar.
    HWND dummyBar = nullptr;
    HWND dummyBarTarget = nullptr;
    // Where the bar was put and the transparency it was given last, so that
    // a call that changes nothing asks nothing of the window system.
    RECT dummyBarPlace{};
    std::uint32_t dummyBarValue = 0;
    bool dummyBarValueSet = false;

    // Made when the library is loaded, destroyed when it is unloaded.
    std::unique_ptr<TrayIcon> trayIcon;
};

LibraryState& State();

// Hands an event to the program's callback, if one is registered. Every
// event source (the message window, and the alarm windows' check boxes as
// kind 6) reports through here.
void ReportEvent(std::int32_t kind, std::int32_t value1, std::int32_t value2) noexcept;

HWND InitLibrary(TBQ_EventCallback callback) noexcept;
// `processEnding`: the process is terminating (DllMain with lpReserved set).
// Other threads are gone and windows die with the process, so only our own
// bookkeeping is done then.
std::int32_t QuitLibrary(bool processEnding) noexcept;

}  // namespace tbq::library
