// The alarm message windows: modeless dialogs the program opens when an alarm
// goes off. Each is independent; its check box reports kind 6 with its tag.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tbq::library {

// A new visible alarm window owned by `owner` (null: none), with ANSI `title`
// and `message` (null reads as ""); null when it could not be made.
HWND OpenAlarmWindow(HWND owner, const char* title, const char* message,
                     std::uint32_t tag) noexcept;

// True only for a live alarm window of this library in this process.
bool IsAlarmWindow(HWND window) noexcept;

// Destroys `window` if it is an alarm window; the DestroyWindow result, or 0.
std::int32_t DestroyAlarmWindow(HWND window) noexcept;

// Before the library is unloaded: the windows' procedure and the keyboard hook
// live in its code, so none may outlast it on this thread.
void CloseAlarmWindowsOfThisThread() noexcept;

}  // namespace tbq::library
