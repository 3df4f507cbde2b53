// The window information dialog ("ウインドウ情報設定"): the seven conditions
// of a window rule, typed or taken from a live window by dragging the target
// icon onto it or by picking a line of the recent or visible windows.
#pragma once

#include <windows.h>

#include "rules/window_rule.h"

namespace tbq::ui {

// Opens the dialog on the conditions of `rule`; on OK they are stored into
// `rule` (the caller's own copy) and the result is true.
bool EditWindowConditions(HWND owner, vbKerova_Window& rule, const RuleContext& context);

}  // namespace tbq::ui
