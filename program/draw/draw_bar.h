// vbKerova_DrawBar: a painting profile. It paints the composed display text
// over a window's caption, straight into the window's frame ("直接描画") or
// onto the library's click-through pseudo title bar laid over it
// ("擬似タイトルバー"), with one set of rectangle, colours and font for normal
// windows and one for tool windows.
//
// A pass: DrawStart(window), DrawCaption once per coloured segment (each
// starting where the previous one ended), EndDraw. DrawStart(0) and EndDraw
// take the painting away from the last window.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "base/text.h"
#include "draw/caption_geometry.h"
#include "draw/frame_plan.h"
#include "platform/painter.h"

namespace tbq {

using platform::WindowId;

// The library's one pseudo title bar, as the profiles use it.
class PseudoBar {
public:
    virtual ~PseudoBar() = default;
    // Places the bar over `rect` (window coordinates of `target`) and shows it
    // with the transparency for the mouse outside or over it; `show` false hides it.
    virtual void Show(bool show, WindowId target, const PaintRect& rect, std::uint32_t normal,
                      std::uint32_t mouseOver) = 0;
    // The bar's window, 0 when there is none.
    virtual WindowId Handle() = 0;
    virtual void Close() = 0;
};

// What a pass draws with besides the profile.
struct DrawContext {
    explicit DrawContext(PseudoBar* pseudoBar = nullptr, bool wide = true) : bar(pseudoBar), unicode(wide) {}
    PseudoBar* bar = nullptr;  // none: a pseudo-bar profile draws nothing
    bool unicode = true;       // wide text output
    // How the window's caption is shown; none: painted as ever.
    const FramePlan* plan = nullptr;
    // A caption the program draws gets a bar as wide as this text.
    TextView fitText;
    // The caption's own text colour, for the system caption-text colour.
    std::optional<std::uint32_t> captionText;
    // The window as the caller has just described it, so that a pass does not
    // ask the window system a second time; none: the pass asks.
    const PaintTarget* shape = nullptr;
};

class vbKerova_DrawBar {
public:
    enum DrawTypeBit : std::uint8_t {
        kDirect = 1, kPseudo = 2, kKindBits = 3,
        kNoFlicker = 4,    // paint off screen, copy at the end
        kCaptionOnly = 8,  // only windows with a caption
        kTitleSame = 16,   // the title text gets the same text
        kTitleClear = 32,  // the title text is emptied
        kTitleBits = 0x30,
    };

    vbKerova_DrawBar() = default;
    ~vbKerova_DrawBar();
    vbKerova_DrawBar(const vbKerova_DrawBar&) = delete;
    vbKerova_DrawBar& operator=(const vbKerova_DrawBar&) = delete;

    Text DrawBarName;
    std::uint8_t DrawType = kDirect | kCaptionOnly;

    // Profile 0 is for normal windows, 1 for tool windows.
    const BarProfile& GetBarProfile(int i) const { return bars_[Index(i)]; }
    void SetBarProfile(int i, const BarProfile& p) { bars_[Index(i)] = p; }
    const FontProfile& GetFontProfile(int i) const { return fonts_[Index(i)]; }
    void SetFontProfile(int i, const FontProfile& p) { fonts_[Index(i)] = p; }

    // Values of the set for the current window kind.
    std::uint32_t BackColor() const { return bars_[tool_].BackColor; }
    std::uint32_t ShadowColor() const { return fonts_[tool_].ShadowColor; }
    std::uint8_t FontFlag() const { return fonts_[tool_].FontFlag; }
    // Character height in pixels of the font the last pass selected.
    int FontHeight() const { return fontHeight_; }
    // Previews show the tool-window set with true.
    void SetTargetSM(bool tool) { tool_ = tool ? 1 : 0; }
    // The font of the current window kind (0 before ResetObject).
    platform::FontHandle Font() const { return madeFonts_[tool_]; }

    // Releases and makes again the fonts from the current fields. Needed after
    // every change of them, before the next pass.
    void ResetObject();

    // Prepares a pass on `window`: false when it is ready, true when there is
    // nothing to draw on (no window, no caption, a rectangle of no size, a
    // window that has gone or is minimised, a pass already open).
    bool DrawStart(WindowId window, const DrawContext& context);
    // Draws one segment from `start` (0: the rectangle's left edge); where the
    // next may start, or -1 when this one did not fit (or no pass is open).
    std::int32_t DrawCaption(TextView text, std::uint32_t color, std::int32_t start);
    void EndDraw();
    // A pass into a box of our own (a preview) over `rect`, off screen, with
    // the background, border, font and shadow of the normal set (`tool`: the
    // tool-window set), the text starting 5 pixels in. The window painted on
    // is not changed; DrawCaption and EndDraw go on as in any pass. True when
    // there is nothing to draw on.
    bool DrawPreviewStart(WindowId box, const PaintRect& rect, int dpi, bool unicode, bool tool = false);

    // Whether a pass on a window of that plan goes through the pseudo title bar.
    bool ViaBar(const FramePlan* plan) const { return Pseudo() || (plan && plan->way != CaptionWay::Classic); }

    // Keeps the pseudo title bar of the last pass where it belongs between
    // passes: over its rectangle, directly above its window, with the
    // transparency for where the mouse pointer is now.
    void KeepBar(const DrawContext& context) const;

    // The rectangle of the last pass, in window coordinates of its target.
    const PaintRect& LastRect() const { return rect_; }
    WindowId Target() const { return target_; }

    void SaveSetting(const Text& file, const Text& section, const Text& key) const;
    // False, and the defaults everywhere, when the section holds no profile.
    bool LoadSetting(const Text& file, const Text& section, const Text& key);
    void CopyData(const vbKerova_DrawBar& src);

private:
    static int Index(int i) { return i == 1 ? 1 : 0; }
    void ReleaseFonts();
    void Withdraw(const DrawContext& context);
    bool Pseudo() const { return (DrawType & kKindBits) == kPseudo; }

    std::array<BarProfile, 2> bars_{};
    std::array<FontProfile, 2> fonts_{};

    std::array<platform::FontHandle, 2> madeFonts_{};
    int fontDpiX_ = 96, fontDpiY_ = 96;  // the screen the fonts were made for
    int tool_ = 0;
    WindowId target_ = 0;
    bool open_ = false;      // between a successful DrawStart and EndDraw
    bool starting_ = false;  // inside DrawStart: a second one is refused
    bool unicode_ = true;
    bool viaBar_ = false;  // the last pass went through the pseudo title bar
    std::optional<std::uint32_t> captionText_;
    PaintRect rect_;   // window coordinates
    PaintRect paint_;  // where the pass paints (moved to 0,0 off screen or on the bar)
    int indent_ = 0;
    int fontHeight_ = 0;
};

using DrawBarList = std::vector<std::shared_ptr<vbKerova_DrawBar>>;

// "DrawBar0001", ... until a section without a name; every profile loaded is
// made ready to draw.
DrawBarList LoadDrawBarList(const Text& file);
// Every profile, then the end mark (an empty name in the next section).
void SaveDrawBarList(const Text& file, const DrawBarList& list);
// The first profile of that name, in any letter case; null for none.
std::shared_ptr<vbKerova_DrawBar> FindDrawBar(const DrawBarList& list, TextView name);

}  // namespace tbq
