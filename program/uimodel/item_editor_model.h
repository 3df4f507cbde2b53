// The display item editor without its window: the choice lists of its pages,
// the values a page holds, the texts that explain them, the checks made on OK
// and the new item built from a page. The window only moves values between
// its controls and ItemValues.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/text.h"
#include "items/view_data.h"
#include "uimodel/date_fields.h"

namespace tbq::uimodel {

// One entry of a choice list and the value it stands for.
struct Choice {
    const char16_t* name;
    std::int32_t value;
};

enum class ChoiceList {
    Category,       // "カテゴリ(&1)": the seven kinds
    TitleRange,     // "表示範囲(&3)": 全部分, 文字数指定, 区切り文字指定
    TitleHalf,      // "前半／後半(&4)"
    CountDirection, // "カウントダウン／アップ(&3)"
    GroupMode,      // "表示方法(&3)"
    AlarmStyle,     // "表示形式(&3)"
    AlarmType,      // "アラームテキストの表示方法(&4)"
};
// The entries in the language in force.
std::vector<Choice> Choices(ChoiceList list);
// The entry of `value` in the list; 0 when the list has no such value.
std::size_t ChoiceIndex(ChoiceList list, std::int32_t value);

// What the editor's pages hold. Numbers the user types stay text until OK,
// where they are checked and read into their fields' ranges.
struct ItemValues {
    std::uint8_t kind = kKindTitle;
    std::uint32_t color = vbKerova_ViewData::kCaptionTextColor;
    // Clock.
    Text format = u"<YYYY/MM/DD HH:MM:SS>";
    Text zone = u"TYO";
    bool summerTime = false, extended = false;
    bool autoSummerTime = false;  // "夏時間を自動で切り替える": the fixed box then counts for nothing
    DateFields offsets;
    // Fixed text.
    Text fixedText;
    // Window title.
    std::int32_t titleRange = 0;  // 0 whole, 1 by count, 2 by delimiter
    bool fromEnd = false, byWidth = false;
    Text titleNum = u"10", titleChar;
    // Count.
    DateFields target;
    bool targetSet = false;  // a date was chosen in the date dialog (or the item had one)
    std::uint8_t countDirection = 0, countMask = 63;
    // Group.
    Text targetNum = u"1", timing = u"1", step = u"1", charLen = u"10";
    std::uint8_t groupMode = 1;
    bool byteMode = false, checkLength = false;
    // Alarm text.
    std::uint8_t alarmStyle = 4, alarmType = 1;
    Text alarmName;
    // Plug-in.
    Text pluginFile;
    std::int32_t funcNo = 1, settingNo = 1;
};

// The page values of `item`; a new item's (category タイトル) for null.
ItemValues ValuesOf(const vbKerova_ViewData* item);

// The field a refusal puts the focus on.
enum class ItemField { TitleNum, CountTarget, TargetNum, Timing, Step, AlarmName, Plugin };
struct ItemRefusal {
    ItemField field;
    TextView message;  // in the language in force
};
// The checks made on OK, for the chosen kind only. `pluginLoaded` asks the
// plug-in registry as it is now.
std::optional<ItemRefusal> CheckItem(const ItemValues& v, bool alarmsExist,
                                     const std::function<bool(const Text& file)>& pluginLoaded);

// A new item of the chosen kind from the page, enabled, with the chosen colour.
// Typed numbers are brought into their fields' ranges.
std::shared_ptr<vbKerova_ViewData> BuildItem(const ItemValues& v);

// The lines shown at the top of the page: what the kind does and what the
// current choices mean. `refreshTiming`: groups move on their own 100 ms timer.
Text ItemDescription(const ItemValues& v, bool refreshTiming);
// The caption of the group's timing field, with its colon.
TextView TimingCaption(bool refreshTiming);
// The caption of the title page's number field: "文字数(&5):" or "区切り文字(&5):".
TextView TitleFieldCaption(std::int32_t titleRange);

}  // namespace tbq::uimodel
