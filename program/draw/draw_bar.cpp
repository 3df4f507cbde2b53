#include "draw/draw_bar.h"

#include <algorithm>
#include <cstdio>

#include "base/reentry_guard.h"
#include "core/helpers.h"
#include "platform/ports.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

constexpr const char16_t* kPrefix[2] = {u"Normal_", u"Tool_"};
// The system colour of caption text (COLOR_CAPTIONTEXT).
constexpr std::uint32_t kCaptionTextColor = 0x80000009;

Text ColorText(std::uint32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(value));
    return Utf8ToText(buf);
}

}  // namespace

vbKerova_DrawBar::~vbKerova_DrawBar() {
    if (open_) platform::painter().End();
    ReleaseFonts();
}

void vbKerova_DrawBar::ReleaseFonts() {
    for (platform::FontHandle& f : madeFonts_) {
        if (f) platform::painter().FreeFont(f);
        f = 0;
    }
}

void vbKerova_DrawBar::ResetObject() {
    // A profile changed in the middle of a pass keeps the old fonts until it ends.
    if (open_) return;
    ReleaseFonts();
    platform::Painter& painter = platform::painter();
    for (int i = 0; i < 2; ++i) {
        const FontSpec base = painter.CaptionFont(i == 1, fontDpiY_);
        madeFonts_[i] = painter.MakeFont(ProfileFont(fonts_[i], base, fontDpiX_, fontDpiY_));
    }
}

void vbKerova_DrawBar::Withdraw(const DrawContext& context) {
    if ((DrawType & kKindBits) == kDirect && target_ != 0) platform::painter().Repaint(target_);
    if (context.bar && context.bar->Handle() != 0) context.bar->Close();
    target_ = 0;
    tool_ = 0;
}

bool vbKerova_DrawBar::DrawStart(WindowId window, const DrawContext& context) {
    const ReentryGuard guard(starting_);
    if (open_ || !guard.Owns()) return true;

    if (window != target_ || window == 0) Withdraw(context);
    if (window == 0) return true;

    platform::Painter& painter = platform::painter();
    const std::optional<PaintTarget> shape = context.shape ? std::optional(*context.shape) : painter.Describe(window);
    if (!shape) return true;
    tool_ = (shape->exStyle & style::kExToolWindow) ? 1 : 0;
    const BarProfile& bar = bars_[tool_];
    const FramePlan* plan = context.plan;
    const CaptionWay way = plan ? plan->way : CaptionWay::Classic;
    // A frame the compositor draws shows nothing painted into it, and a caption
    // the program draws is its client area: both get the bar.
    const bool viaBar = ViaBar(plan);
    auto hideBar = [&] {
        if (viaBar && context.bar && context.bar->Handle() != 0)
            context.bar->Show(false, window, rect_, 0, 0);
    };
    const bool appCaption = way == CaptionWay::AppCaption || way == CaptionWay::TooSmall;
    if (!appCaption && (DrawType & kCaptionOnly) && (shape->style & style::kCaption) != style::kCaption)
        return true;
    if (shape->dpiX != fontDpiX_ || shape->dpiY != fontDpiY_ || !madeFonts_[tool_]) {
        fontDpiX_ = shape->dpiX;
        fontDpiY_ = shape->dpiY;
        ResetObject();
    }
    PaintRect rect;
    if (appCaption)
        rect = AppCaptionRect(*plan, *shape, painter.TextWidth(madeFonts_[tool_], context.fitText, context.unicode));
    else
        rect = plan ? VisibleCaptionRect(bar, *shape, *plan) : CaptionRect(bar, *shape);
    if (shape->iconic || rect.Empty()) {
        hideBar();
        return true;
    }

    const bool offscreen = (DrawType & kNoFlicker) != 0;
    PaintRect paint = rect;
    if (viaBar) {
        if (!context.bar) return true;
        context.bar->Show(true, window, rect, BarTransparency(bar.Trans, bar.BackColor),
                          BarTransparency(bar.Trans_MouseOver, bar.BackColor));
        // A bar handle is used only while it is a window of this target: a
        // stale one may since name a stranger's window.
        const WindowId handle = context.bar->Handle();
        if (handle == 0 || painter.Owner(handle) != window) {
            if (handle != 0) context.bar->Close();
            return true;
        }
        paint = {0, 0, rect.Width(), rect.Height()};
        painter.PaintNow(handle);
        if (!painter.Begin(handle, paint, offscreen)) return true;
    } else if (!painter.Begin(window, rect, offscreen)) {
        return true;
    }
    if (offscreen) paint = paint.Moved(-paint.left, -paint.top);

    rect_ = rect;
    paint_ = paint;
    unicode_ = context.unicode;
    viaBar_ = viaBar;
    captionText_ = context.captionText;
    const std::optional<std::uint32_t> line =
        (bar.WindowFlag & BarProfile::kBorderLine) ? std::optional(DrawColor(bar.LineColor)) : std::nullopt;
    painter.Fill(paint, DrawColor(bar.BackColor), line);
    indent_ = appCaption ? AppCaptionPad(*shape) : TextIndent(*shape);
    fontHeight_ = painter.SelectFont(madeFonts_[tool_]);
    target_ = window;
    open_ = true;
    return false;
}

std::int32_t vbKerova_DrawBar::DrawCaption(TextView text, std::uint32_t color, std::int32_t start) {
    if (!open_) return -1;
    platform::Painter& painter = platform::painter();
    PaintRect r = paint_;
    r.left = start != 0 ? start : r.left + indent_;
    if (r.left >= r.right) return -1;
    const FontProfile& font = fonts_[tool_];
    const std::uint32_t shadow = font.ShadowColor & 0x00FFFFFF;
    if (font.FontFlag & FontProfile::kShadow) {
        painter.PaintText(text, r.Moved(1, 1), shadow, unicode_);
    } else if (font.FontFlag & FontProfile::kOutline) {
        for (const auto& [dx, dy] : {std::pair{-1, 0}, {0, -1}, {1, 0}, {0, 1}})
            painter.PaintText(text, r.Moved(dx, dy), shadow, unicode_);
    }
    const bool captionColor = color == kCaptionTextColor && captionText_;
    painter.PaintText(text, r, captionColor ? *captionText_ : DrawColor(color), unicode_);
    const int right = painter.MeasureRight(text, r, unicode_);
    return right <= r.right ? right : -1;
}

bool vbKerova_DrawBar::DrawPreviewStart(WindowId box, const PaintRect& rect, int dpi, bool unicode, bool tool) {
    const ReentryGuard guard(starting_);
    if (open_ || !guard.Owns() || box == 0 || rect.Empty()) return true;
    tool_ = tool ? 1 : 0;
    if (dpi != fontDpiY_ || !madeFonts_[tool_]) {
        fontDpiX_ = fontDpiY_ = dpi;
        ResetObject();
    }
    platform::Painter& painter = platform::painter();
    if (!painter.Begin(box, rect, true)) return true;
    const BarProfile& bar = bars_[tool_];
    paint_ = rect.Moved(-rect.left, -rect.top);
    unicode_ = unicode;
    captionText_.reset();
    const std::optional<std::uint32_t> line =
        (bar.WindowFlag & BarProfile::kBorderLine) ? std::optional(DrawColor(bar.LineColor)) : std::nullopt;
    painter.Fill(paint_, DrawColor(bar.BackColor), line);
    constexpr int kPreviewIndent = 5;
    indent_ = kPreviewIndent;
    fontHeight_ = painter.SelectFont(madeFonts_[tool_]);
    open_ = true;
    return false;
}

void vbKerova_DrawBar::KeepBar(const DrawContext& context) const {
    if (open_ || !viaBar_ || target_ == 0 || !context.bar || rect_.Empty()) return;
    const BarProfile& bar = bars_[tool_];
    context.bar->Show(true, target_, rect_, BarTransparency(bar.Trans, bar.BackColor),
                      BarTransparency(bar.Trans_MouseOver, bar.BackColor));
}

void vbKerova_DrawBar::EndDraw() {
    if (!open_) return;
    open_ = false;
    platform::painter().End();
}

void vbKerova_DrawBar::SaveSetting(const Text& file, const Text& section, const Text& key) const {
    const vbIniFile ini(file);
    ini.SetText(section, key + u"Name", DrawBarName);
    ini.SetNumber(section, key + u"DrawType", DrawType);
    for (int i = 0; i < 2; ++i) {
        const Text k = key + kPrefix[i];
        const BarProfile& b = bars_[i];
        const FontProfile& f = fonts_[i];
        ini.SetNumber(section, k + u"WindowFlag", b.WindowFlag);
        ini.SetNumber(section, k + u"Left", b.Left);
        ini.SetNumber(section, k + u"Top", b.Top);
        ini.SetNumber(section, k + u"Right", b.Right);
        ini.SetNumber(section, k + u"Bottom", b.Bottom);
        ini.SetText(section, k + u"BackColor", ColorText(b.BackColor));
        ini.SetText(section, k + u"LineColor", ColorText(b.LineColor));
        ini.SetNumber(section, k + u"Trans", b.Trans);
        ini.SetNumber(section, k + u"Trans_MouseOver", b.Trans_MouseOver);
        ini.SetNumber(section, k + u"FontFlag", f.FontFlag);
        ini.SetText(section, k + u"FontName", f.FontName);
        ini.SetNumber(section, k + u"FontHeight", f.FontHeight);
        ini.SetNumber(section, k + u"FontWidth", f.FontWidth);
        ini.SetNumber(section, k + u"FontBold", f.FontBold);
        ini.SetText(section, k + u"ShadowColor", ColorText(f.ShadowColor));
    }
}

bool vbKerova_DrawBar::LoadSetting(const Text& file, const Text& section, const Text& key) {
    const vbIniFile ini(file);
    DrawBarName = ini.GetText(section, key + u"Name", u"");
    bars_ = {};
    fonts_ = {};
    DrawType = kDirect | kCaptionOnly;
    if (DrawBarName.empty()) return false;
    // Numbers are kept inside their fields: a byte stays a byte, a font of
    // 3,276.7 points is the largest, a weight 1000 at the most.
    auto number = [&](const Text& k, std::int32_t def, std::int32_t lo, std::int32_t hi) {
        return std::clamp(ini.GetNumber(section, k, def), lo, hi);
    };
    auto color = [&](const Text& k, std::uint32_t def) {
        return static_cast<std::uint32_t>(ini.GetNumber(section, k, static_cast<std::int32_t>(def)));
    };
    DrawType = static_cast<std::uint8_t>(number(key + u"DrawType", DrawType, 0, 255));
    for (int i = 0; i < 2; ++i) {
        const Text k = key + kPrefix[i];
        BarProfile& b = bars_[i];
        FontProfile& f = fonts_[i];
        b.WindowFlag = static_cast<std::uint16_t>(number(k + u"WindowFlag", b.WindowFlag, 0, 0xFFFF));
        b.Left = ini.GetNumber(section, k + u"Left", 0);
        b.Top = ini.GetNumber(section, k + u"Top", 0);
        b.Right = ini.GetNumber(section, k + u"Right", 0);
        b.Bottom = ini.GetNumber(section, k + u"Bottom", 0);
        b.BackColor = color(k + u"BackColor", b.BackColor);
        b.LineColor = color(k + u"LineColor", b.LineColor);
        b.Trans = static_cast<std::uint8_t>(number(k + u"Trans", 0, 0, 255));
        b.Trans_MouseOver = static_cast<std::uint8_t>(number(k + u"Trans_MouseOver", b.Trans, 0, 255));
        f.FontFlag = static_cast<std::uint8_t>(number(k + u"FontFlag", 0, 0, 255));
        f.FontName = ini.GetText(section, k + u"FontName", u"");
        f.FontHeight = static_cast<std::int16_t>(number(k + u"FontHeight", -1, -1, 32767));
        f.FontWidth = static_cast<std::int16_t>(number(k + u"FontWidth", -1, -1, 32767));
        f.FontBold = static_cast<std::int16_t>(number(k + u"FontBold", -1, -1, 1000));
        f.ShadowColor = color(k + u"ShadowColor", f.ShadowColor);
    }
    return true;
}

void vbKerova_DrawBar::CopyData(const vbKerova_DrawBar& src) {
    DrawBarName = src.DrawBarName;
    DrawType = src.DrawType;
    bars_ = src.bars_;
    fonts_ = src.fonts_;
}

namespace {
Text DrawBarSection(int position) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "DrawBar%04d", position);
    return Utf8ToText(buf);
}
}  // namespace

DrawBarList LoadDrawBarList(const Text& file) {
    DrawBarList list;
    for (int i = 1;; ++i) {
        auto profile = std::make_shared<vbKerova_DrawBar>();
        if (!profile->LoadSetting(file, DrawBarSection(i), u"")) break;
        profile->ResetObject();
        list.push_back(std::move(profile));
    }
    return list;
}

void SaveDrawBarList(const Text& file, const DrawBarList& list) {
    int i = 1;
    for (const auto& p : list)
        if (!p->DrawBarName.empty()) p->SaveSetting(file, DrawBarSection(i++), u"");
    vbIniFile(file).SetText(DrawBarSection(i), u"Name", u"");
}

std::shared_ptr<vbKerova_DrawBar> FindDrawBar(const DrawBarList& list, TextView name) {
    for (const auto& p : list)
        if (EqualsIgnoreCase(p->DrawBarName, name)) return p;
    return nullptr;
}

}  // namespace tbq
