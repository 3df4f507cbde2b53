// The hidden message window: turns window messages into program events.
#pragma once

#include <windows.h>

namespace tbq::library {

// A hidden top-level window (never shown). Top-level rather than message-only,
// because broadcasts ("TaskbarCreated", "TBQ_MainWindow_Show") only reach
// top-level windows. Null on failure.
HWND CreateMessageWindow(HMODULE module) noexcept;
void DestroyMessageWindow(HWND window, HMODULE module) noexcept;

}  // namespace tbq::library
