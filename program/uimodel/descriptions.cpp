#include "uimodel/descriptions.h"

#include <cstdio>

#include "alarm/alarm.h"
#include "base/texts.h"
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
Text Joined(unsigned bits, const std::pair<unsigned, TextId> (&names)[N], const char16_t* join = u"/") {
    Text out;
    for (const auto& [bit, name] : names) {
        if (!(bits & bit)) continue;
        if (!out.empty()) out += join;
        out += Tr(name);
    }
    return out;
}

// "kind : what": the kind's name as the editor's category list gives it.
Text Line(TextId kind, TextView what) { return Text(Tr(kind)) + u" : " + Text(what); }

Text ClockLine(const vbKerova_View_Clock& c) {
    Text zone = c.TimeZoneName();
    while (!zone.empty() && zone.back() == u' ') zone.pop_back();
    Text out = Line(TextId::ItemKindClock, c.FormatText + u" [" + zone + u" GMT" +
                                               (c.TimeZoneMinus() ? u"-" : u"+") + Two(c.TimeZoneHour()) +
                                               u":" + Two(c.TimeZoneMinute()) + u"]");
    const auto add = [&out](TextId word) { out += u' ' + Text(Tr(word)); };
    // Following the zone's own rules, the fixed summer-time switch is not used.
    if (c.Flag & vbKerova_View_Clock::kFlagAutoSummerTime)
        add(TextId::ItemLineAutoSummerTime);
    else if (c.Flag & vbKerova_View_Clock::kFlagDaylightSaving)
        add(TextId::ItemLineSummerTime);
    if (c.Flag & vbKerova_View_Clock::kFlagExtendedFormat) add(TextId::ItemLineExtended);
    if (c.OffsetYear || c.OffsetMonth || c.OffsetDay || c.OffsetHour || c.OffsetMinute ||
        c.OffsetSecond)
        add(TextId::ItemLineOffset);
    return out;
}

Text TitleLine(const vbKerova_View_Fixed& f) {
    using F = vbKerova_View_Fixed;
    const bool fromEnd = f.TitleStyle & F::kFromEnd;
    using enum TextId;
    Text range;
    if (f.TitleStyle == 0) {
        range = Tr(ItemRangeWhole);
    } else if (f.TitleStyle & F::kByCount) {
        const bool bytes = f.TitleStyle & F::kByWidth;
        range = Tr(fromEnd ? (bytes ? ItemLineLastBytes : ItemLineLastChars)
                           : (bytes ? ItemLineFirstBytes : ItemLineFirstChars),
                   NumberText(f.TitleNum));
    } else if (f.TitleStyle & F::kByDelimiter) {
        range = Tr(fromEnd ? ItemLineAfter : ItemLineBefore, f.TitleChar);
    } else {
        range = Tr(ItemLineNothing);
    }
    return Line(ItemKindTitle, range);
}

// A count target field: a value, or the marker of the present, next or previous one.
Text Marked(int value, int present, int next, int previous, const TextId words[3], bool twoDigits) {
    if (value == present) return Text(Tr(words[0]));
    if (value == next) return Text(Tr(words[1]));
    if (value == previous) return Text(Tr(words[2]));
    return twoDigits ? Two(value) : NumberText(value);
}

Text CountLine(const Count& c) {
    using enum TextId;
    static constexpr TextId year[] = {ItemThisYear, ItemNextYear, ItemLastYear};
    static constexpr TextId month[] = {ItemThisMonth, ItemNextMonth, ItemLastMonth};
    static constexpr TextId day[] = {ItemToday, ItemTomorrow, ItemYesterday};
    static constexpr TextId time[] = {ItemNow, ItemNext, ItemPrevious};
    static constexpr std::pair<unsigned, TextId> units[] = {
        {Count::kYears, ItemUnitYears}, {Count::kMonths, ItemUnitMonths},   {Count::kDays, ItemUnitDays},
        {Count::kHours, ItemUnitHours}, {Count::kMinutes, ItemUnitMinutes}, {Count::kSeconds, ItemUnitSeconds}};
    const bool up = c.ViewStyle & Count::kCountUp;
    const Text target =
        Marked(c.TargetYear, Count::kThisYear, Count::kNextYear, Count::kLastYear, year, false) +
        u"/" + Marked(c.TargetMonth, Count::kPresent, Count::kNext, Count::kPrevious, month, false) +
        u"/" + Marked(c.TargetDay, Count::kToday, Count::kTomorrow, Count::kYesterday, day, false) +
        u" " + Marked(c.TargetHour, Count::kPresent, Count::kNext, Count::kPrevious, time, false) +
        u":" + Marked(c.TargetMinute, Count::kPresent, Count::kNext, Count::kPrevious, time, true) +
        u":" + Marked(c.TargetSecond, Count::kPresent, -1, -1, time, true);
    return Line(up ? ItemCountUp : ItemCountDown,
                Tr(up ? ItemLineFrom : ItemLineUntil, target) + u" (" + Joined(c.ViewStyle, units) + u")");
}

Text GroupLine(const vbKerova_View_Group& g) {
    using G = vbKerova_View_Group;
    using enum TextId;
    static constexpr std::pair<unsigned, TextId> modes[] = {{G::kShowAll, ItemGroupShowAll},
                                                            {G::kSwitch, ItemGroupSwitch},
                                                            {G::kScroll, ItemGroupScroll},
                                                            {G::kFirstValid, ItemGroupFirstValid}};
    Text out = Line(ItemKindGroup, Joined(g.ViewStyle, modes) + u" " + Tr(ItemLineItems, NumberText(g.TargetNum)));
    if (g.ViewStyle & G::kScroll)
        out += u' ' + Tr((g.ViewStyle & G::kByteMode) ? ItemLineMaxBytes : ItemLineMaxChars, NumberText(g.CharLen));
    return out;
}

Text AlarmTextLine(const vbKerova_View_Alarm& a) {
    using A = vbKerova_View_Alarm;
    using enum TextId;
    static constexpr std::pair<unsigned, TextId> parts[] = {
        {A::kShowTarget, ItemAlarmShowTarget}, {A::kShowName, ItemKindTitle}, {A::kShowMessage, ItemAlarmShowMessage}};
    const Text which = a.ViewType == A::kAll     ? Text(Tr(ItemLineEveryAlarm))
                       : a.ViewType == A::kNamed ? Tr(ItemLineNamedAlarm, a.AlarmName)
                                                 : Text(Tr(ItemLineFirstAlarm));
    return Line(ItemKindAlarm, which + u" (" + Joined(a.ViewStyle, parts, u"+") + u")");
}

Text PluginLine(vbKerova_View_Plugin& p) {
    Text out = Line(TextId::ItemKindPlugin, p.PluginName() + u" [" + p.PluginFileName() + u"] - " + p.FuncName());
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
        line = f->DataType == vbKerova_View_Fixed::kFixedText ? Line(TextId::ItemKindFixed, f->FixedText())
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
        line = Tr(TextId::ItemLineNone);
    }
    return OneLine(std::move(line));
}

Text Description(const vbKerova_Alarm& alarm) {
    return OneLine(alarm.AlarmName + u" [" + AlarmTargetText(alarm, false) + u"] " +
                   Text(Tr(alarm.Enable() ? TextId::ItemLineEnabled : TextId::ItemLineDisabled)));
}

Text Description(const vbKerova_Window& rule) { return OneLine(rule.SummaryText(true)); }

Text Description(const vbKerova_DrawBar& profile) { return OneLine(profile.DrawBarName); }

}  // namespace tbq::uimodel
