// How the display text is shown on one window's caption, decided from what the
// frame system tells of it: as always (no compositor), through the pseudo title
// bar over the visible frame (a frame the compositor draws shows no GDI
// painting), or in the free end of a caption the program draws itself.
// Worked out when a window comes in front and kept until its style, size or
// resolution changes; pure functions of their inputs.
#pragma once

#include <cstdint>
#include <optional>

#include "draw/caption_geometry.h"
#include "platform/frames.h"

namespace tbq {

using platform::CaptionLook;
using platform::FrameFacts;

enum class CaptionWay : std::uint8_t {
    Classic,     // the system draws the caption, no compositor: painted as ever
    Composed,    // the system draws it under the compositor: the bar over the visible frame
    AppCaption,  // the program draws its own caption: the bar in its free end
    TooSmall,    // the program's caption has no room for a bar: nothing is painted
};

struct FramePlan {
    CaptionWay way = CaptionWay::Classic;
    // In window coordinates (origin at the window rectangle's top left).
    PaintRect visible;              // the frame the user sees
    PaintRect strip;                // a program-drawn caption: where a bar may go
    std::uint32_t captionBack = 0;  // the caption's colours, 0x00BBGGRR
    std::uint32_t captionText = 0;
    bool operator==(const FramePlan&) const = default;
};

// The caption's colours as the user sees them: the classic ones without a
// compositor, else the accent colour where it is shown on title bars, else
// the light or the dark caption.
void CaptionColors(const CaptionLook& look, std::uint32_t& back, std::uint32_t& text);

// The plan for a window of that shape. `appCaptions` false treats a
// program-drawn caption as the system's (painted as ever, or over the
// visible frame).
FramePlan PlanFrame(const FrameFacts& facts, const PaintTarget& target, const CaptionLook& look,
                    bool appCaptions = true);

// A profile's rectangle over the visible frame: the borders the user cannot
// see are taken off the frame sizes, so a window without a compositor gets
// exactly the rectangle it always had.
PaintRect VisibleCaptionRect(const BarProfile& bar, const PaintTarget& target, const FramePlan& plan);

// The bar in a program-drawn caption: right-aligned against the caption
// buttons, as wide as `textWidth` with `pad` pixels each side, never over the
// buttons nor left of the frame; empty when less than a caption button's width
// is left.
PaintRect AppCaptionRect(const FramePlan& plan, const PaintTarget& target, int textWidth);
// The space left of and right of the text in such a bar.
int AppCaptionPad(const PaintTarget& target);

}  // namespace tbq
