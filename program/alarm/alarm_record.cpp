// The stored form of an alarm and of the alarm list ("TBQ_Alarm.ini").
//
// "DayType" tells the two encodings of "TargetDay" apart: 1 is today's; files
// of earlier versions have none and number weekdays 51 (Sunday) to 57
// (Saturday) and the free day 253..255, converted on reading.
#include <algorithm>
#include <cstdio>

#include "alarm/alarm.h"
#include "core/helpers.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

std::uint8_t OldDayToNew(std::int32_t day) {
    if (day >= 51 && day <= 57) return static_cast<std::uint8_t>(vbKerova_Alarm::kWeekdays | (1 << (day - 51)));
    if (day >= 253 && day <= 255) return static_cast<std::uint8_t>(day - 128);
    return static_cast<std::uint8_t>(std::clamp(day, 0, 255));
}

// Reads the record's numbers, noting every value its field cannot hold.
class Reader {
public:
    Reader(const Text& file, const Text& section) : ini_(file), section_(section) {}

    std::int32_t Number(TextView key, std::int32_t def) const {
        return ini_.GetNumber(section_, key, def);
    }
    Text String(TextView key) const { return ini_.GetText(section_, key, u""); }
    bool Bool(TextView key) const { return ini_.GetBool(section_, key, false); }

    // The value cut into lo..hi (the field's type); refused unless `allowed`.
    template <typename T>
    T Field(std::int32_t v, std::int32_t lo, std::int32_t hi, bool allowed) {
        if (!allowed || v < lo || v > hi) refused_ = true;
        return static_cast<T>(std::clamp(v, lo, hi));
    }
    bool Refused() const { return refused_; }
    void Refuse() { refused_ = true; }

private:
    vbIniFile ini_;
    Text section_;
    bool refused_ = false;
};

bool In(std::int32_t v, std::int32_t lo, std::int32_t hi) { return v >= lo && v <= hi; }

}  // namespace

Text AlarmSection(int position) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "Alarm%04d", position);
    return Utf8ToText(buf);
}

void vbKerova_Alarm::SaveSetting(const Text& file, const Text& section) const {
    const vbIniFile ini(file);
    ini.SetText(section, u"Name", AlarmName);
    ini.SetText(section, u"Message", AlarmText);
    ini.SetNumber(section, u"TargetYear", TargetYear);
    ini.SetNumber(section, u"TargetMonth", TargetMonth);
    ini.SetNumber(section, u"TargetDay", TargetDay);
    ini.SetNumber(section, u"TargetHour", TargetHour);
    ini.SetNumber(section, u"TargetMinute", TargetMinute);
    ini.SetNumber(section, u"TargetSecond", TargetSecond);
    ini.SetNumber(section, u"Flag", Flag);
    ini.SetNumber(section, u"DayType", 1);
    ini.SetText(section, u"SoundFile", soundFileName_);
    ini.SetNumber(section, u"SoundInterval", SoundInterval);
    ini.SetText(section, u"FileOpen", FileOpenName);
    ini.SetText(section, u"FileAction", FileAction);
    ini.SetText(section, u"FileCommandLine", FileCommandLine);
    ini.SetText(section, u"FileDirectory", FileDirectory);
    ini.SetNumber(section, u"MessageHour", MessageHour);
    ini.SetNumber(section, u"MessageMinute", MessageMinute);
    ini.SetNumber(section, u"MessageSecond", MessageSecond);
    ini.SetBool(section, u"Enable", enable_);
}

bool vbKerova_Alarm::LoadSetting(const Text& file, const Text& section) {
    Reader r(file, section);
    Text name = r.String(u"Name");
    if (name.empty()) return false;
    AlarmName = std::move(name);
    AlarmText = r.String(u"Message");

    const std::int32_t year = r.Number(u"TargetYear", kEveryYear);
    TargetYear = r.Field<std::int16_t>(year, -32768, 32767, year == kEveryYear || In(year, 100, 9999));
    const std::int32_t month = r.Number(u"TargetMonth", kEvery);
    TargetMonth = r.Field<std::uint8_t>(month, 0, 255, month == kEvery || In(month, 1, 12));
    std::int32_t day = r.Number(u"TargetDay", kEveryDay);
    if (r.Number(u"DayType", 0) == 0) day = In(day, 0, 255) ? OldDayToNew(day) : day;
    TargetDay = r.Field<std::uint8_t>(
        day, 0, 255, In(day, 1, 31) || In(day, 125, 127) || In(day, kWeekdays + 1, 255));
    const std::int32_t hour = r.Number(u"TargetHour", kEvery);
    TargetHour = r.Field<std::uint8_t>(hour, 0, 255, hour == kEvery || In(hour, 0, 23));
    const std::int32_t minute = r.Number(u"TargetMinute", kEvery);
    TargetMinute = r.Field<std::uint8_t>(minute, 0, 255, minute == kEvery || In(minute, 0, 59));
    const std::int32_t second = r.Number(u"TargetSecond", kEvery);
    TargetSecond = r.Field<std::uint8_t>(second, 0, 255, second == kEvery || In(second, 0, 59));
    Flag = r.Field<std::uint8_t>(r.Number(u"Flag", 0), 0, 255, true);

    Text sound = r.String(u"SoundFile");
    // A double quote cannot be part of a file name, and in a command string
    // it would end the name: such a sound is kept but never played.
    if (!sound.empty() && sound[0] != u'*' && sound.find(u'"') != Text::npos) r.Refuse();
    SoundInterval = r.Number(u"SoundInterval", 300);
    // Repeating at no interval would restart the sound at every check.
    if (SoundInterval <= 0 && (Flag & kRepeatSound)) r.Refuse();
    FileOpenName = r.String(u"FileOpen");
    FileAction = r.String(u"FileAction");
    FileCommandLine = r.String(u"FileCommandLine");
    FileDirectory = r.String(u"FileDirectory");
    MessageHour = r.Field<std::uint8_t>(r.Number(u"MessageHour", 0), 0, 255, true);
    MessageMinute = r.Field<std::uint8_t>(r.Number(u"MessageMinute", 9), 0, 255, true);
    MessageSecond = r.Field<std::uint8_t>(r.Number(u"MessageSecond", 0), 0, 255, true);
    const bool enable = r.Bool(u"Enable");

    SetEnable(enable && !r.Refused());
    SetSoundFileName(std::move(sound));
    loadedAt_ = ToSerialSeconds(LocalDateTimeNow());
    return true;
}

AlarmList LoadAlarmList(const Text& file) {
    AlarmList list;
    for (int i = 1;; ++i) {
        auto alarm = std::make_shared<vbKerova_Alarm>();
        if (!alarm->LoadSetting(file, AlarmSection(i))) break;
        list.push_back(std::move(alarm));
    }
    return list;
}

void SaveAlarmList(const Text& file, const AlarmList& list) {
    int i = 1;
    // A name marks a stored alarm: an alarm without one would end the list.
    for (const auto& a : list)
        if (!a->AlarmName.empty()) a->SaveSetting(file, AlarmSection(i++));
    vbIniFile(file).SetText(AlarmSection(i), u"Name", u"");
}

}  // namespace tbq
