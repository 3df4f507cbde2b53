// How an alarm describes itself: its target in one line, and the summary its
// message window shows under the message.
#include "alarm/alarm.h"
#include "core/helpers.h"

namespace tbq {

namespace {

constexpr const char16_t* kDayNames[] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
constexpr const char16_t* kCompactDayNames[] = {u"Su", u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa"};

constexpr SystemSound kSystemSounds[] = {
    {u"*0", TextId::AlarmSoundDefault},       {u"*16", TextId::AlarmSoundError},
    {u"*32", TextId::AlarmSoundQuestion},     {u"*48", TextId::AlarmSoundWarning},
    {u"*64", TextId::AlarmSoundInformation}, {u"*-1", TextId::AlarmSoundBeep},
};

Text Field(int value, int every, const Text& marker) {
    return value == every ? marker : NumberText(value);
}

Text YesNo(bool on) { return Text(Tr(on ? TextId::AlarmSummaryYes : TextId::AlarmSummaryNo)); }

}  // namespace

Text AlarmTargetText(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
                     std::int32_t minute, std::int32_t second, bool compact) {
    const Text every = compact ? u"Nw" : u"Now";
    Text dayText;
    if (day != vbKerova_Alarm::kEveryDay && (day & vbKerova_Alarm::kWeekdays)) {
        for (int i = 0; i < 7; ++i) {
            if (!(day & (1 << i))) continue;
            if (!dayText.empty()) dayText += u',';
            dayText += compact ? kCompactDayNames[i] : kDayNames[i];
        }
    } else {
        dayText = Field(day, vbKerova_Alarm::kEveryDay, every);
    }
    Text out = Field(year, vbKerova_Alarm::kEveryYear, every);
    out += u'/';
    out += Field(month, vbKerova_Alarm::kEvery, every);
    out += u'/';
    out += dayText;
    out += u' ';
    out += Field(hour, vbKerova_Alarm::kEvery, every);
    out += u':';
    out += Field(minute, vbKerova_Alarm::kEvery, every);
    out += u':';
    out += Field(second, vbKerova_Alarm::kEvery, every);
    return out;
}

Text AlarmTargetText(const vbKerova_Alarm& a, bool compact) {
    return AlarmTargetText(a.TargetYear, a.TargetMonth, a.TargetDay, a.TargetHour, a.TargetMinute,
                           a.TargetSecond, compact);
}

std::span<const SystemSound> SystemSounds() { return kSystemSounds; }

Text AlarmSummary(const vbKerova_Alarm& a) {
    using enum TextId;
    const std::uint8_t f = a.Flag;
    Text out(Tr(AlarmSummaryTarget));
    out += AlarmTargetText(a, false) + u"\r\n";
    if (a.TargetSecond != vbKerova_Alarm::kEvery) {
        const long long seconds = a.MessageHour * 3600LL + a.MessageMinute * 60 + a.MessageSecond;
        out += Tr(AlarmSummaryDuration);
        out += seconds == 0 ? Text(Tr(AlarmSummaryZeroSeconds)) : DurationText(seconds, u"0");
        out += u"\r\n";
    }
    out += Tr(AlarmSummaryMessageBox);
    if (f & vbKerova_Alarm::kShowMessage) {
        out += Tr(AlarmSummaryShown);
        if (f & vbKerova_Alarm::kMessageText) out += Tr(AlarmSummaryWithMessage);
    } else {
        out += Tr(AlarmSummaryNotShown);
    }
    out += u"\r\n";
    out += Tr(AlarmSummaryFlash);
    out += YesNo(f & vbKerova_Alarm::kFlash);
    out += u"\r\n";
    out += Tr(AlarmSummarySound);
    if (f & vbKerova_Alarm::kPlaySound) {
        Text sound = a.SoundFileName().empty() ? Text(Tr(AlarmSummaryNoSoundFile)) : a.SoundFileName();
        for (const SystemSound& s : kSystemSounds)
            if (a.SoundFileName() == s.text) sound = Tr(s.name);
        out += sound;
        if (f & vbKerova_Alarm::kRepeatSound)
            out += u" / " + Tr(AlarmSummaryRepeat, DurationText(a.SoundInterval, u"0"));
    } else {
        out += Tr(AlarmSummaryNoSound);
    }
    out += u"\r\n";
    out += Tr(AlarmSummaryFile);
    if (f & vbKerova_Alarm::kOpenFile)
        out += a.FileOpenName.empty() ? Text(Tr(AlarmSummaryNoFile)) : a.FileOpenName;
    else
        out += Tr(AlarmSummaryNotOpened);
    out += u"\r\n";
    out += Tr(AlarmSummaryAutoDelete);
    out += YesNo(f & vbKerova_Alarm::kAutoDelete);
    return out;
}

}  // namespace tbq
