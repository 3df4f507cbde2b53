#include "draw/draw_list.h"

namespace tbq {

std::int32_t DrawListOnBar(vbKerova_DrawBar& profile, ViewList& list, std::int32_t x) {
    ColoredRuns(list, [&](const Text& text, std::uint32_t color) {
        x = profile.DrawCaption(text, color, x);
        return x;
    });
    return x;
}

}  // namespace tbq
