#include "hoststat_format.h"

#include <cmath>
#include <cstdio>

namespace hoststat {

namespace {
const FunctionSpec kJapanese[kFunctionCount] = {
    {"CPU", L"CPU使用率", L"CPU全体の使用率（前回の表示からの平均）", L"CPU {load}%",
     L"{load} 使用率(%)"},
    {"MemoryUsed", L"メモリ使用量", L"使用中の物理メモリ", L"メモリ {used}/{total}MB ({percent}%)",
     L"{used} {total} 使用量と総量(MB)  {percent} 使用率(%)  {usedkb} {totalkb} (KB)"},
    {"MemoryFree", L"空きメモリ", L"使用できる物理メモリ", L"空きメモリ {free}MB",
     L"{free} 空き(MB)  {total} 総量(MB)  {percent} 空き率(%)  {freekb} (KB)"},
    {"Uptime", L"稼働時間", L"Windowsが起動してからの時間", L"稼働 {days}日{hours}時間{minutes}分",
     L"{days} 日 {hours} 時 {minutes} 分 {seconds} 秒  {totalhours} 通算時間  {totalseconds} 通算秒"},
    {"DriveFree", L"ドライブ空き容量", L"ドライブの空き容量（設定の Drive）", L"{drive} 空き {free}GB",
     L"{drive} ドライブ  {free} {total} 空きと総量(GB)  {percent} 空き率(%)  {freemb} (MB)  {freebytes} (バイト)"},
    {"Battery", L"バッテリー", L"バッテリー残量と充電状態", L"電池 {level}% {state}",
     L"{level} 残量(%、不明なら -)  {state} 充電中/放電中/AC電源/バッテリーなし/不明"},
    {"Network", L"ネットワーク速度", L"全ネットワーク接続の送受信速度（ループバックを除く）",
     L"↓{down}KB/s ↑{up}KB/s",
     L"{down} {up} 受信/送信(KB/s)  {downbytes} {upbytes} (バイト/秒)  {downtotal} {uptotal} 累計(バイト)"},
};
const FunctionSpec kEnglish[kFunctionCount] = {
    {"CPU", L"CPU load", L"The load of all processors (average since the last time shown)", L"CPU {load}%",
     L"{load} load (%)"},
    {"MemoryUsed", L"Memory in use", L"Physical memory in use", L"Memory {used}/{total} MB ({percent}%)",
     L"{used} {total} in use and total (MB)  {percent} in use (%)  {usedkb} {totalkb} (KB)"},
    {"MemoryFree", L"Free memory", L"Physical memory available", L"Free memory {free} MB",
     L"{free} free (MB)  {total} total (MB)  {percent} free (%)  {freekb} (KB)"},
    {"Uptime", L"Uptime", L"Time since Windows started", L"Up {days}d {hours}h {minutes}m",
     L"{days} days {hours} hours {minutes} minutes {seconds} seconds  {totalhours} hours in all  "
     L"{totalseconds} seconds in all"},
    {"DriveFree", L"Free disk space", L"Free space of a drive (the setting's Drive)", L"{drive} {free} GB free",
     L"{drive} drive  {free} {total} free and total (GB)  {percent} free (%)  {freemb} (MB)  {freebytes} (bytes)"},
    {"Battery", L"Battery", L"Battery charge and state", L"Battery {level}% {state}",
     L"{level} charge (%, - when unknown)  {state} charging/discharging/on mains/no battery/unknown"},
    {"Network", L"Network speed", L"Speed of all network connections but loopback",
     L"↓{down}KB/s ↑{up}KB/s",
     L"{down} {up} received/sent (KB/s)  {downbytes} {upbytes} (bytes/s)  {downtotal} {uptotal} in all (bytes)"},
};

constexpr int kSayCount = static_cast<int>(Say::Count);
const wchar_t* const kSayJapanese[kSayCount] = {
    L"HostStat の設定",
    L"設定",
    L"設定名",
    L"表示形式",
    L"ドライブ",
    L"キャンセル",
    L"表示例 : ",
    L"標準",
    L"CPU・メモリ・稼働時間・ドライブ・バッテリー・ネットワークの状態を表示します。",
    L"HostStat 1.0.0\r\n\r\n"
    L"CPU使用率、メモリ使用量と空き、稼働時間、ドライブの空き容量、"
    L"バッテリー残量と充電状態、ネットワーク速度をタイトルバーに表示する、"
    L"TBQ用のプラグインです。\r\n\r\n"
    L"表示形式は各機能の設定で変更できます。\r\n"
    L"設定ファイル : Plugins\\HostStat\\Setting.ini",
    L"HostStat について",
    L"不明",
    L"充電中",
    L"放電中",
    L"AC電源",
    L"バッテリーなし",
};
const wchar_t* const kSayEnglish[kSayCount] = {
    L"HostStat settings",
    L"Setting",
    L"Name",
    L"Format",
    L"Drive",
    L"Cancel",
    L"Example: ",
    L"Standard",
    L"Shows the state of the processor, memory, uptime, drives, battery and network.",
    L"HostStat 1.0.0\r\n\r\n"
    L"A plug-in for Lunetta that shows the processor load, memory in use and free, uptime, "
    L"free disk space, battery charge and state, and network speed in title bars.\r\n\r\n"
    L"Each function's settings change its format.\r\n"
    L"Settings file: Plugins\\HostStat\\Setting.ini",
    L"About HostStat",
    L"unknown",
    L"charging",
    L"discharging",
    L"on mains",
    L"no battery",
};
}  // namespace

Language ChooseLanguage(int setting, unsigned short uiLanguage) {
    if (setting == 1) return Language::Japanese;
    if (setting == 2) return Language::English;
    constexpr unsigned short kPrimaryJapanese = 0x11;  // LANG_JAPANESE
    return (uiLanguage & 0x3FF) == kPrimaryJapanese ? Language::Japanese : Language::English;
}

const FunctionSpec* Spec(int function, Language language) {
    if (function < 1 || function > kFunctionCount) return nullptr;
    return &(language == Language::English ? kEnglish : kJapanese)[function - 1];
}

const wchar_t* Text(Language language, Say what) {
    const int i = static_cast<int>(what);
    if (i < 0 || i >= kSayCount) return L"";
    return (language == Language::English ? kSayEnglish : kSayJapanese)[i];
}

std::wstring Expand(std::wstring_view format,
                    const std::function<std::optional<std::wstring>(std::wstring_view)>& value) {
    std::wstring out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const wchar_t c = format[i];
        if (c == L'{' && i + 1 < format.size() && format[i + 1] == L'{') {
            out += L'{';
            ++i;
            continue;
        }
        const std::size_t close = c == L'{' ? format.find(L'}', i + 1) : std::wstring_view::npos;
        if (close == std::wstring_view::npos) {
            out += c;
            continue;
        }
        const std::wstring_view name = format.substr(i + 1, close - i - 1);
        if (std::optional<std::wstring> v = value(name)) {
            out += *v;
            i = close;
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring Whole(double v) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%.0f", std::floor(v + 0.5));
    return buf;
}

std::wstring OneDecimal(double v) {
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%.1f", v);
    return buf;
}

}  // namespace hoststat
