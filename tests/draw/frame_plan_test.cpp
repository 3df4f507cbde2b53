// How each kind of window shows the text, with a compositor and without one:
// the way chosen, the rectangle painted (a profile's automatic rectangle, or
// the bar in a program-drawn caption for a text 80 pixels wide) and the
// caption's colours. Without a compositor every window keeps the rectangle it
// always had, and a program-drawn caption is still found.
#include <gtest/gtest.h>

#include "draw/frame_plan.h"

namespace tbq {
namespace {

constexpr std::uint32_t kOverlapped = 0x00CF0000;  // caption, system menu, sizing border, both boxes
constexpr std::uint32_t kToolCaption = 0x00C80000, kPopup = 0x80000000, kExTool = 0x80;

CaptionMetrics Metrics(int dpi) {
    // What a current system reports at 96 and 144 pixels per inch.
    return dpi == 96 ? CaptionMetrics{4, 4, 3, 3, 36, 16, 23, 22, 17}
                     : CaptionMetrics{6, 6, 4, 4, 54, 24, 34, 33, 25};
}

CaptionLook Classic() { return {false, false, 0, false, 0xD1B499, 0x000000}; }
CaptionLook Light() { return {true, false, 0, false, 0xD1B499, 0}; }
CaptionLook Dark() { return {true, false, 0, true, 0xD1B499, 0}; }
CaptionLook Accent(std::uint32_t c) { return {true, true, c, false, 0xD1B499, 0}; }

struct Case {
    const char* kind;
    int dpi;
    std::uint32_t style, exStyle;
    PaintRect window, visible, client;
    std::optional<PaintRect> buttons;  // on the screen
    CaptionLook look;
    CaptionWay way;
    PaintRect rect;  // window coordinates
    std::uint32_t back, text;
    // Without the compositor: the way and the rectangle.
    CaptionWay classicWay;
    PaintRect classicRect;
};

PaintRect Painted(const FramePlan& plan, const PaintTarget& t) {
    if (plan.way == CaptionWay::AppCaption || plan.way == CaptionWay::TooSmall)
        return AppCaptionRect(plan, t, 80);
    return VisibleCaptionRect(BarProfile{}, t, plan);
}

TEST(FramePlanTest, EachKindOfWindowGetsItsWayRectangleAndColours) {
    using W = CaptionWay;
    const Case cases[] = {
        {"standard frame, invisible borders", 96, kOverlapped, 0, {100, 100, 900, 700}, {107, 100, 893, 693},
         {108, 131, 892, 692}, std::nullopt, Light(), W::Composed, {27, 6, 689, 25}, 0xFFFFFF, 0x000000,
         W::Classic, {24, 6, 692, 25}},
        {"standard frame at 144 DPI", 144, kOverlapped, 0, {100, 100, 1300, 1000}, {111, 100, 1289, 989},
         {112, 147, 1288, 988}, std::nullopt, Dark(), W::Composed, {39, 8, 1031, 36}, 0x202020, 0xFFFFFF,
         W::Classic, {34, 8, 1036, 36}},
        {"maximised", 96, kOverlapped, 0, {-8, -8, 1928, 1048}, {0, 0, 1920, 1040}, {0, 23, 1920, 1040},
         std::nullopt, Accent(0x9E5A00), W::Composed, {28, 10, 1824, 33}, 0x9E5A00, 0xFFFFFF, W::Classic,
         {24, 6, 1828, 25}},
        {"own caption, the compositor's buttons", 96, kOverlapped, 0, {100, 100, 900, 700},
         {107, 100, 893, 693}, {107, 100, 893, 693}, PaintRect{755, 101, 893, 133}, Accent(0x00FFFF),
         W::AppCaption, {563, 1, 651, 33}, 0x00FFFF, 0x000000, W::AppCaption, {600, 0, 688, 27}},
        {"own caption, no compositor", 96, kOverlapped, 0, {100, 100, 900, 700}, {100, 100, 900, 700},
         {100, 100, 900, 700}, std::nullopt, Classic(), W::AppCaption, {600, 0, 688, 27}, 0xD1B499, 0x000000,
         W::AppCaption, {600, 0, 688, 27}},
        {"own caption at 144 DPI", 144, kOverlapped, 0, {0, 0, 1200, 900}, {11, 0, 1189, 889},
         {11, 0, 1189, 889}, std::nullopt, Light(), W::AppCaption, {929, 0, 1021, 40}, 0xFFFFFF, 0x000000,
         W::AppCaption, {940, 0, 1032, 40}},
        {"own caption with no room", 96, kOverlapped, 0, {100, 100, 250, 300}, {100, 100, 250, 300},
         {100, 100, 250, 300}, std::nullopt, Light(), W::TooSmall, {}, 0xFFFFFF, 0x000000, W::TooSmall, {}},
        {"tool window", 96, kToolCaption, kExTool, {100, 100, 400, 300}, {100, 100, 400, 300},
         {103, 120, 397, 297}, std::nullopt, Light(), W::Composed, {3, 4, 275, 19}, 0xFFFFFF, 0x000000,
         W::Classic, {3, 4, 275, 19}},
        {"popup without a caption", 96, kPopup, 0, {0, 0, 640, 480}, {0, 0, 640, 480}, {0, 0, 640, 480},
         std::nullopt, Light(), W::Composed, {5, 4, 637, 24}, 0xFFFFFF, 0x000000, W::Classic, {5, 4, 637, 24}},
    };
    for (const Case& c : cases) {
        PaintTarget t;
        t.left = c.window.left;
        t.top = c.window.top;
        t.width = c.window.Width();
        t.height = c.window.Height();
        t.style = c.style;
        t.exStyle = c.exStyle;
        t.hasIcon = true;
        t.themed = true;
        t.dpiX = t.dpiY = c.dpi;
        t.metrics = Metrics(c.dpi);
        const FrameFacts composed{true, c.window, c.visible, c.buttons, c.client};
        const FramePlan plan = PlanFrame(composed, t, c.look);
        EXPECT_EQ(plan.way, c.way) << c.kind;
        EXPECT_EQ(Painted(plan, t), c.rect) << c.kind;
        EXPECT_EQ(plan.captionBack, c.back) << c.kind;
        EXPECT_EQ(plan.captionText, c.text) << c.kind;

        const FrameFacts plain{false, c.window, std::nullopt, std::nullopt, c.client};
        const FramePlan old = PlanFrame(plain, t, Classic());
        EXPECT_EQ(old.way, c.classicWay) << c.kind << ", no compositor";
        const PaintRect today = old.way == W::Classic ? CaptionRect(BarProfile{}, t) : c.classicRect;
        EXPECT_EQ(Painted(old, t), today) << c.kind << ", no compositor";
        EXPECT_EQ(old.captionBack, 0xD1B499u) << c.kind;

        // Told to leave program-drawn captions alone, every window is painted as ever.
        EXPECT_NE(PlanFrame(composed, t, c.look, false).way, W::AppCaption) << c.kind;
    }
}

}  // namespace
}  // namespace tbq
