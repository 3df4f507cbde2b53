// HostStat.tbqp: the state of this computer for TBQ's title bar. Seven text
// functions (CPU load, memory in use and free, uptime, free space of a drive,
// battery, network speed), each with settings of its own: a name and a format
// text, kept in "Setting.ini" in a folder named after the plug-in beside it
// (Plugins\HostStat\Setting.ini), one section a setting ("CPU1", "CPU2", …).
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "hoststat_format.h"
#include "hoststat_ids.h"
#include "metrics.h"
#include "tbq_plugin.h"

namespace {

using namespace hoststat;

HMODULE g_module = nullptr;
// The text of the last length question per function and setting: the second
// call of a request delivers exactly the text whose length it was told.
std::map<std::pair<int, int>, std::wstring> g_texts;

constexpr int kMaxSettings = 99;
constexpr wchar_t kDefaultDrive[] = L"C:\\";

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring ModulePath() {
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(g_module, path, static_cast<DWORD>(std::size(path)));
    return path;
}

// The language TBQ shows, from its settings beside it (the plug-in lives in
// its Plugins folder). Read again every few seconds: texts are asked for many
// times a second. Loaded by another program, without TBQ's settings, the
// plug-in keeps the Japanese texts it always had.
Language Shown() {
    static const std::wstring settings = [] {
        const std::wstring plugins = FolderOf(ModulePath());
        return FolderOf(plugins.substr(0, plugins.empty() ? 0 : plugins.size() - 1)) + L"TBQ_Setting.ini";
    }();
    static Language language = Language::Japanese;
    static DWORD readAt = 0;
    static bool read = false;
    constexpr DWORD kKeepMs = 2000;
    const DWORD now = GetTickCount();
    if (!read || now - readAt > kKeepMs) {
        constexpr int kJapanese = 1;
        const bool beside = GetFileAttributesW(settings.c_str()) != INVALID_FILE_ATTRIBUTES;
        const int setting =
            beside ? static_cast<int>(GetPrivateProfileIntW(L"Basic", L"Language", 0, settings.c_str())) : kJapanese;
        language = ChooseLanguage(setting, GetUserDefaultUILanguage());
        readAt = now;
        read = true;
    }
    return language;
}

const wchar_t* Words(hoststat::Say what) { return hoststat::Text(Shown(), what); }

const std::wstring& SettingFile() {
    static const std::wstring file = [] {
        const std::wstring p = ModulePath();
        const std::size_t slash = p.find_last_of(L"\\/");
        const std::size_t dot = p.find_last_of(L'.');
        const std::wstring base = p.substr(slash + 1, dot == std::wstring::npos || dot < slash ? std::wstring::npos : dot - slash - 1);
        return p.substr(0, slash + 1) + base + L"\\Setting.ini";
    }();
    return file;
}

std::wstring Section(int function, int setting) {
    const FunctionSpec* spec = Spec(function);
    std::wstring s(spec->section, spec->section + std::strlen(spec->section));
    return s + std::to_wstring(setting);
}

// What was read from the settings file, kept until the file changes on disk
// (its time or size) or this plug-in writes it: a title bar asks for texts many
// times a second, and each would otherwise parse the file again.
std::map<std::wstring, std::wstring> g_read;
WIN32_FILE_ATTRIBUTE_DATA g_stamp{};
bool g_stampFound = false;

void ForgetReadsIfFileChanged() {
    WIN32_FILE_ATTRIBUTE_DATA now{};
    const bool found = GetFileAttributesExW(SettingFile().c_str(), GetFileExInfoStandard, &now) != FALSE;
    if (found != g_stampFound || CompareFileTime(&now.ftLastWriteTime, &g_stamp.ftLastWriteTime) != 0 ||
        now.nFileSizeLow != g_stamp.nFileSizeLow || now.nFileSizeHigh != g_stamp.nFileSizeHigh)
        g_read.clear();
    g_stamp = now;
    g_stampFound = found;
}

std::wstring Read(const std::wstring& section, const wchar_t* key, const wchar_t* fallback) {
    std::wstring id = section + L'\n' + key + L'\n' + fallback;
    auto known = g_read.find(id);
    if (known != g_read.end()) return known->second;
    wchar_t buf[1024];
    GetPrivateProfileStringW(section.c_str(), key, fallback, buf, static_cast<DWORD>(std::size(buf)),
                             SettingFile().c_str());
    return g_read.emplace(std::move(id), buf).first->second;
}

bool SectionExists(const std::wstring& section) { return Read(section, L"Format", L"\x1") != L"\x1"; }

// Settings 1 … n are the sections that follow one another; setting 1 always
// exists (with its defaults when the file has none).
int SettingCount(int function) {
    int n = 1;
    while (n < kMaxSettings && SectionExists(Section(function, n + 1))) ++n;
    return n;
}

struct Setting {
    std::wstring name, format, drive;
};

Setting Load(int function, int setting) {
    const std::wstring s = Section(function, setting);
    return {Read(s, L"SettingName", Words(Say::DefaultSettingName)), Read(s, L"Format", Spec(function, Shown())->defaultFormat),
            Read(s, L"Drive", kDefaultDrive)};
}

void Save(int function, int setting, const Setting& v) {
    const std::wstring s = Section(function, setting), file = SettingFile();
    CreateDirectoryW(file.substr(0, file.find_last_of(L'\\')).c_str(), nullptr);
    g_read.clear();
    WritePrivateProfileStringW(s.c_str(), L"SettingName", v.name.c_str(), file.c_str());
    WritePrivateProfileStringW(s.c_str(), L"Format", v.format.c_str(), file.c_str());
    if (function == kDriveFree) WritePrivateProfileStringW(s.c_str(), L"Drive", v.drive.c_str(), file.c_str());
}

std::wstring U64(std::uint64_t v) { return std::to_wstring(v); }

std::optional<std::wstring> Value(int function, const Setting& s, std::wstring_view n) {
    constexpr double kMB = 1024.0 * 1024.0, kGB = kMB * 1024.0;
    switch (function) {
        case kCpu:
            if (n == L"load") return Whole(CpuLoad());
            break;
        case kMemoryUsed:
        case kMemoryFree: {
            const Memory m = ReadMemory();
            const std::uint64_t used = m.total - m.available;
            const std::uint64_t shown = function == kMemoryUsed ? used : m.available;
            if (n == L"total") return Whole(static_cast<double>(m.total) / kMB);
            if (n == L"totalkb") return U64(m.total / 1024);
            if (n == L"used" || n == L"free") return Whole(static_cast<double>(shown) / kMB);
            if (n == L"usedkb" || n == L"freekb") return U64(shown / 1024);
            if (n == L"percent") return Whole(m.total ? 100.0 * static_cast<double>(shown) / static_cast<double>(m.total) : 0);
            break;
        }
        case kUptime: {
            const std::uint64_t sec = UptimeMilliseconds() / 1000;
            if (n == L"days") return U64(sec / 86400);
            if (n == L"hours") return U64(sec / 3600 % 24);
            if (n == L"minutes") return U64(sec / 60 % 60);
            if (n == L"seconds") return U64(sec % 60);
            if (n == L"totalhours") return U64(sec / 3600);
            if (n == L"totalseconds") return U64(sec);
            break;
        }
        case kDriveFree: {
            if (n == L"drive") return s.drive;
            const Drive d = ReadDrive(s.drive);
            if (!d.ok) return std::wstring(L"-");
            if (n == L"free") return OneDecimal(static_cast<double>(d.free) / kGB);
            if (n == L"total") return OneDecimal(static_cast<double>(d.total) / kGB);
            if (n == L"freemb") return U64(d.free / (1024 * 1024));
            if (n == L"freebytes") return U64(d.free);
            if (n == L"percent") return Whole(d.total ? 100.0 * static_cast<double>(d.free) / static_cast<double>(d.total) : 0);
            break;
        }
        case kBattery: {
            const Battery b = ReadBattery();
            if (n == L"level") return b.level < 0 ? std::wstring(L"-") : std::to_wstring(b.level);
            if (n == L"state") {
                static constexpr hoststat::Say kStates[] = {Say::BatteryUnknown, Say::BatteryCharging,
                                                            Say::BatteryDischarging, Say::BatteryOnMains,
                                                            Say::BatteryNone};
                return std::wstring(Words(kStates[b.state]));
            }
            break;
        }
        case kNetwork: {
            const NetworkTotals t = ReadNetworkTotals();
            const NetworkRate r = NetworkRates(t);
            if (n == L"down") return OneDecimal(r.received / 1024.0);
            if (n == L"up") return OneDecimal(r.sent / 1024.0);
            if (n == L"downbytes") return Whole(r.received);
            if (n == L"upbytes") return Whole(r.sent);
            if (n == L"downtotal") return U64(t.received);
            if (n == L"uptotal") return U64(t.sent);
            break;
        }
        default: break;
    }
    return std::nullopt;
}

std::wstring TextOf(int function, int setting) {
    if (!Spec(function)) return {};
    ForgetReadsIfFileChanged();
    if (setting < 1 || setting > SettingCount(function)) setting = 1;
    const Setting s = Load(function, setting);
    return Expand(s.format, [&](std::wstring_view n) { return Value(function, s, n); });
}

void Ansi(const std::wstring& text, char* out, int size) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out, size, nullptr, nullptr);
    if (n <= 0 && size > 0) out[0] = '\0';
    out[size - 1] = '\0';
}

// --- the settings box ---

struct Choice {
    int function, setting;
};

struct SettingBox {
    std::vector<Choice> choices;
    int current = 0;

    void Show(HWND dlg) {
        const Choice c = choices[static_cast<std::size_t>(current)];
        const Setting s = Load(c.function, c.setting);
        SetDlgItemTextW(dlg, IDC_HS_NAME, s.name.c_str());
        SetDlgItemTextW(dlg, IDC_HS_FORMAT, s.format.c_str());
        SetDlgItemTextW(dlg, IDC_HS_DRIVE, s.drive.c_str());
        EnableWindow(GetDlgItem(dlg, IDC_HS_DRIVE), c.function == kDriveFree);
        SetDlgItemTextW(dlg, IDC_HS_HELP, Spec(c.function, Shown())->placeholders);
        SetDlgItemTextW(dlg, IDC_HS_PREVIEW, (Words(Say::Preview) + TextOf(c.function, c.setting)).c_str());
    }
    std::wstring Field(HWND dlg, int id) {
        wchar_t buf[1024] = {};
        GetDlgItemTextW(dlg, id, buf, static_cast<int>(std::size(buf)));
        return buf;
    }
    void Keep(HWND dlg) {
        const Choice c = choices[static_cast<std::size_t>(current)];
        Save(c.function, c.setting, {Field(dlg, IDC_HS_NAME), Field(dlg, IDC_HS_FORMAT), Field(dlg, IDC_HS_DRIVE)});
    }
};

INT_PTR CALLBACK SettingProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    auto* box = reinterpret_cast<SettingBox*>(GetWindowLongPtrW(dlg, DWLP_USER));
    try {
        switch (msg) {
            case WM_INITDIALOG: {
                SetWindowLongPtrW(dlg, DWLP_USER, lp);
                box = reinterpret_cast<SettingBox*>(lp);
                SetWindowTextW(dlg, Words(Say::Caption));
                for (auto [id, what] : {std::pair{IDC_HS_CHOICE_LABEL, Say::SettingLabel},
                                        std::pair{IDC_HS_NAME_LABEL, Say::NameLabel},
                                        std::pair{IDC_HS_FORMAT_LABEL, Say::FormatLabel},
                                        std::pair{IDC_HS_DRIVE_LABEL, Say::DriveLabel},
                                        std::pair{IDCANCEL, Say::Cancel}})
                    SetDlgItemTextW(dlg, id, Words(what));
                for (const Choice& c : box->choices) {
                    const std::wstring label = std::wstring(Spec(c.function, Shown())->name) + L" - " +
                                               std::to_wstring(c.setting) + L" " + Load(c.function, c.setting).name;
                    SendDlgItemMessageW(dlg, IDC_HS_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
                }
                SendDlgItemMessageW(dlg, IDC_HS_CHOICE, CB_SETCURSEL, static_cast<WPARAM>(box->current), 0);
                box->Show(dlg);
                return TRUE;
            }
            case WM_COMMAND:
                if (LOWORD(wp) == IDC_HS_CHOICE && HIWORD(wp) == CBN_SELCHANGE) {
                    box->Keep(dlg);
                    box->current = static_cast<int>(SendDlgItemMessageW(dlg, IDC_HS_CHOICE, CB_GETCURSEL, 0, 0));
                    box->Show(dlg);
                } else if (LOWORD(wp) == IDOK) {
                    box->Keep(dlg);
                    EndDialog(dlg, IDOK);
                } else if (LOWORD(wp) == IDCANCEL) {
                    EndDialog(dlg, IDCANCEL);
                }
                return TRUE;
            default: return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI Init(void) { return 1; }

TBQ_PLUGIN_EXPORT int32_t WINAPI Free(void) {
    g_texts.clear();
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetInfo(TBQ_PluginInfo* info) {
    Ansi(L"HostStat", info->Name, sizeof info->Name);
    Ansi(L"1.0.0", info->Version, sizeof info->Version);
    Ansi(Words(Say::PluginComment), info->Comment, sizeof info->Comment);
    Ansi(L"(C) TBQ project", info->Copyright, sizeof info->Copyright);
    info->FuncNum = kFunctionCount;
    info->Flags = TBQ_PLUGIN_HAS_SETTINGS | TBQ_PLUGIN_HAS_ABOUT;
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetFuncInfo(int32_t funcNo, TBQ_PluginFuncInfo* info) {
    const FunctionSpec* spec = Spec(funcNo, Shown());
    if (!spec || !info) return 0;
    ForgetReadsIfFileChanged();
    Ansi(spec->name, info->Name, sizeof info->Name);
    Ansi(spec->comment, info->Comment, sizeof info->Comment);
    info->SettingNum = SettingCount(funcNo);
    info->Flags = TBQ_FUNC_UTF16;
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetFuncSettingName(int32_t funcNo, int32_t settingNo, char* buffer,
                                                    int32_t size) {
    if (!Spec(funcNo) || !buffer || size <= 0) return 0;
    ForgetReadsIfFileChanged();
    Ansi(Load(funcNo, settingNo).name, buffer, size);
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetText(int32_t funcNo, int32_t settingNo, HWND, char* buffer,
                                         int32_t size, int32_t) {
    try {
        std::wstring& text = g_texts[{funcNo, settingNo}];
        if (!buffer) text = TextOf(funcNo, settingNo);
        const auto units = static_cast<int32_t>(std::min<std::size_t>(text.size(), TBQ_TEXT_MAX_LENGTH));
        if (buffer && size > 0) {
            const int32_t n = std::min(units, size - 1);
            std::memcpy(buffer, text.data(), sizeof(wchar_t) * static_cast<std::size_t>(n));
            std::memset(buffer + sizeof(wchar_t) * static_cast<std::size_t>(n), 0, sizeof(wchar_t));
        }
        return units;
    } catch (...) {
        return 0;
    }
}

TBQ_PLUGIN_EXPORT int32_t WINAPI ShowAbout(HWND owner) {
    return MessageBoxW(owner, Words(Say::AboutText), Words(Say::AboutCaption), MB_OK | MB_ICONINFORMATION);
}

TBQ_PLUGIN_EXPORT int32_t WINAPI ShowSetting(int32_t funcNo, int32_t settingNo, HWND owner) {
    try {
        SettingBox box;
        ForgetReadsIfFileChanged();
        for (int f = 1; f <= kFunctionCount; ++f)
            for (int s = 1, n = SettingCount(f); s <= n; ++s) {
                if (f == funcNo && s == settingNo) box.current = static_cast<int>(box.choices.size());
                box.choices.push_back({f, s});
            }
        const INT_PTR r = DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_HOSTSTAT_SETTING), owner, SettingProc,
                                          reinterpret_cast<LPARAM>(&box));
        g_texts.clear();
        return r == IDOK ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
