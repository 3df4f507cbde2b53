// The extended format as the clock uses it on every tick: a typical clock
// format and a long one with every kind of extended token, into the 1024-byte
// buffer the program passes.
#include <benchmark/benchmark.h>

#include <string>

#include "format/ex_format.h"
#include "format/format_test_env.h"

namespace {

using namespace tbq::format;

const test::FormatTestEnv& Env() {
    static const auto env = test::FormatTestEnv::Create(test::TestCodePage::Japanese);
    env->Tables();  // converted once, as in the library
    return *env;
}

void Run(benchmark::State& state, const std::string& format) {
    const auto& env = Env();
    const TimeRecord t{2014, 6, 4, 5, 13, 7, 9, 7};
    char out[1025];
    int32_t length = 0;
    for (auto _ : state) {
        length = ExFormatConvertCore(&t, format.c_str(), out, 1024, env);
        benchmark::DoNotOptimize(out);
    }
    state.counters["bytes_out"] = length;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(format.size()));
}

void BM_ClockFormat(benchmark::State& state) { Run(state, "<yyyy/mm/dd hh:nn:ss>"); }
BENCHMARK(BM_ClockFormat);

void BM_LongExtendedFormat(benchmark::State& state) {
    std::string format;
    while (format.size() < 500) {
        format += "yyyy/mm/dd(aaa) hh:nn:ss #{yetet metet detet het ggg e msms ajd} ";
    }
    Run(state, format);
}
BENCHMARK(BM_LongExtendedFormat);

}  // namespace

BENCHMARK_MAIN();
