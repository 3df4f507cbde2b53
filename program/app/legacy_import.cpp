// The take-over of the earlier version's "Kerova.ini": its main switches, its
// alarms, its three display positions and its window exclusions become the
// four settings files. Every number of the earlier file is checked before it
// is used: a value out of its field never reaches a setting, and an alarm
// with one is taken over switched off.
#include <algorithm>
#include <array>
#include <functional>
#include <memory>

#include "alarm/alarm.h"
#include "app/app_state.h"
#include "app/first_run.h"
#include "app/settings_files.h"
#include "core/helpers.h"
#include "core/program_location.h"
#include "items/view_alarm.h"
#include "items/view_clock.h"
#include "items/view_count.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "items/view_list.h"
#include "items/view_plugin.h"
#include "platform/ports.h"
#include "rules/window_rule.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"
#include "base/texts.h"

namespace tbq {

namespace {

constexpr std::int32_t kMaxAlarms = 10000;
constexpr int kMaxRules = 999;
constexpr char16_t kDefaultFormat[] = u"<yyyy/mm/dd(ddd) hh:mm:ss>";
constexpr std::uint32_t kItemColor = vbKerova_ViewData::kCaptionTextColor;

// The earlier version's world clock cities, by their index.
constexpr std::array<const char16_t*, 31> kCities{
    u"UTC", u"LON", u"PAR", u"ROM", u"CAI", u"IST", u"MOW", u"KWI", u"DXB", u"KHI", u"DEL",
    u"DAC", u"BKK", u"SIN", u"HKG", u"PEK", u"TYO", u"SYD", u"NOU", u"AKL", u"HNL", u"ANC",
    u"LAX", u"DEN", u"CHI", u"MEX", u"NYC", u"YUL", u"CCS", u"RIO", u"BUE"};

// The earlier display kinds of the three positions.
enum LegacyKind : int { kHidden = 0, kTitle = 1, kClock = 2, kWorldClock = 3, kCount = 4, kHost = 5 };

// Reads numbers of one section and remembers whether any was out of range.
class Fields {
public:
    Fields(const vbIniFile& ini, Text section) : ini_(ini), section_(std::move(section)) {}
    std::int32_t Number(const char16_t* key, std::int32_t def) const {
        return ini_.GetNumber(section_, key, def);
    }
    // A value outside lo..hi gives the default and marks the section bad.
    std::int32_t Get(const char16_t* key, std::int32_t def, std::int32_t lo, std::int32_t hi) {
        const std::int32_t v = Number(key, def);
        if (v >= lo && v <= hi) return v;
        bad_ = true;
        return std::clamp(def, lo, hi);
    }
    // An empty value counts as missing.
    Text String(const char16_t* key, const char16_t* def) const {
        const Text t = ini_.GetText(section_, key, def);
        return t.empty() ? Text(def) : t;
    }
    bool Bad() const { return bad_; }

private:
    const vbIniFile& ini_;
    Text section_;
    bool bad_ = false;
};

// ---- The settings -------------------------------------------------------------

std::int32_t IntervalFromCode(long long code) {
    switch (code) {
        case 0: return 500;
        case 1: return 1000;
        case 2: return 30000;
        case 3: return 60000;
    }
    const long long ms = code < 0 ? -2 * code : code;
    // The update tick's timer holds 10 to 65000 ms.
    return static_cast<std::int32_t>(std::clamp<long long>(ms, 10, 65000));
}

AppSettings ImportedSettings(const vbIniFile& legacy) {
    AppSettings s;
    s.ViewDisplay = legacy.GetNumber(u"Main", u"WindowHide", 0) == 0;
    s.TaskTray = legacy.GetNumber(u"Main", u"TaskIcon", 1) != 0;
    s.EndCheck = true;
    s.ViewDelCheck = true;
    s.RefreshTiming = false;
    s.TitleInfo = true;
    s.MDIChild = legacy.GetNumber(u"Main", u"MDIChild", 0) != 0;
    s.UseDrawBar = false;
    s.Timing = IntervalFromCode(legacy.GetNumber(u"Timing", u"Timing", 1));
    s.CheckAlarm = true;
    s.AlarmDelCheck = true;
    s.WindowDelCheck = true;
    s.PermitOnly = legacy.GetNumber(u"Main", u"AntiType", 0) != 0;
    return s;
}

// ---- Alarms ---------------------------------------------------------------------

std::shared_ptr<vbKerova_Alarm> ImportedAlarm(const vbIniFile& legacy, int i) {
    using A = vbKerova_Alarm;
    // The earlier sections are named as ours, counted from Alarm0000.
    Fields f(legacy, AlarmSection(i));
    auto a = std::make_shared<A>();
    a->AlarmName = f.String(u"Title", Tr(TextId::MsgImportedNoTitle).data());
    a->AlarmText = f.String(u"Message", Tr(TextId::MsgImportedNoMessage).data());
    a->TargetYear = A::kEveryYear;
    a->TargetMonth = A::kEvery;
    a->TargetDay = A::kEveryDay;
    a->TargetHour = A::kEvery;
    a->TargetMinute = A::kEvery;
    a->TargetSecond = A::kEvery;

    const std::int32_t type = f.Get(u"Type", -1, -1, 9);
    auto is = [type](std::initializer_list<int> types) {
        return std::find(types.begin(), types.end(), type) != types.end();
    };
    if (is({1, 3, 6, 8})) a->TargetMonth = static_cast<std::uint8_t>(f.Get(u"Month", 1, 1, 12));
    if (is({2, 3, 7, 8})) a->TargetDay = static_cast<std::uint8_t>(f.Get(u"Day", 1, 1, 31));
    if (is({4, 9}))
        a->TargetDay = static_cast<std::uint8_t>(A::kWeekdays | (1 << f.Get(u"Week", 1, 0, 6)));
    if (type >= 5) {
        a->TargetHour = static_cast<std::uint8_t>(f.Get(u"Hour", 1, 0, 23));
        a->TargetMinute = static_cast<std::uint8_t>(f.Get(u"Minute", 1, 0, 59));
        a->TargetSecond = static_cast<std::uint8_t>(f.Get(u"Second", 1, 0, 59));
    }
    // The message shows for at most 255 hours, 59 minutes and 59 seconds.
    const std::int32_t time = f.Get(u"Time", 0, 0, 255 * 3600 + 3599);
    a->MessageHour = static_cast<std::uint8_t>(time / 3600);
    a->MessageMinute = static_cast<std::uint8_t>(time % 3600 / 60);
    a->MessageSecond = static_cast<std::uint8_t>(time % 60);
    a->Flag = A::kMessageText;
    if (f.Number(u"Box", 0) == 1) a->Flag |= A::kShowMessage;
    a->SetEnable(type != -1 && !f.Bad());
    return a;
}

AlarmList ImportedAlarms(const vbIniFile& legacy) {
    const std::int32_t count =
        std::clamp<std::int32_t>(legacy.GetNumber(u"Clock", u"Alarm", 0), 0, kMaxAlarms);
    AlarmList alarms;
    for (int i = 0; i < count; ++i) alarms.push_back(ImportedAlarm(legacy, i));
    return alarms;
}

// ---- The display list -----------------------------------------------------------

class ListBuilder {
public:
    explicit ListBuilder(const vbIniFile& legacy) : legacy_(legacy) {}

    // The items of one position, enabled or not.
    void AddKind(int kind, bool enable) {
        switch (kind) {
            case kTitle: AddTitle(enable); break;
            case kClock: AddClockAndAlarm(enable); break;
            case kWorldClock: AddWorldClock(enable); break;
            case kCount: AddCount(enable); break;
            case kHost: AddHostInformation(enable); break;
            default: AddHidden(); break;
        }
    }
    ViewList& List() { return list_; }

private:
    void Add(std::shared_ptr<ViewSubItem> sub, bool enable) {
        auto item = std::make_shared<vbKerova_ViewData>();
        item->SetData(std::move(sub), kItemColor, enable);
        list_.push_back(std::move(item));
    }
    // The host information plug-in's item names its plug-in only. While the
    // welcome window runs there is no plug-in registry yet: the item looks
    // one up only when it exists, and binds by name when it is first shown.
    void AddHostInformation(bool enable) {
        auto plugin = std::make_shared<vbKerova_View_Plugin>();
        plugin->SetPluginFunc(u"HostStat.tbqp", 1, 10);
        Add(plugin, enable);
    }
    void AddHidden() {
        auto fixed = std::make_shared<vbKerova_View_Fixed>();
        fixed->DataType = vbKerova_View_Fixed::kFixedText;
        fixed->SetText(Text(Tr(TextId::MsgImportedHidden)));
        Add(fixed, false);
    }
    void AddTitle(bool enable) {
        auto title = std::make_shared<vbKerova_View_Fixed>();
        title->DataType = vbKerova_View_Fixed::kWindowTitle;
        const std::int32_t length = legacy_.GetNumber(u"Main", u"TitleLenght", -1);
        // The earlier version measured titles in bytes, as we do with the byte width.
        if (length >= 0) {
            title->TitleStyle = vbKerova_View_Fixed::kByCount | vbKerova_View_Fixed::kByWidth;
            title->TitleNum = static_cast<std::int16_t>(std::min<std::int32_t>(length, 32767));
        }
        Add(title, enable);
    }
    std::shared_ptr<vbKerova_View_Clock> Clock(const Text& format) {
        auto clock = std::make_shared<vbKerova_View_Clock>();
        clock->FormatText = format;
        clock->Flag = 0;
        return clock;
    }
    std::shared_ptr<vbKerova_View_Alarm> AlarmText() {
        auto alarm = std::make_shared<vbKerova_View_Alarm>();
        alarm->ViewStyle = vbKerova_View_Alarm::kShowMessage;
        alarm->ViewType = vbKerova_View_Alarm::kFirst;
        return alarm;
    }
    std::shared_ptr<vbKerova_View_Group> Group(std::uint8_t style, std::int32_t timing) {
        auto group = std::make_shared<vbKerova_View_Group>();
        group->ViewStyle = style;
        group->TargetNum = 2;
        group->CharLen = 0;
        group->Timing = static_cast<std::int16_t>(std::clamp<std::int32_t>(timing, 0, 32767));
        return group;
    }
    void AddClockAndAlarm(bool enable) {
        const auto clock = Clock(legacy_.GetText(u"Clock", u"FormatText", kDefaultFormat));
        switch (legacy_.GetNumber(u"Clock", u"MessagePosition", 0)) {
            case 1:
                Add(AlarmText(), enable);
                Add(clock, enable);
                break;
            case 2:
                Add(Group(vbKerova_View_Group::kSwitch,
                          legacy_.GetNumber(u"Timing", u"ChangeTiming", 1)),
                    enable);
                Add(clock, enable);
                Add(AlarmText(), enable);
                break;
            case 3:
                Add(Group(vbKerova_View_Group::kFirstValid, 0), enable);
                Add(AlarmText(), enable);
                Add(clock, enable);
                break;
            default:
                Add(clock, enable);
                Add(AlarmText(), enable);
                break;
        }
    }
    void AddWorldClock(bool enable) {
        auto clock = Clock(legacy_.GetText(u"WorldClock", u"WorldTimeFormatText", kDefaultFormat));
        const std::int32_t city = legacy_.GetNumber(u"WorldClock", u"WorldTimeZone", 0);
        if (city >= 0 && city < static_cast<std::int32_t>(kCities.size()))
            clock->SetTimeZoneName(kCities[static_cast<std::size_t>(city)]);
        // The earlier series had one summer-time switch for the user to flip
        // twice a year; the zone's own rules now do that. The switch stays as
        // it was for zones whose rules the system does not have.
        clock->Flag |= vbKerova_View_Clock::kFlagAutoSummerTime;
        if (legacy_.GetNumber(u"WorldClock", u"WorldTimeDST", 0) != 0)
            clock->Flag |= vbKerova_View_Clock::kFlagDaylightSaving;
        Add(clock, enable);
    }
    void AddCount(bool enable) {
        using C = vbKerova_View_Count;
        Fields f(legacy_, u"CountDown");
        auto count = std::make_shared<C>();
        const std::int32_t year = f.Get(u"Year", 0, 0, 9999 - 1999);
        count->TargetYear = static_cast<std::int16_t>(year == 0 ? C::kThisYear : year + 1999);
        const std::int32_t month = f.Get(u"Month", 0, 0, 12), day = f.Get(u"Day", 0, 0, 31);
        count->TargetMonth = static_cast<std::uint8_t>(month == 0 ? C::kPresent : month);
        count->TargetDay = static_cast<std::uint8_t>(day == 0 ? C::kPresent : day);
        auto lessOne = [](std::int32_t v) {
            return static_cast<std::uint8_t>(v == 0 ? C::kPresent : v - 1);
        };
        count->TargetHour = lessOne(f.Get(u"Hour", 0, 0, 24));
        count->TargetMinute = lessOne(f.Get(u"Minute", 0, 0, 60));
        count->TargetSecond = lessOne(f.Get(u"Second", 0, 0, 60));
        count->ViewStyle = C::kSeconds | C::kMinutes | C::kHours | C::kDays;
        // A moment that cannot be is taken over switched off.
        Add(count, enable && !f.Bad());
    }

    const vbIniFile& legacy_;
    ViewList list_;
};

ViewList ImportedList(const vbIniFile& legacy) {
    ListBuilder b(legacy);
    bool used[6] = {};
    const std::pair<const char16_t*, int> positions[] = {
        {u"LeftText", kTitle}, {u"MiddleText", kClock}, {u"RightText", kHidden}};
    for (const auto& [key, def] : positions) {
        std::int32_t kind = legacy.GetNumber(u"Main", key, def);
        if (kind < kHidden || kind > kHost) kind = kHidden;
        used[kind] = true;
        b.AddKind(kind, kind != kHidden);
    }
    for (int kind = kTitle; kind <= kHost; ++kind)
        if (!used[kind]) b.AddKind(kind, false);
    return std::move(b.List());
}

// ---- Window rules -----------------------------------------------------------------

WindowRuleList ImportedRules(const vbIniFile& legacy) {
    WindowRuleList rules;
    for (int i = 1; i <= kMaxRules; ++i) {
        const Text section = u"AntiKerova" + FormatNumber(i, u"000");
        const Text name = legacy.GetText(section, u"Name", u"");
        if (name.empty()) break;
        auto r = std::make_shared<vbKerova_Window>();
        r->Title = name;
        r->WindowTitle = legacy.GetText(section, u"WindowTitle", u"");
        r->WindowClass = legacy.GetText(section, u"WindowClass", u"");
        r->Action = legacy.GetNumber(section, u"AntiType", 0) != 0 ? vbKerova_Window::kPermit
                                                                   : vbKerova_Window::kExclude;
        r->Flag = 0;
        if (!r->WindowTitle.empty()) r->Flag |= vbKerova_Window::kTitle;
        if (!r->WindowClass.empty()) r->Flag |= vbKerova_Window::kClass;
        r->CheckOption = legacy.GetNumber(section, u"InTitle", 0) != 0 ? 1 : 0;
        r->Enable = true;
        rules.push_back(std::move(r));
    }
    return rules;
}

// ---- Writing --------------------------------------------------------------------

// Keeps the old file as "<name>.bak", then starts the file anew with its two
// header lines and lets `write` fill it; the retry box repeats a failed step.
bool WriteAnew(const Text& path, TextView header, const std::function<bool()>& write) {
    if (!WithRetry(path + u".bak", [&] { return BackUpSettingFile(path); })) return false;
    const platform::CodePage& cp = platform::codepage();
    const std::string headerLines =
        cp.ToAnsi(kFirstHeader) + "\r\n" + cp.ToAnsi(header) + "\r\n";
    for (;;) {
        // A read-only file is made writable first; a file that cannot be is
        // reported like any other that cannot be written.
        if (PrepareFileForWrite(path) == kFileFailed) {
            ShowSaveError(path);
            return false;
        }
        if (platform::files().ReplaceAtomically(path, headerLines)) break;
        if (!AskRetry(path)) return false;
    }
    IniWriteBatch batch;
    return write() && Commit(path);
}

}  // namespace

bool ImportLegacySettings(const Text& legacyPath, const Text& targetFolder) {
    // A missing or mistyped path would read as all defaults: that is no take-over.
    const Text source = ResolveLegacyPath(legacyPath);
    if (source.empty()) {
        platform::dialogs().Show(0,
                                 Tr(TextId::MsgImportMissing, legacyPath),
                                 Text(kProductName) + Text(Tr(TextId::MsgImportCaption)), platform::BoxStyle::Warning);
        return false;
    }
    const vbIniFile legacy(source);
    Text folder = targetFolder.empty() ? ProgramFolder() : targetFolder;
    if (folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';

    const AppSettings settings = ImportedSettings(legacy);
    const vbKerova_Window noFixedWindow;
    const Text settingPath = folder + kSettingFile;
    if (!WriteAnew(settingPath, kSettingHeader, [&] {
            WriteGlobalSettings(settingPath, settings, noFixedWindow);
            const vbIniFile ini(settingPath);
            ini.SetText(u"Basic", u"TimeServer", u"");
            ini.SetBool(u"TitleBar", u"DrawTitle", false);
            return true;
        }))
        return false;

    const AlarmList alarms = ImportedAlarms(legacy);
    const Text alarmPath = folder + kAlarmFile;
    if (!WriteAnew(alarmPath, kAlarmHeader, [&] {
            SaveAlarmList(alarmPath, alarms);
            return true;
        })) return false;

    const ViewList list = ImportedList(legacy);
    const Text listPath = folder + kViewDataFile;
    if (!WriteAnew(listPath, kViewDataHeader, [&] {
            WriteViewListSections(listPath, list);
            return true;
        }))
        return false;
    // The host information plug-in keeps the earlier format as a setting of its own.
    const Text hostFolder = folder + u"Plugins\\HostStat\\";
    const Text hostSetting = hostFolder + u"Setting.ini";
    if (!WithRetry(hostSetting, [&] { return platform::files().CreateFolder(hostFolder); }))
        return false;
    {
        IniWriteBatch batch;
        const vbIniFile ini(hostSetting);
        ini.SetText(u"CompFunc009", u"SettingName", Text(Tr(TextId::MsgImportedHostStat)));
        ini.SetText(u"CompFunc009", u"Format", legacy.GetText(u"HostStat", u"SysInfStr", u""));
        if (!Commit(hostSetting)) return false;
    }

    const WindowRuleList rules = ImportedRules(legacy);
    const Text rulesPath = folder + kWindowFile;
    return WriteAnew(rulesPath, kWindowHeader, [&] {
        return WithRetry(rulesPath, [&] { return SaveWindowRuleList(rulesPath, rules); });
    });
}

}  // namespace tbq
