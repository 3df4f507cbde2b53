// The detail dialog frmDetailSet of the alarm editor: in the sound mode the
// repetition and its interval, in the file mode how the file is opened.
#pragma once

#include <windows.h>

#include <optional>

#include "uimodel/alarm_editor_model.h"

namespace tbq::ui {

// Shows the dialog in the sound mode on the draft's repetition and interval,
// or in the file mode on its verb, parameters and folder; OK writes them
// back into `draft` and returns true, cancel leaves it alone.
bool EditSoundDetail(HWND owner, uimodel::AlarmDraft& draft);
bool EditFileDetail(HWND owner, uimodel::AlarmDraft& draft);

}  // namespace tbq::ui
