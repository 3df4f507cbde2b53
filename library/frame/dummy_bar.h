// The pseudo title bar: one borderless, layered, click-through popup per
// process, owned by the window whose caption it lies over, so that it stays
// above that window, hides while it is minimised and goes with it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tbq::library {

// Places the bar over `rect` of `target` and shows it with the transparency
// the mouse position picks, or hides it (`show` false).
void PlaceDummyBar(bool show, HWND target, const RECT& rect, std::uint32_t normal,
                   std::uint32_t mouseOver) noexcept;
HWND DummyBar() noexcept;
void CloseDummyBar() noexcept;

}  // namespace tbq::library
