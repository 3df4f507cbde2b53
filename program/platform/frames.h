// Window frames as the user sees them. Under a desktop compositor (every
// Windows since 8) the window rectangle holds invisible resize borders, a
// frame painted into with GDI does not show, and many programs draw their
// caption themselves in their client area. Without a compositor (older
// systems, Wine) every answer here is the window rectangle itself.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/painter.h"
#include "platform/windows.h"

namespace tbq::platform {

// What the frame system tells of one window, in screen coordinates.
struct FrameFacts {
    bool composed = false;             // the compositor draws this window's frame
    PaintRect window;                  // the window rectangle, invisible borders and all
    std::optional<PaintRect> visible;  // the frame the user sees; none: the window rectangle
    std::optional<PaintRect> buttons;  // the caption buttons, when the compositor knows them
    std::optional<PaintRect> client;   // the client area; none: it could not be read
    bool operator==(const FrameFacts&) const = default;
};

// How the system colours captions, as far as it tells.
struct CaptionLook {
    bool composed = false;         // no compositor: the classic caption colours apply
    bool accentOnTitleBars = false;
    std::uint32_t accent = 0;      // 0x00BBGGRR
    bool darkApps = false;         // programs are asked for their dark look
    std::uint32_t classicBack = 0, classicText = 0;  // COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT
    bool operator==(const CaptionLook&) const = default;
};

class Frames {
public:
    virtual ~Frames() = default;
    // nullopt when the window has gone.
    virtual std::optional<FrameFacts> Describe(WindowId w) = 0;
    virtual CaptionLook Look() = 0;
};

}  // namespace tbq::platform
