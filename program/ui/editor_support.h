// Small routines the program's windows share: a window's id for the ports,
// the refusal box of the editors, their tips on OK and Cancel, their
// drop-downs and pop-up menus.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "platform/windows.h"

namespace tbq::ui {

class Tooltips;

// The id the ports know a window of ours by.
inline platform::WindowId WindowIdOf(HWND w) {
    return static_cast<platform::WindowId>(reinterpret_cast<std::uintptr_t>(w));
}

// A value the user must mend: the warning box through the dialogs port, then
// the focus on the control that holds it (its text selected).
void RefuseField(HWND dlg, int id, const Text& message);

// The editors' tips on OK and Cancel: what each does with the settings.
void AddOkCancelTips(HWND dlg, Tooltips& tips);

// A drop-down list's entries; its edit keeps `text`.
void FillDropDown(HWND combo, const std::vector<Text>& entries, const Text& text);

// Shows a pop-up menu of `items` under `button`; the 1-based number of the
// item chosen, 0 when none was. An empty text is a separator.
int PopupUnder(HWND button, const std::vector<Text>& items);

}  // namespace tbq::ui
