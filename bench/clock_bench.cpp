// A world clock: one composition pass over a list of 20 clock items in
// different zones, formats and offsets, half of them in the extended format
// (through the fake library, so the figure is our side of the call: time
// record, code page conversion, wrapper). Target: well under 100 µs a pass.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "core/library_wrapper.h"
#include "core/program_location.h"
#include "fakes/fake_library.h"
#include "fakes/temp_folder.h"
#include "items/view_clock.h"
#include "items/view_list.h"
#include "platform/ports.h"

namespace {

constexpr const char16_t* kZones[] = {u"TYO", u"UTC", u"LON", u"NYC", u"DEL",
                                      u"SYD", u"LAX", u"MOW", u"RIO", u"HNL"};
constexpr const char16_t* kFormats[] = {u"<YYYY/MM/DD HH:MM:SS>", u"<yyyy/mm/dd(ddd) hh:mm:ss>",
                                        u"ggge年m月d日(aaaa) h時nn分", u"h:nn AM/PM",
                                        u"dddddd ttttt"};
constexpr const char16_t* kExtendedFormats[] = {u"#{yetet}年 yyyy/mm/dd hh:nn:ss",
                                                u"#{ggg}#{e}年 #{ajd}", u"hh:nn:ss.#{msms}"};

void BM_ComposeTwentyClocks(benchmark::State& state) {
    // Zones come from the data file in the program folder; a small one will do.
    tbq::test::TempFolder dir;
    std::string data;
    const char* rows[][3] = {{"TYO", "9", "0"}, {"UTC", "0", "0"}, {"LON", "0", "0"},
                             {"NYC", "5", "1"}, {"DEL", "5", "0"}, {"SYD", "10", "0"},
                             {"LAX", "8", "1"}, {"MOW", "3", "0"}, {"RIO", "3", "1"},
                             {"HNL", "10", "1"}};
    int n = 0;
    for (auto& r : rows) {
        char section[64];
        std::snprintf(section, sizeof section, "[TimeZone%03d]\r\n", ++n);
        data += std::string(section) + "SName=" + r[0] + "\r\nHour=" + r[1] +
                "\r\nMinute=" + (std::string(r[0]) == "DEL" ? "30" : "0") + "\r\nMinus=" + r[2] +
                "\r\n";
    }
    dir.WriteBytes("TBQ_Data.ini", data);
    const tbq::Text savedFolder = tbq::ProgramFolder();
    tbq::SetProgramLocation(dir.Path() + u"/", u"TBQ");

    tbq::test::FakeLibrary fake;
    tbq::vbKerova_Dll dll(fake, nullptr);
    tbq::SetTheLibrary(&dll);

    tbq::ViewList list;
    for (int i = 0; i < 20; ++i) {
        auto clock = std::make_shared<tbq::vbKerova_View_Clock>();
        clock->SetTimeZoneName(kZones[i % 10]);
        if (i % 2) {
            clock->Flag = tbq::vbKerova_View_Clock::kFlagExtendedFormat;
            clock->FormatText = kExtendedFormats[i % 3];
        } else {
            clock->FormatText = kFormats[(i / 2) % 5];
        }
        if (i % 4 == 0) clock->OffsetDay = 1;
        if (i % 5 == 0) clock->OffsetMonth = -1;
        auto item = std::make_shared<tbq::vbKerova_ViewData>();
        item->SetData(clock, 0xFF000000, true);
        list.push_back(item);
    }

    std::uint32_t stamp = 1;
    for (auto _ : state) {
        // A new pass: every item computes its text again.
        tbq::CompositionStamp() = ++stamp;
        benchmark::DoNotOptimize(tbq::ComposeListText(list, false));
        fake.convertCalls.clear();
    }
    state.counters["items"] = 20;

    tbq::SetTheLibrary(nullptr);
    tbq::SetProgramLocation(savedFolder, u"TBQ");
}
BENCHMARK(BM_ComposeTwentyClocks)->Unit(benchmark::kMicrosecond);

// One clock in the default format, the common case of the default list.
void BM_OneDefaultClock(benchmark::State& state) {
    tbq::vbKerova_View_Clock clock;
    for (auto _ : state) benchmark::DoNotOptimize(clock.Text());
}
BENCHMARK(BM_OneDefaultClock);

}  // namespace

BENCHMARK_MAIN();
