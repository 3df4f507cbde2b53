// Painting a display list: the coloured runs of its enabled top-level items
// in list order (ColoredRuns), a group's runs from its coloured elements.
#pragma once

#include <cstdint>

#include "draw/draw_bar.h"
#include "items/view_list.h"

namespace tbq {

// Draws the list's runs with `profile` from `x` (0: the rectangle's left
// edge), inside a pass the caller opened; stops at the first that does not
// fit. Where the next run would start, or -1.
std::int32_t DrawListOnBar(vbKerova_DrawBar& profile, ViewList& list, std::int32_t x);

}  // namespace tbq
