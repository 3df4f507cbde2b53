// Dots per inch of each window and the scaling that follows from it. The
// manifest asks for per-monitor awareness, so every window of ours keeps its
// own DPI and lays itself out again when Windows says it changed
// (WM_DPICHANGED, handled once in the window and dialog bases).
#pragma once

#include <windows.h>

#include "ui/kit/handles.h"

namespace tbq::ui {

inline constexpr UINT kBaseDpi = 96;

// The DPI the window is shown at (the system's where Windows cannot tell).
UINT WindowDpi(HWND w);
inline int Scale(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), kBaseDpi); }

// The dialog font of every window of ours, made for `dpi`; dialog templates
// name the same face and size (TBQ_DIALOG_FONT in ui/resource.h).
UniqueFont MakeDialogFont(UINT dpi, bool bold = false);

// Moves a window to the rectangle Windows suggests with WM_DPICHANGED.
void ApplySuggestedRect(HWND w, LPARAM suggested);

}  // namespace tbq::ui
