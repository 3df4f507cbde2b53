#include <windows.h>
// After windows.h:
#include <mmsystem.h>
#include <shellapi.h>
#include <shlobj.h>

#include "win32/wide.h"
#include "platform/win32/win32_ports.h"

namespace tbq::platform {

unsigned Win32CodePage::Id() const { return codePage_ == kSystem ? GetACP() : codePage_; }

std::string Win32CodePage::ToAnsi(TextView text) const {
    if (text.empty()) return {};
    const auto* w = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(codePage_, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage_, 0, w, static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

Text Win32CodePage::FromAnsi(std::string_view bytes) const {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    Text out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(codePage_, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

bool Win32CodePage::IsLeadByte(unsigned char byte) const {
    return IsDBCSLeadByteEx(codePage_, byte) != 0;
}

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

Text Win32Sound::SendCommand(TextView command) {
    wchar_t reply[256] = {};
    if (mciSendStringW(win32::Wide(command).c_str(), reply, 256, nullptr) != 0) return {};
    // A reply that fills the buffer may come without its terminator.
    const std::wstring_view text(reply, 256);
    return win32::FromWide(text.substr(0, text.find(L'\0')));
}

void Win32Sound::Beep(std::uint32_t code) { MessageBeep(code); }

void Win32Shell::Open(TextView verb, TextView file, TextView parameters, TextView folder) {
    const std::wstring v = win32::Wide(verb);
    ShellExecuteW(nullptr, v.empty() ? nullptr : v.c_str(), win32::Wide(file).c_str(),
                  win32::Wide(parameters).c_str(), win32::Wide(folder).c_str(), SW_SHOWNORMAL);
}

std::uint32_t Win32SystemColors::SysColor(int index) { return GetSysColor(index); }

BoxAnswer Win32Dialogs::Show(WindowId owner, const Text& text, const Text& caption,
                                   BoxStyle style) {
    UINT flags = MB_OK | MB_ICONINFORMATION;
    switch (style) {
        case BoxStyle::Information: break;
        case BoxStyle::Warning: flags = MB_OK | MB_ICONWARNING; break;
        case BoxStyle::Error: flags = MB_OK | MB_ICONERROR; break;
        case BoxStyle::ErrorRetryCancel: flags = MB_RETRYCANCEL | MB_ICONERROR; break;
        case BoxStyle::Question: flags = MB_YESNO | MB_ICONQUESTION; break;
    }
    int r = MessageBoxW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner)),
                        win32::Wide(text).c_str(), win32::Wide(caption).c_str(), flags);
    switch (r) {
        case IDRETRY: return BoxAnswer::Retry;
        case IDCANCEL: return BoxAnswer::Cancel;
        case IDYES: return BoxAnswer::Yes;
        case IDNO: return BoxAnswer::No;
        default: return BoxAnswer::Ok;
    }
}

std::optional<Text> Win32SystemSettings::SpecialFolderPath(int folder) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)) || !path[0])
        return std::nullopt;
    return win32::FromWide(path);
}

ProxySetting Win32SystemSettings::Proxy() {
    ProxySetting p;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return p;
    wchar_t server[256] = {};
    DWORD size = sizeof server - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key, L"ProxyServer", nullptr, &type, reinterpret_cast<BYTE*>(server),
                         &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
        p.server = win32::FromWide(server);
    DWORD enable = 0;
    size = sizeof enable;
    if (RegQueryValueExW(key, L"ProxyEnable", nullptr, &type, reinterpret_cast<BYTE*>(&enable),
                         &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        p.enabled = enable == 1;
    RegCloseKey(key);
    return p;
}

Ports DefaultPorts() {
    static Win32Files files;
    static Win32CodePage codepage;
    static Win32Clock clock;
    static Win32SystemColors colors;
    static Win32Windows windows;
    static Win32Dialogs dialogs;
    static Win32SystemSettings system;
    static Win32Sound sound;
    static Win32Shell shell;
    static Win32TimeZones zones;
    Ports p{&files, &codepage, &clock, &colors, &windows};
    p.dialogs = &dialogs;
    p.system = &system;
    p.locale = &SystemLocale();
    p.sound = &sound;
    p.shell = &shell;
    p.painter = &Win32PainterInstance();
    p.zones = &zones;
    p.frames = &Win32FramesInstance();
    return p;
}

}  // namespace tbq::platform
