// Where and with what a painting profile draws: the rectangle over a window's
// caption, the profile's font at the window's DPI, colour values and the
// transparency handed to the pseudo title bar. Pure functions of their inputs.
#pragma once

#include <cstdint>

#include "platform/painter.h"

namespace tbq {

using platform::CaptionMetrics;
using platform::FontSpec;
using platform::PaintRect;
using platform::PaintTarget;

// Window style bits the rectangle depends on.
namespace style {
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kDlgFrame = 0x00400000;
constexpr std::uint32_t kCaption = kBorder | kDlgFrame;
constexpr std::uint32_t kSysMenu = 0x00080000;
constexpr std::uint32_t kThickFrame = 0x00040000;
constexpr std::uint32_t kMinimizeBox = 0x00020000;
constexpr std::uint32_t kMaximizeBox = 0x00010000;
constexpr std::uint32_t kExToolWindow = 0x00000080;
constexpr std::uint32_t kExContextHelp = 0x00000400;
}  // namespace style

// One window kind's rectangle and colours.
struct BarProfile {
    enum : std::uint16_t {
        kAutomatic = 1, kManualTop = 16, kManualBottom = 32, kBorderLine = 256,
        kAutomaticBits = 0x0F,
    };
    std::uint16_t WindowFlag = kAutomatic | kBorderLine;
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::uint32_t BackColor = 0x80000002;  // the active caption's colour
    std::uint32_t LineColor = 0x8000000A;  // the active border's colour
    std::uint8_t Trans = 0;                // 0 opaque .. 255 background gone
    std::uint8_t Trans_MouseOver = 0;
    bool operator==(const BarProfile&) const = default;
};

// One window kind's font and its decoration.
struct FontProfile {
    enum : std::uint8_t {
        kDecorated = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8, kShadow = 16, kOutline = 32,
    };
    std::uint8_t FontFlag = 0;
    Text FontName;               // "" : the caption font's face
    std::int16_t FontHeight = -1;  // tenths of a point; -1: the caption font's
    std::int16_t FontWidth = -1;
    std::int16_t FontBold = -1;    // weight 0..1000; -1: the caption font's
    std::uint32_t ShadowColor = 0x808080;
    bool operator==(const FontProfile&) const = default;
};

// The drawing rectangle in window coordinates (origin at the window's top
// left), cut to the window. `themed` narrows the button gaps as visual styles
// draw them.
PaintRect CaptionRect(const BarProfile& bar, const PaintTarget& target);

// Where text starts inside the rectangle: 2 for a normal window under visual
// styles, 0 otherwise.
int TextIndent(const PaintTarget& target);

// The profile's font made from the caption font `base` for a screen of
// `dpiX` x `dpiY` pixels per inch.
FontSpec ProfileFont(const FontProfile& font, FontSpec base, int dpiX, int dpiY);

// A colour value as 0x00BBGGRR: bit 31 names a system colour by its low bits.
std::uint32_t DrawColor(std::uint32_t value);

// The pseudo title bar's transparency value: alpha 255 - trans in the top
// byte, the background colour below it.
std::uint32_t BarTransparency(std::uint8_t trans, std::uint32_t backColor);

}  // namespace tbq
