// The name a screen reader reads for a control whose caption says nothing by
// itself (a "..." button): the control answers WM_GETOBJECT with the standard
// accessible object under that name.
#pragma once

#include <windows.h>

#include "base/text.h"

namespace tbq::ui {

// Gives `control` the accessible name `name` until it is destroyed; a second
// call replaces the name.
void SetAccessibleName(HWND control, TextView name);

}  // namespace tbq::ui
