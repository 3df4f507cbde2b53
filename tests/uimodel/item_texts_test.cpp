// The item editor's texts, the lists' descriptions and the amounts that counts
// write, shown in English; the Japanese texts stay as the other tests pin them.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <vector>

#include "base/texts.h"
#include "uimodel/mnemonics.h"
#include "core/helpers.h"
#include "items/view_count.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "uimodel/date_fields.h"
#include "uimodel/descriptions.h"
#include "uimodel/format_parts.h"
#include "uimodel/interval.h"
#include "uimodel/item_editor_model.h"
#include "uimodel/view_list_manager.h"

namespace tbq::uimodel {
namespace {

class InEnglish : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }
    void TearDown() override { SetLanguage(Language::Japanese); }
};

std::shared_ptr<vbKerova_ViewData> Item(std::shared_ptr<ViewSubItem> sub) {
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(std::move(sub), vbKerova_ViewData::kNoColor, true);
    return item;
}

TEST_F(InEnglish, ListLinesDescribeEachKind) {
    using F = vbKerova_View_Fixed;
    const auto title = [](std::uint8_t style, const char16_t* delimiter) {
        auto f = std::make_shared<F>();
        f->DataType = F::kWindowTitle;
        f->TitleStyle = style;
        f->TitleNum = 10;
        f->TitleChar = delimiter;
        return Item(f);
    };
    auto count = std::make_shared<vbKerova_View_Count>();
    count->TargetYear = vbKerova_View_Count::kNextYear;
    count->TargetMonth = 1;
    count->TargetDay = 1;
    count->ViewStyle = vbKerova_View_Count::kDays | vbKerova_View_Count::kSeconds | vbKerova_View_Count::kCountUp;
    auto group = std::make_shared<vbKerova_View_Group>();
    group->TargetNum = 3;
    group->ViewStyle = vbKerova_View_Group::kScroll;
    const struct {
        std::shared_ptr<vbKerova_ViewData> item;
        const char16_t* line;
    } cases[] = {
        {title(0, u""), u"Title : Whole title"},
        {title(F::kByCount | F::kFromEnd | F::kByWidth, u""), u"Title : last 10 bytes"},
        {title(F::kByDelimiter, u" - "), u"Title : before \" - \""},
        {Item(count), u"Count up : from next year/1/1 0:00:00 (days/seconds)"},
        {Item(group), u"Group : Scroll 3 items (at most 10 characters)"},
        {std::make_shared<vbKerova_ViewData>(), u"(none)"},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToUtf8(Description(*c.item)), TextToUtf8(c.line));
}

// Amounts stand apart by a space in English, whatever unit comes first; the
// sign stays on the first number.
TEST_F(InEnglish, CountsDurationsOffsetsAndIntervalsWriteTheirUnits) {
    vbKerova_View_Count count;
    const DateTime now{2026, 12, 7, 1, 12, 0};
    const struct {
        const char* what;
        int style;
        DateTime target;
        const char16_t* text;
    } counts[] = {
        {"every unit", 63, {2028, 2, 8, 3, 15, 9}, u"1y 2mo 1d 2h 3min 9s"},
        {"days and seconds, past", vbKerova_View_Count::kDays | vbKerova_View_Count::kSeconds,
         {2026, 12, 5, 1, 11, 50}, u"-2d 10s"},
        {"the very moment", 63, now, u"0s"},
    };
    for (const auto& c : counts) {
        count.ViewStyle = static_cast<std::uint8_t>(c.style);
        EXPECT_EQ(TextToUtf8(count.CountText(now, c.target)), TextToUtf8(c.text)) << c.what;
    }
    EXPECT_EQ(DurationText(-3605, u"00"), u"-1h 05s");
    EXPECT_EQ(DurationText(65, u"0"), u"1min 5s");
    EXPECT_EQ(DateText({1, 0, 0, -3, 0, 0}, DateMode::Offset), u"+1y -3h");
    EXPECT_EQ(DateText({}, DateMode::Offset), u"No offset");
    EXPECT_EQ(IntervalLabel(1250), u"1.25s");
}

TEST_F(InEnglish, TheEditorExplainsAndRefusesInEnglish) {
    ItemValues v;
    v.kind = kKindGroup;
    v.groupMode = 4;
    v.targetNum = u"x";
    EXPECT_EQ(TextToUtf8(ItemDescription(v, true)),
              "Shows several display items (this one and those below it) together.\r\n"
              "Set in [Items] how many items are grouped.\r\n"
              "Shows the grouped items side by side, scrolling from right to left within the [Max length].\r\n"
              "Type the [Switch time] in tenths of a second.\r\n"
              "Type in [Step] how many characters (bytes) to scroll at a time.");
    EXPECT_EQ(Text(CheckItem(v, true, nullptr)->message), u"The number of items is not valid.");
    EXPECT_EQ(Text(Choices(ChoiceList::CountDirection)[1].name), u"Count up");
    EXPECT_EQ(Text(TimingCaption(false)), u"&Timing:");
    const auto codes = DateCodeParts();
    ASSERT_EQ(codes.size(), 38u);
    EXPECT_EQ(codes[5].code, u"ddd");
    EXPECT_EQ(codes[5].help, u"The weekday, abbreviated in English (Sun-Sat).");
    EXPECT_EQ(ExtendedParts(nullptr)[1].help, u"The end of the extended format.");
    EXPECT_EQ(DateFieldText(DateMode::Count, DateField::Month, 254), u"next month");
    EXPECT_EQ(CheckDate(DateMode::Count, {{u"next year", u"13", u"1", u"0", u"0", u"0"}}).problem->message,
              u"The month is not valid.");
    EXPECT_EQ(Text(ListManagementMenu(false)[0].caption), u"&Import...");
}

// The editor shows one page at a time under its own controls: in English no
// two of them share a mnemonic.
TEST(ItemEditorTexts, EnglishMnemonicsOfTheEditorAndEachPageDoNotClash) {
    using enum TextId;
    const std::vector<std::vector<TextId>> pages{
        {ItemZoneLabel, ItemClockFormatLabel, ItemExtended, ItemSummerTime, ItemOffsetLabel, ItemAutoSummerTime},
        {ItemTextLabel},
        {ItemRangeLabel, ItemHalfLabel, ItemLengthLabel, ItemDelimiterLabel, ItemByBytes},
        {ItemDirectionLabel, ItemTargetLabel, ItemUnitsLabel},
        {ItemGroupModeLabel, ItemGroupRangeLabel, ItemTimingLabel, ItemSwitchTimeLabel, ItemStepLabel,
         ItemMaxLengthLabel, ItemScrollBytes, ItemCheckLength},
        {ItemAlarmStyleLabel, ItemAlarmTypeLabel, ItemAlarmListLabel},
        {ItemPluginLabel, ItemFunctionLabel, ItemSettingLabel, ItemPluginSettings},
    };
    for (const auto& page : pages) {
        std::vector<TextId> all{ItemCategoryLabel, ItemColourLabel};
        all.insert(all.end(), page.begin(), page.end());
        test::ExpectEnglishMnemonicsApart(all);
    }
}

}  // namespace
}  // namespace tbq::uimodel
