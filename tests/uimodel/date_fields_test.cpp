#include "uimodel/date_fields.h"

#include <gtest/gtest.h>

namespace tbq::uimodel {
namespace {

constexpr DateMode A = DateMode::Alarm, C = DateMode::Count, O = DateMode::Offset;
using Texts = std::array<const char16_t*, 6>;

DateInput Typed(const Texts& texts, std::uint8_t weekdays) {
    DateInput in;
    for (std::size_t i = 0; i < 6; ++i) in.texts[i] = texts[i];
    in.weekdays = weekdays;
    return in;
}

// What the lists' texts read as, and the text the editor then shows: the
// lists' own entries, typed numbers (full-width too) and the weekday boxes.
TEST(DateFields, ChosenTextsToFieldsToText) {
    struct Case {
        DateMode mode;
        Texts texts;
        std::uint8_t weekdays;
        DateFields fields;
        const char16_t* shown;
    } cases[] = {
        {A, {u"2027", u"03", u"09", u"07", u"05", u"00"}, 0, {2027, 3, 9, 7, 5, 0}, u"2027/3/9 7:5:0"},
        {A, {u"毎", u"毎", u"毎", u"毎", u"30", u"毎"}, 0, {-1, 255, 127, 255, 30, 255}, u"Now/Now/Now Now:30:Now"},
        // Monday and Friday.
        {A, {u"毎", u"毎", u"曜", u"7", u"30", u"0"}, 2 | 32, {-1, 255, 162, 7, 30, 0}, u"Now/Now/Mon,Fri 7:30:0"},
        {A, {u"毎", u"毎", u"曜", u"0", u"0", u"0"}, 127, {-1, 255, 255, 0, 0, 0}, u"Now/Now/Sun,Mon,Tue,Wed,Thu,Fri,Sat 0:0:0"},
        // 29 February is fine every leap year, and the 31st where a month has one.
        {A, {u"毎", u"02", u"29", u"0", u"0", u"0"}, 0, {-1, 2, 29, 0, 0, 0}, u"Now/2/29 0:0:0"},
        {A, {u"2028", u"02", u"29", u"0", u"0", u"0"}, 0, {2028, 2, 29, 0, 0, 0}, u"2028/2/29 0:0:0"},
        {A, {u"2027", u"毎", u"31", u"0", u"0", u"0"}, 0, {2027, 255, 31, 0, 0, 0}, u"2027/Now/31 0:0:0"},
        {A, {u"２０２７", u" １２ ", u"２５", u"２３", u"５９", u"５９"}, 0, {2027, 12, 25, 23, 59, 59}, u"2027/12/25 23:59:59"},
        {C, {u"今年", u"来月", u"昨日", u"次", u"前", u"現在"}, 0, {-1, 254, 125, 254, 253, 255}, u"今年/来月/昨日 次:前:現在"},
        {C, {u"来年", u"12", u"25", u"00", u"00", u"00"}, 0, {-2, 12, 25, 0, 0, 0}, u"来年/12/25 0:0:0"},
        {C, {u"-3", u"253", u"126", u"255", u"254", u"255"}, 0, {-3, 253, 126, 255, 254, 255}, u"去年/先月/明日 現在:次:現在"},
        {O, {u"1", u"0", u"0", u"-3", u"0", u"0"}, 0, {1, 0, 0, -3, 0, 0}, u"+1年 -3時間"},
        {O, {u"0", u"-2", u"10", u"0", u"32767", u"-32768"}, 0, {0, -2, 10, 0, 32767, -32768}, u"-2ヶ月 +10日 +32767分 -32768秒"},
        {O, {u"0", u"0", u"0", u"0", u"0", u"0"}, 0, {}, u"オフセット無し"},
    };
    for (const auto& c : cases) {
        DateInput in = Typed(c.texts, c.weekdays);
        const DateCheck r = CheckDate(c.mode, in);
        ASSERT_TRUE(r.fields) << TextToUtf8(c.shown) << ": " << TextToUtf8(r.problem->message);
        EXPECT_EQ(*r.fields, c.fields) << TextToUtf8(c.shown);
        EXPECT_EQ(DateText(*r.fields, c.mode), c.shown);
        // Opened again on what it stored, the dialog shows the same choices.
        for (std::size_t i = 0; i < 6; ++i) {
            const std::int32_t v[] = {c.fields.year, c.fields.month, c.fields.day, c.fields.hour, c.fields.minute, c.fields.second};
            in.texts[i] = DateFieldText(c.mode, static_cast<DateField>(i), v[i]);
        }
        EXPECT_EQ(CheckDate(c.mode, in).fields, c.fields) << TextToUtf8(c.shown);
    }
}

// Each refusal on OK: the first field in order that fails, with its warning.
TEST(DateFields, RefusedFieldsInOrder) {
    constexpr auto Y = DateField::Year, M = DateField::Month, D = DateField::Day, H = DateField::Hour,
                   N = DateField::Minute, S = DateField::Second;
    struct Case {
        DateMode mode;
        Texts texts;
        std::uint8_t weekdays;
        DateField field;
        const char16_t* message;
    } cases[] = {
        {A, {u"99", u"毎", u"毎", u"毎", u"毎", u"毎"}, 0, Y, u"年の値が不正です。"},
        {A, {u"-4", u"13", u"毎", u"毎", u"毎", u"毎"}, 0, Y, u"年の値が不正です。"},
        {A, {u"2027", u"13", u"32", u"毎", u"毎", u"毎"}, 0, M, u"月の値が不正です。"},
        {A, {u"2027", u"252", u"毎", u"毎", u"毎", u"毎"}, 0, M, u"月の値が不正です。"},
        {A, {u"2027", u"1", u"0", u"毎", u"毎", u"毎"}, 0, D, u"日の値が不正です。"},
        {A, {u"2027", u"1", u"曜", u"24", u"毎", u"毎"}, 0, D, u"曜日が選択されていません。"},
        {A, {u"2027", u"1", u"1", u"24", u"毎", u"毎"}, 0, H, u"時の値が不正です。"},
        {A, {u"2027", u"1", u"1", u"0", u"60", u"毎"}, 0, N, u"分の値が不正です。"},
        {A, {u"2027", u"1", u"1", u"0", u"0", u"abc"}, 0, S, u"秒の値が不正です。"},
        {A, {u"2027", u"1", u"1", u"0", u"0", u""}, 0, S, u"秒の値が不正です。"},
        {A, {u"2027", u"1", u"1", u"0", u"0", u"1.5"}, 0, S, u"秒の値が不正です。"},
        // Dates no calendar has, with the month fixed.
        {A, {u"毎", u"02", u"30", u"0", u"0", u"0"}, 0, D, u"日の値が不正です。"},
        {A, {u"毎", u"02", u"31", u"0", u"0", u"0"}, 0, D, u"日の値が不正です。"},
        {A, {u"毎", u"04", u"31", u"0", u"0", u"0"}, 0, D, u"日の値が不正です。"},
        {A, {u"毎", u"11", u"31", u"0", u"0", u"0"}, 0, D, u"日の値が不正です。"},
        {A, {u"2027", u"02", u"29", u"0", u"0", u"0"}, 0, D, u"日の値が不正です。"},
        {C, {u"今年", u"02", u"31", u"0", u"0", u"0"}, 0, D, u"日の値が不正です。"},
        // The count has no weekdays and no "every"; its second only "now".
        {C, {u"今年", u"今月", u"曜", u"0", u"0", u"0"}, 0, D, u"日の値が不正です。"},
        {C, {u"毎", u"今月", u"今日", u"0", u"0", u"0"}, 0, Y, u"年の値が不正です。"},
        {C, {u"今年", u"今月", u"今日", u"0", u"0", u"254"}, 0, S, u"秒の値が不正です。"},
        {O, {u"32768", u"0", u"0", u"0", u"0", u"0"}, 0, Y, u"年の値が不正です。"},
        {O, {u"0", u"0", u"0", u"0", u"-32769", u"0"}, 0, N, u"分の値が不正です。"},
        {O, {u"0", u"0", u"0", u"0", u"0", u"x"}, 0, S, u"秒の値が不正です。"},
    };
    for (const auto& c : cases) {
        const DateCheck r = CheckDate(c.mode, Typed(c.texts, c.weekdays));
        ASSERT_TRUE(r.problem) << TextToUtf8(c.message);
        EXPECT_FALSE(r.fields);
        EXPECT_EQ(r.problem->field, c.field) << TextToUtf8(c.message);
        EXPECT_EQ(r.problem->message, c.message);
    }
}

// The lists offer the markers first, then every plain value once.
TEST(DateFields, ListsOfferMarkersThenValues) {
    const auto years = DateChoices(A, DateField::Year, 2026);
    ASSERT_EQ(years.size(), 22u);
    EXPECT_EQ(years.front().text, u"毎");
    EXPECT_EQ(years[1].text, u"2016");
    EXPECT_EQ(years.back().text, u"2036");
    const auto days = DateChoices(A, DateField::Day, 2026);
    EXPECT_EQ(days[1].text, u"曜");
    EXPECT_EQ(days[2].text, u"01");
    EXPECT_EQ(days.size(), 33u);
    EXPECT_EQ(DateChoices(C, DateField::Second, 2026).size(), 61u);
    const auto offsets = DateChoices(O, DateField::Hour, 2026);
    EXPECT_EQ(offsets.front().text, u"-10");
    EXPECT_EQ(offsets.size(), 21u);
}

}  // namespace
}  // namespace tbq::uimodel
