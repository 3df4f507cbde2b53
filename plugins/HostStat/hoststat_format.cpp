#include "hoststat_format.h"

#include <cmath>
#include <cstdio>

namespace hoststat {

namespace {
const FunctionSpec kSpecs[kFunctionCount] = {
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
}  // namespace

const FunctionSpec* Spec(int function) {
    return function >= 1 && function <= kFunctionCount ? &kSpecs[function - 1] : nullptr;
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
