#include "items/date_format.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_locale.h"
#include "platform/ports.h"

namespace tbq {
namespace {

// Monday 7 December 2026, 21:03:09: every field differs from its neighbours'
// values, so a code that shows the wrong field fails.
constexpr DateTime kEvening{2026, 12, 7, 21, 3, 9};

struct Case {
    DateTime t;
    const char16_t* format;
    const char16_t* expected;
};

class DateFormatTest : public ::testing::Test {
protected:
    void Check(const Case* begin, const Case* end) {
        for (const Case* c = begin; c != end; ++c) {
            SCOPED_TRACE(TextToUtf8(c->format));
            EXPECT_EQ(TextToUtf8(FormatDate(c->t, c->format)), TextToUtf8(c->expected));
        }
    }
    template <std::size_t N>
    void Check(const Case (&cases)[N]) {
        Check(cases, cases + N);
    }

    test::FakeLocale locale_;
    platform::ScopedPorts ports_{platform::Ports{.locale = &locale_}};
};

TEST_F(DateFormatTest, EveryCodeShowsItsField) {
    const Case cases[] = {
        {kEvening, u"<YYYY/MM/DD HH:MM:SS>", u"<2026/12/07 21:03:09>"},
        {kEvening, u"d dd ddd dddd", u"7 07 Mon Monday"},
        {kEvening, u"aaa aaaa AAA", u"月 月曜日 月"},
        {kEvening, u"w ww", u"2 50"},
        {kEvening, u"m mm mmm mmmm q", u"12 12 Dec December 4"},
        {kEvening, u"y yy yyyy", u"341 26 2026"},
        {{2026, 1, 2, 9, 3, 9}, u"h hh n nn s ss", u"9 09 3 03 9 09"},
        {kEvening, u"ddddd|dddddd|ttttt", u"2026/12/07|2026年12月7日|21:03:09"},
        {kEvening, u"c", u"2026/12/07 21:03:09"},
        {{2026, 12, 7, 0, 0, 0}, u"c", u"2026/12/07"},
        {kEvening, u"AMPM", u"午後"},
        {{2026, 12, 7, 11, 59, 59}, u"ampm", u"午前"},
        // Week numbers: the week of 1 January is week 1, weeks begin on Sunday.
        {{2026, 1, 3, 0, 0, 0}, u"ww", u"1"},
        {{2026, 1, 4, 0, 0, 0}, u"ww", u"2"},
        {{2028, 12, 31, 0, 0, 0}, u"ww y", u"54 366"},
        {{100, 1, 1, 0, 0, 0}, u"yyyy yy", u"100 00"},
    };
    Check(cases);
}

TEST_F(DateFormatTest, HowTheFormatIsRead) {
    const Case cases[] = {
        // The longest code wins; what is left over is read again.
        {kEvening, u"ddddddd", u"2026年12月7日7"},
        {kEvening, u"yyy|yyyyy", u"26341|2026341"},
        {kEvening, u"mmmmm|gggg|eee", u"December12|令和R|088"},
        {kEvening, u"a aa t tt tttt", u"a aa t tt tttt"},
        // Minutes after an hour code, across text and separators only.
        {kEvening, u"h:m hh時mm分 hh\\xm", u"21:3 21時03分 21x3"},
        {kEvening, u"hh d m|m|hh mmm", u"21 7 12|12|21 Dec"},
        {kEvening, u"n:nn", u"3:03"},
        // "\" shows the next character; one at the very end shows nothing.
        {kEvening, u"\\y\\Y\\\\\\", u"yY\\"},
        // Everything that is no code is copied as it stands, surrogate pairs included.
        {kEvening, u"#@!%&'=~^{[<>\"xｙ😀", u"#@!%&'=~^{[<>\"xｙ😀"},
        {kEvening, u"", u""},
    };
    Check(cases);
}

TEST_F(DateFormatTest, MorningAndAfternoon) {
    const DateTime midnight{2026, 12, 7, 0, 5, 0}, noon{2026, 12, 7, 12, 0, 0};
    const Case cases[] = {
        {kEvening, u"h AM/PM", u"9 PM"},
        {kEvening, u"hh am/pm", u"09 pm"},
        {kEvening, u"A/P a/p", u"P p"},
        {kEvening, u"Am/pM", u"pM"},
        {midnight, u"h:nn AM/PM", u"12:05 AM"},
        {midnight, u"a/p hh", u"a 12"},
        {noon, u"h A/P", u"12 P"},
        // The code may come after the hour and still selects the 12-hour clock.
        {kEvening, u"hh:nn", u"21:03"},
        {kEvening, u"hh:nn A/P", u"09:03 P"},
        // The regional strings keep the regional clock (24-hour here).
        {kEvening, u"h AMPM", u"21 午後"},
    };
    Check(cases);

    locale_.time = u"h:mm:ss tt";
    const Case twelve[] = {
        {kEvening, u"h AMPM|ttttt", u"9 午後|9:03:09 午後"},
        {midnight, u"ttttt", u"12:05:00 午前"},
    };
    Check(twelve);
}

TEST_F(DateFormatTest, JapaneseEras) {
    const char16_t* kAll = u"g|gg|ggg|e|ee";
    const Case cases[] = {
        // Before the first era: no era, the Gregorian year.
        {{100, 1, 1, 0, 0, 0}, kAll, u"|||100|100"},
        {{1868, 1, 24, 0, 0, 0}, kAll, u"|||1868|1868"},
        {{1868, 1, 25, 0, 0, 0}, kAll, u"M|明|明治|1|01"},
        {{1912, 7, 29, 0, 0, 0}, kAll, u"M|明|明治|45|45"},
        {{1912, 7, 30, 0, 0, 0}, kAll, u"T|大|大正|1|01"},
        {{1926, 12, 24, 0, 0, 0}, kAll, u"T|大|大正|15|15"},
        {{1926, 12, 25, 0, 0, 0}, kAll, u"S|昭|昭和|1|01"},
        {{1989, 1, 7, 0, 0, 0}, kAll, u"S|昭|昭和|64|64"},
        {{1989, 1, 8, 0, 0, 0}, kAll, u"H|平|平成|1|01"},
        {{2019, 4, 30, 23, 59, 59}, kAll, u"H|平|平成|31|31"},
        // The era after 平成: its first day and later.
        {{2019, 5, 1, 0, 0, 0}, kAll, u"R|令|令和|1|01"},
        {kEvening, kAll, u"R|令|令和|8|08"},
        {{9999, 12, 31, 0, 0, 0}, kAll, u"R|令|令和|7981|7981"},
        {{2019, 5, 1, 0, 0, 0}, u"GGG E", u"令和 1"},
    };
    Check(cases);
}

TEST_F(DateFormatTest, RegionalSettings) {
    // A Japanese system's long date: unquoted kanji, and its own day name.
    locale_.longDate = u"yyyy年M月d日dddd";
    EXPECT_EQ(FormatDate(kEvening, u"dddddd"), u"2026年12月7日月曜日");

    // Names come from the regional settings (German here), codes stay English.
    locale_.days[1] = u"Montag";
    locale_.shortDays[1] = u"Mo";
    locale_.months[11] = u"Dezember";
    locale_.shortMonths[11] = u"Dez";
    locale_.dateSeparator = u"-";
    locale_.timeSeparator = u".";
    locale_.shortDate = u"d/M/yy";
    locale_.longDate = u"dddd, MMMM dd, yyyy gg";
    locale_.time = u"HH'h'mm";
    const Case cases[] = {
        {kEvening, u"yyyy/mm/dd hh:nn", u"2026-12-07 21.03"},
        {kEvening, u"ddddd", u"7/12/26"},
        {kEvening, u"dddddd|dddd mmmm", u"Montag, Dezember 07, 2026 令和|Monday December"},
        {kEvening, u"ttttt|c", u"21h03|7/12/26 21h03"},
        {{100, 1, 1, 0, 0, 0}, u"dddddd", u"金曜日, 1月 01, 0100 "},
    };
    Check(cases);

    struct PictureCase {
        const char16_t* picture;
        const char16_t* expected;
    };
    // Quoted text and the picture letters, read through the short date.
    const PictureCase pictures[] = {
        {u"'It''s' d", u"It's 7"},
        {u"''d''", u"'7'"},
        {u"'open d", u"open d"},
        {u"ddd MMM y", u"Mo Dez 26"},
        {u"H HH h hh m mm s ss t tt", u"21 21 9 09 3 03 9 09 午 午後"},
        {u"yyyyyy MMMMM ddddd", u"2026 Dezember Montag"},
        {u"xyz:/", u"x26z:/"},
        {u"", u""},
    };
    for (const PictureCase& p : pictures) {
        SCOPED_TRACE(TextToUtf8(p.picture));
        locale_.shortDate = p.picture;
        EXPECT_EQ(TextToUtf8(FormatDate(kEvening, u"ddddd")), TextToUtf8(p.expected));
    }
}

TEST_F(DateFormatTest, ValuesOutOfPlaceAreClampedNotReadPastTables) {
    const char16_t* kEvery =
        u"c d dd ddd dddd ddddd dddddd aaa aaaa w ww m mm mmm mmmm q g gg ggg e"
        u" ee y yy yyyy h hh n nn s ss ttttt AM/PM AMPM";
    const DateTime odd[] = {{0, 0, 0, -1, -1, -1},
                            {2147483647, 2147483647, 2147483647, 99, 99, 99},
                            {-2147483647 - 1, 13, 32, 24, 60, 60},
                            {2026, 2, 31, 0, 0, 0}};
    for (const DateTime& t : odd) EXPECT_EQ(FormatDate(t, kEvery), FormatDate(Clamped(t), kEvery));
    EXPECT_EQ(FormatDate({2026, 13, 40, 0, 0, 0}, u"yyyy/mm/dd"), u"2026/12/31");
}

TEST_F(DateFormatTest, OutputIsCapped) {
    const std::size_t cap = kMaxFormattedUnits;
    struct CapCase {
        Text format;
        std::size_t size;
    };
    Text pairCut = Text(cap - 1, u'x') + u"😀";
    const CapCase cases[] = {
        {Text(100000, u'x'), cap},
        {Text(60000, u'd'), cap},       // ten thousand long dates
        {Text(200000, u'\\'), cap},     // escapes of escapes
        {std::move(pairCut), cap - 1},  // half a pair is dropped
    };
    for (const CapCase& c : cases) {
        const Text out = FormatDate(kEvening, c.format);
        EXPECT_EQ(out.size(), c.size);
    }
    // A long regional picture is capped as well.
    locale_.longDate.clear();
    for (int i = 0; i < 10000; ++i) locale_.longDate += u"MMMM,";
    EXPECT_EQ(FormatDate(kEvening, u"dddddd dddddd").size(), cap);
}

}  // namespace
}  // namespace tbq
