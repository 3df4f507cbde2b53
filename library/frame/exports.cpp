// The exported entry points of the library frame. Each is a thin, noexcept
// shell around the code that does the work: bad pointers from the caller are
// refused here, and nothing thrown inside gets out.
#include "tbq_library.h"

#include "frame/alarm_window.h"
#include "frame/ansi_text.h"
#include "frame/dummy_bar.h"
#include "frame/library_state.h"
#include "frame/services.h"
#include "frame/tray_icon.h"

using namespace tbq::library;

extern "C" {

HWND WINAPI Init(TBQ_EventCallback callback) noexcept { return InitLibrary(callback); }

int32_t WINAPI Quit(void) noexcept { return QuitLibrary(false); }

TBQ_Information* WINAPI GetInformation(TBQ_Information* info) noexcept {
    if (!info) return nullptr;
    try {
        FillInformation(*info);
    } catch (...) {
        // Out of memory while converting the comment: hand back a cleared record.
        *info = TBQ_Information{};
    }
    return info;
}

int32_t WINAPI ShowAbout(HWND owner) noexcept {
    try {
        return ShowAboutBox(owner);
    } catch (...) {
        return 0;
    }
}

// The program's interface language for the library's own windows: 0 Japanese,
// 1 English; any other value is Japanese.
void WINAPI SetLanguage(int32_t language) noexcept { State().english = language == 1; }

int32_t WINAPI ShowMainProgramWindow(void) noexcept { return BroadcastShowMainWindow(); }

int32_t WINAPI GetExeFileName(HWND window, char* buffer, int32_t size) noexcept {
    if (!buffer || size <= 0) return 0;
    // Terminated even when nothing is found, so the caller never reads old bytes.
    buffer[0] = '\0';
    try {
        std::string path = WideToAnsi(WindowExecutablePath(window));
        // A buffer too small for the path gets as much as fits, terminated.
        return static_cast<int32_t>(CopyToField(buffer, static_cast<std::size_t>(size), path));
    } catch (...) {
        return 0;
    }
}

int32_t WINAPI CreateShortCut(const char* linkPath, const char* targetPath, const char* workDir,
                              const char* iconFile, int32_t iconIndex, const char* description,
                              const char* arguments) noexcept {
    try {
        return SaveShellLink(
                   {linkPath, targetPath, workDir, iconFile, iconIndex, description, arguments})
                   ? 1
                   : 0;
    } catch (...) {
        return 0;
    }
}

int32_t WINAPI NotifyIconControl(int32_t mode, INT_PTR value1, INT_PTR value2) noexcept {
    if (TrayIcon* tray = State().trayIcon.get()) tray->Control(mode, value1, value2);
    return 0;
}

HWND WINAPI ShowAlarmWindow(HWND owner, const char* title, const char* message,
                            int32_t tag) noexcept {
    return OpenAlarmWindow(owner, title, message, static_cast<uint32_t>(tag));
}

int32_t WINAPI CloseAlarmWindow(HWND window) noexcept { return DestroyAlarmWindow(window); }

int32_t WINAPI SetDummyBarEx(int32_t show, HWND target, const TBQ_DummyBarRect* record) noexcept {
    if (!record) return 0;
    const RECT r{record->Left, record->Top, record->Right, record->Bottom};
    PlaceDummyBar(show != 0, target, r, record->NormalValue, record->MouseOverValue);
    return 0;
}

int32_t WINAPI SetDummyBar(int32_t show, HWND target, const RECT* rect, uint32_t value) noexcept {
    if (!rect) return 0;
    PlaceDummyBar(show != 0, target, *rect, value, value);
    return 0;
}

HWND WINAPI GetDummyBar(void) noexcept { return DummyBar(); }

int32_t WINAPI CloseDummyBar(void) noexcept {
    tbq::library::CloseDummyBar();
    return 0;
}

}  // extern "C"
