// One update tick on the host: target choice, composition of a one-item list
// and the title write through the windows port (a fake that stores the title).
#include <benchmark/benchmark.h>

#include "app/app_state.h"
#include "app/update_tick.h"
#include "fakes/fake_windows.h"
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

}  // namespace

BENCHMARK_MAIN();
