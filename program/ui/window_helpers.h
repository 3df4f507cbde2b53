// Window routines of the program's own user interface.
#pragma once

#include <windows.h>

namespace tbq::ui {

// Brings a window of ours to the front even when another program holds the
// foreground lock.
void ForceForeground(HWND window);

// The "終了確認" question. Returns true for yes; `dontAskAgain` is the state of
// its check box, which can be ticked only when `allowDontAsk`.
bool AskEndConfirmation(HWND owner, bool allowDontAsk, bool& dontAskAgain);

}  // namespace tbq::ui
