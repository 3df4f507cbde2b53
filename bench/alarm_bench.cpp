// One pass of the 100 ms check timer over 1,000 alarms of every kind (daily
// windows, weekday masks, fixed dates, field mode, some running), the clock
// moving a tenth of a second per pass; and the alarm-text item over the same list.
#include <benchmark/benchmark.h>

#include "alarm/alarm.h"
#include "fakes/fake_alarm_ports.h"
#include "fakes/fake_clock.h"
#include "items/view_alarm.h"
#include "platform/ports.h"

namespace {

using tbq::vbKerova_Alarm;

tbq::AlarmList ThousandAlarms() {
    tbq::AlarmList list;
    for (int i = 0; i < 1000; ++i) {
        auto a = std::make_shared<vbKerova_Alarm>();
        a->AlarmName = u"alarm " + tbq::NumberText(i);
        a->AlarmText = u"message";
        a->TargetYear = vbKerova_Alarm::kEveryYear;
        a->TargetHour = static_cast<std::uint8_t>(i % 24);
        a->TargetMinute = static_cast<std::uint8_t>(i % 60);
        a->TargetSecond = static_cast<std::uint8_t>(i % 60);
        a->MessageHour = 0, a->MessageMinute = 9, a->MessageSecond = 0;
        switch (i % 5) {
            case 1: a->TargetDay = static_cast<std::uint8_t>(128 | (1 << (i % 7))); break;
            case 2: a->TargetYear = 2027, a->TargetMonth = 3, a->TargetDay = 14; break;
            case 3: a->TargetSecond = vbKerova_Alarm::kEvery; break;
            case 4: a->TargetHour = vbKerova_Alarm::kEvery; break;  // every hour
            default: break;
        }
        a->Flag = vbKerova_Alarm::kAutoDelete * (i % 2);
        a->SetEnable(true);
        list.push_back(a);
    }
    return list;
}

struct Environment {
    std::vector<std::string> log;
    tbq::test::FakeClock clock;
    tbq::test::FakeSound sound{log};
    tbq::test::FakeShell shell{log};
    tbq::platform::ScopedPorts ports{
        tbq::platform::Ports{.clock = &clock, .sound = &sound, .shell = &shell}};
};

void BM_CheckThousandAlarms(benchmark::State& state) {
    Environment env;
    tbq::AlarmList list = ThousandAlarms();
    tbq::DateTime now{2026, 12, 8, 7, 0, 0};
    int tenths = 0;
    for (auto _ : state) {
        if (++tenths == 10) tenths = 0, now = tbq::AddSeconds(now, 1);
        benchmark::DoNotOptimize(tbq::CheckAlarms(list, now, true));
        env.log.clear();
    }
    state.counters["alarms"] = static_cast<double>(list.size());
}
BENCHMARK(BM_CheckThousandAlarms)->Unit(benchmark::kMicrosecond);

void BM_AlarmTextOverThousandAlarms(benchmark::State& state) {
    Environment env;
    const tbq::AlarmList list = ThousandAlarms();
    tbq::vbKerova_View_Alarm item;
    item.ViewType = tbq::vbKerova_View_Alarm::kAll;
    for (auto _ : state) benchmark::DoNotOptimize(item.TextAt(&list, {2026, 12, 8, 7, 5, 0}));
}
BENCHMARK(BM_AlarmTextOverThousandAlarms)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
