// The alarm editor ("アラーム追加" / "アラーム変更") with its date and detail
// dialogs.
#pragma once

#include <windows.h>

#include <memory>

#include "alarm/alarm.h"

namespace tbq::ui {

// Opens the editor on `alarm` (null: a new one); the new alarm holding what
// the user set, or null when the editor was cancelled.
std::shared_ptr<vbKerova_Alarm> EditAlarm(HWND owner, const vbKerova_Alarm* alarm);

}  // namespace tbq::ui
