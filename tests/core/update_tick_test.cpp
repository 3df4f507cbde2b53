#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/update_tick.h"
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

    UpdateTick MakeTick() {
        UpdateTick::Collaborators c;
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
    EXPECT_EQ(App().CompositionStamp, 1234u);
    tick.Run();
    EXPECT_EQ(wins_[a].writes, 2);  // written on every tick
    wins_.foreground = b;
    tick.Run();
    EXPECT_EQ(wins_[a].title, u"A");
    EXPECT_EQ(wins_[b].title, u"<*Default>");
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
