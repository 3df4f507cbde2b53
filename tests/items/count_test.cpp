#include "items/view_count.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "base/texts.h"
#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using C = vbKerova_View_Count;

class FakeClock final : public platform::Clock {
public:
    platform::ClockTime local{2026, 12, 7, 1, 12, 0, 0, 0};
    platform::ClockTime UtcNow() override { return {}; }
    platform::ClockTime LocalNow() override { return local; }
    std::uint32_t TickCount() override { return 0; }
};

platform::ClockTime At(int y, int mo, int d, int h, int mi, int s) {
    return {y, mo, d, 0, h, mi, s, 0};
}

// The target fields in declaration order: year, month, day, hour, minute, second.
using Target = std::array<int, 6>;

class CountTest : public ::testing::Test {
protected:
    void SetUp() override { IniStore::Instance().Reset(); }
    void TearDown() override { IniStore::Instance().Reset(); }

    static C Count(const Target& t, int style) {
        C c;
        c.TargetYear = static_cast<std::int16_t>(t[0]);
        c.TargetMonth = static_cast<std::uint8_t>(t[1]);
        c.TargetDay = static_cast<std::uint8_t>(t[2]);
        c.TargetHour = static_cast<std::uint8_t>(t[3]);
        c.TargetMinute = static_cast<std::uint8_t>(t[4]);
        c.TargetSecond = static_cast<std::uint8_t>(t[5]);
        c.ViewStyle = static_cast<std::uint8_t>(style);
        return c;
    }

    test::TempFolder dir_;
    FakeClock clock_;
    platform::ScopedPorts ports_{platform::Ports{.clock = &clock_}};
};

TEST_F(CountTest, Counts) {
    struct Case {
        const char* what;
        platform::ClockTime now;
        Target target;
        int style;
        const char16_t* expected;
    };
    const Target newYear{2027, 1, 1, 0, 0, 0}, now{-1, 255, 127, 255, 255, 255};
    const Target last{9999, 12, 31, 23, 59, 59};
    // clang-format off
    const Case cases[] = {
        // Unit boundaries are not whole units: 30 s before the new year is no year.
        {"all units, 30 s before the new year", At(2026, 12, 31, 23, 59, 30), newYear, 63, u"30秒"},
        {"days and hours", At(2026, 12, 7, 12, 0, 0), newYear, 12, u"24日12時間"},
        {"hours alone take the days", At(2026, 12, 29, 21, 0, 0), newYear, 4, u"51時間"},
        {"count-up, target in the past", At(2027, 1, 11, 0, 0, 0), newYear, 72, u"10日"},
        {"count-up, target ahead", At(2026, 12, 22, 0, 0, 0), newYear, 72, u"-10日"},
        {"count-down, target in the past", At(2027, 1, 11, 0, 0, 0), newYear, 8, u"-10日"},
        {"count-down, new year passed", At(2027, 1, 1, 0, 0, 30), newYear, 63, u"-30秒"},
        {"count-up, new year passed", At(2027, 1, 1, 0, 0, 30), newYear, 127, u"30秒"},
        {"now: 0 s whatever the style", At(2027, 1, 1, 0, 0, 0), newYear, 8, u"0秒"},
        {"no units", At(2026, 12, 1, 0, 0, 0), newYear, 0, u""},
        {"no units, passed", At(2027, 12, 1, 0, 0, 0), newYear, 0, u"-"},
        {"zero units left out, not seconds", At(2026, 12, 31, 23, 0, 0), newYear, 5, u"1時間0秒"},
        // 31 January + 1 month is the end of February; no later unit goes negative.
        {"31 Jan to 1 Mar", At(2026, 1, 31, 10, 0, 0), {2026, 3, 1, 0, 0, 0}, 28, u"1ヶ月14時間"},
        {"short of a month", At(2026, 1, 31, 12, 0, 0), {2026, 2, 28, 11, 0, 0}, 28, u"27日23時間"},
        {"over a year end", At(2026, 11, 30, 0, 0, 0), {2027, 2, 27, 0, 0, 0}, 24, u"2ヶ月28日"},
        {"30 Nov + 3 months", At(2026, 11, 30, 0, 0, 0), {2027, 2, 28, 0, 0, 0}, 24, u"3ヶ月"},
        {"over a leap day", At(2024, 2, 28, 0, 0, 0), {2024, 3, 1, 0, 0, 0}, 8, u"2日"},
        {"no leap day", At(2025, 2, 28, 0, 0, 0), {2025, 3, 1, 0, 0, 0}, 8, u"1日"},
        {"29 Feb + 1 year", At(2024, 2, 29, 0, 0, 0), {2025, 3, 1, 0, 0, 0}, 40, u"1年1日"},
        {"leap day to leap day", At(2024, 2, 29, 0, 0, 0), {2028, 2, 29, 0, 0, 0}, 56, u"4年"},
        // Markers, rolled over as a calendar does.
        {"this year's is past", At(2026, 12, 26, 10, 0, 0), {-1, 12, 25, 0, 0, 0}, 8, u"-1日"},
        {"every field the present", At(2026, 5, 6, 7, 8, 9), now, 8, u"0秒"},
        {"next month in December", At(2026, 12, 15, 0, 0, 0), {-1, 254, 1, 0, 0, 0}, 8, u"17日"},
        {"last month in January", At(2026, 1, 15, 0, 0, 0), {-1, 253, 15, 0, 0, 0}, 8, u"-31日"},
        {"tomorrow on 31 Dec", At(2026, 12, 31, 12, 0, 0), {-1, 255, 126, 0, 0, 0}, 4, u"12時間"},
        {"yesterday, 1 Mar 2024", At(2024, 3, 1, 6, 0, 0), {-1, 255, 125, 0, 0, 0}, 4, u"-30時間"},
        {"next hour at 23:10", At(2026, 12, 31, 23, 10, 0), {-1, 255, 127, 254, 0, 0}, 2, u"50分"},
        {"last minute at 0:00", At(2026, 1, 1, 0, 0, 0), {-1, 255, 127, 255, 253, 0}, 3, u"-1分0秒"},
        {"next and last year", At(2026, 12, 31, 0, 0, 0), {-2, 1, 1, 0, 0, 0}, 8, u"1日"},
        {"31 April is 1 May", At(2026, 4, 30, 0, 0, 0), {2026, 4, 31, 0, 0, 0}, 8, u"1日"},
        // Far targets need 64 bits for seconds and minutes.
        {"seconds to the end", At(2026, 1, 1, 0, 0, 0), last, 1, u"251635075199秒"},
        {"minutes to the end", At(2026, 1, 1, 0, 0, 0), last, 3, u"4193917919分59秒"},
        {"years to the first year", At(2026, 6, 15, 0, 0, 0), {100, 1, 1, 0, 0, 0}, 32, u"-1926年"},
        // A value that is neither in its field's range nor a marker shows nothing.
        {"a fresh item", At(2026, 1, 1, 0, 0, 0), {0, 0, 0, 0, 0, 0}, 63, u""},
        {"second 60", At(2026, 1, 1, 0, 0, 0), {2026, 1, 1, 0, 0, 60}, 63, u""},
        {"second 254", At(2026, 1, 1, 0, 0, 0), {2026, 1, 1, 0, 0, 254}, 63, u""},
        {"month 13", At(2026, 1, 1, 0, 0, 0), {2026, 13, 1, 0, 0, 0}, 63, u""},
        {"day 0", At(2026, 1, 1, 0, 0, 0), {2026, 1, 0, 0, 0, 0}, 63, u""},
        {"hour 24", At(2026, 1, 1, 0, 0, 0), {2026, 1, 1, 24, 0, 0}, 63, u""},
        {"year -4", At(2026, 1, 1, 0, 0, 0), {-4, 1, 1, 0, 0, 0}, 63, u""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clock_.local = c.now;
        C count = Count(c.target, c.style);
        EXPECT_EQ(TextToUtf8(count.Text()), TextToUtf8(c.expected));
    }
}

// In English each unit is followed by a blank, but the last.
TEST_F(CountTest, CountsInEnglish) {
    struct Case {
        platform::ClockTime now;
        Target target;
        int style;
        const char16_t* expected;
    };
    const Target newYear{2027, 1, 1, 0, 0, 0};
    const Case cases[] = {
        {At(2026, 12, 9, 14, 5, 9), newYear, 15, u"22d 9h 54min 51s"},
        {At(2026, 12, 7, 12, 0, 0), newYear, 12, u"24d 12h"},
        {At(2026, 1, 31, 10, 0, 0), {2026, 3, 1, 0, 0, 0}, 28, u"1mo 14h"},
        {At(2024, 2, 29, 0, 0, 0), {2025, 3, 1, 0, 0, 0}, 40, u"1y 1d"},
        {At(2026, 1, 1, 0, 0, 0), {-1, 255, 127, 255, 253, 0}, 3, u"-1min 0s"},
        {At(2027, 1, 1, 0, 0, 0), newYear, 8, u"0s"},
        {At(2026, 12, 22, 0, 0, 0), newYear, 72, u"-10d"},
    };
    SetLanguage(Language::English);
    for (const Case& c : cases) {
        clock_.local = c.now;
        EXPECT_EQ(TextToUtf8(Count(c.target, c.style).Text()), TextToUtf8(c.expected));
    }
    SetLanguage(Language::Japanese);
}

TEST_F(CountTest, SaveAndLoad) {
    struct Case {
        const char* what;
        const char* record;
        std::array<int, 7> fields;  // the six targets and the style
    };
    const Case cases[] = {
        // A record without a day means the present day, as every other missing field does.
        {"nothing stored: the present", "", {-1, 255, 127, 255, 255, 255, 1}},
        {"no Day key", "Year=2030\r\nMonth=1\r\nHour=0\r\n", {2030, 1, 127, 0, 255, 255, 1}},
        {"values beyond the fields are cut",
         "Year=-40000\r\nMonth=300\r\nDay=-1\r\nStyle=1000\r\n",
         {-32768, 255, 0, 255, 255, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir_.WriteBytes("items.ini", std::string("[V]\r\n") + c.record);
        IniStore::Instance().Reset();
        C count;
        count.LoadSetting(dir_.Path("items.ini"), u"V");
        const std::array<int, 7> got{count.TargetYear, count.TargetMonth,  count.TargetDay,
                                     count.TargetHour, count.TargetMinute, count.TargetSecond,
                                     count.ViewStyle};
        EXPECT_EQ(got, c.fields);
    }
    // A record of nothing but defaults counts to now.
    dir_.WriteBytes("items.ini", "[V]\r\n");
    IniStore::Instance().Reset();
    C present;
    present.LoadSetting(dir_.Path("items.ini"), u"V");
    EXPECT_EQ(present.Text(), u"0秒");

    C saved = Count({-2, 254, 126, 253, 59, 255}, 64 + 8);
    saved.SaveSetting(dir_.Path("items.ini"), u"W");
    const std::string bytes = dir_.ReadBytes("items.ini");
    EXPECT_NE(bytes.find("[W]\r\nYear=-2\r\nMonth=254\r\nDay=126\r\nHour=253\r\nMinute=59\r\n"
                         "Second=255\r\nStyle=72\r\n"),
              std::string::npos)
        << bytes;
    C loaded;
    loaded.LoadSetting(dir_.Path("items.ini"), u"W");
    EXPECT_EQ(loaded.TargetYear, -2);
    EXPECT_EQ(loaded.TargetDay, 126);
    EXPECT_EQ(loaded.ViewStyle, 72);
}

}  // namespace
}  // namespace tbq
