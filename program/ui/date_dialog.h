// The date dialog ("日時指定"): six drop-down lists for year, month, day, hour,
// minute and second, in the alarm, count-target or offset mode.
#pragma once

#include <windows.h>

#include <optional>

#include "uimodel/date_fields.h"

namespace tbq::ui {

// Shows the dialog modally on `start`; the fields chosen, or nullopt when it
// was cancelled.
std::optional<uimodel::DateFields> EditDate(HWND owner, uimodel::DateMode mode, const uimodel::DateFields& start);

}  // namespace tbq::ui
