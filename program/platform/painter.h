// Painting on title bars: what the caption painter needs from the graphics
// system. One pass at a time: Begin opens a window's whole-window device
// context (optionally behind an off-screen bitmap), the fill and text calls
// paint into it, End copies and releases everything the pass took.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"
#include "platform/windows.h"

namespace tbq::platform {

struct PaintRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    PaintRect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const PaintRect&) const = default;
};

// The frame and button sizes the automatic rectangle is made of, at the DPI
// of the window they are measured for (GetSystemMetricsForDpi names).
struct CaptionMetrics {
    int cxFrame = 0, cyFrame = 0;        // sizing border
    int cxDlgFrame = 0, cyDlgFrame = 0;  // fixed border
    int cxSize = 0;                      // caption button width
    int cxSmIcon = 0;                    // small icon width
    int cyCaption = 0;                   // caption height
    int cySmSize = 0;                    // tool window button size
    int cySmCaption = 0;                 // tool window caption height
    bool operator==(const CaptionMetrics&) const = default;
};

// What the painter reads of a target before a pass.
struct PaintTarget {
    int left = 0, top = 0;           // of the window rectangle, on the screen
    int width = 0, height = 0;       // of the window rectangle
    std::uint32_t style = 0, exStyle = 0;
    bool hasIcon = false;            // asked without waiting on a hung window
    bool themed = false;             // visual styles are active
    bool iconic = false;             // minimised
    int dpiX = 96, dpiY = 96;        // of the monitor the window is on
    CaptionMetrics metrics;
    bool operator==(const PaintTarget&) const = default;
};

// A font as the graphics system describes one (the fields of a LOGFONT that
// profiles change; the rest come from the caption font it started from).
struct FontSpec {
    int height = 0, width = 0, weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int charSet = 1;  // DEFAULT_CHARSET
    Text face;
    bool operator==(const FontSpec&) const = default;
};

using FontHandle = std::uintptr_t;

class Painter {
public:
    virtual ~Painter() = default;

    // The target's shape and metrics; nullopt when it has gone.
    virtual std::optional<PaintTarget> Describe(WindowId w) = 0;
    // The system's caption font (`small`: the tool-window caption font) at a DPI.
    virtual FontSpec CaptionFont(bool small, int dpiY) = 0;
    virtual FontHandle MakeFont(const FontSpec& spec) = 0;  // 0 when it failed
    virtual void FreeFont(FontHandle font) = 0;

    // Opens drawing on the window's whole-window device context; with
    // `offscreen`, painting goes into a bitmap of `rect`'s size (its origin at
    // the rectangle's top left) that End copies to `rect`. False when there is
    // nothing to draw on; End is then not needed.
    virtual bool Begin(WindowId w, const PaintRect& rect, bool offscreen) = 0;
    // Fills `rect` (in drawing coordinates) with `fill`, framed with `line`
    // when given. Colours are 0x00BBGGRR.
    virtual void Fill(const PaintRect& rect, std::uint32_t fill, std::optional<std::uint32_t> line) = 0;
    // Selects the font for the pass's text; its character height in pixels.
    virtual int SelectFont(FontHandle font) = 0;
    // One line of text, vertically centred in `rect`, cut with an ellipsis when
    // too long; wide text output when `unicode`, else the code page's.
    virtual void PaintText(TextView text, const PaintRect& rect, std::uint32_t color, bool unicode) = 0;
    // The right edge of the text laid out from `rect.left`, not cut.
    virtual int MeasureRight(TextView text, const PaintRect& rect, bool unicode) = 0;
    // The width in pixels of one line of text in `font`, outside any pass.
    virtual int TextWidth(FontHandle font, TextView text, bool unicode) = 0;
    // Copies the off-screen bitmap, selects the old font back, releases the
    // device context to the window it came from.
    virtual void End() = 0;

    // Makes a window redraw its frame and contents, without waiting for it.
    virtual void Repaint(WindowId w) = 0;
    // Paints what a window of our own has pending, and nothing else.
    virtual void PaintNow(WindowId ownWindow) = 0;
    // The window that owns `w` (GW_OWNER); 0 for none or a window that has gone.
    virtual WindowId Owner(WindowId w) = 0;
};

}  // namespace tbq::platform
