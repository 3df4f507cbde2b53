// The painting profile: where it draws, with which font and colours, what it
// stores, and what one pass asks of the graphics system, through a recording
// painter and pseudo title bar.
#include <gtest/gtest.h>

#include "draw/caption_geometry.h"
#include "draw/draw_bar.h"
#include "draw/draw_list.h"
#include "fakes/fake_painter.h"
#include "fakes/temp_folder.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "platform/ports.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using platform::PaintRect;
using platform::PaintTarget;
namespace st = style;

constexpr std::uint32_t kSizable = st::kCaption | st::kSysMenu | st::kThickFrame;
constexpr std::uint32_t kMinMax = st::kMinimizeBox | st::kMaximizeBox;

PaintTarget Target(std::uint32_t styleBits, std::uint32_t ex = 0, bool icon = true, bool themed = false,
                   int width = 400, int height = 300) {
    PaintTarget t;
    t.width = width;
    t.height = height;
    t.style = styleBits;
    t.exStyle = ex;
    t.hasIcon = icon;
    t.themed = themed;
    t.metrics = {.cxFrame = 4, .cyFrame = 5, .cxDlgFrame = 3, .cyDlgFrame = 2, .cxSize = 18,
                 .cxSmIcon = 16, .cyCaption = 19, .cySmSize = 14, .cySmCaption = 15};
    return t;
}

BarProfile Bar(std::uint16_t flag, int l = 0, int t = 0, int r = 0, int b = 0) {
    BarProfile p;
    p.WindowFlag = flag;
    p.Left = l, p.Top = t, p.Right = r, p.Bottom = b;
    return p;
}

TEST(CaptionGeometry, RectanglesForEveryKindOfWindowAndMode) {
    struct Case {
        const char* what;
        BarProfile bar;
        PaintTarget target;
        PaintRect rect;
        int indent;
    } cases[] = {
        // frame 4 + icon 16 + 4 .. W - frame - 3 buttons - 2, frame 5 + 2 .. caption 19 + 2
        {"sizable, icon, three buttons", Bar(257), Target(kSizable | kMinMax), {24, 7, 340, 21}, 0},
        {"the same with visual styles", Bar(257), Target(kSizable | kMinMax, 0, true, true), {24, 7, 346, 21}, 2},
        {"no icon, close button only", Bar(1), Target(kSizable, 0, false), {6, 7, 376, 21}, 0},
        {"fixed frame and help button", Bar(1), Target(st::kCaption | st::kSysMenu, st::kExContextHelp, false),
         {5, 3, 359, 20}, 0},
        {"help button under visual styles", Bar(1),
         Target(st::kCaption | st::kSysMenu, st::kExContextHelp, false, true), {5, 3, 363, 20}, 2},
        {"tool window with its close button", Bar(1), Target(kSizable, st::kExToolWindow), {4, 7, 382, 17}, 0},
        {"tool window, fixed frame, no buttons", Bar(1), Target(st::kCaption, st::kExToolWindow, true, true),
         {3, 3, 397, 17}, 0},
        {"adjustments are added", Bar(257, 10, -1, -20, 3), Target(kSizable | kMinMax), {34, 6, 320, 24}, 0},
        {"manual from the top edge", Bar(16, 5, 2, 7, 20), Target(kSizable), {5, 2, 393, 20}, 0},
        {"manual from the bottom edge", Bar(32 | 256, 0, 30, 0, 5), Target(kSizable, 0, true, false, 400, 400),
         {0, 370, 400, 395}, 0},
        {"narrower than its buttons", Bar(1), Target(kSizable | kMinMax, 0, true, false, 60), {24, 7, 0, 21}, 0},
        // Any number may be typed: the rectangle never leaves the window.
        {"manual, far outside", Bar(16, -99999, -99999, -99999, 99999), Target(kSizable), {0, 0, 400, 300}, 0},
        {"adjusted far outside", Bar(1, -99999, -99999, 99999, 99999), Target(kSizable), {0, 0, 400, 300}, 0},
        {"the ends of 32 bits", Bar(32, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX), Target(kSizable),
         {0, 300, 400, 0}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CaptionRect(c.bar, c.target), c.rect) << c.what;
        EXPECT_EQ(TextIndent(c.target), c.indent) << c.what;
    }
    EXPECT_TRUE(CaptionRect(Bar(1), Target(kSizable | kMinMax, 0, true, false, 60)).Empty());
}

TEST(CaptionGeometry, FontsFollowTheProfileAndTheScreen) {
    platform::FontSpec base;
    base.height = -12, base.width = 0, base.weight = 400, base.face = u"Caption", base.italic = true;
    FontProfile f;
    EXPECT_EQ(ProfileFont(f, base, 96, 96), base) << "-1 everywhere keeps the caption font";
    f.FontHeight = 90;  // 9 points
    f.FontWidth = 45;
    f.FontBold = 700;
    f.FontName = u"IPAGothic";
    for (auto [dpi, height, width] : {std::tuple{96, -12, -6}, {144, -18, -9}, {120, -15, -8}}) {
        const platform::FontSpec s = ProfileFont(f, base, dpi, dpi);
        EXPECT_EQ(s.height, height) << dpi;
        EXPECT_EQ(s.width, width) << dpi;
        EXPECT_EQ(s.weight, 700);
        EXPECT_EQ(s.face, u"IPAGothic");
        EXPECT_TRUE(s.italic) << "decoration is the caption font's until asked for";
    }
    f.FontFlag = FontProfile::kDecorated | FontProfile::kUnderline | FontProfile::kStrikeOut;
    const platform::FontSpec s = ProfileFont(f, base, 96, 96);
    EXPECT_FALSE(s.italic);
    EXPECT_TRUE(s.underline && s.strikeOut);
}

struct FixedColors final : platform::SystemColors {
    std::uint32_t SysColor(int index) override { return 0x010000u * static_cast<unsigned>(index); }
};

TEST(CaptionGeometry, ColourValuesAndBarTransparency) {
    FixedColors colors;
    platform::ScopedPorts ports(platform::Ports{.colors = &colors});
    EXPECT_EQ(DrawColor(0x80000002), 0x020000u) << "a system colour by its index";
    EXPECT_EQ(DrawColor(0x00123456), 0x123456u);
    EXPECT_EQ(DrawColor(0x01123456), 0x123456u) << "no palette index slips through";
    EXPECT_EQ(BarTransparency(0, 0x00FF00), 0xFF00FF00u) << "opaque";
    EXPECT_EQ(BarTransparency(255, 0x00FF00), 0x0000FF00u) << "colour key";
    EXPECT_EQ(BarTransparency(127, 0x80000002), 0x80020000u);
}

TEST(DrawBarRecord, DefaultsWithoutANameAndEveryFieldBackAfterASave) {
    test::TempFolder dir;
    IniStore::Instance().Reset();
    const Text file = dir.Path("TBQ_DrawBar.ini");
    dir.WriteBytes("TBQ_DrawBar.ini",
                   "[DrawBar0001]\r\nDrawType=6\r\n"
                   "[DrawBar0002]\r\nName=Old\r\nNormal_Trans=300\r\nTool_Trans=40\r\n"
                   "Normal_FontBold=5000\r\nNormal_FontHeight=-9\r\n");
    vbKerova_DrawBar p;
    EXPECT_FALSE(p.LoadSetting(file, u"DrawBar0001", u""));
    EXPECT_EQ(p.DrawType, 9);
    EXPECT_EQ(p.GetBarProfile(0), BarProfile{});
    EXPECT_EQ(p.GetBarProfile(0).WindowFlag, 257);
    EXPECT_EQ(p.GetFontProfile(1), FontProfile{});

    ASSERT_TRUE(p.LoadSetting(file, u"DrawBar0002", u""));
    EXPECT_EQ(p.GetBarProfile(0).Trans, 255) << "a byte stays a byte";
    EXPECT_EQ(p.GetBarProfile(1).Trans_MouseOver, 40) << "missing: the plain transparency";
    EXPECT_EQ(p.GetFontProfile(0).FontBold, 1000);
    EXPECT_EQ(p.GetFontProfile(0).FontHeight, -1);

    BarProfile b{.WindowFlag = 32 | 256, .Left = -3, .Top = 30, .Right = 7, .Bottom = 5,
                 .BackColor = 0x00ABCDEF, .LineColor = 0x8000000F, .Trans = 20, .Trans_MouseOver = 200};
    FontProfile f{.FontFlag = 1 | 2 | 32, .FontName = u" ＭＳ ゴシック", .FontHeight = 105,
                  .FontWidth = 0, .FontBold = 700, .ShadowColor = 0x00FFFFFF};
    p.DrawBarName = u"名前";
    p.DrawType = 2 | 4 | 32;
    p.SetBarProfile(1, b);
    p.SetFontProfile(1, f);
    p.SaveSetting(file, u"Saved", u"K");
    vbKerova_DrawBar back;
    ASSERT_TRUE(back.LoadSetting(file, u"Saved", u"K"));
    EXPECT_EQ(back.DrawBarName, u"名前");
    EXPECT_EQ(back.DrawType, 2 | 4 | 32);
    EXPECT_EQ(back.GetBarProfile(1), b);
    EXPECT_EQ(back.GetFontProfile(1), f);
    EXPECT_EQ(back.GetBarProfile(0), p.GetBarProfile(0));
    EXPECT_NE(dir.ReadBytes("TBQ_DrawBar.ini").find("KTool_BackColor=0xABCDEF\r\n"), std::string::npos);

    DrawBarList list = LoadDrawBarList(file);
    EXPECT_TRUE(list.empty()) << "the first section has no name: the list ends there";
}

// The library's pseudo title bar as the tests see it.
struct FakeBar final : PseudoBar {
    std::vector<std::string>& log;
    platform::WindowId handle = 0, next = 700;
    explicit FakeBar(std::vector<std::string>& l) : log(l) {}
    void Show(bool show, WindowId target, const PaintRect& r, std::uint32_t normal,
              std::uint32_t over) override {
        if (!handle) handle = next++;
        char buf[64];
        std::snprintf(buf, sizeof buf, " %08X %08X", static_cast<unsigned>(normal), static_cast<unsigned>(over));
        log.push_back(std::string(show ? "bar show " : "bar hide ") + std::to_string(target) + " " +
                      test::FakePainter::R(r) + (show ? buf : ""));
    }
    WindowId Handle() override { return handle; }
    void Close() override {
        log.push_back("bar close");
        handle = 0;
    }
};

class DrawPass : public ::testing::Test {
protected:
    void SetUp() override {
        painter_.targets[kWindow] = Target(kSizable | kMinMax);
        painter_.targets[kTool] = Target(kSizable, st::kExToolWindow);
        painter_.targets[kNoCaption] = Target(st::kThickFrame);
        profile_.ResetObject();
    }
    std::vector<std::string> Take() { return std::exchange(painter_.log, {}); }

    static constexpr WindowId kWindow = 10, kTool = 11, kNoCaption = 12;
    test::FakePainter painter_;
    FixedColors colors_;
    platform::ScopedPorts ports_{platform::Ports{.colors = &colors_, .painter = &painter_}};
    FakeBar bar_{painter_.log};
    DrawContext context_{&bar_};
    vbKerova_DrawBar profile_;
};

TEST_F(DrawPass, SegmentsFollowEachOtherUntilOneDoesNotFit) {
    FontProfile f;
    f.FontFlag = FontProfile::kShadow;
    f.ShadowColor = 0x11223344;
    profile_.SetFontProfile(0, f);
    profile_.ResetObject();
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    EXPECT_EQ(profile_.DrawCaption(u"12:00", 0x000000FF, 0), 24 + 5 * 8);
    EXPECT_EQ(profile_.DrawCaption(u"Tokyo", 0x80000009, 64), 104);
    const Text tooLong(40, u'x');
    EXPECT_EQ(profile_.DrawCaption(tooLong, 0x00FFFFFF, 104), -1);
    profile_.EndDraw();
    EXPECT_EQ(Take(), (std::vector<std::string>{
                          "begin 10 24,7,340,21",
                          "fill 24,7,340,21 020000 line 0A0000",
                          "font 3",
                          "text 12:00 25,8,341,22 223344",  // the shadow, RGB as it is
                          "text 12:00 24,7,340,21 0000FF",
                          "text Tokyo 65,8,341,22 223344",
                          "text Tokyo 64,7,340,21 090000",  // a system colour
                          "text " + std::string(40, 'x') + " 105,8,341,22 223344",
                          "text " + std::string(40, 'x') + " 104,7,340,21 FFFFFF",
                          "end"}));
    EXPECT_EQ(profile_.DrawCaption(u"late", 0, 0), -1) << "no pass is open";
}

TEST_F(DrawPass, OffScreenOutlineToolWindowAndWithdrawal) {
    profile_.DrawType = vbKerova_DrawBar::kDirect | vbKerova_DrawBar::kNoFlicker;
    BarProfile b = Bar(1);
    b.BackColor = 0x00102030;
    profile_.SetBarProfile(1, b);
    FontProfile f;
    f.FontFlag = FontProfile::kOutline;
    profile_.SetFontProfile(1, f);
    profile_.ResetObject();
    ASSERT_FALSE(profile_.DrawStart(kTool, context_));
    EXPECT_EQ(profile_.BackColor(), 0x00102030u) << "the tool window's set";
    profile_.DrawCaption(u"a", 0, 0);
    profile_.EndDraw();
    EXPECT_EQ(Take(), (std::vector<std::string>{
                          "begin 11 4,7,382,17 offscreen", "fill 0,0,378,10 102030", "font 4",
                          "text a -1,0,377,10 808080", "text a 0,-1,378,9 808080",
                          "text a 1,0,379,10 808080", "text a 0,1,378,11 808080",
                          "text a 0,0,378,10 000000", "end"}));
    // Another window: the first repaints its own frame.
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    profile_.EndDraw();
    EXPECT_EQ(Take().front(), "repaint 11");
    EXPECT_TRUE(profile_.DrawStart(0, context_));
    EXPECT_EQ(Take(), (std::vector<std::string>{"repaint 10"}));
}

TEST_F(DrawPass, NothingIsDrawnWhereThereIsNothingToDrawOn) {
    EXPECT_TRUE(profile_.DrawStart(kNoCaption, context_)) << "no caption";
    profile_.DrawType = vbKerova_DrawBar::kDirect;
    ASSERT_FALSE(profile_.DrawStart(kNoCaption, context_)) << "the caption check is off";
    profile_.EndDraw();
    painter_.targets[kWindow].width = 50;
    EXPECT_TRUE(profile_.DrawStart(kWindow, context_)) << "narrower than its buttons";
    painter_.targets[kWindow].width = 400;
    painter_.targets[kWindow].iconic = true;
    EXPECT_TRUE(profile_.DrawStart(kWindow, context_)) << "minimised";
    EXPECT_TRUE(profile_.DrawStart(99, context_)) << "gone";
    painter_.failBegin = true;
    painter_.targets[kWindow].iconic = false;
    EXPECT_TRUE(profile_.DrawStart(kWindow, context_)) << "no device context";
    profile_.EndDraw();
    // One pass only, on the window without a caption once the check was off;
    // the repaints are of the windows left.
    EXPECT_EQ(Take(), (std::vector<std::string>{"begin 12 6,7,396,21", "fill 6,7,396,21 020000 line 0A0000",
                                                "font 1", "end", "repaint 12"}));
    EXPECT_EQ(profile_.DrawCaption(u"x", 0, 0), -1);
}

TEST_F(DrawPass, PseudoBarsAreOwnedByTheirTargetOrNotUsed) {
    profile_.DrawType = vbKerova_DrawBar::kPseudo;
    BarProfile b = Bar(257);
    b.BackColor = 0x00FF0000;
    b.Trans = 255;
    b.Trans_MouseOver = 127;
    profile_.SetBarProfile(0, b);
    painter_.owners[700] = kWindow;
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    profile_.DrawCaption(u"t", 0, 0);
    profile_.EndDraw();
    EXPECT_EQ(Take(), (std::vector<std::string>{
                          "bar show 10 24,7,340,21 00FF0000 80FF0000", "paint now 700",
                          "begin 700 0,0,316,14", "fill 0,0,316,14 FF0000 line 0A0000", "font 1",
                          "text t 0,0,316,14 000000", "end"}));
    // A handle that is no window of this target (stale, perhaps reused) is
    // dropped and never drawn on.
    painter_.owners[700] = 55;
    EXPECT_TRUE(profile_.DrawStart(kWindow, context_));
    EXPECT_EQ(Take(), (std::vector<std::string>{"bar show 10 24,7,340,21 00FF0000 80FF0000", "bar close"}));
    // Minimised: the bar hides.
    painter_.owners[701] = kWindow;
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    profile_.EndDraw();
    Take();
    painter_.targets[kWindow].iconic = true;
    EXPECT_TRUE(profile_.DrawStart(kWindow, context_));
    EXPECT_EQ(Take(), (std::vector<std::string>{"bar hide 10 24,7,340,21"}));
    // Taken away: the bar closes, and the frame is not repainted.
    EXPECT_TRUE(profile_.DrawStart(0, context_));
    EXPECT_EQ(Take(), (std::vector<std::string>{"bar close"}));
}

TEST_F(DrawPass, AListPaintsItsRunsUntilTheRoomEnds) {
    auto fixed = [](const char16_t* text, std::uint32_t color) {
        auto sub = std::make_shared<vbKerova_View_Fixed>();
        sub->SetText(text);
        auto item = std::make_shared<vbKerova_ViewData>();
        item->SetData(sub, color, true);
        return item;
    };
    ViewList list;
    list.push_back(fixed(u"A", vbKerova_ViewData::kNoColor));
    auto group = std::make_shared<vbKerova_ViewData>();
    auto g = std::make_shared<vbKerova_View_Group>();
    g->TargetNum = 2;
    group->SetData(g, 0x00FF00, true);
    list.push_back(group);
    list.push_back(fixed(u"abc", 0x000000FF));
    list.push_back(fixed(u"d", vbKerova_ViewData::kNoColor));
    list.push_back(fixed(Text(40, u'x').c_str(), 0));
    list.push_back(fixed(u"never", 0));
    LinkGroupChildren(list);
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    EXPECT_EQ(DrawListOnBar(profile_, list, 0), -1);
    profile_.EndDraw();
    std::vector<std::string> texts;
    for (const std::string& line : Take())
        if (line.rfind("text ", 0) == 0) texts.push_back(line);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "text A 24,7,340,21 090000",  // no colour of its own: the caption's text
                         "text abc 32,7,340,21 0000FF",  // a group's element in pure red
                         "text d 56,7,340,21 00FF00",  // the group's colour
                         "text " + std::string(40, 'x') + " 64,7,340,21 000000"}));
}

// A rectangle typed far beyond the window makes neither a bitmap nor a bar
// larger than the window.
TEST_F(DrawPass, ARectangleFarOutsideIsCutToTheWindowBeforeBitmapOrBar) {
    profile_.DrawType = vbKerova_DrawBar::kPseudo | vbKerova_DrawBar::kNoFlicker;
    profile_.SetBarProfile(0, Bar(16, -99999, -99999, -99999, 99999));
    painter_.owners[700] = kWindow;
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    profile_.EndDraw();
    std::vector<std::string> log = Take();
    log.resize(3);
    EXPECT_EQ(log, (std::vector<std::string>{"bar show 10 0,0,400,300 FF020000 FF020000", "paint now 700",
                                             "begin 700 0,0,400,300 offscreen"}));
    profile_.DrawType = vbKerova_DrawBar::kDirect | vbKerova_DrawBar::kNoFlicker;
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    profile_.EndDraw();
    EXPECT_EQ(Take().front(), "begin 10 0,0,400,300 offscreen");
}

// The settings window's preview paints with the profile into its own box,
// whatever window the profile paints on meanwhile.
TEST_F(DrawPass, APreviewPaintsIntoItsOwnBoxAndLeavesTheTargetAlone) {
    FontProfile f;
    f.FontFlag = FontProfile::kShadow;
    f.ShadowColor = 0x00112233;
    profile_.SetFontProfile(0, f);
    profile_.ResetObject();
    ASSERT_FALSE(profile_.DrawStart(kWindow, context_));
    profile_.EndDraw();
    Take();
    constexpr WindowId kBox = 99;
    ASSERT_FALSE(profile_.DrawPreviewStart(kBox, {2, 2, 202, 30}, 96, true));
    EXPECT_EQ(profile_.DrawCaption(u"ab", 0x000000FF, 0), 5 + 2 * 8);
    profile_.EndDraw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"begin 99 2,2,202,30 offscreen", "fill 0,0,200,28 020000 line 0A0000",
                                                "font 3", "text ab 6,1,201,29 112233", "text ab 5,0,200,28 0000FF",
                                                "end"}));
    EXPECT_EQ(profile_.Target(), kWindow);
    EXPECT_TRUE(profile_.DrawPreviewStart(0, {0, 0, 10, 10}, 96, true)) << "no box";
    EXPECT_TRUE(profile_.DrawPreviewStart(kBox, {0, 0, 0, 10}, 96, true)) << "no room";
}

}  // namespace
}  // namespace tbq
