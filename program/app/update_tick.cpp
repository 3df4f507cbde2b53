#include "app/update_tick.h"

#include <algorithm>

#include "app/app_state.h"
#include "base/reentry_guard.h"
#include "core/diag_log.h"
#include "draw/caption_geometry.h"
#include "items/view_data.h"
#include "platform/ports.h"

namespace tbq {

namespace {
constexpr std::size_t kRecentWindows = 20;
// A broken parent chain (a cycle) must not hang the tick.
constexpr int kMaxParentDepth = 256;

bool InChain(WindowId w, WindowId owner) {
    platform::Windows& win = platform::windows();
    for (int depth = 0; w != 0 && depth < kMaxParentDepth; ++depth) {
        if (w == owner) return true;
        w = win.Parent(w);
    }
    return false;
}
}  // namespace

bool IsOwnWindow(WindowId w, WindowId owner, bool noFormSearch,
                 const std::vector<WindowId>& forms) {
    if (owner != 0 && InChain(w, owner)) return true;
    if (noFormSearch) return false;
    return std::any_of(forms.begin(), forms.end(),
                       [&](WindowId f) { return f != 0 && IsOwnWindow(w, f, true); });
}

WindowId GetActiveMdiChild(WindowId frame) {
    return frame ? platform::windows().ActiveMdiChild(frame) : 0;
}

void RememberRecentWindow(WindowId w) {
    auto& recent = App().RecentWindows;
    // Most ticks find the same window in front: nothing to do then.
    if (w == 0 || (!recent.empty() && recent.back() == w)) return;
    platform::Windows& win = platform::windows();
    std::erase_if(recent, [&](WindowId r) { return r == w || !win.IsWindow(r); });
    if (recent.size() >= kRecentWindows) recent.erase(recent.begin());
    recent.push_back(w);
}

WindowId UpdateTick::ChooseTarget(const RuleContext& context, bool& fixedMode) {
    vbKerova_Window* fixed = c_.fixedRule;
    fixedMode = fixed && fixed->Enable && fixed->IsSetting();
    if (!fixedMode) return platform::windows().Foreground();
    platform::Windows& win = platform::windows();
    if (fixed->WindowHandle != 0 && !win.IsWindow(fixed->WindowHandle)) fixed->WindowHandle = 0;
    if (fixed->WindowHandle == 0) {
        win.EnumerateTopLevel([&](WindowId w) {
            if (!fixed->CheckWindow(w, context)) return true;
            fixed->WindowHandle = w;
            return false;
        });
        if (c_.fixedWindowSearched) c_.fixedWindowSearched();
    }
    return fixed->WindowHandle;
}

void UpdateTick::StopDisplaying() {
    if (TitleShown) {
        c_.titleBar->ReturnTitle();
        TitleShown = false;
    }
    c_.titleBar->RetryPendingRestores();
    App().CurrentTarget = 0;
}

const FramePlan* UpdateTick::Plan() const {
    return plan_.plan && plan_.target == App().CurrentTarget ? &*plan_.plan : nullptr;
}

DrawContext UpdateTick::Drawing() const {
    DrawContext context(c_.pseudoBar, App().settings.Unicode);
    context.plan = Plan();
    context.fitText = fitText_;
    // The bar of a caption without a profile writes in the caption's own colour.
    if (plainShown_ || (context.plan && !(ActiveDrawBar && App().settings.UseDrawBar)))
        context.captionText = context.plan->captionText;
    return context;
}

void UpdateTick::Run() {
    const ReentryGuard guard(running_);
    if (!guard.Owns()) return;
    AppState& app = App();
    const AppSettings& s = app.settings;
    Text listName = s.DefaultViewData;
    Text barName = s.DrawBarDefault;
    vbKerova_TitleBar& tb = *c_.titleBar;
    const RuleContext context{c_.titleBar, s.Unicode, c_.exePath, &facts_};

    bool fixedMode = false;
    WindowId target = ChooseTarget(context, fixedMode);
    std::vector<WindowId> forms = c_.ownForms ? c_.ownForms() : std::vector<WindowId>{};

    // Whether the window in front is one of ours is asked once for each window
    // it brings (and again when our own windows change).
    if (target != own_.target || forms != own_.forms || app.MainWindowHandle != own_.main) {
        const bool mine = IsOwnWindow(target, app.MainWindowHandle, false, forms);
        own_ = {target, app.MainWindowHandle, std::move(forms), mine};
    }
    if (own_.mine) {
        // Nothing is ever written into our own windows; the last target gets its
        // title back.
        app.CurrentTarget = 0;
        tb.SetTitle(target);
        NoteNotDecorated(target, SkipReason::OwnWindow);
    } else {
        app.CurrentTarget = target;
        if (!s.TitleInfo) {
            NoteNotDecorated(target, SkipReason::TitlesOff);
            StopDisplaying();
        } else {
            TitleShown = true;
            const vbKerova_Window* rule = nullptr;
            if (!fixedMode && c_.rules) {
                for (const auto& r : *c_.rules)
                    if (r->Enable && r->CheckWindow(target, context)) {
                        rule = r.get();
                        break;
                    }
            }
            auto show = [&](bool mdi) {
                if (mdi) {
                    WindowId child = GetActiveMdiChild(target);
                    if (child) target = child;
                }
                app.CurrentTarget = target;
                tb.SetTitle(target);
                RememberRecentWindow(target);
            };
            if (!rule && s.PermitOnly && !fixedMode) {
                app.CurrentTarget = 0;
                tb.SetTitle(0);
                NoteNotDecorated(target, SkipReason::NotPermitted);
            } else if (!rule) {
                show(s.MDIChild);
            } else if (rule->Action == vbKerova_Window::kExclude) {
                NoteNotDecorated(target, SkipReason::Excluded, rule->Title);
                StopDisplaying();
            } else if (rule->Action == vbKerova_Window::kPermit) {
                if (rule->UseViewData) listName = rule->ViewData;
                if (rule->UseDrawBar) barName = rule->DrawBar;
                show(rule->DecidesMdi() ? rule->MdiOn() : s.MDIChild);
            } else {
                // Only exclude and permit rules can be made; anything else shows nothing.
                StopDisplaying();
            }
        }
    }

    std::shared_ptr<vbKerova_DrawBar> profile =
        c_.drawBars ? FindDrawBar(*c_.drawBars, barName) : nullptr;
    if (ActiveDrawBar && ActiveDrawBar != profile) {
        ActiveDrawBar->DrawStart(0, Drawing());
        ActiveDrawBar->EndDraw();
        painted_.reset();
    }
    ActiveDrawBar = profile;
    LastBarName = std::move(barName);
    CompositionStamp() = c_.tickCount ? c_.tickCount() : platform::clock().TickCount();
    std::optional<Text> text = c_.compose ? c_.compose(listName) : std::optional<Text>(Text());
    if (text) {
        LastText = std::move(*text);
        lastListName_ = listName;
        Output(profile, listName);
    }
    if (!s.RefreshTiming && c_.advanceGroups) c_.advanceGroups();
}

void UpdateTick::Output(const std::shared_ptr<vbKerova_DrawBar>& profile, const Text& listName) {
    AppState& app = App();
    const AppSettings& s = app.settings;
    vbKerova_TitleBar& tb = *c_.titleBar;
    const bool painting = profile && s.UseDrawBar;
    if (app.CurrentTarget == 0) {
        if (painting) {
            profile->DrawStart(0, Drawing());
            profile->EndDraw();
        }
        WithdrawPlain();
        painted_.reset();
        return;
    }
    // The title is read on every tick and written whenever it is not our text:
    // a program that retitled itself gets the text back at once. A list that shows nothing
    // leaves the window its own title rather than blanking it.
    const Text& shown = LastText.empty() ? tb.OriginalTitle : LastText;

    // Only a window that may get a bar is looked at more closely: with a
    // profile, or a caption the program may draw itself.
    std::optional<platform::PaintTarget> shape;
    const FramePlan* plan = nullptr;
    if (painting || s.AppCaptionBar) plan = PlanFor(app.CurrentTarget, painting || plainShown_, shape);
    const bool appCaption = plan && (plan->way == CaptionWay::AppCaption || plan->way == CaptionWay::TooSmall);
    const bool plain = !painting && appCaption;
    if (!plain) WithdrawPlain();
    if (!painting) {
        tb.ViewTitle(app.CurrentTarget, shown);
        if (plain) Paint(Plain(*plan), listName, std::move(shape));
        return;
    }
    switch (profile->DrawType & vbKerova_DrawBar::kTitleBits) {
        case vbKerova_DrawBar::kTitleSame: tb.ViewTitle(app.CurrentTarget, shown); break;
        case vbKerova_DrawBar::kTitleClear: tb.ViewTitle(app.CurrentTarget, u""); break;
        default: break;  // the title is left as it is
    }
    Paint(*profile, listName, std::move(shape));
}

void UpdateTick::Paint(vbKerova_DrawBar& drawer, const Text& listName, std::optional<platform::PaintTarget> shape) {
    AppState& app = App();
    // The pseudo title bar is a window of ours: the same runs with the same
    // profile over a window of the same place, size and look are on it
    // already. A frame painted directly is another program's to paint over
    // (when it is activated, retitled or its menu opens), so it gets every pass.
    const bool viaBar = drawer.ViaBar(Plan());
    std::optional<Pass> pass = viaBar ? std::optional(Describe(drawer, listName, std::move(shape))) : std::nullopt;
    fitText_.clear();
    if (pass)
        for (const auto& run : pass->runs) fitText_ += run.first;
    DrawContext context = Drawing();
    const std::optional<platform::PaintTarget>& described = pass ? pass->shape : shape;
    if (described) context.shape = &*described;
    if (pass && painted_ == pass) {
        // Nothing to paint, but the bar is kept in its place in the window
        // order and given the transparency for where the pointer is.
        drawer.KeepBar(context);
        return;
    }
    painted_.reset();
    if (!drawer.DrawStart(app.CurrentTarget, context)) {
        if (c_.paintList) c_.paintList(drawer, listName);
        drawer.EndDraw();
        painted_ = std::move(pass);
        if (&drawer == plain_.get()) plainShown_ = true;
    } else if (DiagLogOn() && (drawer.DrawType & vbKerova_DrawBar::kCaptionOnly) &&
               (platform::windows().Style(app.CurrentTarget) & style::kCaption) != style::kCaption) {
        NoteNotDecorated(app.CurrentTarget, SkipReason::NoCaption);
    }
}

const FramePlan* UpdateTick::PlanFor(WindowId target, bool watch, std::optional<platform::PaintTarget>& shape) {
    // Twice a second is often enough to see a window in front change its
    // look (a program leaving full screen); a bar on it is watched every tick.
    constexpr std::uint32_t kLookAgainMs = 500;
    const std::uint32_t now = CompositionStamp();
    const bool appCaptions = App().settings.AppCaptionBar;
    PlanCache& c = plan_;
    const bool same = target == c.target && appCaptions == c.appCaptions;
    if (same && !watch && now - c.looked < kLookAgainMs) return Plan();
    c.looked = now;
    shape = platform::painter().Describe(target);
    if (!shape) {
        c = PlanCache{target, 0, 0, 0, 0, 0, appCaptions, now, std::nullopt};
        return nullptr;
    }
    if (same && shape->style == c.style && shape->exStyle == c.exStyle && shape->width == c.width &&
        shape->height == c.height && shape->dpiX == c.dpi)
        return Plan();
    std::optional<FramePlan> plan;
    if (std::optional<FrameFacts> facts = platform::frames().Describe(target))
        plan = PlanFrame(*facts, *shape, platform::frames().Look(), appCaptions);
    c = PlanCache{target, shape->style, shape->exStyle, shape->width, shape->height, shape->dpiX, appCaptions,
                  now, plan};
    return Plan();
}

vbKerova_DrawBar& UpdateTick::Plain(const FramePlan& plan) {
    if (!plain_) {
        plain_ = std::make_shared<vbKerova_DrawBar>();
        plain_->DrawType = vbKerova_DrawBar::kPseudo | vbKerova_DrawBar::kNoFlicker;
    }
    BarProfile bar;
    bar.WindowFlag = BarProfile::kAutomatic;
    bar.BackColor = plan.captionBack;
    if (plain_->GetBarProfile(0) != bar) {
        plain_->SetBarProfile(0, bar);
        plain_->SetBarProfile(1, bar);
    }
    return *plain_;
}

void UpdateTick::WithdrawPlain() {
    if (!plainShown_) return;
    plainShown_ = false;
    plain_->DrawStart(0, Drawing());
    plain_->EndDraw();
    painted_.reset();
}

UpdateTick::Pass UpdateTick::Describe(const vbKerova_DrawBar& profile, const Text& listName,
                                      std::optional<platform::PaintTarget> shape) const {
    const WindowId target = App().CurrentTarget;
    if (!shape) shape = platform::painter().Describe(target);
    Pass pass{&profile, target, std::move(shape), plan_.plan, profile.DrawType, {}, {}, {}};
    for (int i = 0; i < 2; ++i) {
        pass.bars[static_cast<std::size_t>(i)] = profile.GetBarProfile(i);
        pass.fonts[static_cast<std::size_t>(i)] = profile.GetFontProfile(i);
    }
    if (c_.runs) pass.runs = c_.runs(listName);
    return pass;
}

void UpdateTick::Repaint() {
    AppState& app = App();
    const ReentryGuard guard(running_);
    if (!guard.Owns() || app.CurrentTarget == 0) return;
    vbKerova_DrawBar* drawer = ActiveDrawBar && app.settings.UseDrawBar ? ActiveDrawBar.get()
                               : plainShown_                            ? plain_.get()
                                                                        : nullptr;
    if (!drawer) return;
    // The next tick paints in full again.
    painted_.reset();
    if (!drawer->DrawStart(app.CurrentTarget, Drawing())) {
        if (c_.paintList) c_.paintList(*drawer, lastListName_);
        drawer->EndDraw();
    }
}

}  // namespace tbq
