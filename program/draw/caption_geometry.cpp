#include "draw/caption_geometry.h"

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
    PaintRect r;
    if (bar.WindowFlag & BarProfile::kAutomaticBits) {
        r.right = t.width;
        if (tool) {
            if (t.style & style::kSysMenu) r.right -= m.cySmSize;
            r.bottom = m.cySmCaption;
        } else {
            if (t.style & style::kSysMenu) {
                if (t.hasIcon) r.left += m.cxSmIcon + 2;
                r.right -= m.cxSize + (t.themed ? 0 : 2);
                if (t.style & (style::kMaximizeBox | style::kMinimizeBox))
                    r.right -= 2 * m.cxSize - (t.themed ? 4 : 0);
                if (t.exStyle & style::kExContextHelp) r.right -= m.cxSize - (t.themed ? 2 : 0);
            }
            r.bottom = m.cyCaption;
            r.left += 2;
        }
        if (t.style & style::kThickFrame) {
            r.left += m.cxFrame;
            r.right -= m.cxFrame;
            r.top = m.cyFrame + 2;
            r.bottom += 2;
        } else {
            r.left += m.cxDlgFrame;
            r.right -= m.cxDlgFrame;
            r.top = m.cyDlgFrame + 1;
            r.bottom += tool ? 2 : 1;
        }
        r.left += bar.Left;
        r.top += bar.Top;
        r.right += bar.Right;
        r.bottom += bar.Bottom;
    } else if (bar.WindowFlag & BarProfile::kManualTop) {
        r = {bar.Left, bar.Top, t.width - bar.Right, bar.Bottom};
    } else {
        r = {bar.Left, t.height - bar.Top, t.width - bar.Right, t.height - bar.Bottom};
    }
    return r;
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
