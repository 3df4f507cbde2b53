// The standard layer: field tokens, names, case rules, the hour rule for "m",
// escapes, locale pictures and the modern eras.
#include "format/format_test_support.h"

namespace tbq::format::test {
namespace {

using ExFormatStandard = JapaneseFormatTest;

const TimeRecord kJune = At(2014, 6, 5, 13, 7, 9, 7);  // a Thursday afternoon
const TimeRecord kMorning = At(2014, 6, 5, 9, 5, 0);

TEST_F(ExFormatStandard, FieldsAndNamesIgnoreCase) {
    Check({
        {kJune, u"yyyy/mm/dd hh:mm:ss", u"2014/06/05 13:07:09"},
        {kJune, u"YYYY/MM/DD HH:NN:SS", u"2014/06/05 13:07:09"},
        {kJune, u"yYyY-Mm-dD", u"2014-06-05"},
        {kJune, u"yy y ww w q s n d", u"14 156 23 5 2 9 7 5"},
        {At(2005, 1, 1), u"yy", u"05"},
        {kJune, u"mmmm mmm dddd ddd", u"June Jun Thursday Thu"},
        {kJune, u"aaaa aaa", u"木曜日 木"},
        {At(2014, 6, 8), u"AAAA(aaa)", u"日曜日(日)"},
        {kJune, u"yyyyy mmmmm", u"2014156 June6"},  // longest token first, the rest after it
        {kJune, u"x<>!}", u"x<>!}"},                // a "}" outside a section is plain text
    });
}

TEST_F(ExFormatStandard, DayOfYearWeekAndQuarter) {
    Check({
        {At(2014, 1, 7), u"ww y", u"1 7"},
        {At(2014, 1, 8), u"ww y", u"2 8"},
        {At(2000, 12, 31), u"y", u"366"},
        {At(1900, 12, 31), u"y", u"365"},  // not a leap year
        {At(2100, 3, 1), u"y", u"60"},
        {At(2000, 3, 1), u"y", u"61"},
        {At(2014, 3, 31), u"q", u"1"},
        {At(2014, 4, 1), u"q", u"2"},
        {At(2014, 12, 1), u"q", u"4"},
    });
}

TEST_F(ExFormatStandard, MorningAndAfternoonTokensMatchOnlyAsSpelled) {
    const TimeRecord noon = At(2014, 6, 5, 12, 0, 0);
    Check({
        {kMorning, u"AM/PM am/pm A/P a/p", u"AM am A a"},
        {noon, u"AM/PM am/pm A/P a/p", u"PM pm P p"},
        {kMorning, u"AMPM ampm AmPm", u"午前 午前 午前"},
        {noon, u"ampm", u"午後"},
        // Mixed case is no morning token: "A", then the month for "m".
        {kMorning, u"Am/Pm", u"A6/P6"},
        {kMorning, u"aM/pM", u"a6/p6"},
    });
}

TEST_F(ExFormatStandard, MIsTheMinuteOnlyRightAfterAnHour) {
    Check({
        {kMorning, u"h:m", u"9:5"},
        {kMorning, u"hh:mm", u"09:05"},
        {kMorning, u"hhmm", u"0905"},
        {kMorning, u"h時m分", u"9時5分"},  // two-byte separators count as one character
        {kMorning, u"m/d", u"6/5"},
        {kMorning, u"hh\\:mm", u"09:06"},  // an escaped separator ends the rule
        {kMorning, u"h: :m", u"9: :5"},    // any run of separators keeps it
        {kMorning, u"hh:ss:mm", u"09:00:06"},
        {kMorning, u"h#{}m", u"96"},  // and a section in between
        {kMorning, u"h:m:mm", u"9:5:06"},
    });
}

TEST_F(ExFormatStandard, EscapesAndTwoByteCharacters) {
    // "表" and "ソ" end in byte 0x5C, "Ｚ" in 'y', "ア" in 'A': all must pass
    // whole and never be read as a backslash, a token or a capital.
    ASSERT_EQ(env_->ToAnsi(u"表Ｚア"), "\x95\x5C\x82\x79\x83\x41");
    Check({
        {kJune, u"\\y\\\\\\m", u"y\\m"},
        {kJune, u"表yソ", u"表156ソ"},
        {kJune, u"ＺアM/PM", u"Ｚア6/P6"},
        {kJune, u"\\表\\", u"表"},  // a backslash at the end gives nothing
        {kJune, u"#{\\}}y", u"}156"},
    });
    // A lead byte with nothing after it is copied alone.
    EXPECT_EQ(Convert(*env_, &kJune, "y\x95"), "156\x95");
    EXPECT_EQ(Convert(*env_, &kJune, "\\\x95"), "\x95");
}

TEST_F(ExFormatStandard, LocalePictures) {
    Check({
        {kJune, u"dddddd", u"2014年6月5日"},
        {kJune, u"DDDDD|ttttt", u"2014/06/05|13:07:09"},
        {kJune, u"c", u"2014/06/05 13:07:09"},
        {kJune, u"dddddddd", u"2014年6月5日05"},
    });
}

TEST_F(ExFormatStandard, ModernEras) {
    Check({
        {kJune, u"ggge", u"平成26"},
        {kJune, u"ggg gg g ee e", u"平成 平 H 26 26"},
        {At(1868, 1, 24), u"[ggg][gg][g] ee e", u"[][][] 1868 1868"},
        {At(1868, 1, 25), u"ggg g ee", u"明治 M 01"},
        {At(1912, 7, 29), u"ggge", u"明治45"},
        {At(1912, 7, 30), u"gge g", u"大1 T"},
        {At(1926, 12, 24), u"ggge", u"大正15"},
        {At(1926, 12, 25), u"ggge", u"昭和1"},
        {At(1989, 1, 7), u"ggge g", u"昭和64 S"},
        {At(1989, 1, 8), u"ggg ee g", u"平成 01 H"},
        {At(2019, 4, 30), u"ggge", u"平成31"},
        {At(2019, 5, 1), u"ggg gg g ee e", u"令和 令 R 01 1"},
        {At(2024, 1, 1), u"ggge", u"令和6"},
    });
}

TEST(ExFormatStandardWestern, NamesAndLiteralsInASingleByteCodePage) {
    auto env = FormatTestEnv::Create(TestCodePage::Western);
    if (!env) GTEST_SKIP() << "code page 1252 not available in this run";
    const TimeRecord t = At(2014, 6, 5, 13, 7, 9);
    // Bytes from 0x80 are plain characters here; Japanese names become '?'.
    EXPECT_EQ(Convert(*env, &t, "\x95y\xE9 dddd aaa ggg"),
              "\x95"
              "156\xE9 Thursday ? ??");
}

TEST(ExFormatClock, ANullRecordReadsTheClockOnce) {
    auto env = FormatTestEnv::Create(TestCodePage::Western);
    if (!env) env = FormatTestEnv::Create(TestCodePage::Japanese);
    ASSERT_TRUE(env);
    env->now = At(1999, 12, 31, 23, 59, 58, 999);
    EXPECT_EQ(Convert(*env, nullptr, "yyyy-mm-dd hh:nn:ss #{msms}"), "1999-12-31 23:59:58 999");
    EXPECT_EQ(env->nowCalls, 1);
}

}  // namespace
}  // namespace tbq::format::test
