// Extended sections: the sexagenary cycle, Julian dates, sub-second fields and
// the full era table, checked against calendar facts known independently.
#include "format/format_test_support.h"

namespace tbq::format::test {
namespace {

using ExFormatExtended = JapaneseFormatTest;

TEST_F(ExFormatExtended, YearCycleOfWellKnownYears) {
    Check({
        {At(1984, 6, 1), u"#{yetet}", u"甲子"},
        {At(2014, 6, 1), u"#{yetet yet}", u"甲午 午"},
        {At(1868, 1, 1), u"#{yetet}", u"戊辰"},  // the war named after its year
        {At(1894, 1, 1), u"#{yetet}", u"甲午"},
        {At(1911, 1, 1), u"#{yetet}", u"辛亥"},
        {At(2000, 1, 1), u"#{YETET}", u"庚辰"},
        {At(2020, 1, 1), u"#{Yetet}", u"庚子"},
    });
}

TEST_F(ExFormatExtended, MonthCycleFollowsTheYearsStem) {
    // The first month's stem by the year's stem: 甲/己 years 丙寅, 乙/庚 戊寅,
    // 丙/辛 庚寅, 丁/壬 壬寅, 戊/癸 甲寅.
    Check({
        {At(2014, 1, 1), u"#{metet}", u"丙寅"},
        {At(2019, 1, 1), u"#{metet}", u"丙寅"},
        {At(2015, 1, 1), u"#{metet}", u"戊寅"},
        {At(2010, 1, 1), u"#{metet}", u"戊寅"},
        {At(2016, 1, 1), u"#{metet}", u"庚寅"},
        {At(2017, 1, 1), u"#{metet}", u"壬寅"},
        {At(2018, 1, 1), u"#{metet}", u"甲寅"},
        {At(2014, 6, 1), u"#{metet met}", u"辛未 未"},
        {At(2014, 12, 1), u"#{metet met}", u"丁丑 丑"},
    });
}

TEST_F(ExFormatExtended, DayCycleAndDoubleHour) {
    Check({
        {At(1949, 10, 1), u"#{detet}", u"甲子"},
        {At(2014, 6, 5), u"#{detet det}", u"丁未 未"},
        {At(2000, 1, 1, 23, 59, 59), u"#{detet}", u"戊午"},
        {At(2014, 6, 5, 23, 30), u"#{het}", u"子"},
        {At(2014, 6, 5, 0, 10), u"#{het}", u"子"},
        {At(2014, 6, 5, 1, 0), u"#{het}", u"丑"},
        {At(2014, 6, 5, 12, 0), u"#{het}", u"午"},
        {At(2014, 6, 5, 22, 59), u"#{het}", u"亥"},
    });
}

TEST_F(ExFormatExtended, JulianDatesAndFractionsOfASecond) {
    Check({
        {At(2000, 1, 1), u"#{ajd|mjd}", u"2451544.500000|51544.000000"},
        {At(2000, 1, 1, 12), u"#{ajd}", u"2451545.000000"},
        {At(1858, 11, 17), u"#{AJD|MJD}", u"2400000.500000|0.000000"},
        {At(2014, 6, 5, 6, 0, 0, 999), u"#{mjd}", u"56813.250000"},  // no milliseconds
        {At(2014, 6, 5, 0, 0, 0, 7), u"#{msms cscs dsds ms cs ds}", u"007 00 0 7 0 0"},
        {At(2014, 6, 5, 0, 0, 0, 987), u"#{msms cscs dsds ms cs ds}", u"987 98 9 987 98 9"},
    });
}

TEST_F(ExFormatExtended, FullEraTable) {
    Check({
        {At(2014, 6, 5), u"#{ggg}#{e}", u"平成26"},
        {At(1989, 1, 7), u"#{ggg e}", u"昭和 64"},
        {At(1989, 1, 8), u"#{ggg ee}", u"平成 01"},
        {At(2019, 4, 30), u"#{ggge}", u"平成31"},
        {At(2019, 5, 1), u"#{gggee}", u"令和01"},
        {At(1868, 1, 24), u"#{ggge}", u"慶応4"},
        {At(1800, 1, 1), u"e#{ggge}", u"1800寛政12"},
        {At(749, 4, 14), u"#{ggge}", u"天平感宝1"},
        {At(645, 6, 18), u"#{ggg e}", u"西暦 645"},
        {At(645, 6, 19), u"#{ggg e}", u"大化 1"},
        {At(10000, 1, 1), u"#{ggg e}", u"西暦 10000"},
    });
}

TEST_F(ExFormatExtended, SectionsOpenAndClose) {
    const TimeRecord t = At(2014, 6, 5, 13, 7, 9);
    Check({
        {t, u"#{}y}", u"156}"},
        {t, u"#{#{}y", u"#{156"},              // no nesting: "#{" is plain text inside
        {t, u"#{yet yyyy hh", u"午 yyyy hh"},  // open to the end, no standard tokens
        {t, u"yyyy#{yyyy}yyyy", u"2014yyyy2014"},
    });
}

TEST_F(ExFormatExtended, EveryListedTokenIsATokenOfTheSection) {
    const TimeRecord t = At(2014, 6, 5, 13, 7, 9, 7);
    char name[256];
    char help[1024];
    int rows = 0;
    while (ExFormatGetInfoCore(rows, name, sizeof name, help, sizeof help, *env_) != 0) {
        const std::string token(name);
        EXPECT_NE(Convert(*env_, &t, "#{" + token + "}"), token) << token;
        EXPECT_GT(std::string(help).size(), 0u) << token;
        ++rows;
    }
    EXPECT_EQ(rows, 18);
    EXPECT_EQ(env_->FromAnsi(help), u"");
}

}  // namespace
}  // namespace tbq::format::test
