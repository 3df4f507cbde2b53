#include "app/settings_files.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "app/app_state.h"
#include "app/settings_table.h"
#include "core/diag_log.h"
#include "core/helpers.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "plugin/plugin_registry.h"
#include "settings/ini_file.h"
#include "base/texts.h"
#include "settings/ini_store.h"

namespace tbq {

namespace {

Text SettingPath() { return ProgramFolder() + kSettingFile; }

Text BoxTitle(TextId what) { return Text(kProductName) + Text(Tr(what)); }

Text CannotWriteLines(const Text& path) { return Tr(TextId::MsgCannotWrite, path); }

// The diagnostic log's line for one file read at start-up.
void LogLoaded(const Text& path) {
    Text event = !platform::files().Stamp(path)        ? u"設定ファイルが無いため既定値を使います: "
                 : IniStore::Instance().Read(path) ? u"設定ファイルを読み込みました: "
                                                   : u"設定ファイルを読み込めないため既定値を使います: ";
    event += path;
    LogEvent(event);
}

// The diagnostic log's line for one file of a save; passes `ok` on.
bool LogSaved(const Text& path, bool ok) {
    Text event = ok ? u"設定ファイルを保存しました: "
                    : u"設定ファイルを保存できませんでした(書き込めないか、ロックされているか、"
                      u"中止されました): ";
    event += path;
    LogEvent(event);
    return ok;
}

}  // namespace

void ShowSaveError(const Text& path) {
    platform::dialogs().Show(0, CannotWriteLines(path) + u"\r\n" + Text(Tr(TextId::MsgTryAgain)),
                             BoxTitle(TextId::MsgSaveErrorCaption), platform::BoxStyle::Error);
}

bool AskRetry(const Text& path) {
    return platform::dialogs().Show(0,
                                    CannotWriteLines(path) + u"\r\n" + Text(Tr(TextId::MsgRetryOrCancel)),
                                    BoxTitle(TextId::MsgSaveErrorCaption),
                                    platform::BoxStyle::ErrorRetryCancel) ==
           platform::BoxAnswer::Retry;
}

bool WithRetry(const Text& path, const std::function<bool()>& step) {
    while (!step())
        if (!AskRetry(path)) return false;
    return true;
}

void ShowUnexpectedError(std::int32_t code, const Text& description) {
    platform::dialogs().Show(0,
                             Tr(TextId::MsgUnexpected, NumberText(code)) + u" / " + description,
                             BoxTitle(TextId::MsgErrorCaption), platform::BoxStyle::Error);
}

bool PrepareForSave(const Text& path, TextView header) {
    for (;;) {
        const int state = PrepareFileForWrite(path);
        // A file that is there but cannot be read (a folder of that name, one
        // too large) is never written, so its save could only claim success.
        if (state == kFileFailed || (state == kFileReady && !IniStore::Instance().Read(path))) {
            ShowSaveError(path);
            return false;
        }
        if (state == kFileReady || PrepareSettingFile(path, header)) return true;
        // The file could not be created: locked or not allowed.
        if (!AskRetry(path)) return false;
    }
}

bool Commit(const Text& path) {
    for (;;) {
        if (IniStore::Instance().Flush(path, true)) return true;
        if (!AskRetry(path)) {
            IniStore::Instance().Discard(path);
            return false;
        }
    }
}

namespace {

Text ColorKey(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02dDefaultColor", i);
    return Utf8ToText(buf);
}

}  // namespace

bool PrepareSettingFile(const Text& path, TextView secondHeaderLine) {
    if (PrepareFileForWrite(path) != kFileMissing) return true;
    const platform::CodePage& cp = platform::codepage();
    const std::string bytes =
        cp.ToAnsi(kFirstHeader) + "\r\n" + cp.ToAnsi(secondHeaderLine) + "\r\n";
    return platform::files().ReplaceAtomically(path, bytes);
}

bool SettingFileExists(const Text& name) {
    const Text wanted = name.empty() ? Text(kSettingFile) : name;
    auto names = platform::files().ListFolder(ProgramFolder());
    if (!names) return false;
    return std::any_of(names->begin(), names->end(),
                       [&](const Text& n) { return EqualsIgnoreCase(n, wanted); });
}

const char16_t* DataFileName() { return u"TBQ_Data.ini"; }

void LoadAllSettings() {
    AppState& app = App();
    vbIniFile ini(SettingPath());
    for (const SettingField& f : GlobalSettingFields()) {
        switch (f.kind) {
            case SettingField::Kind::Flag:
                app.settings.*f.flag = ini.GetBool(f.section, f.key, f.defaultNumber != 0);
                break;
            case SettingField::Kind::Number:
                app.settings.*f.number =
                    std::clamp(ini.GetNumber(f.section, f.key, f.defaultNumber), f.min, f.max);
                break;
            case SettingField::Kind::String:
                app.settings.*f.text = ini.GetText(f.section, f.key, f.defaultText);
                break;
            case SettingField::Kind::FixedWindowRule:
                app.FixedWindowRule = vbKerova_Window();
                app.FixedWindowRule.LoadSetting(ini.FileName, f.section, true);
                break;
        }
    }
    app.CustomColors = LoadCustomColors();

    app.AlarmList = LoadAlarmList(ProgramFolder() + kAlarmFile);
    app.DrawBarList = LoadDrawBarList(ProgramFolder() + kDrawBarFile);

    ViewListRegistry::Instance().Clear();
    LoadAllViewLists(ProgramFolder());

    app.WindowRuleList = LoadWindowRuleList(ProgramFolder() + kWindowFile);

    for (const char16_t* name : {kSettingFile, kAlarmFile, kDrawBarFile, kViewDataFile, kWindowFile})
        LogLoaded(ProgramFolder() + name);
}

static bool SaveAllSettingsOrThrow();

bool SaveAllSettings() {
    try {
        return SaveAllSettingsOrThrow();
    } catch (const std::exception& e) {
        // Anything else that goes wrong (out of memory, most likely) is reported,
        // and what was written before it stays written.
        LogEvent(u"設定の保存を中断しました: " + Utf8ToText(e.what()));
        ShowUnexpectedError(7, Utf8ToText(e.what()));
        return false;
    }
}

static bool SaveAllSettingsOrThrow() {
    const AppSettings& s = App().settings;
    const Text path = SettingPath();
    if (!PrepareForSave(path, kSettingHeader)) return LogSaved(path, false);
    {
        IniWriteBatch batch;
        WriteGlobalSettings(path, s, App().FixedWindowRule);
        SaveCustomColors(App().CustomColors);
        if (const PluginRegistry* plugins = ThePluginRegistry()) plugins->SaveEnableStates(path);
        if (!LogSaved(path, Commit(path))) return false;
    }

    const Text alarmPath = ProgramFolder() + kAlarmFile;
    if (!PrepareForSave(alarmPath, kAlarmHeader)) return LogSaved(alarmPath, false);
    {
        IniWriteBatch batch;
        SaveAlarmList(alarmPath, App().AlarmList);
        if (!LogSaved(alarmPath, Commit(alarmPath))) return false;
    }

    const Text drawBarPath = ProgramFolder() + kDrawBarFile;
    if (!PrepareForSave(drawBarPath, kDrawBarHeader)) return LogSaved(drawBarPath, false);
    {
        IniWriteBatch batch;
        SaveDrawBarList(drawBarPath, App().DrawBarList);
        if (!LogSaved(drawBarPath, Commit(drawBarPath))) return false;
    }

    {
        ViewListRegistry& registry = ViewListRegistry::Instance();
        ViewListRegistry::Hold hold(registry);
        if (!hold.Owns()) return false;
        const auto& entries = registry.Entries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].list) continue;
            const Text listPath = i == 0 ? ProgramFolder() + kViewDataFile
                                         : ProgramFolder() + u"ViewData\\" + entries[i].name;
            if (!LogSaved(listPath, SaveViewList(listPath, *entries[i].list))) {
                ShowSaveError(listPath);
                return false;
            }
        }
    }

    const Text rulesPath = ProgramFolder() + kWindowFile;
    if (!PrepareForSave(rulesPath, kWindowHeader)) return LogSaved(rulesPath, false);
    return LogSaved(rulesPath,
                    WithRetry(rulesPath, [&] { return SaveWindowRuleList(rulesPath, App().WindowRuleList); }));
}

void WriteGlobalSettings(const Text& path, const AppSettings& s, const vbKerova_Window& fixed) {
    vbIniFile ini(path);
    ini.SetNumber(u"Main", u"SettingVersion", 1);
    for (const SettingField& f : GlobalSettingFields()) {
        switch (f.kind) {
            case SettingField::Kind::Flag: ini.SetBool(f.section, f.key, s.*f.flag); break;
            case SettingField::Kind::Number: ini.SetNumber(f.section, f.key, s.*f.number); break;
            case SettingField::Kind::String: ini.SetText(f.section, f.key, s.*f.text); break;
            case SettingField::Kind::FixedWindowRule: fixed.SaveSetting(path, f.section, true); break;
        }
    }
}

bool SaveViewList(const Text& path, ViewList& list) {
    const int state = PrepareFileForWrite(path);
    if (state == kFileFailed) return false;
    if (state == kFileMissing && !PrepareSettingFile(path, kViewDataHeader)) return false;
    IniWriteBatch batch;
    WriteViewListSections(path, list);
    return IniStore::Instance().Flush(path);
}

void WriteViewListSections(const Text& path, const ViewList& list) {
    int n = 0;
    for (const auto& item : list) item->Save(path, ViewDataSection(++n));
    vbIniFile(path).SetText(ViewDataSection(n + 1), u"DataType", u"NONE");
}

std::array<std::uint32_t, 16> LoadCustomColors() {
    std::array<std::uint32_t, 16> colors{};
    vbIniFile ini(SettingPath());
    for (int i = 0; i < 16; ++i)
        colors[i] = static_cast<std::uint32_t>(ini.GetNumber(u"ColorDialog", ColorKey(i), 16777215));
    return colors;
}

void SaveCustomColors(const std::array<std::uint32_t, 16>& colors) {
    vbIniFile ini(SettingPath());
    for (int i = 0; i < 16; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(colors[i]));
        ini.SetText(u"ColorDialog", ColorKey(i), Utf8ToText(buf));
    }
}

NetworkTimeSetting LoadNetworkTimeSetting() {
    NetworkTimeSetting n;
    vbIniFile ini(SettingPath());
    n.Flag = static_cast<std::uint8_t>(ini.GetNumber(u"NetworkTime", u"Flag", 3) & 0xFF);
    n.TimeServer = ini.GetText(u"NetworkTime", u"TimeServer", u"");
    if (n.TimeServer.empty()) n.TimeServer = ini.GetText(u"Basic", u"TimeServer", u"");
    n.Port = ini.GetNumber(u"NetworkTime", u"Port", 123);
    n.TimeOut = ini.GetNumber(u"NetworkTime", u"TimeOut", 5000);
    n.ProxyServer = ini.GetText(u"NetworkTime", u"ProxyServer", u"");
    if (n.ProxyServer.empty()) {
        platform::ProxySetting proxy = platform::system().Proxy();
        if (proxy.server) {
            // At most 255 bytes, as the system's own value field holds.
            Text server = CutAtNul(*proxy.server);
            n.ProxyServer = server;
            if (proxy.enabled) n.Flag |= 4;
        }
    }
    n.HttpPort = ini.GetNumber(u"NetworkTime", u"HttpPort", 80);
    return n;
}

void SaveNetworkTimeSetting(const NetworkTimeSetting& n) {
    // A first run may have no settings file yet: it begins with its header lines.
    PrepareSettingFile(SettingPath(), kSettingHeader);
    IniWriteBatch batch;
    vbIniFile ini(SettingPath());
    ini.SetNumber(u"NetworkTime", u"Flag", n.Flag);
    ini.SetText(u"NetworkTime", u"TimeServer", n.TimeServer);
    ini.SetNumber(u"NetworkTime", u"Port", n.Port);
    ini.SetNumber(u"NetworkTime", u"TimeOut", n.TimeOut);
    ini.SetNumber(u"NetworkTime", u"HttpPort", n.HttpPort);
    ini.SetText(u"NetworkTime", u"ProxyServer", n.ProxyServer);
}

}  // namespace tbq
