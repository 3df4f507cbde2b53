// The style dialog ("ウインドウスタイル指定" / "拡張スタイル指定"): the named
// style bits ticked in a list, a free hexadecimal value for the rest, and the
// total of both.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "uimodel/style_lists.h"

namespace tbq::ui {

// Opens the dialog on `value`; the total chosen, or nullopt when cancelled.
std::optional<std::uint32_t> ChooseStyle(HWND owner, uimodel::StyleKind kind, std::uint32_t value);

}  // namespace tbq::ui
