// One update tick on the host: target choice, composition of the list and the
// title write through the windows port (a fake that stores the title).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/app_state.h"
#include "app/update_tick.h"
#include "core/program_location.h"
#include "fakes/fake_time_zones.h"
#include "fakes/fake_windows.h"
#include "fakes/temp_folder.h"
#include "items/view_clock.h"
#include "items/view_count.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "items/view_list.h"
#include "platform/ports.h"

namespace {

void BM_UpdateTickOneItem(benchmark::State& state) {
    tbq::test::FakeWindows wins;
    tbq::platform::ScopedPorts ports(tbq::platform::Ports{.windows = &wins});
    tbq::App() = tbq::AppState{};
    tbq::App().MainWindowHandle = wins.Add(u"Lunetta");
    const auto editor = wins.Add(u"Editor - document.txt");
    wins.foreground = editor;

    tbq::vbKerova_TitleBar titleBar;
    tbq::vbKerova_Window fixed;
    std::vector<std::shared_ptr<tbq::vbKerova_Window>> rules;
    tbq::UpdateTick::Collaborators c;
    c.titleBar = &titleBar;
    c.fixedRule = &fixed;
    c.rules = &rules;
    c.compose = [](const tbq::Text&) -> std::optional<tbq::Text> {
        return tbq::Text(u"<2026/12/08 12:00:00>");
    };
    c.tickCount = [] { return 1u; };
    tbq::UpdateTick tick(std::move(c));
    for (auto _ : state) tick.Run();
    benchmark::DoNotOptimize(wins[editor].title);
}
BENCHMARK(BM_UpdateTickOneItem);

// Ticks with `list` as the default display list, writing into `editor`.
void TickOver(benchmark::State& state, tbq::test::FakeWindows& wins, tbq::platform::WindowId editor,
              std::shared_ptr<tbq::ViewList> list,
              std::vector<std::shared_ptr<tbq::vbKerova_Window>>& rules) {
    using namespace tbq;
    ViewListRegistry::Instance().Clear();
    ViewListRegistry::Instance().SetViewList(kDefaultListName, list);

    vbKerova_TitleBar titleBar;
    SetTitleSource([&] { return titleBar.OldTitle(); });
    vbKerova_Window fixed;
    UpdateTick::Collaborators c;
    c.titleBar = &titleBar;
    c.fixedRule = &fixed;
    c.rules = &rules;
    c.compose = [](const Text& name) -> std::optional<Text> {
        ViewListPtr l = ViewListRegistry::Instance().GetViewList(name, true);
        if (!l) return std::nullopt;
        return ComposeListText(*l, false);
    };
    c.advanceGroups = [] { AdvanceGroups(ViewListRegistry::Instance()); };
    std::uint32_t stamp = 0;
    c.tickCount = [&] { return ++stamp; };
    UpdateTick tick(std::move(c));
    for (auto _ : state) tick.Run();
    benchmark::DoNotOptimize(wins[editor].title);
    SetTitleSource({});
    ViewListRegistry::Instance().Clear();
}

// A busy setup: 20 enabled rules of which only the last matches the window,
// and a 20-item list of fixed texts, title excerpts, counts and a scrolling
// group, composed through the registry and moved on every tick.
void BM_UpdateTickTwentyRulesTwentyItems(benchmark::State& state) {
    using namespace tbq;
    test::FakeWindows wins;
    platform::ScopedPorts ports(platform::Ports{.windows = &wins});
    App() = AppState{};
    App().MainWindowHandle = wins.Add(u"Lunetta");
    const auto editor = wins.Add(u"報告書.txt - メモ帳");
    wins[editor].className = u"Notepad";
    wins.foreground = editor;

    std::vector<std::shared_ptr<vbKerova_Window>> rules;
    for (int i = 0; i < 20; ++i) {
        auto r = std::make_shared<vbKerova_Window>();
        r->Title = u"rule";
        r->Enable = true;
        r->Action = vbKerova_Window::kPermit;
        if (i < 19) {
            r->Flag = vbKerova_Window::kTitle;
            r->CheckOption = vbKerova_Window::kTitlePart;
            r->WindowTitle = u"見つからない題名 " + NumberText(i);
        } else {
            r->Flag = vbKerova_Window::kClass;
            r->WindowClass = u"Notepad";
        }
        rules.push_back(r);
    }

    auto list = std::make_shared<ViewList>();
    auto add = [&](std::shared_ptr<ViewSubItem> sub) {
        auto item = std::make_shared<vbKerova_ViewData>();
        item->SetData(std::move(sub), vbKerova_ViewData::kNoColor, true);
        list->push_back(item);
    };
    auto group = std::make_shared<vbKerova_View_Group>();
    group->ViewStyle = vbKerova_View_Group::kScroll;
    group->TargetNum = 4;
    group->CharLen = 20;
    add(group);
    for (int i = 0; i < 19; ++i) {
        if (i % 3 == 0) {
            auto title = std::make_shared<vbKerova_View_Fixed>();
            title->DataType = vbKerova_View_Fixed::kWindowTitle;
            title->TitleStyle = vbKerova_View_Fixed::kByDelimiter;
            title->TitleChar = u" - ";
            add(title);
        } else if (i % 3 == 1) {
            auto count = std::make_shared<vbKerova_View_Count>();
            count->TargetYear = vbKerova_View_Count::kNextYear;
            count->TargetMonth = 1;
            count->TargetDay = 1;
            count->ViewStyle = vbKerova_View_Count::kDays | vbKerova_View_Count::kHours |
                               vbKerova_View_Count::kSeconds;
            add(count);
        } else {
            auto fixed = std::make_shared<vbKerova_View_Fixed>();
            fixed->SetText(u"【作業中】");
            add(fixed);
        }
    }
    LinkGroupChildren(*list);
    TickOver(state, wins, editor, list, rules);
}
BENCHMARK(BM_UpdateTickTwentyRulesTwentyItems);

// A world clock of 20 clocks in five zones with summer time, fixed (argument
// 0) or following the zones' rules (1), with the system's records from the
// test fake and the shipped time-zone table. Each tick computes every clock
// anew; the rules are looked up once per zone and year and then kept.
void BM_UpdateTickTwentyClocks(benchmark::State& state) {
    using namespace tbq;
    test::TempFolder dir;
    std::filesystem::copy_file(
        std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / "TBQ_Data.ini",
        dir.Native("TBQ_Data.ini"));
    const Text savedFolder = ProgramFolder();
    SetProgramLocation(dir.Path() + u"/", u"TBQ");
    test::FakeWindows wins;
    test::FakeTimeZones zones = test::FakeTimeZones::WindowsRecords();
    platform::ScopedPorts ports(platform::Ports{.windows = &wins, .zones = &zones});
    App() = AppState{};
    App().MainWindowHandle = wins.Add(u"Lunetta");
    const auto editor = wins.Add(u"無題 - メモ帳");
    wins.foreground = editor;

    constexpr const char16_t* kZones[] = {u"LON", u"NYC", u"SYD", u"SCL", u"LDH"};
    auto list = std::make_shared<ViewList>();
    for (int i = 0; i < 20; ++i) {
        auto clock = std::make_shared<vbKerova_View_Clock>();
        clock->SetTimeZoneName(kZones[i % 5]);
        clock->FormatText = u" m/d hh:nn";
        clock->Flag = state.range(0) ? vbKerova_View_Clock::kFlagAutoSummerTime
                                     : vbKerova_View_Clock::kFlagDaylightSaving;
        if (i % 4 == 1) clock->OffsetMonth = 6;
        auto item = std::make_shared<vbKerova_ViewData>();
        item->SetData(clock, vbKerova_ViewData::kNoColor, true);
        list->push_back(item);
    }
    std::vector<std::shared_ptr<vbKerova_Window>> rules;
    TickOver(state, wins, editor, list, rules);
    state.counters["lookups"] = zones.lookUps;
    SetProgramLocation(savedFolder, u"TBQ");
}
BENCHMARK(BM_UpdateTickTwentyClocks)->Arg(0)->Arg(1)->ArgName("automatic");

}  // namespace

BENCHMARK_MAIN();
