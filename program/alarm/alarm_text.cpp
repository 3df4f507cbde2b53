// How an alarm describes itself: its target in one line, and the summary its
// message window shows under the message.
#include "alarm/alarm.h"
#include "core/helpers.h"

namespace tbq {

namespace {

constexpr const char16_t* kDayNames[] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
constexpr const char16_t* kCompactDayNames[] = {u"Su", u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa"};

constexpr SystemSound kSystemSounds[] = {
    {u"*0", u"一般警告音"},          {u"*16", u"システムエラー"},
    {u"*32", u"メッセージ(問い合わせ)"}, {u"*48", u"メッセージ(警告)"},
    {u"*64", u"メッセージ(情報)"},    {u"*-1", u"ビープ音"},
};

Text Field(int value, int every, const Text& marker) {
    return value == every ? marker : NumberText(value);
}

Text YesNo(bool on, TextView yes, TextView no) { return Text(on ? yes : no); }

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
    const std::uint8_t f = a.Flag;
    Text out = u"対象日時 : " + AlarmTargetText(a, false) + u"\r\n";
    if (a.TargetSecond != vbKerova_Alarm::kEvery) {
        const long long seconds = a.MessageHour * 3600LL + a.MessageMinute * 60 + a.MessageSecond;
        out += u"持続時間 : " + (seconds == 0 ? Text(u"0秒") : DurationText(seconds, u"0")) + u"\r\n";
    }
    out += u"メッセージボックス : ";
    out += (f & vbKerova_Alarm::kShowMessage)
               ? u"表示する" + YesNo(f & vbKerova_Alarm::kMessageText, u"(メッセージ含む)", u"")
               : Text(u"表示しない");
    out += u"\r\nタイトルバー点滅 : " + YesNo(f & vbKerova_Alarm::kFlash, u"する", u"しない");
    out += u"\r\nサウンド : ";
    if (f & vbKerova_Alarm::kPlaySound) {
        Text sound = a.SoundFileName().empty() ? Text(u"ファイル未設定") : a.SoundFileName();
        for (const SystemSound& s : kSystemSounds)
            if (a.SoundFileName() == s.text) sound = s.name;
        out += sound;
        if (f & vbKerova_Alarm::kRepeatSound)
            out += u" / " + DurationText(a.SoundInterval, u"0") + u"間隔で繰り返し";
    } else {
        out += u"鳴らさない";
    }
    out += u"\r\nファイル : ";
    if (f & vbKerova_Alarm::kOpenFile)
        out += a.FileOpenName.empty() ? Text(u"ファイル未指定") : a.FileOpenName;
    else
        out += u"開かない";
    out += u"\r\n自動削除 : " + YesNo(f & vbKerova_Alarm::kAutoDelete, u"する", u"しない");
    return out;
}

}  // namespace tbq
