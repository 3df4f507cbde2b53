// Windows build: what one plug-in text request costs, through TBQ.dll's bridge
// in this process and through a plug-in host process (TBQPluginHost.exe), for
// a small test plug-in and for HostStat's CPU load. Run it under Wine, after
// the win64 build (it finds everything beside itself in build/win64/bin):
//   tests/harness/wine-run build/win64/bin/tbq_plugin_bench_win.exe
#include <windows.h>

#include "win_timing.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/win32/library_win32.h"
#include "plugin/plugin_registry.h"

namespace {

namespace fs = std::filesystem;

using tbq::bench::Seconds;

tbq::Text AsText(const fs::path& p) {
    const std::u16string s = p.u16string();
    return tbq::Text(s.begin(), s.end());
}

void Measure(const char* what, const fs::path& bin, const fs::path& folder, bool hosted,
             const char16_t* file, int func, int rounds) {
    tbq::platform::Win32Library library(AsText(bin / "TBQ.dll"),
                                        hosted ? AsText(bin / "TBQPluginHost.exe") : tbq::Text());
    tbq::PluginRegistry registry(library);
    double loading = Seconds([&] { registry.Scan(AsText(folder) + u"\\", AsText(folder / "none.ini"), false); });
    auto plugin = registry.Find(file);
    if (!plugin || !plugin->Enable()) {
        std::printf("%-44s not loaded\n", what);
        return;
    }
    std::size_t chars = 0;
    const double s = Seconds([&] {
        for (int i = 0; i < rounds; ++i) chars += plugin->PluginGetText(0, func, 1).size();
    });
    std::printf("%-44s %9.2f us a request (%d requests, %zu characters), loading %.1f ms\n", what,
                1e6 * s / rounds, rounds, chars / static_cast<std::size_t>(rounds), 1e3 * loading);
}

// The three texts of HostStat's sample list (CPU load, memory in use, uptime),
// as one tick asks them: one by one, and in one exchange.
void MeasureSampleTick(const fs::path& bin, const fs::path& folder, bool together, int rounds) {
    tbq::platform::Win32Library library(AsText(bin / "TBQ.dll"), AsText(bin / "TBQPluginHost.exe"));
    tbq::PluginRegistry registry(library);
    registry.Scan(AsText(folder) + u"\\", AsText(folder / "none.ini"), false);
    auto plugin = registry.Find(u"HostStat.tbqp");
    if (!plugin || !plugin->Enable()) return;
    const std::vector<std::pair<std::int32_t, std::int32_t>> texts{{1, 1}, {2, 1}, {4, 1}};
    std::size_t chars = 0;
    const double s = Seconds([&] {
        for (int i = 0; i < rounds; ++i) {
            if (together) plugin->AskTexts(0, texts);
            for (const auto& [func, setting] : texts) chars += plugin->PluginGetText(0, func, setting).size();
            plugin->ForgetTexts();
        }
    });
    std::printf("%-44s %9.2f us a tick (%d ticks, %zu characters)\n",
                together ? "HostStat sample tick, texts together" : "HostStat sample tick, one by one",
                1e6 * s / rounds, rounds, chars / static_cast<std::size_t>(rounds));
}

}  // namespace

// An argument names another HostStat.tbqp to measure (an earlier build's).
int wmain(int argc, wchar_t** argv) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path bin = fs::path(self).parent_path();
    const fs::path folder = fs::temp_directory_path() / "tbq-plugin-bench";
    fs::remove_all(folder);
    fs::create_directories(folder / "Plugins");
    fs::copy_file(bin / "testplugins" / "good_ansi.tbqp", folder / "Plugins" / "good_ansi.tbqp");
    fs::copy_file(argc > 1 ? fs::path(argv[1]) : bin / "Plugins" / "HostStat.tbqp",
                  folder / "Plugins" / "HostStat.tbqp");

    Measure("test plug-in, in this process", bin, folder, false, u"good_ansi.tbqp", 1, 20000);
    Measure("test plug-in, host process", bin, folder, true, u"good_ansi.tbqp", 1, 2000);
    Measure("HostStat CPU load, in this process", bin, folder, false, u"HostStat.tbqp", 1, 2000);
    Measure("HostStat CPU load, host process", bin, folder, true, u"HostStat.tbqp", 1, 2000);
    Measure("HostStat memory, host process", bin, folder, true, u"HostStat.tbqp", 2, 2000);
    MeasureSampleTick(bin, folder, false, 1000);
    MeasureSampleTick(bin, folder, true, 1000);
    fs::remove_all(folder);
    return 0;
}
