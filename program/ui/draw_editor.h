// The own-drawing editor ("独自描画追加" / "独自描画編集"): a painting profile's
// name, drawing type, rectangle, colours and font for normal and for tool
// windows, with a preview painted by the caption painter itself.
#pragma once

#include <windows.h>

#include <memory>

#include "draw/draw_bar.h"

namespace tbq::ui {

// Opens the editor on a copy of `profile` (null: a new one); the new profile
// built from what the user set (its drawing objects not made yet), or null
// when the editor was cancelled.
std::shared_ptr<vbKerova_DrawBar> EditDrawBar(HWND owner, const vbKerova_DrawBar* profile);

}  // namespace tbq::ui
