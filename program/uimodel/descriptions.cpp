#include "uimodel/descriptions.h"

#include <cstdio>

#include "alarm/alarm.h"
#include "draw/draw_bar.h"
#include "items/view_alarm.h"
#include "items/view_clock.h"
#include "items/view_count.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "items/view_plugin.h"
#include "rules/window_rule.h"

namespace tbq::uimodel {

namespace {

using Count = vbKerova_View_Count;

// One line, whatever the texts inside hold.
Text OneLine(Text s) {
    for (char16_t& c : s)
        if (c < 0x20 || c == 0x7F) c = u' ';
    return s;
}

Text Two(int n) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return Utf8ToText(buf);
}

// The names the editor gives the choices, joined by "/" (or `join`).
template <std::size_t N>
Text Joined(unsigned bits, const std::pair<unsigned, const char16_t*> (&names)[N],
            const char16_t* join = u"/") {
    Text out;
    for (const auto& [bit, name] : names) {
        if (!(bits & bit)) continue;
        if (!out.empty()) out += join;
        out += name;
    }
    return out;
}

Text ClockLine(const vbKerova_View_Clock& c) {
    Text zone = c.TimeZoneName();
    while (!zone.empty() && zone.back() == u' ') zone.pop_back();
    Text out = u"日時情報 : " + c.FormatText + u" [" + zone + u" GMT" +
               (c.TimeZoneMinus() ? u"-" : u"+") + Two(c.TimeZoneHour()) + u":" +
               Two(c.TimeZoneMinute()) + u"]";
    // Following the zone's own rules, the fixed summer-time switch is not used.
    if (c.Flag & vbKerova_View_Clock::kFlagAutoSummerTime)
        out += u" 夏時間自動切替";
    else if (c.Flag & vbKerova_View_Clock::kFlagDaylightSaving)
        out += u" サマータイム";
    if (c.Flag & vbKerova_View_Clock::kFlagExtendedFormat) out += u" 拡張書式";
    if (c.OffsetYear || c.OffsetMonth || c.OffsetDay || c.OffsetHour || c.OffsetMinute ||
        c.OffsetSecond)
        out += u" オフセット有り";
    return out;
}

Text TitleLine(const vbKerova_View_Fixed& f) {
    using F = vbKerova_View_Fixed;
    const bool fromEnd = f.TitleStyle & F::kFromEnd;
    Text range;
    if (f.TitleStyle == 0) {
        range = u"全部分";
    } else if (f.TitleStyle & F::kByCount) {
        range = Text(fromEnd ? u"後ろから" : u"前から") + NumberText(f.TitleNum) +
                ((f.TitleStyle & F::kByWidth) ? u"バイト" : u"文字");
    } else if (f.TitleStyle & F::kByDelimiter) {
        range = u"「" + f.TitleChar + (fromEnd ? u"」以降" : u"」以前");
    } else {
        range = u"表示無し";
    }
    return u"タイトル : " + range;
}

// A count target field: a value, or the marker of the present, next or previous one.
Text Marked(int value, int present, int next, int previous, const char16_t* const words[3],
            bool twoDigits) {
    if (value == present) return words[0];
    if (value == next) return words[1];
    if (value == previous) return words[2];
    return twoDigits ? Two(value) : NumberText(value);
}

Text CountLine(const Count& c) {
    static const char16_t* const year[] = {u"今年", u"来年", u"去年"};
    static const char16_t* const month[] = {u"今月", u"来月", u"先月"};
    static const char16_t* const day[] = {u"今日", u"明日", u"昨日"};
    static const char16_t* const time[] = {u"今", u"次", u"前"};
    static const std::pair<unsigned, const char16_t*> units[] = {
        {Count::kYears, u"年"}, {Count::kMonths, u"ヶ月"}, {Count::kDays, u"日"},
        {Count::kHours, u"時間"}, {Count::kMinutes, u"分"}, {Count::kSeconds, u"秒"}};
    const bool up = c.ViewStyle & Count::kCountUp;
    const Text target =
        Marked(c.TargetYear, Count::kThisYear, Count::kNextYear, Count::kLastYear, year, false) +
        u"/" + Marked(c.TargetMonth, Count::kPresent, Count::kNext, Count::kPrevious, month, false) +
        u"/" + Marked(c.TargetDay, Count::kToday, Count::kTomorrow, Count::kYesterday, day, false) +
        u" " + Marked(c.TargetHour, Count::kPresent, Count::kNext, Count::kPrevious, time, false) +
        u":" + Marked(c.TargetMinute, Count::kPresent, Count::kNext, Count::kPrevious, time, true) +
        u":" + Marked(c.TargetSecond, Count::kPresent, -1, -1, time, true);
    return Text(up ? u"カウントアップ : " : u"カウントダウン : ") + target + (up ? u" から (" : u" まで (") +
           Joined(c.ViewStyle, units) + u")";
}

Text GroupLine(const vbKerova_View_Group& g) {
    using G = vbKerova_View_Group;
    static const std::pair<unsigned, const char16_t*> modes[] = {
        {G::kShowAll, u"全て表示"}, {G::kSwitch, u"切替表示"}, {G::kScroll, u"スクロール表示"},
        {G::kFirstValid, u"最初の有効項目を表示"}};
    Text out = u"グループ : " + Joined(g.ViewStyle, modes) + u" " + NumberText(g.TargetNum) + u"項目";
    if (g.ViewStyle & G::kScroll)
        out += u" (最大" + NumberText(g.CharLen) + ((g.ViewStyle & G::kByteMode) ? u"バイト)" : u"文字)");
    return out;
}

Text AlarmTextLine(const vbKerova_View_Alarm& a) {
    using A = vbKerova_View_Alarm;
    static const std::pair<unsigned, const char16_t*> parts[] = {
        {A::kShowTarget, u"指定日時"}, {A::kShowName, u"タイトル"}, {A::kShowMessage, u"メッセージ"}};
    const Text which = a.ViewType == A::kAll     ? Text(u"全ての該当アラーム")
                       : a.ViewType == A::kNamed ? u"指定アラーム「" + a.AlarmName + u"」"
                                                 : Text(u"最初に見つかったアラーム");
    return u"アラームテキスト : " + which + u" (" + Joined(a.ViewStyle, parts, u"+") + u")";
}

Text PluginLine(vbKerova_View_Plugin& p) {
    Text out = u"プラグイン : " + p.PluginName() + u" [" + p.PluginFileName() + u"] - " + p.FuncName();
    if (p.SettingNo() > 0) out += u" - " + p.FuncSettingName();
    return out;
}

}  // namespace

Text Description(const vbKerova_ViewData& item) {
    const std::shared_ptr<ViewSubItem> sub = item.ObjectData();
    Text line;
    if (auto* c = item.ClockData()) {
        line = ClockLine(*c);
    } else if (auto* f = item.FixedData()) {
        line = f->DataType == vbKerova_View_Fixed::kFixedText ? u"固定文字列 : " + f->FixedText()
                                                               : TitleLine(*f);
    } else if (auto* n = item.CountData()) {
        line = CountLine(*n);
    } else if (auto* g = item.GroupData()) {
        line = GroupLine(*g);
    } else if (auto* a = item.AlarmData()) {
        line = AlarmTextLine(*a);
    } else if (auto* p = dynamic_cast<vbKerova_View_Plugin*>(sub.get())) {
        line = PluginLine(*p);
    } else {
        line = u"(無し)";
    }
    return OneLine(std::move(line));
}

Text Description(const vbKerova_Alarm& alarm) {
    return OneLine(alarm.AlarmName + u" [" + AlarmTargetText(alarm, false) + u"] " +
                   (alarm.Enable() ? u"有効" : u"無効"));
}

Text Description(const vbKerova_Window& rule) { return OneLine(rule.SummaryText(true)); }

Text Description(const vbKerova_DrawBar& profile) { return OneLine(profile.DrawBarName); }

}  // namespace tbq::uimodel
