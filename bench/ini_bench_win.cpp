// Windows build: the INI workload through our accessor and through the system's
// profile functions in the same run, with the ratios. Run it under Wine:
//   tests/harness/wine-run build/win64/bench/tbq_ini_bench_win.exe
#include <windows.h>

#include "win_timing.h"

#include <cstdio>
#include <filesystem>
#include <functional>

#include "ini_workload.h"
#include "platform/ports.h"

namespace {

using tbq::bench::Seconds;

std::string Ansi(tbq::TextView t) { return tbq::platform::codepage().ToAnsi(t); }

}  // namespace

int wmain() {
    using namespace tbq;
    const bench::Names names;
    auto temp = std::filesystem::temp_directory_path();
    auto pathOf = [&](const char* n) {
        auto p = (temp / n).u16string();
        return Text(p.begin(), p.end());
    };
    const Text ours = pathOf("tbq-bench-ours.ini"), theirs = pathOf("tbq-bench-theirs.ini");
    DeleteFileW(reinterpret_cast<const wchar_t*>(ours.c_str()));
    DeleteFileW(reinterpret_cast<const wchar_t*>(theirs.c_str()));

    // Names in the code page once, so the system side pays no conversion we would not.
    std::vector<std::string> sections, keys;
    for (auto& s : names.sections) sections.push_back(Ansi(s));
    for (auto& k : names.keys) keys.push_back(Ansi(k));
    const std::string theirsA = Ansi(theirs);

    IniStore::Instance().Reset();
    double ourWrite = Seconds([&] { bench::WriteAll(ours, names); });
    double theirWrite = Seconds([&] {
        for (int s = 0; s < bench::kSections; ++s)
            for (int k = 0; k < bench::kKeys; ++k) {
                std::string v = (k % 2) ? std::to_string(s * 100 + k)
                                        : Ansi(u"値 text " + NumberText(k));
                WritePrivateProfileStringA(sections[s].c_str(), keys[k].c_str(), v.c_str(),
                                           theirsA.c_str());
            }
    });

    IniStore::Instance().Reset();
    std::int64_t ourSum = 0, theirSum = 0;
    double ourRead = Seconds([&] { ourSum = bench::ReadAll(ours, names); });
    double ourCached = Seconds([&] { ourSum = bench::ReadAll(ours, names); });
    double theirRead = Seconds([&] {
        char buf[10240];
        for (int s = 0; s < bench::kSections; ++s)
            for (int k = 0; k < bench::kKeys; ++k) {
                if (k % 2) {
                    theirSum += GetPrivateProfileIntA(sections[s].c_str(), keys[k].c_str(), 0,
                                                      theirsA.c_str());
                } else {
                    GetPrivateProfileStringA(sections[s].c_str(), keys[k].c_str(), "", buf,
                                             sizeof buf, theirsA.c_str());
                    theirSum += static_cast<std::int64_t>(
                        platform::codepage().FromAnsi(buf).size());
                }
            }
    });

    std::printf("20,000 keys in 1,000 sections (code page %u)\n", GetACP());
    std::printf("write: ours %.1f ms, system %.1f ms, system/ours %.1fx\n", ourWrite * 1e3,
                theirWrite * 1e3, theirWrite / ourWrite);
    std::printf("read:  ours %.1f ms (cached %.1f ms), system %.1f ms, system/ours %.1fx\n",
                ourRead * 1e3, ourCached * 1e3, theirRead * 1e3, theirRead / ourRead);
    std::printf("checksums: %lld %lld\n", static_cast<long long>(ourSum),
                static_cast<long long>(theirSum));
    DeleteFileW(reinterpret_cast<const wchar_t*>(ours.c_str()));
    DeleteFileW(reinterpret_cast<const wchar_t*>(theirs.c_str()));
    return ourSum == theirSum ? 0 : 1;
}
