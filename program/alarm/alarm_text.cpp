// How an alarm describes itself: its target in one line, and the summary its
// message window shows under the message.
#include "alarm/alarm.h"
#include "core/helpers.h"

namespace tbq {

namespace {

constexpr const char16_t* kDayNames[] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
constexpr const char16_t* kCompactDayNames[] = {u"Su", u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa"};

struct SystemSound {
    const char16_t* text;
    const char16_t* name;
};
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

Text AlarmTargetText(const vbKerova_Alarm& a, bool compact) {
    const Text every = compact ? u"Nw" : u"Now";
    Text day;
    if (a.TargetDay != vbKerova_Alarm::kEveryDay && (a.TargetDay & vbKerova_Alarm::kWeekdays)) {
        for (int i = 0; i < 7; ++i) {
            if (!(a.TargetDay & (1 << i))) continue;
            if (!day.empty()) day += u',';
            day += compact ? kCompactDayNames[i] : kDayNames[i];
        }
    } else {
        day = Field(a.TargetDay, vbKerova_Alarm::kEveryDay, every);
    }
    return Field(a.TargetYear, vbKerova_Alarm::kEveryYear, every) + u"/" +
           Field(a.TargetMonth, vbKerova_Alarm::kEvery, every) + u"/" + day + u" " +
           Field(a.TargetHour, vbKerova_Alarm::kEvery, every) + u":" +
           Field(a.TargetMinute, vbKerova_Alarm::kEvery, every) + u":" +
           Field(a.TargetSecond, vbKerova_Alarm::kEvery, every);
}

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
