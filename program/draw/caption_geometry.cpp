#include "draw/caption_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/helpers.h"

namespace tbq {

namespace {

bool Has(std::uint32_t value, std::uint32_t bits) { return (value & bits) == bits; }

// MulDiv(value, dpi, 72) / 10, each step rounded to the nearest whole number.
int TenthsOfPointToPixels(int tenths, int dpi) {
    const long long scaled = std::llround(static_cast<double>(tenths) * dpi / 72.0);
    return static_cast<int>(std::llround(static_cast<double>(scaled) / 10.0));
}

}  // namespace

PaintRect CaptionRect(const BarProfile& bar, const PaintTarget& t) {
    const CaptionMetrics& m = t.metrics;
    const bool tool = (t.exStyle & style::kExToolWindow) != 0;
    // Wide enough for any number a profile holds: the sums never overflow.
    long long left = 0, top = 0, right = 0, bottom = 0;
    if (bar.WindowFlag & BarProfile::kAutomaticBits) {
        right = t.width;
        if (tool) {
            if (t.style & style::kSysMenu) right -= m.cySmSize;
            bottom = m.cySmCaption;
        } else {
            if (t.style & style::kSysMenu) {
                if (t.hasIcon) left += m.cxSmIcon + 2;
                right -= m.cxSize + (t.themed ? 0 : 2);
                if (t.style & (style::kMaximizeBox | style::kMinimizeBox))
                    right -= 2 * m.cxSize - (t.themed ? 4 : 0);
                if (t.exStyle & style::kExContextHelp) right -= m.cxSize - (t.themed ? 2 : 0);
            }
            bottom = m.cyCaption;
            left += 2;
        }
        if (t.style & style::kThickFrame) {
            left += m.cxFrame;
            right -= m.cxFrame;
            top = m.cyFrame + 2;
            bottom += 2;
        } else {
            left += m.cxDlgFrame;
            right -= m.cxDlgFrame;
            top = m.cyDlgFrame + 1;
            bottom += tool ? 2 : 1;
        }
        left += bar.Left;
        top += bar.Top;
        right += bar.Right;
        bottom += bar.Bottom;
    } else if (bar.WindowFlag & BarProfile::kManualTop) {
        left = bar.Left, top = bar.Top, right = static_cast<long long>(t.width) - bar.Right, bottom = bar.Bottom;
    } else {
        left = bar.Left, right = static_cast<long long>(t.width) - bar.Right;
        top = static_cast<long long>(t.height) - bar.Top, bottom = static_cast<long long>(t.height) - bar.Bottom;
    }
    // Nothing is painted outside the window: a rectangle typed far beyond it
    // never makes a bitmap or a bar larger than the window.
    auto inside = [](long long v, int size) { return static_cast<int>(std::clamp<long long>(v, 0, std::max(size, 0))); };
    return {inside(left, t.width), inside(top, t.height), inside(right, t.width), inside(bottom, t.height)};
}

int TextIndent(const PaintTarget& t) {
    return t.themed && (t.exStyle & style::kExToolWindow) == 0 ? 2 : 0;
}

FontSpec ProfileFont(const FontProfile& f, FontSpec base, int dpiX, int dpiY) {
    if (f.FontWidth != -1) base.width = -TenthsOfPointToPixels(f.FontWidth, dpiX);
    if (f.FontHeight != -1) base.height = -TenthsOfPointToPixels(f.FontHeight, dpiY);
    if (f.FontBold != -1) base.weight = f.FontBold;
    if (!f.FontName.empty()) base.face = f.FontName;
    if (f.FontFlag & FontProfile::kDecorated) {
        base.italic = Has(f.FontFlag, FontProfile::kItalic);
        base.underline = Has(f.FontFlag, FontProfile::kUnderline);
        base.strikeOut = Has(f.FontFlag, FontProfile::kStrikeOut);
    }
    return base;
}

std::uint32_t DrawColor(std::uint32_t value) {
    // The top byte of an RGB colour would make the graphics system read it as
    // a palette index.
    return ResolveColor(value) & 0x00FFFFFF;
}

std::uint32_t BarTransparency(std::uint8_t trans, std::uint32_t backColor) {
    return (static_cast<std::uint32_t>(255 - trans) << 24) | DrawColor(backColor);
}

}  // namespace tbq
