#include "uimodel/item_editor_model.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "base/texts.h"
#include "items/view_alarm.h"
#include "items/view_clock.h"
#include "items/view_count.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "items/view_plugin.h"
#include "uimodel/numbers.h"

namespace tbq::uimodel {

namespace {
using Clock = vbKerova_View_Clock;
using Fixed = vbKerova_View_Fixed;
using Count = vbKerova_View_Count;
using Group = vbKerova_View_Group;
using AlarmText = vbKerova_View_Alarm;

// A choice list as written: each entry's text by id, shown in the language in force.
struct ChoiceEntry {
    TextId name;
    std::int32_t value;
};
constexpr ChoiceEntry kCategories[] = {
    {TextId::ItemKindTitle, kKindTitle},   {TextId::ItemKindClock, kKindClock}, {TextId::ItemKindAlarm, kKindAlarm},
    {TextId::ItemKindFixed, kKindFixed},   {TextId::ItemKindCount, kKindCount},
    {TextId::ItemKindPlugin, kKindPlugin}, {TextId::ItemKindGroup, kKindGroup},
};
constexpr ChoiceEntry kTitleRanges[] = {{TextId::ItemRangeWhole, 0},
                                        {TextId::ItemRangeByCount, Fixed::kByCount},
                                        {TextId::ItemRangeByDelimiter, Fixed::kByDelimiter}};
constexpr ChoiceEntry kTitleHalves[] = {{TextId::ItemHalfFront, 0}, {TextId::ItemHalfBack, Fixed::kFromEnd}};
constexpr ChoiceEntry kCountDirections[] = {{TextId::ItemCountDown, 0}, {TextId::ItemCountUp, Count::kCountUp}};
constexpr ChoiceEntry kGroupModes[] = {{TextId::ItemGroupShowAll, Group::kShowAll},
                                       {TextId::ItemGroupSwitch, Group::kSwitch},
                                       {TextId::ItemGroupScroll, Group::kScroll},
                                       {TextId::ItemGroupFirstValid, Group::kFirstValid}};
constexpr ChoiceEntry kAlarmStyles[] = {{TextId::ItemAlarmShowTarget, 1},    {TextId::ItemKindTitle, 2},
                                        {TextId::ItemAlarmShowMessage, 4},   {TextId::ItemAlarmTargetTitle, 3},
                                        {TextId::ItemAlarmTargetMessage, 5}, {TextId::ItemAlarmTitleMessage, 6},
                                        {TextId::ItemAlarmEverything, 7}};
constexpr ChoiceEntry kAlarmTypes[] = {{TextId::ItemAlarmFirst, AlarmText::kFirst},
                                       {TextId::ItemAlarmEvery, AlarmText::kAll},
                                       {TextId::ItemAlarmNamedOnly, AlarmText::kNamed}};

std::span<const ChoiceEntry> Entries(ChoiceList list) {
    switch (list) {
        case ChoiceList::Category: return kCategories;
        case ChoiceList::TitleRange: return kTitleRanges;
        case ChoiceList::TitleHalf: return kTitleHalves;
        case ChoiceList::CountDirection: return kCountDirections;
        case ChoiceList::GroupMode: return kGroupModes;
        case ChoiceList::AlarmStyle: return kAlarmStyles;
        case ChoiceList::AlarmType: return kAlarmTypes;
    }
    return {};
}

// What a typed field holds, read into [lo, hi]; `fallback` when it is no number.
template <typename T>
T Field(const Text& typed, std::int32_t lo, std::int32_t hi, T fallback) {
    const auto v = ReadWhole(typed, lo, hi);
    return v ? static_cast<T>(*v) : fallback;
}
Text Number(long long n) { return Utf8ToText(std::to_string(n)); }

void AddLine(Text& text, TextId line) {
    if (!text.empty()) text += u"\r\n";
    text += Tr(line);
}
void AddLines(Text& text, std::initializer_list<TextId> lines) {
    for (TextId line : lines) AddLine(text, line);
}
}  // namespace

std::vector<Choice> Choices(ChoiceList list) {
    std::vector<Choice> out;
    // The tables' texts are whole literals, so each view ends in a zero.
    for (const ChoiceEntry& e : Entries(list)) out.push_back({Tr(e.name).data(), e.value});
    return out;
}

std::size_t ChoiceIndex(ChoiceList list, std::int32_t value) {
    const auto c = Entries(list);
    const auto it = std::find_if(c.begin(), c.end(), [&](const ChoiceEntry& e) { return e.value == value; });
    return it == c.end() ? 0 : static_cast<std::size_t>(it - c.begin());
}

ItemValues ValuesOf(const vbKerova_ViewData* item) {
    ItemValues v;
    if (!item || !item->ObjectData()) return v;
    v.kind = item->DataType();
    v.color = item->FontColor;
    ViewSubItem* sub = item->ObjectData().get();
    if (auto* c = dynamic_cast<Clock*>(sub)) {
        v.format = c->FormatText;
        v.zone = c->TimeZoneName();
        v.summerTime = (c->Flag & Clock::kFlagDaylightSaving) != 0;
        v.extended = (c->Flag & Clock::kFlagExtendedFormat) != 0;
        v.autoSummerTime = (c->Flag & Clock::kFlagAutoSummerTime) != 0;
        v.offsets = {c->OffsetYear, c->OffsetMonth, c->OffsetDay, c->OffsetHour, c->OffsetMinute, c->OffsetSecond};
    } else if (auto* f = dynamic_cast<Fixed*>(sub)) {
        if (f->DataType == Fixed::kFixedText) {
            v.fixedText = f->FixedText();
        } else {
            v.titleRange = f->TitleStyle & (Fixed::kByCount | Fixed::kByDelimiter);
            if (v.titleRange == (Fixed::kByCount | Fixed::kByDelimiter)) v.titleRange = Fixed::kByCount;
            v.fromEnd = (f->TitleStyle & Fixed::kFromEnd) != 0;
            v.byWidth = (f->TitleStyle & Fixed::kByWidth) != 0;
            v.titleNum = Number(f->TitleNum);
            v.titleChar = f->TitleChar;
        }
    } else if (auto* n = dynamic_cast<Count*>(sub)) {
        v.target = {n->TargetYear, n->TargetMonth, n->TargetDay, n->TargetHour, n->TargetMinute, n->TargetSecond};
        v.targetSet = true;
        v.countDirection = n->ViewStyle & Count::kCountUp;
        v.countMask = n->ViewStyle & 63;
    } else if (auto* g = dynamic_cast<Group*>(sub)) {
        v.targetNum = Number(g->TargetNum);
        v.timing = Number(g->Timing);
        v.step = Number(g->Step);
        v.charLen = Number(g->CharLen);
        v.groupMode = g->ViewStyle & (Group::kShowAll | Group::kSwitch | Group::kScroll | Group::kFirstValid);
        v.byteMode = (g->ViewStyle & Group::kByteMode) != 0;
        v.checkLength = (g->ViewStyle & Group::kCheckLength) != 0;
    } else if (auto* a = dynamic_cast<AlarmText*>(sub)) {
        v.alarmStyle = a->ViewStyle;
        v.alarmType = a->ViewType;
        v.alarmName = a->AlarmName;
    } else if (auto* p = dynamic_cast<vbKerova_View_Plugin*>(sub)) {
        v.pluginFile = p->PluginFileName();
        v.funcNo = p->FuncNo();
        v.settingNo = p->SettingNo();
    }
    return v;
}

std::optional<ItemRefusal> CheckItem(const ItemValues& v, bool alarmsExist,
                                     const std::function<bool(const Text& file)>& pluginLoaded) {
    switch (v.kind) {
        case kKindTitle:
            if (v.titleRange == Fixed::kByCount && !ReadNumber(v.titleNum))
                return ItemRefusal{ItemField::TitleNum, Tr(TextId::ItemBadLength)};
            break;
        case kKindCount:
            if (!v.targetSet) return ItemRefusal{ItemField::CountTarget, Tr(TextId::ItemNoTarget)};
            break;
        case kKindGroup: {
            if (!ReadNumber(v.targetNum)) return ItemRefusal{ItemField::TargetNum, Tr(TextId::ItemBadRange)};
            const bool moves = v.groupMode == Group::kSwitch || v.groupMode == Group::kScroll;
            // Timing and step read as 0 when they are no number, or 0 or less.
            if (moves && Field<std::int32_t>(v.timing, 0, 32767, 0) == 0)
                return ItemRefusal{ItemField::Timing, Tr(TextId::ItemBadTiming)};
            if (v.groupMode == Group::kScroll && Field<std::int32_t>(v.step, 0, 32767, 0) == 0)
                return ItemRefusal{ItemField::Step, Tr(TextId::ItemBadStep)};
            break;
        }
        case kKindAlarm:
            if (v.alarmType == AlarmText::kNamed && !alarmsExist)
                return ItemRefusal{ItemField::AlarmName, Tr(TextId::ItemNoAlarms)};
            break;
        case kKindPlugin:
            if (v.pluginFile.empty() || !pluginLoaded || !pluginLoaded(v.pluginFile))
                return ItemRefusal{ItemField::Plugin, Tr(TextId::ItemPluginNotLoaded)};
            break;
        default: break;
    }
    return std::nullopt;
}

std::shared_ptr<vbKerova_ViewData> BuildItem(const ItemValues& v) {
    std::shared_ptr<ViewSubItem> sub;
    switch (v.kind) {
        case kKindClock: {
            auto c = std::make_shared<Clock>();
            c->FormatText = v.format;
            c->SetTimeZoneName(v.zone.empty() ? Text(u"TYO") : v.zone);
            const auto clamp16 = [](std::int32_t n) { return static_cast<std::int16_t>(std::clamp(n, -32768, 32767)); };
            c->OffsetYear = clamp16(v.offsets.year);
            c->OffsetMonth = clamp16(v.offsets.month);
            c->OffsetDay = clamp16(v.offsets.day);
            c->OffsetHour = clamp16(v.offsets.hour);
            c->OffsetMinute = clamp16(v.offsets.minute);
            c->OffsetSecond = clamp16(v.offsets.second);
            c->Flag = static_cast<std::uint8_t>((v.summerTime ? Clock::kFlagDaylightSaving : 0) |
                                                (v.extended ? Clock::kFlagExtendedFormat : 0) |
                                                (v.autoSummerTime ? Clock::kFlagAutoSummerTime : 0));
            sub = c;
            break;
        }
        case kKindFixed:
        case kKindTitle: {
            auto f = std::make_shared<Fixed>();
            if (v.kind == kKindFixed) {
                f->DataType = Fixed::kFixedText;
                f->SetText(v.fixedText);
            } else {
                f->DataType = Fixed::kWindowTitle;
                std::uint8_t style = static_cast<std::uint8_t>(v.titleRange);
                if (style != 0 && v.fromEnd) style |= Fixed::kFromEnd;
                if (v.titleRange == Fixed::kByCount && v.byWidth) style |= Fixed::kByWidth;
                f->TitleStyle = style;
                f->TitleNum = Field<std::int16_t>(v.titleNum, 0, 32767, 0);
                f->TitleChar = v.titleChar;
            }
            sub = f;
            break;
        }
        case kKindCount: {
            auto n = std::make_shared<Count>();
            n->TargetYear = static_cast<std::int16_t>(std::clamp(v.target.year, -32768, 32767));
            const auto byte = [](std::int32_t x) { return static_cast<std::uint8_t>(std::clamp(x, 0, 255)); };
            n->TargetMonth = byte(v.target.month);
            n->TargetDay = byte(v.target.day);
            n->TargetHour = byte(v.target.hour);
            n->TargetMinute = byte(v.target.minute);
            n->TargetSecond = byte(v.target.second);
            n->ViewStyle = static_cast<std::uint8_t>((v.countMask & 63) | (v.countDirection & Count::kCountUp));
            sub = n;
            break;
        }
        case kKindGroup: {
            auto g = std::make_shared<Group>();
            g->TargetNum = Field<std::uint8_t>(v.targetNum, 0, 255, 1);
            g->Timing = Field<std::int16_t>(v.timing, 0, 32767, 1);
            g->Step = Field<std::int16_t>(v.step, 0, 32767, 1);
            g->CharLen = Field<std::int16_t>(v.charLen, 0, 32767, 10);
            std::uint8_t style = v.groupMode;
            if (v.groupMode == Group::kScroll) {
                if (v.byteMode) style |= Group::kByteMode;
                if (v.checkLength) style |= Group::kCheckLength;
            }
            g->ViewStyle = style;
            sub = g;
            break;
        }
        case kKindAlarm: {
            auto a = std::make_shared<AlarmText>();
            a->ViewStyle = v.alarmStyle;
            a->ViewType = v.alarmType;
            a->AlarmName = v.alarmName;
            sub = a;
            break;
        }
        case kKindPlugin: {
            auto p = std::make_shared<vbKerova_View_Plugin>();
            p->SetPluginFunc(v.pluginFile, v.funcNo, v.settingNo);
            sub = p;
            break;
        }
        default: return nullptr;
    }
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(sub, v.color, true);
    return item;
}

Text ItemDescription(const ItemValues& v, bool refreshTiming) {
    using enum TextId;
    Text t;
    switch (v.kind) {
        case kKindClock:
            AddLines(t, {ItemAboutClock, ItemAboutClockChoices, ItemAboutClockExtended, ItemAboutClockOffset});
            break;
        case kKindFixed: AddLine(t, ItemAboutFixed); break;
        case kKindTitle:
            AddLine(t, ItemAboutTitle);
            AddLines(t, v.titleRange == Fixed::kByCount       ? std::initializer_list<TextId>{ItemAboutTitleChars, ItemAboutTitleBytes}
                        : v.titleRange == Fixed::kByDelimiter ? std::initializer_list<TextId>{ItemAboutTitleDelimiter, ItemAboutTitleSearch}
                                                              : std::initializer_list<TextId>{ItemAboutTitleWhole});
            break;
        case kKindCount:
            if (v.countDirection & Count::kCountUp)
                AddLines(t, {ItemAboutCountUp, ItemAboutCountUpFuture});
            else
                AddLines(t, {ItemAboutCountDown, ItemAboutCountDownPast});
            AddLines(t, {ItemAboutCountTarget, ItemAboutCountUnits});
            break;
        case kKindGroup:
            AddLines(t, {ItemAboutGroup, ItemAboutGroupRange});
            switch (v.groupMode) {
                case Group::kSwitch: AddLine(t, ItemAboutGroupSwitch); break;
                case Group::kScroll: AddLine(t, ItemAboutGroupScroll); break;
                case Group::kFirstValid: AddLine(t, ItemAboutGroupFirst); break;
                default: AddLine(t, ItemAboutGroupAll); break;
            }
            if (v.groupMode == Group::kSwitch || v.groupMode == Group::kScroll)
                AddLine(t, refreshTiming ? ItemAboutGroupTenths : ItemAboutGroupTiming);
            if (v.groupMode == Group::kScroll) AddLine(t, ItemAboutGroupStep);
            break;
        case kKindAlarm:
            AddLine(t, ItemAboutAlarm);
            AddLines(t, v.alarmType == AlarmText::kAll     ? std::initializer_list<TextId>{ItemAboutAlarmAll}
                        : v.alarmType == AlarmText::kNamed ? std::initializer_list<TextId>{ItemAboutAlarmNamed, ItemAboutAlarmSameName}
                                                           : std::initializer_list<TextId>{ItemAboutAlarmFirst});
            break;
        case kKindPlugin: AddLine(t, ItemAboutPlugin); break;
        default: break;
    }
    return t;
}

TextView TimingCaption(bool refreshTiming) {
    return Tr(refreshTiming ? TextId::ItemSwitchTimeLabel : TextId::ItemTimingLabel);
}

TextView TitleFieldCaption(std::int32_t titleRange) {
    return Tr(titleRange == Fixed::kByDelimiter ? TextId::ItemDelimiterLabel : TextId::ItemLengthLabel);
}

}  // namespace tbq::uimodel
