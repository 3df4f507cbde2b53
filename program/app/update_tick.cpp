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

DrawContext UpdateTick::Drawing() const { return {c_.pseudoBar, App().settings.Unicode}; }

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
    vbKerova_TitleBar& tb = *c_.titleBar;
    const bool painting = profile && app.settings.UseDrawBar;
    if (app.CurrentTarget == 0) {
        if (painting) {
            profile->DrawStart(0, Drawing());
            profile->EndDraw();
        }
        painted_.reset();
        return;
    }
    // The title is read on every tick and written whenever it is not our text:
    // a program that retitled itself gets the text back at once. A list that shows nothing
    // leaves the window its own title rather than blanking it.
    const Text& shown = LastText.empty() ? tb.OriginalTitle : LastText;
    if (!painting) {
        tb.ViewTitle(app.CurrentTarget, shown);
        return;
    }
    switch (profile->DrawType & vbKerova_DrawBar::kTitleBits) {
        case vbKerova_DrawBar::kTitleSame: tb.ViewTitle(app.CurrentTarget, shown); break;
        case vbKerova_DrawBar::kTitleClear: tb.ViewTitle(app.CurrentTarget, u""); break;
        default: break;  // the title is left as it is
    }
    // The pseudo title bar is a window of ours: the same runs with the same
    // profile over a window of the same place, size and look are on it
    // already. A frame painted directly is another program's to paint over
    // (when it is activated, retitled or its menu opens), so it gets every pass.
    const bool pseudo = (profile->DrawType & vbKerova_DrawBar::kKindBits) == vbKerova_DrawBar::kPseudo;
    std::optional<Pass> pass = pseudo ? std::optional(Describe(*profile, listName)) : std::nullopt;
    if (pass && painted_ == pass) return;
    painted_.reset();
    if (!profile->DrawStart(app.CurrentTarget, Drawing())) {
        if (c_.paintList) c_.paintList(*profile, listName);
        profile->EndDraw();
        painted_ = std::move(pass);
    } else if (DiagLogOn() && (profile->DrawType & vbKerova_DrawBar::kCaptionOnly) &&
               (platform::windows().Style(app.CurrentTarget) & style::kCaption) != style::kCaption) {
        NoteNotDecorated(app.CurrentTarget, SkipReason::NoCaption);
    }
}

UpdateTick::Pass UpdateTick::Describe(const vbKerova_DrawBar& profile, const Text& listName) const {
    Pass pass{&profile, App().CurrentTarget, platform::painter().Describe(App().CurrentTarget),
              profile.DrawType, {}, {}, {}};
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
    if (!guard.Owns() || !ActiveDrawBar || !app.settings.UseDrawBar || app.CurrentTarget == 0) return;
    // The next tick paints in full again.
    painted_.reset();
    if (!ActiveDrawBar->DrawStart(app.CurrentTarget, Drawing())) {
        if (c_.paintList) c_.paintList(*ActiveDrawBar, lastListName_);
        ActiveDrawBar->EndDraw();
    }
}

}  // namespace tbq
