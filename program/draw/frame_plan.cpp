#include "draw/frame_plan.h"

#include <algorithm>

namespace tbq {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;
// The caption colours of the light and the dark look.
constexpr std::uint32_t kLightCaption = 0xFFFFFF, kDarkCaption = 0x202020;

bool Has(std::uint32_t value, std::uint32_t bits) { return (value & bits) == bits; }

// Text on an accent colour is white unless the colour is light (the same
// threshold the system uses: perceived brightness over half).
std::uint32_t TextOn(std::uint32_t color) {
    const unsigned r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    return 299 * r + 587 * g + 114 * b > 128 * 1000 ? kBlack : kWhite;
}

PaintRect ToWindow(const PaintRect& r, const PaintRect& window) { return r.Moved(-window.left, -window.top); }

int Scaled(int pixels, int dpi) { return pixels * dpi / 96; }

}  // namespace

void CaptionColors(const CaptionLook& look, std::uint32_t& back, std::uint32_t& text) {
    if (!look.composed) {
        back = look.classicBack & 0xFFFFFF;
        text = look.classicText & 0xFFFFFF;
    } else if (look.accentOnTitleBars) {
        back = look.accent & 0xFFFFFF;
        text = TextOn(back);
    } else if (look.darkApps) {
        back = kDarkCaption;
        text = kWhite;
    } else {
        back = kLightCaption;
        text = kBlack;
    }
}

FramePlan PlanFrame(const FrameFacts& facts, const PaintTarget& t, const CaptionLook& look, bool appCaptions) {
    FramePlan plan;
    CaptionColors(look, plan.captionBack, plan.captionText);
    plan.visible = {0, 0, t.width, t.height};
    if (facts.composed && facts.visible) {
        // The visible frame, kept inside the window rectangle.
        const PaintRect v = ToWindow(*facts.visible, facts.window);
        plan.visible = {std::clamp(v.left, 0, t.width), std::clamp(v.top, 0, t.height),
                        std::clamp(v.right, 0, t.width), std::clamp(v.bottom, 0, t.height)};
        if (plan.visible.Empty()) plan.visible = {0, 0, t.width, t.height};
    }
    plan.way = facts.composed ? CaptionWay::Composed : CaptionWay::Classic;

    // A caption the program draws: the window has a caption's style (a caption,
    // or a system menu with both boxes) and its client area reaches up into
    // the strip where the system's caption would stand. Tool windows,
    // popups and full-screen windows keep what they always got.
    const bool tool = (t.exStyle & style::kExToolWindow) != 0;
    const bool captionStyle =
        Has(t.style, style::kCaption) ||
        Has(t.style, style::kSysMenu | style::kMinimizeBox | style::kMaximizeBox);
    if (!appCaptions || tool || !captionStyle || !facts.client) return plan;
    const int clientTop = facts.client->top - facts.window.top;
    if (clientTop >= plan.visible.top + std::max(1, t.metrics.cyCaption / 2)) return plan;

    plan.way = CaptionWay::AppCaption;
    const CaptionMetrics& m = t.metrics;
    PaintRect strip{plan.visible.left, plan.visible.top, plan.visible.right - 3 * m.cxSize,
                    plan.visible.top + m.cyCaption + m.cyFrame};
    if (facts.composed && facts.buttons) {
        const PaintRect b = ToWindow(*facts.buttons, facts.window);
        if (!b.Empty() && b.left > plan.visible.left && b.left <= plan.visible.right) {
            strip.right = b.left;
            strip.top = std::max(b.top, plan.visible.top);
            strip.bottom = std::min(b.bottom, plan.visible.bottom);
        }
    }
    strip.bottom = std::min(strip.bottom, plan.visible.bottom);
    plan.strip = strip;
    if (strip.Width() < 2 * m.cxSize || strip.Height() < m.cyCaption / 2) plan.way = CaptionWay::TooSmall;
    return plan;
}

PaintRect VisibleCaptionRect(const BarProfile& bar, const PaintTarget& t, const FramePlan& plan) {
    const PaintRect& v = plan.visible;
    if (v == PaintRect{0, 0, t.width, t.height}) return CaptionRect(bar, t);
    // The frame sizes count the invisible borders too; what is left of them
    // is the border the user sees.
    PaintTarget inner = t;
    inner.width = v.Width();
    inner.height = v.Height();
    CaptionMetrics& m = inner.metrics;
    m.cxFrame = std::max(0, m.cxFrame - v.left);
    m.cxDlgFrame = std::max(0, m.cxDlgFrame - v.left);
    m.cyFrame = std::max(0, m.cyFrame - v.top);
    m.cyDlgFrame = std::max(0, m.cyDlgFrame - v.top);
    return CaptionRect(bar, inner).Moved(v.left, v.top);
}

int AppCaptionPad(const PaintTarget& t) { return Scaled(4, t.dpiX); }

PaintRect AppCaptionRect(const FramePlan& plan, const PaintTarget& t, int textWidth) {
    if (plan.way != CaptionWay::AppCaption) return {};
    const int pad = AppCaptionPad(t);
    PaintRect r = plan.strip;
    r.right -= pad;
    r.left = std::max(plan.strip.left, r.right - std::max(textWidth, 0) - 2 * pad);
    if (r.Width() < t.metrics.cxSize) return {};
    return r;
}

}  // namespace tbq
