// The window rule editor ("ウインドウ個別設定追加" / "ウインドウ個別設定変更"):
// a rule's name, action, MDI behaviour, display list and painting profile,
// with its conditions set in the window information dialog.
#pragma once

#include <windows.h>

#include <memory>

#include "rules/window_rule.h"

namespace tbq::ui {

// Opens the editor on `rule` (null: a new one); the new rule built from what
// the user set, or null when the editor was cancelled.
std::shared_ptr<vbKerova_Window> EditWindowRule(HWND owner, const vbKerova_Window* rule, const RuleContext& context);

}  // namespace tbq::ui
