// Host build: the INI workload through our accessor on real files.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "ini_workload.h"

namespace {

tbq::Text BenchFile(const char* name) {
    auto p = (std::filesystem::temp_directory_path() / name).u16string();
    return tbq::Text(p.begin(), p.end());
}

// The whole read of 20,000 keys from a file not yet cached (parse included).
void BM_IniReadAllKeys(benchmark::State& state) {
    static const tbq::bench::Names names;
    const tbq::Text file = BenchFile("tbq-bench-read.ini");
    tbq::IniStore::Instance().Reset();
    tbq::bench::WriteAll(file, names);
    for (auto _ : state) {
        tbq::IniStore::Instance().Reset();
        benchmark::DoNotOptimize(tbq::bench::ReadAll(file, names));
    }
    std::filesystem::remove(std::filesystem::path(file));
}
BENCHMARK(BM_IniReadAllKeys)->Unit(benchmark::kMillisecond);

// The same read once the file is cached: what later loads of an unchanged file cost.
void BM_IniReadAllKeysCached(benchmark::State& state) {
    static const tbq::bench::Names names;
    const tbq::Text file = BenchFile("tbq-bench-read2.ini");
    tbq::IniStore::Instance().Reset();
    tbq::bench::WriteAll(file, names);
    for (auto _ : state) benchmark::DoNotOptimize(tbq::bench::ReadAll(file, names));
    std::filesystem::remove(std::filesystem::path(file));
}
BENCHMARK(BM_IniReadAllKeysCached)->Unit(benchmark::kMillisecond);

// 20,000 write calls into a new file, replaced on disk once at the end.
void BM_IniWriteAllKeys(benchmark::State& state) {
    static const tbq::bench::Names names;
    const tbq::Text file = BenchFile("tbq-bench-write.ini");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(std::filesystem::path(file));
        tbq::IniStore::Instance().Reset();
        state.ResumeTiming();
        tbq::bench::WriteAll(file, names);
    }
    std::filesystem::remove(std::filesystem::path(file));
}
BENCHMARK(BM_IniWriteAllKeys)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
