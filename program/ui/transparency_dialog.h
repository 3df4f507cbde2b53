// The transparency dialog of the own-drawing editor ("透明度設定"): how much of
// the pseudo title bar's background shows, with the mouse away from the bar
// (row 0, Trans) and over it (row 1, Trans_MouseOver); 0 opaque, 255 gone.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

namespace tbq::ui {

// Opens the dialog on the two values; the values set, or nullopt when it was
// cancelled.
std::optional<std::array<std::uint8_t, 2>> AskTransparency(HWND owner, std::array<std::uint8_t, 2> values);

}  // namespace tbq::ui
