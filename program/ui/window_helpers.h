// Window routines of the program's own user interface.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "base/text.h"

namespace tbq::ui {

// Brings a window of ours to the front even when another program holds the
// foreground lock.
void ForceForeground(HWND window);

// The text of a dialog's control, and setting it.
Text FieldText(HWND dlg, int id);
void SetField(HWND dlg, int id, const Text& text);
// Fills a drop-down list with `entries` and selects the one at `selected`.
void FillComboBox(HWND combo, const std::vector<Text>& entries, std::size_t selected);

// Where a scroll bar control goes for a WM_HSCROLL or WM_VSCROLL request,
// `line` and `page` apart and kept within its range; nullopt for a request
// that does not move it.
std::optional<int> ScrollRequest(HWND bar, WPARAM wp, int line, int page);

// The "終了確認" question. Returns true for yes; `dontAskAgain` is the state of
// its check box, which can be ticked only when `allowDontAsk`.
bool AskEndConfirmation(HWND owner, bool allowDontAsk, bool& dontAskAgain);

}  // namespace tbq::ui
