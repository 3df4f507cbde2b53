#include <windows.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_ports.h"

namespace tbq::platform {

unsigned Win32CodePage::Id() const { return GetACP(); }

std::string Win32CodePage::ToAnsi(TextView text) const {
    if (text.empty()) return {};
    const auto* w = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

Text Win32CodePage::FromAnsi(std::string_view bytes) const {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    Text out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

bool Win32CodePage::IsLeadByte(unsigned char byte) const { return IsDBCSLeadByte(byte) != 0; }

namespace {
ClockTime FromSystemTime(const SYSTEMTIME& st) {
    ClockTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.dayOfWeek = st.wDayOfWeek;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.millisecond = st.wMilliseconds;
    return t;
}
}  // namespace

ClockTime Win32Clock::UtcNow() {
    SYSTEMTIME st;
    GetSystemTime(&st);
    return FromSystemTime(st);
}

ClockTime Win32Clock::LocalNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return FromSystemTime(st);
}

std::uint32_t Win32Clock::TickCount() { return GetTickCount(); }

std::uint32_t Win32SystemColors::SysColor(int index) { return GetSysColor(index); }

Ports DefaultPorts() {
    static Win32Files files;
    static Win32CodePage codepage;
    static Win32Clock clock;
    static Win32SystemColors colors;
    static Win32Windows windows;
    return Ports{&files, &codepage, &clock, &colors, &windows};
}

}  // namespace tbq::platform
