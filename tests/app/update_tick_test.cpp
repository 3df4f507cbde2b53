#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/app_state.h"
#include "app/update_tick.h"
#include "items/view_data.h"
#include "fakes/fake_frames.h"
#include "fakes/fake_painter.h"
#include "fakes/fake_windows.h"
#include "platform/ports.h"

namespace tbq {
namespace {

class UpdateTickTest : public ::testing::Test {
protected:
    void SetUp() override {
        App() = AppState{};
        App().MainWindowHandle = main_;
    }
    void TearDown() override { App() = AppState{}; }

    UpdateTick MakeTick(std::function<Text(WindowId)> exePath = {}) {
        UpdateTick::Collaborators c;
        c.exePath = std::move(exePath);
        c.titleBar = &titleBar_;
        c.fixedRule = &fixed_;
        c.rules = &rules_;
        c.ownForms = [this] { return forms_; };
        c.compose = [this](const Text& list) -> std::optional<Text> {
            composedFrom_ = list;
            if (noList_) return std::nullopt;
            return list == u"Empty" ? Text() : u"<" + list + u">";
        };
        c.tickCount = [] { return 1234u; };
        return UpdateTick(std::move(c));
    }

    std::shared_ptr<vbKerova_Window> AddRule(std::uint8_t action, const Text& title) {
        auto r = std::make_shared<vbKerova_Window>();
        r->Flag = vbKerova_Window::kTitle;
        r->WindowTitle = title;
        r->Action = action;
        r->Enable = true;
        rules_.push_back(r);
        return r;
    }

    // Windows of 300 x 200 pixels with a caption, as the painter sees them.
    static void Captioned(test::FakePainter& painter, std::initializer_list<WindowId> windows) {
        for (WindowId w : windows) {
            painter.targets[w].width = 300;
            painter.targets[w].height = 200;
            painter.targets[w].style = 0x00CF0000;
            painter.targets[w].metrics.cyCaption = 19;
        }
    }

    test::FakeWindows wins_;
    platform::ScopedPorts ports_{platform::Ports{.windows = &wins_}};
    WindowId main_ = wins_.Add(u"設定");
    std::vector<WindowId> forms_;
    vbKerova_TitleBar titleBar_;
    vbKerova_Window fixed_;
    std::vector<std::shared_ptr<vbKerova_Window>> rules_;
    Text composedFrom_;
    bool noList_ = false;
};

TEST_F(UpdateTickTest, TheForegroundWindowGetsTheTextAndGivesItBackWhenLeft) {
    auto a = wins_.Add(u"A"), b = wins_.Add(u"B");
    UpdateTick tick = MakeTick();
    wins_.foreground = a;
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"<*Default>");
    EXPECT_EQ(App().CurrentTarget, a);
    EXPECT_EQ(CompositionStamp(), 1234u);
    tick.Run();
    EXPECT_EQ(wins_[a].writes, 1);  // the same text is not written again
    wins_[a].title = u"A, renamed";  // ...but a window that retitles itself gets it back
    tick.Run();
    EXPECT_EQ(wins_[a].writes, 2);
    EXPECT_EQ(wins_[a].title, u"<*Default>");
    wins_.foreground = b;
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"A, renamed");
    EXPECT_EQ(wins_[b].title, u"<*Default>");
}

// A tick that finds the same window in front showing our same text costs one
// question for the window in front and one read of its title, however many
// rules ask for class, executable or title and however many windows were
// remembered; a new window in front is asked about once.
TEST_F(UpdateTickTest, ATickThatChangesNothingOnlyReadsTheForegroundAndItsTitle) {
    std::vector<WindowId> others;
    for (int i = 0; i < 25; ++i) others.push_back(wins_.Add(u"other"));
    auto a = wins_.Add(u"A");
    wins_[a].className = u"Editor";
    auto byClass = AddRule(vbKerova_Window::kExclude, u"");
    byClass->Flag = vbKerova_Window::kClass;
    byClass->WindowClass = u"Browser";
    auto byFile = AddRule(vbKerova_Window::kExclude, u"");
    byFile->Flag = vbKerova_Window::kFile;
    byFile->FileName = u"C:\\x\\browser.exe";
    AddRule(vbKerova_Window::kExclude, u"never");
    int exeReads = 0;
    UpdateTick tick = MakeTick([&](WindowId) {
        ++exeReads;
        return Text(u"C:\\x\\editor.exe");
    });
    for (WindowId w : others) {  // twenty windows remembered before
        wins_.foreground = w;
        tick.Run();
    }
    wins_.foreground = a;
    tick.Run();
    tick.Run();
    ASSERT_EQ(wins_[a].title, u"<*Default>");
    exeReads = 0;
    wins_.calls = 0;
    for (int i = 0; i < 10; ++i) tick.Run();
    EXPECT_EQ(wins_.calls, 2 * 10);
    EXPECT_EQ(exeReads, 0);
    EXPECT_EQ(wins_[a].writes, 1);
}

TEST_F(UpdateTickTest, OwnWindowsAreNeverWrittenAndTheLastTargetIsRestored) {
    auto a = wins_.Add(u"A");
    auto child = wins_.Add(u"child of main", main_);
    auto form = wins_.Add(u"editor form");
    auto formChild = wins_.Add(u"button", form);
    forms_ = {form};
    UpdateTick tick = MakeTick();
    for (WindowId own : {main_, child, form, formChild}) {
        wins_.foreground = a;
        tick.Run();
        wins_.foreground = own;
        tick.Run();
        EXPECT_EQ(wins_[a].title, u"A");
        EXPECT_EQ(wins_[own].writes, 0);
        EXPECT_EQ(App().CurrentTarget, 0u);
    }
}

TEST_F(UpdateTickTest, TitleInfoOffAndExcludingRulesStopTheDisplay) {
    auto a = wins_.Add(u"A"), secret = wins_.Add(u"Secret");
    AddRule(vbKerova_Window::kExclude, u"secret");
    UpdateTick tick = MakeTick();
    wins_.foreground = a;
    tick.Run();
    App().settings.TitleInfo = false;
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"A");
    EXPECT_FALSE(tick.TitleShown);
    App().settings.TitleInfo = true;
    tick.Run();
    wins_.foreground = secret;
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"A");
    EXPECT_EQ(wins_[secret].writes, 0);
}

TEST_F(UpdateTickTest, PermitOnlyShowsOnlyInPermittedWindows) {
    auto a = wins_.Add(u"A"), ok = wins_.Add(u"Permitted");
    auto rule = AddRule(vbKerova_Window::kPermit, u"permitted");
    rule->UseViewData = true;
    rule->ViewData = u"Other";
    App().settings.PermitOnly = true;
    UpdateTick tick = MakeTick();
    wins_.foreground = ok;
    tick.Run();
    EXPECT_EQ(wins_[ok].title, u"<Other>");
    wins_.foreground = a;
    tick.Run();
    EXPECT_EQ(wins_[ok].title, u"Permitted");
    EXPECT_EQ(wins_[a].writes, 0);
    EXPECT_EQ(App().CurrentTarget, 0u);
}

TEST_F(UpdateTickTest, FixedRulePinsTheDisplayAndSearchesAgainWhenItsWindowCloses) {
    auto first = wins_.Add(u"Log 1"), second = wins_.Add(u"Log 2"), other = wins_.Add(u"X");
    fixed_.Enable = true;
    fixed_.Flag = vbKerova_Window::kTitle;
    fixed_.CheckOption = vbKerova_Window::kTitlePart;
    fixed_.WindowTitle = u"log";
    App().settings.PermitOnly = true;  // no effect in fixed mode
    UpdateTick tick = MakeTick();
    wins_.foreground = other;
    tick.Run();
    EXPECT_EQ(wins_[first].title, u"<*Default>");
    EXPECT_EQ(wins_[other].writes, 0);
    wins_.Close(first);
    tick.Run();
    EXPECT_EQ(fixed_.WindowHandle, second);
    EXPECT_EQ(wins_[second].title, u"<*Default>");
    wins_.Close(second);
    tick.Run();
    EXPECT_EQ(App().CurrentTarget, 0u);
}

TEST_F(UpdateTickTest, MdiFramesShowInTheirActiveChildWhenAskedTo) {
    auto frame = wins_.Add(u"Frame");
    auto child = wins_.Add(u"Doc", frame);
    wins_[frame].activeMdiChild = child;
    UpdateTick tick = MakeTick();
    wins_.foreground = frame;
    tick.Run();
    EXPECT_EQ(wins_[frame].title, u"<*Default>");
    App().settings.MDIChild = true;
    tick.Run();
    EXPECT_EQ(wins_[frame].title, u"Frame");
    EXPECT_EQ(wins_[child].title, u"<*Default>");
    // A rule that decides the MDI behaviour itself (option 1 without 2) turns it off.
    auto rule = AddRule(vbKerova_Window::kPermit, u"frame");
    rule->SetViewOption(5);  // as older versions stored the profile box
    rule->ViewData = u"Mine";
    tick.Run();
    EXPECT_EQ(wins_[child].title, u"Doc");
    EXPECT_EQ(wins_[frame].title, u"<Mine>");
}

TEST_F(UpdateTickTest, PaintingProfilesDrawAndLeaveSetOrEmptyTheTitleByTheirMode) {
    test::FakePainter painter;
    platform::ScopedPorts paint(platform::Ports{.painter = &painter});
    auto a = wins_.Add(u"A"), b = wins_.Add(u"B - 対象");
    Captioned(painter, {a, b});
    DrawBarList bars;
    for (const char16_t* name : {u"keep", u"same", u"clear"}) {
        bars.push_back(std::make_shared<vbKerova_DrawBar>());
        bars.back()->DrawBarName = name;
    }
    bars[0]->DrawType = vbKerova_DrawBar::kDirect;
    bars[1]->DrawType = vbKerova_DrawBar::kDirect | vbKerova_DrawBar::kTitleSame;
    bars[2]->DrawType = vbKerova_DrawBar::kDirect | vbKerova_DrawBar::kTitleClear;
    auto rule = AddRule(vbKerova_Window::kPermit, u"対象");
    rule->CheckOption = vbKerova_Window::kTitlePart;
    rule->UseDrawBar = true;
    rule->UseViewData = true;
    rule->ViewData = u"Rule";
    std::vector<std::string> painted;
    auto makeTick = [&] {
        UpdateTick::Collaborators c;
        c.titleBar = &titleBar_;
        c.fixedRule = &fixed_;
        c.rules = &rules_;
        c.compose = [](const Text& list) -> std::optional<Text> { return u"<" + list + u">"; };
        c.drawBars = &bars;
        c.paintList = [&](vbKerova_DrawBar& p, const Text& list) {
            painted.push_back(TextToUtf8(p.DrawBarName + u" " + list));
        };
        return UpdateTick(std::move(c));
    };
    struct Case {
        const char16_t* defaultBar;
        bool useDrawBar;
        WindowId target;
        const char16_t* titleA;
        const char16_t* titleB;
        const char* painted;  // "" for none
    } cases[] = {
        {u"KEEP", true, a, u"A", u"B - 対象", "keep *Default"},  // names in any case
        {u"same", true, a, u"<*Default>", u"B - 対象", "same *Default"},
        {u"clear", true, a, u"", u"B - 対象", "clear *Default"},
        {u"clear", false, a, u"<*Default>", u"B - 対象", ""},       // painting is off
        {u"nothing", true, a, u"<*Default>", u"B - 対象", ""},      // no such profile
        {u"", true, b, u"A", u"<Rule>", ""},  // the rule's profile "" is none
    };
    for (const Case& c : cases) {
        App().settings.UseDrawBar = c.useDrawBar;
        App().settings.DrawBarDefault = c.defaultBar;
        rule->DrawBar = c.target == b ? u"" : u"same";
        painted.clear();
        UpdateTick tick = makeTick();
        wins_.foreground = c.target;
        tick.Run();
        EXPECT_EQ(wins_[a].title, c.titleA) << TextToUtf8(c.defaultBar);
        EXPECT_EQ(wins_[b].title, c.titleB) << TextToUtf8(c.defaultBar);
        EXPECT_EQ(painted.empty() ? "" : painted.front(), std::string(c.painted)) << TextToUtf8(c.defaultBar);
        wins_.foreground = main_;
        tick.Run();  // every case starts from the window's own title
    }
    // The rule's own profile paints its own list; leaving the window for our
    // own takes the painting away (a repaint of the old frame).
    App().settings.UseDrawBar = true;
    App().settings.DrawBarDefault = u"keep";
    rule->DrawBar = u"same";
    UpdateTick tick = makeTick();
    painted.clear();
    wins_.foreground = b;
    tick.Run();
    EXPECT_EQ(painted, (std::vector<std::string>{"same Rule"}));
    EXPECT_EQ(tick.ActiveDrawBar, bars[1]);
    painter.log.clear();
    wins_.foreground = a;
    tick.Run();
    EXPECT_EQ(painter.log.front(), "repaint " + std::to_string(b)) << "the old profile withdraws";
    EXPECT_EQ(tick.ActiveDrawBar, bars[0]);
}

// The pseudo title bar: painting the same runs with the same profile over a
// window of the same place, size and look paints nothing; a change of text,
// colour, profile setting, target or the target's place or size, or a
// repaint, paints again. A frame painted directly gets every pass. Every tick
// puts the bar in its place and transparency, painted or not.
TEST_F(UpdateTickTest, TheSamePassOnThePseudoBarIsPaintedOnce) {
    test::FakePainter painter;
    platform::ScopedPorts paint(platform::Ports{.painter = &painter});
    auto a = wins_.Add(u"A"), b = wins_.Add(u"B");
    Captioned(painter, {a, b});
    struct Bar final : PseudoBar {
        int shows = 0;
        void Show(bool, WindowId, const PaintRect&, std::uint32_t, std::uint32_t) override { ++shows; }
        WindowId Handle() override { return 900; }
        void Close() override {}
    } bar;
    DrawBarList bars{std::make_shared<vbKerova_DrawBar>()};
    bars[0]->DrawBarName = u"bar";
    bars[0]->DrawType = vbKerova_DrawBar::kPseudo;
    App().settings.UseDrawBar = true;
    App().settings.DrawBarDefault = u"bar";
    Text text = u"12:00";
    std::uint32_t color = 0xFF;
    int passes = 0;
    UpdateTick::Collaborators c;
    c.titleBar = &titleBar_;
    c.fixedRule = &fixed_;
    c.rules = &rules_;
    c.compose = [&](const Text&) -> std::optional<Text> { return text; };
    c.drawBars = &bars;
    c.pseudoBar = &bar;
    c.paintList = [&](vbKerova_DrawBar&, const Text&) { ++passes; };
    c.runs = [&](const Text&) { return PaintRuns{{text, color}}; };
    UpdateTick tick(std::move(c));
    wins_.foreground = a;
    painter.owners[900] = a;
    struct Step {
        const char* what;
        std::function<void()> change;
        int passes, shows;
    } steps[] = {
        {"first pass", [] {}, 1, 1},
        {"nothing changed", [] {}, 0, 1},
        {"the text", [&] { text = u"12:01"; }, 1, 1},
        {"the colour", [&] { color = 0xFF00; }, 1, 1},
        {"a profile setting", [&] { bars[0]->DrawType |= vbKerova_DrawBar::kNoFlicker; }, 1, 1},
        {"another window", [&] { wins_.foreground = b; painter.owners[900] = b; }, 1, 1},
        {"back again", [&] { wins_.foreground = a; painter.owners[900] = a; }, 1, 1},
        {"a repaint between", [&] { tick.Repaint(); }, 2, 2},  // Repaint's own and the tick's
        {"the window moved", [&] { painter.targets[a].left = 40; }, 1, 1},
        {"the window was sized", [&] { painter.targets[a].width = 320; }, 1, 1},
        {"then nothing again", [] {}, 0, 1},
        {"painted directly", [&] { bars[0]->DrawType = vbKerova_DrawBar::kDirect; }, 1, 0},
        {"directly, nothing changed", [] {}, 1, 0},
    };
    for (const Step& step : steps) {
        passes = 0;
        bar.shows = 0;
        step.change();
        tick.Run();
        EXPECT_EQ(passes, step.passes) << step.what;
        EXPECT_EQ(bar.shows, step.shows) << step.what;
    }
}

// A program that draws its own caption gets the text on a bar in the
// caption's free end, in the caption's colours, with no painting profile;
// with the switch off, or on a window whose caption the system draws, no bar.
TEST_F(UpdateTickTest, AProgramDrawnCaptionGetsABarWithoutAProfile) {
    test::FakePainter painter;
    test::FakeFrames frames;
    platform::ScopedPorts paint(platform::Ports{.painter = &painter, .frames = &frames});
    auto a = wins_.Add(u"A"), b = wins_.Add(u"B");
    Captioned(painter, {a, b});
    for (WindowId w : {a, b}) {
        painter.targets[w].metrics.cxSize = 18;
        painter.targets[w].metrics.cyFrame = 4;
    }
    frames.facts[a] = {false, {0, 0, 300, 200}, std::nullopt, std::nullopt, PaintRect{0, 0, 300, 200}};
    frames.facts[b] = {false, {0, 0, 300, 200}, std::nullopt, std::nullopt, PaintRect{4, 27, 296, 196}};
    frames.look.classicBack = 0x654321;
    frames.look.classicText = 0x123456;
    struct Bar final : PseudoBar {
        std::vector<std::string> calls;
        void Show(bool show, WindowId w, const PaintRect& r, std::uint32_t normal, std::uint32_t) override {
            calls.push_back((show ? "show " : "hide ") + std::to_string(w) + " " + test::FakePainter::R(r) + " " +
                            test::FakePainter::Hex(normal));
        }
        WindowId Handle() override { return 900; }
        void Close() override { calls.push_back("close"); }
    } bar;
    UpdateTick::Collaborators c;
    c.titleBar = &titleBar_;
    c.fixedRule = &fixed_;
    c.rules = &rules_;
    c.compose = [](const Text&) -> std::optional<Text> { return u"12:00"; };
    c.pseudoBar = &bar;
    c.paintList = [](vbKerova_DrawBar& d, const Text&) { d.DrawCaption(u"12:00", 0x80000009, 0); };
    c.runs = [](const Text&) { return PaintRuns{{u"12:00", 0x80000009}}; };
    UpdateTick tick(std::move(c));
    App().settings.AppCaptionBar = true;
    painter.owners[900] = a;

    wins_.foreground = a;
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"12:00") << "the window text is written as ever";
    // Three buttons of 18 from the right, a strip of caption and frame, the
    // text's 40 pixels with 4 each side.
    ASSERT_EQ(bar.calls.size(), 2u) << "a new window first closes the bar of the last";
    EXPECT_EQ(bar.calls[1], "show " + std::to_string(a) + " 194,0,242,23 FF654321");
    EXPECT_NE(std::find(painter.log.begin(), painter.log.end(), "text 12:00 4,0,48,23 123456"), painter.log.end())
        << "in the caption's text colour";
    tick.Run();
    EXPECT_EQ(bar.calls.size(), 3u) << "kept in place on a pass that paints nothing";

    bar.calls.clear();
    wins_.foreground = b;
    tick.Run();
    EXPECT_EQ(bar.calls, std::vector<std::string>{"close"}) << "a caption the system draws gets none";

    bar.calls.clear();
    wins_.foreground = a;
    tick.Run();
    App().settings.AppCaptionBar = false;
    tick.Run();
    EXPECT_EQ(bar.calls.back(), "close") << "switched off";
    EXPECT_EQ(wins_[a].title, u"12:00");
}

TEST_F(UpdateTickTest, AnEmptyOrUnavailableListLeavesTheTitleAlone) {
    auto a = wins_.Add(u"A");
    UpdateTick tick = MakeTick();
    wins_.foreground = a;
    App().settings.DefaultViewData = u"Empty";
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"A");
    App().settings.DefaultViewData = u"*Default";
    tick.Run();
    ASSERT_EQ(wins_[a].title, u"<*Default>");
    noList_ = true;  // the registry is busy this tick
    wins_[a].title = u"A2";
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"A2");
    EXPECT_EQ(titleBar_.OriginalTitle, u"A2");
}

TEST(UpdateTickRulesTest, PermittingRulesChooseListProfileAndMdi) {
    using W = vbKerova_Window;
    struct Case {
        const char* what;
        std::function<void(W&)> rule;  // none: no rule at all
        bool globalMdi;
        bool permitOnly;
        const char16_t* list;  // the list shown; none: nothing is shown
        bool inChild;          // shown in the active MDI child, else in the frame
        const char16_t* bar;   // the painting profile chosen
    };
    const std::vector<Case> cases = {
        {"no rule", {}, false, false, u"*Default", false, u"DefBar"},
        {"display list", [](W& r) { r.UseViewData = true; r.ViewData = u"Other"; }, false, false,
         u"Other", false, u"DefBar"},
        {"painting profile", [](W& r) { r.UseDrawBar = true; r.DrawBar = u"Bar"; }, false, false,
         u"*Default", false, u"Bar"},
        {"painting profile none", [](W& r) { r.UseDrawBar = true; }, false, false, u"*Default",
         false, u""},
        {"MDI on", [](W& r) { r.MdiChoice = W::kMdiOn; }, false, false, u"*Default", true,
         u"DefBar"},
        {"MDI off over the global setting", [](W& r) { r.MdiChoice = W::kMdiOff; }, true, false,
         u"*Default", false, u"DefBar"},
        {"MDI as the global setting", [](W&) {}, true, false, u"*Default", true, u"DefBar"},
        {"MDI off and a display list keep the default profile",
         [](W& r) { r.MdiChoice = W::kMdiOff; r.UseViewData = true; r.ViewData = u"L"; }, true,
         false, u"L", false, u"DefBar"},
        {"an older record's profile box brings list and MDI off",
         [](W& r) { r.SetViewOption(5); r.ViewData = u"L"; r.DrawBar = u"B"; }, true, false, u"L",
         false, u"B"},
        {"exclude", [](W& r) { r.Action = W::kExclude; r.UseViewData = true; }, false, false,
         nullptr, false, u"DefBar"},
        {"a disabled rule is skipped", [](W& r) { r.Enable = false; r.UseViewData = true; }, false,
         false, u"*Default", false, u"DefBar"},
        {"permit only, no rule matches", [](W& r) { r.WindowTitle = u"nothing"; }, false, true,
         nullptr, false, u"DefBar"},
        {"permit only, permitted", [](W&) {}, false, true, u"*Default", false, u"DefBar"},
        {"executable condition",
         [](W& r) {
             r.Flag = W::kFile; r.FileName = u"EDITOR.EXE"; r.CheckOption = W::kFileNameOnly;
             r.UseViewData = true; r.ViewData = u"ByFile";
         },
         false, false, u"ByFile", false, u"DefBar"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::FakeWindows wins;
        platform::ScopedPorts ports(platform::Ports{.windows = &wins});
        App() = AppState{};
        App().MainWindowHandle = wins.Add(u"設定");
        App().settings.DrawBarDefault = u"DefBar";
        App().settings.MDIChild = c.globalMdi;
        App().settings.PermitOnly = c.permitOnly;
        const WindowId frame = wins.Add(u"Frame - Editor");
        const WindowId child = wins.Add(u"Doc", frame);
        wins[frame].activeMdiChild = child;
        wins.foreground = frame;

        vbKerova_TitleBar titleBar;
        vbKerova_Window fixed;
        std::vector<std::shared_ptr<vbKerova_Window>> rules;
        if (c.rule) {
            // Matched by the frame's whole title: once the frame shows our
            // text, only its own title still matches.
            auto r = std::make_shared<W>();
            r->Flag = W::kTitle;
            r->WindowTitle = u"frame - editor";
            r->Action = W::kPermit;
            r->Enable = true;
            c.rule(*r);
            rules.push_back(r);
        }
        UpdateTick::Collaborators co;
        co.titleBar = &titleBar;
        co.fixedRule = &fixed;
        co.rules = &rules;
        co.compose = [](const Text& list) -> std::optional<Text> { return u"<" + list + u">"; };
        co.tickCount = [] { return 1u; };
        co.exePath = [frame](WindowId w) { return w == frame ? Text(u"C:\\Apps\\Editor.exe") : Text(); };
        UpdateTick tick(std::move(co));
        tick.Run();
        tick.Run();

        EXPECT_EQ(TextToUtf8(tick.LastBarName), TextToUtf8(c.bar));
        if (!c.list) {
            EXPECT_EQ(wins[frame].writes + wins[child].writes, 0);
            EXPECT_EQ(App().CurrentTarget, 0u);
        } else {
            const WindowId shown = c.inChild ? child : frame;
            EXPECT_EQ(TextToUtf8(wins[shown].title), TextToUtf8(u"<" + Text(c.list) + u">"));
            EXPECT_EQ(wins[c.inChild ? frame : child].writes, 0);
            EXPECT_EQ(App().CurrentTarget, shown);
        }
        titleBar.ReturnTitle();
    }
    App() = AppState{};
}

TEST(RecentWindowsTest, KeepsTheLastTwentyDistinctTargetsOldestFirst) {
    test::FakeWindows wins;
    platform::ScopedPorts ports(platform::Ports{.windows = &wins});
    App() = AppState{};
    std::vector<WindowId> ids;
    for (int i = 0; i < 21; ++i) ids.push_back(wins.Add(u"w"));
    for (WindowId w : ids) RememberRecentWindow(w);
    RememberRecentWindow(0);
    ASSERT_EQ(App().RecentWindows.size(), 20u);
    EXPECT_EQ(App().RecentWindows.front(), ids[1]);
    RememberRecentWindow(ids[5]);
    EXPECT_EQ(App().RecentWindows.back(), ids[5]);
    EXPECT_EQ(App().RecentWindows.size(), 20u);
    wins.Close(ids[2]);
    RememberRecentWindow(ids[20]);
    EXPECT_EQ(App().RecentWindows.size(), 19u);
    App() = AppState{};
}

}  // namespace
}  // namespace tbq
