// Prints what HostStat.tbqp reports, in numbers, for the check against what
// Linux reports (tests/plugins/check_hoststat.sh). HostStat is loaded through
// TBQ.dll's bridge from a copy in a scratch "Plugins" folder whose Setting.ini
// asks every function for its raw numbers. For the CPU load it also reads
// Linux's own counters (Z:\proc\stat) over the same two seconds.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tbq_library.h"

namespace {

template <typename Proc>
Proc Bind(HMODULE m, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(m, name)));
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    s.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
    return s;
}

// Busy and all jiffies of the first line of /proc/stat.
bool ProcStat(unsigned long long& busy, unsigned long long& all) {
    std::ifstream in("Z:\\proc\\stat");
    std::string cpu;
    unsigned long long v[8] = {};
    if (!(in >> cpu >> v[0] >> v[1] >> v[2] >> v[3] >> v[4] >> v[5] >> v[6] >> v[7])) return false;
    all = 0;
    for (auto x : v) all += x;
    busy = all - v[3] - v[4];  // less idle and iowait
    return true;
}

}  // namespace

int wmain() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring bin = Folder(self);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring plugins = std::wstring(temp) + L"hoststat-probe\\Plugins\\";
    CreateDirectoryW((std::wstring(temp) + L"hoststat-probe").c_str(), nullptr);
    CreateDirectoryW(plugins.c_str(), nullptr);
    CreateDirectoryW((plugins + L"HostStat").c_str(), nullptr);
    if (!CopyFileW((bin + L"Plugins\\HostStat.tbqp").c_str(), (plugins + L"HostStat.tbqp").c_str(), FALSE)) {
        std::printf("error=cannot copy HostStat.tbqp\n");
        return 1;
    }
    const std::wstring ini = plugins + L"HostStat\\Setting.ini";
    DeleteFileW(ini.c_str());
    const wchar_t* formats[][2] = {{L"CPU1", L"{load}"},          {L"MemoryUsed1", L"{usedkb} {totalkb}"},
                                   {L"MemoryFree1", L"{freekb}"}, {L"Uptime1", L"{totalseconds}"},
                                   {L"DriveFree1", L"{freebytes}"}, {L"Battery1", L"{level} {state}"},
                                   {L"Network1", L"{downtotal} {uptotal}"}};
    for (auto& f : formats) WritePrivateProfileStringW(f[0], L"Format", f[1], ini.c_str());
    WritePrivateProfileStringW(L"DriveFree1", L"Drive", L"C:\\", ini.c_str());

    HMODULE dll = LoadLibraryW(L"TBQ.dll");
    auto init = Bind<TBQ_PluginInitBridgeProc>(dll, "PluginInit");
    auto proc = Bind<TBQ_PluginGetFuncProcBridgeProc>(dll, "PluginGetFuncProc");
    auto getText = Bind<TBQ_PluginGetTextBridgeProc>(dll, "PluginGetText");
    auto freePlugin = Bind<TBQ_PluginFreeBridgeProc>(dll, "PluginFree");
    if (!init || !proc || !getText) return 1;
    char path[MAX_PATH * 2];
    WideCharToMultiByte(CP_ACP, 0, (plugins + L"HostStat.tbqp").c_str(), -1, path, sizeof path, nullptr, nullptr);
    HMODULE p = init(path);
    if (!p) {
        std::printf("error=HostStat.tbqp did not load\n");
        return 1;
    }
    TBQ_PluginGetTextProc text = proc(p);
    auto ask = [&](int func) {
        const int32_t n = getText(text, func, 1, nullptr, nullptr, 0, 0);
        std::wstring w(static_cast<std::size_t>(n) + 3, L'\0');
        getText(text, func, 1, nullptr, reinterpret_cast<char*>(w.data()), n + 1, 0);
        return Utf8(w.c_str());
    };
    unsigned long long busy0 = 0, all0 = 0, busy1 = 0, all1 = 0;
    ProcStat(busy0, all0);
    ask(1);  // starts the CPU measurement
    Sleep(2000);
    const std::string cpu = ask(1);
    ProcStat(busy1, all1);
    const double procLoad = all1 > all0 ? 100.0 * static_cast<double>(busy1 - busy0) / static_cast<double>(all1 - all0) : -1;
    std::printf("cpu=%s\ncpu_proc=%.0f\n", cpu.c_str(), procLoad);
    std::printf("memory_used=%s\n", ask(2).c_str());
    std::printf("memory_free=%s\n", ask(3).c_str());
    std::printf("uptime=%s\n", ask(4).c_str());
    std::printf("drive_free=%s\n", ask(5).c_str());
    std::printf("battery=%s\n", ask(6).c_str());
    std::printf("network=%s\n", ask(7).c_str());
    freePlugin(p);
    return 0;
}
