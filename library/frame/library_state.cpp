#include "frame/library_state.h"

#include <new>

#include "frame/alarm_window.h"
#include "frame/message_window.h"
#include "frame/tray_icon.h"

namespace tbq::library {

LibraryState& State() {
    static LibraryState state;
    return state;
}

void ReportEvent(std::int32_t kind, std::int32_t value1, std::int32_t value2) noexcept {
    // Copied first: the callback may call Quit, which clears the stored one.
    TBQ_EventCallback callback = State().callback;
    if (!callback) return;
    try {
        callback(kind, value1, value2);
    } catch (...) {
        // A caller's exception must not unwind through a window procedure.
    }
}

namespace {

bool ReadSystemVersion() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExW(&version) != FALSE;
}

}  // namespace

HWND InitLibrary(TBQ_EventCallback callback) noexcept {
    LibraryState& s = State();
    if (s.initialised) return nullptr;
    s.initialised = true;
    s.shutDown = false;
    if (!ReadSystemVersion()) return nullptr;

    s.callback = callback;
    // Registered before the window exists, so that no message of the window
    // can ever be mistaken for an id that is still 0.
    s.taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    s.mainWindowShowMessage = RegisterWindowMessageW(L"TBQ_MainWindow_Show");
    s.messageWindow = CreateMessageWindow(s.module);

    s.dummyBar = nullptr;
    s.dummyBarTarget = nullptr;

    s.user32 = LoadLibraryW(L"user32.dll");
    if (s.user32) {
        s.setLayeredWindowAttributes = reinterpret_cast<SetLayeredWindowAttributesProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(s.user32, "SetLayeredWindowAttributes")));
    }
    if (s.trayIcon) s.trayIcon->Attach(s.messageWindow, s.module);
    return s.messageWindow;
}

std::int32_t QuitLibrary(bool processEnding) noexcept {
    LibraryState& s = State();
    // From here on no event reaches the program.
    s.callback = nullptr;
    s.shutDown = true;
    if (processEnding) return 0;

    // An icon whose owner window is gone lingers in the tray until the mouse
    // passes over it, so it leaves together with the window.
    if (s.trayIcon && s.trayIcon->Shown()) s.trayIcon->Remove();
    DestroyMessageWindow(s.messageWindow, s.module);
    s.messageWindow = nullptr;
    // Only a bar that is still ours: the handle of one that went with its
    // target may name another window by now.
    if (s.dummyBar && IsWindow(s.dummyBar) && GetWindow(s.dummyBar, GW_OWNER) == s.dummyBarTarget)
        DestroyWindow(s.dummyBar);
    s.dummyBar = nullptr;
    s.dummyBarTarget = nullptr;

    s.setLayeredWindowAttributes = nullptr;
    BOOL released = FALSE;
    if (s.user32) released = FreeLibrary(s.user32);
    s.user32 = nullptr;
    return released ? 1 : 0;
}

}  // namespace tbq::library

// The loader's entry: attach makes the tray icon object, detach shuts down
// what the program left running.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    using namespace tbq::library;
    LibraryState& s = State();
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            s.module = instance;
            DisableThreadLibraryCalls(instance);
            s.trayIcon.reset(new (std::nothrow) TrayIcon());
            return s.trayIcon != nullptr;
        case DLL_PROCESS_DETACH: {
            // lpReserved is set when the whole process is ending rather than
            // the library being freed.
            const bool processEnding = reserved != nullptr;
            if (s.initialised && !s.shutDown) QuitLibrary(processEnding);
            // Freed with alarm windows still open: their procedure goes with us.
            if (!processEnding) CloseAlarmWindowsOfThisThread();
            if (s.trayIcon) s.trayIcon->Release(processEnding);
            s.trayIcon.reset();
            return TRUE;
        }
        default:
            return TRUE;
    }
}
