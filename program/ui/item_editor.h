// The display item editor ("表示項目追加" / "表示項目編集"): the category, the
// colour, and one page of controls per kind of item.
#pragma once

#include <windows.h>

#include <memory>

#include "items/view_data.h"

namespace tbq::ui {

// Opens the editor on `item` (null: a new item); the new item built from what
// the user set, or null when the editor was cancelled.
std::shared_ptr<vbKerova_ViewData> EditViewItem(HWND owner, const vbKerova_ViewData* item);

}  // namespace tbq::ui
