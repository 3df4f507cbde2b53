// The update tick: several times a second it picks the target window, decides
// what it gets and hands the composed text to the title writer.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <memory>
#include <utility>
#include <vector>

#include "base/text.h"
#include "core/title_writer.h"
#include "draw/draw_bar.h"
#include "rules/window_rule.h"
#include "platform/windows.h"

namespace tbq {

using platform::WindowId;

// True when `w` is `owner` or a descendant of it; unless `noFormSearch`, also when
// it is one of `forms` (the program's other loaded windows) or a descendant of one.
bool IsOwnWindow(WindowId w, WindowId owner, bool noFormSearch,
                 const std::vector<WindowId>& forms = {});

// The active MDI child of an MDI frame, 0 when it has none.
WindowId GetActiveMdiChild(WindowId frame);

// Moves `w` to the end of the recent windows (at most 20, oldest first),
// dropping entries that are no longer windows.
void RememberRecentWindow(WindowId w);

using PaintRuns = std::vector<std::pair<Text, std::uint32_t>>;

class UpdateTick {
public:
    struct Collaborators {
        vbKerova_TitleBar* titleBar = nullptr;
        vbKerova_Window* fixedRule = nullptr;
        const std::vector<std::shared_ptr<vbKerova_Window>>* rules = nullptr;
        // The program's own windows besides the main one.
        std::function<std::vector<WindowId>()> ownForms;
        // The composed text of the named display list (the registry falls back to
        // its first list for unknown names); nullopt when no list can be had this
        // tick, and the title is left as it is.
        std::function<std::optional<Text>(const Text& listName)> compose;
        // Called after a fixed-window search, so a visible rule list can follow.
        std::function<void()> fixedWindowSearched;
        // Group items move on once per tick unless they run on their own timing.
        std::function<void()> advanceGroups;
        // Composition stamp source: the system's millisecond tick count.
        std::function<std::uint32_t()> tickCount;
        // The executable of a window's process, for rules with a file condition
        // (the library's GetExeFileName); without it such rules see "".
        std::function<Text(WindowId)> exePath;
        // Painting profiles, and what they paint with: the pseudo title bar,
        // and the named display list's segments drawn in an open pass.
        const DrawBarList* drawBars = nullptr;
        PseudoBar* pseudoBar = nullptr;
        std::function<void(vbKerova_DrawBar& profile, const Text& listName)> paintList;
        // The coloured runs the named list paints.
        std::function<PaintRuns(const Text& listName)> runs;
    };

    explicit UpdateTick(Collaborators c) : c_(std::move(c)) {}

    void Run();

    // True when text may be left in a title since the last restore.
    bool TitleShown = false;
    // The last composed text (the settings window previews it).
    Text LastText;
    // The painting profile the last tick chose: the default one, or the one a
    // permitting rule names ("" for none).
    Text LastBarName;
    // The display list the last tick composed.
    const Text& LastListName() const { return lastListName_; }
    // The profile that painted last, taken away when another one (or none) is chosen.
    std::shared_ptr<vbKerova_DrawBar> ActiveDrawBar;

    // Paints the last tick's text again at once, with the profile that painted
    // it: the target moved, was sized, minimised or restored.
    void Repaint();

    // How the last tick's target shows its caption (none: as ever).
    const FramePlan* Plan() const;

private:
    WindowId ChooseTarget(const RuleContext& context, bool& fixedMode);
    void StopDisplaying();
    void Output(const std::shared_ptr<vbKerova_DrawBar>& profile, const Text& listName);
    DrawContext Drawing() const;
    // The plan for the target: worked out anew when it comes in front, and
    // when its style, size or resolution changed. The shape is looked at on
    // every call with `watch` (a bar follows it), else twice a second.
    const FramePlan* PlanFor(WindowId target, bool watch, std::optional<platform::PaintTarget>& shape);
    // The bar for a program-drawn caption when no profile paints: the
    // caption's colours and font, opaque.
    vbKerova_DrawBar& Plain(const FramePlan& plan);
    void WithdrawPlain();
    // One pass of `drawer` on the target; a pass through the bar that would
    // paint the same is left out, and the bar is only kept in place.
    void Paint(vbKerova_DrawBar& drawer, const Text& listName, std::optional<platform::PaintTarget> shape);

    Collaborators c_;
    // The class and executable of the window in front, read once while it stays there.
    WindowFacts facts_;
    // The last window asked whether it is ours, and the answer.
    struct OwnAnswer {
        WindowId target = 0, main = 0;
        std::vector<WindowId> forms;
        bool mine = false;
    } own_;
    // What the last painting pass on the target painted: the same again is left out.
    struct Pass {
        const vbKerova_DrawBar* profile = nullptr;
        WindowId target = 0;
        std::optional<platform::PaintTarget> shape;
        std::optional<FramePlan> plan;
        std::uint8_t drawType = 0;
        std::array<BarProfile, 2> bars;
        std::array<FontProfile, 2> fonts;
        PaintRuns runs;
        bool operator==(const Pass&) const = default;
    };
    Pass Describe(const vbKerova_DrawBar& profile, const Text& listName,
                  std::optional<platform::PaintTarget> shape) const;
    std::optional<Pass> painted_;
    struct PlanCache {
        WindowId target = 0;
        std::uint32_t style = 0, exStyle = 0;
        int width = 0, height = 0, dpi = 0;
        bool appCaptions = true;
        std::uint32_t looked = 0;  // tick count of the last look at the shape
        std::optional<FramePlan> plan;
    } plan_;
    std::shared_ptr<vbKerova_DrawBar> plain_;
    bool plainShown_ = false;
    Text fitText_;  // the text a program-drawn caption's bar is made as wide as
    Text lastListName_;
    bool running_ = false;  // a tick that lets messages run cannot start another
};

}  // namespace tbq
