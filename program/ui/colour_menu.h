// The colour pop-up of the item editors' colour buttons: named colours, the
// system's colours, "継承" (the group's colour) and "直接指定" (the colour
// dialog, with the custom colours kept in the settings), and the colour
// button's look.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace tbq::ui {

// Opens the pop-up below `button`; the colour chosen, or nullopt.
// `offerParent`: offer "継承", which gives 0xFF000000.
std::optional<std::uint32_t> ChooseItemColour(HWND owner, HWND button, std::uint32_t current, bool offerParent);

// Paints an owner-drawn colour button: the colour as its face, or white with
// "#Parent#" for an item without a colour of its own.
void DrawColourButton(const DRAWITEMSTRUCT& d, std::uint32_t colour);

}  // namespace tbq::ui
