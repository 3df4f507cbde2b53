#include "uimodel/item_editor_model.h"

#include <algorithm>
#include <array>
#include <initializer_list>

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

constexpr Choice kCategories[] = {
    {u"タイトル", kKindTitle},       {u"日時情報", kKindClock}, {u"アラームテキスト", kKindAlarm},
    {u"固定文字列", kKindFixed},     {u"カウントダウン／アップ", kKindCount},
    {u"プラグイン", kKindPlugin},    {u"グループ", kKindGroup},
};
constexpr Choice kTitleRanges[] = {{u"全部分", 0}, {u"文字数指定", Fixed::kByCount}, {u"区切り文字指定", Fixed::kByDelimiter}};
constexpr Choice kTitleHalves[] = {{u"前半", 0}, {u"後半", Fixed::kFromEnd}};
constexpr Choice kCountDirections[] = {{u"カウントダウン", 0}, {u"カウントアップ", Count::kCountUp}};
constexpr Choice kGroupModes[] = {{u"全て表示", Group::kShowAll},
                                  {u"切替表示", Group::kSwitch},
                                  {u"スクロール表示", Group::kScroll},
                                  {u"最初の有効項目を表示", Group::kFirstValid}};
constexpr Choice kAlarmStyles[] = {{u"指定日時", 1},
                                   {u"タイトル", 2},
                                   {u"メッセージ", 4},
                                   {u"指定日時+タイトル", 3},
                                   {u"指定日時+メッセージ", 5},
                                   {u"タイトル+メッセージ", 6},
                                   {u"指定日時+タイトル+メッセージ", 7}};
constexpr Choice kAlarmTypes[] = {{u"最初に見つかったアラームを表示", AlarmText::kFirst},
                                  {u"全ての該当アラームを並べて表示", AlarmText::kAll},
                                  {u"指定アラームのみ表示", AlarmText::kNamed}};

// What a typed field holds, read into [lo, hi]; `fallback` when it is no number.
template <typename T>
T Field(const Text& typed, std::int32_t lo, std::int32_t hi, T fallback) {
    const auto v = ReadWhole(typed, lo, hi);
    return v ? static_cast<T>(*v) : fallback;
}
Text Number(long long n) { return Utf8ToText(std::to_string(n)); }

void AddLine(Text& text, TextView line) {
    if (!text.empty()) text += u"\r\n";
    text += line;
}
void AddLines(Text& text, std::initializer_list<TextView> lines) {
    for (TextView line : lines) AddLine(text, line);
}
}  // namespace

std::span<const Choice> Choices(ChoiceList list) {
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

std::size_t ChoiceIndex(ChoiceList list, std::int32_t value) {
    const auto c = Choices(list);
    const auto it = std::find_if(c.begin(), c.end(), [&](const Choice& e) { return e.value == value; });
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
                return ItemRefusal{ItemField::TitleNum, u"文字数が不正です。"};
            break;
        case kKindCount:
            if (!v.targetSet) return ItemRefusal{ItemField::CountTarget, u"日時が設定されていません。"};
            break;
        case kKindGroup: {
            if (!ReadNumber(v.targetNum)) return ItemRefusal{ItemField::TargetNum, u"対象範囲が不正です。"};
            const bool moves = v.groupMode == Group::kSwitch || v.groupMode == Group::kScroll;
            // Timing and step read as 0 when they are no number, or 0 or less.
            if (moves && Field<std::int32_t>(v.timing, 0, 32767, 0) == 0)
                return ItemRefusal{ItemField::Timing, u"タイミングが不正です。"};
            if (v.groupMode == Group::kScroll && Field<std::int32_t>(v.step, 0, 32767, 0) == 0)
                return ItemRefusal{ItemField::Step, u"ステップ数が不正です。"};
            break;
        }
        case kKindAlarm:
            if (v.alarmType == AlarmText::kNamed && !alarmsExist)
                return ItemRefusal{ItemField::AlarmName, u"現在利用可能なアラームがありません。"};
            break;
        case kKindPlugin:
            if (v.pluginFile.empty() || !pluginLoaded || !pluginLoaded(v.pluginFile))
                return ItemRefusal{ItemField::Plugin, u"プラグインが読み込めませんでした。"};
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
    Text t;
    switch (v.kind) {
        case kKindClock:
            AddLines(t, {u"日時情報を表示します。", u"表示のフォーマットやタイムゾーン等も選択できます。",
                         u"[拡張書式を使う]にチェックを入れると、独自のフォーマットが使用できます。",
                         u"また、オフセットを指定すると過去や未来の日時を表示できます。"});
            break;
        case kKindFixed: AddLine(t, u"固定文字列を表示します。"); break;
        case kKindTitle:
            AddLine(t, u"ウインドウタイトルを表示します。");
            AddLines(t, v.titleRange == Fixed::kByCount
                            ? std::initializer_list<TextView>{u"チェックが付いていない状態では、全ての文字が1文字単位になります。",
                                                              u"[バイト単位]にチェックを付けると、半角を1、全角を2として扱います。"}
                        : v.titleRange == Fixed::kByDelimiter
                            ? std::initializer_list<TextView>{u"指定した文字以前/以降を表示します。",
                                                              u"[前半]の場合は前から、[後半]の場合は後ろから[区切り文字]を検索し、最初に見つかった位置から区切ります。"}
                            : std::initializer_list<TextView>{u"タイトル文字の全てを表示します。"});
            break;
        case kKindCount:
            if (v.countDirection & Count::kCountUp) {
                AddLine(t, u"指定日時からのカウントアップを表示します。");
                AddLine(t, u"未来を指定すると、マイナス表示になります。");
            } else {
                AddLine(t, u"指定日時へのカウントダウンを表示します。");
                AddLine(t, u"過去を指定すると、マイナス表示になります。");
            }
            AddLine(t, u"[対象日時]を指定して下さい。");
            AddLine(t, u"[書式]でカウントの単位を選択できます。");
            break;
        case kKindGroup:
            AddLine(t, u"複数の表示項目(本設定以下)を纏めて表示します。");
            AddLine(t, u"[対象範囲]で、纏める項目数を指定して下さい。");
            switch (v.groupMode) {
                case Group::kSwitch: AddLine(t, u"纏めた表示項目のデータを指定秒数毎に切り替えて表示します。"); break;
                case Group::kScroll:
                    AddLine(t, u"纏めた表示項目のデータを並べ、[最大文字数]までの間で右から左に向かってスクロールさせます。");
                    break;
                case Group::kFirstValid: AddLine(t, u"纏めた項目の上から検索し、最初に見つかったデータのみ表示します。"); break;
                default: AddLine(t, u"纏めた表示項目のデータを並べて表示します。"); break;
            }
            if (v.groupMode == Group::kSwitch || v.groupMode == Group::kScroll)
                AddLine(t, refreshTiming ? u"[切替時間]に、0.1秒単位で切替時間を入力してください。"
                                         : u"[切替時間]に、切替タイミングを入力してください。");
            if (v.groupMode == Group::kScroll)
                AddLine(t, u"[ステップ数]に、一度にスクロールする文字数(バイト数)を入力してください。");
            break;
        case kKindAlarm:
            AddLine(t, u"アラームのメッセージ等を表示します。");
            AddLines(t, v.alarmType == AlarmText::kAll
                            ? std::initializer_list<TextView>{u"全ての該当アラームのメッセージを並べて表示します。"}
                        : v.alarmType == AlarmText::kNamed
                            ? std::initializer_list<TextView>{u"指定したアラームのメッセージのみ表示します。",
                                                              u"※同じ名前のアラームがある場合、最初に見つかったアラームが表示されます。"}
                            : std::initializer_list<TextView>{u"アラームは上からチェックを行い、最初に該当したアラームのメッセージを表示します。"});
            break;
        case kKindPlugin: AddLine(t, u"外部プラグインによる入力文字列を表示します。"); break;
        default: break;
    }
    return t;
}

const char16_t* TimingCaption(bool refreshTiming) { return refreshTiming ? u"切替時間(&5)" : u"タイミング(&5)"; }

const char16_t* TitleFieldCaption(std::int32_t titleRange) {
    return titleRange == Fixed::kByDelimiter ? u"区切り文字(&5)" : u"文字数(&5)";
}

}  // namespace tbq::uimodel
