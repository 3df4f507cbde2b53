#include "items/view_clock.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "core/library_wrapper.h"
#include "core/program_location.h"
#include "items/clock_fixture.h"
#include "fakes/code_pages.h"
#include "fakes/fake_library.h"
#include "fakes/fake_locale.h"
#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using test::ClockTest;
using test::ShippedDataFile;
using test::Utc;

TEST_F(ClockTest, ANewClockShowsJapanTime) {
    vbKerova_View_Clock clock;
    EXPECT_EQ(clock.TimeZoneName(), u"TYO");
    EXPECT_EQ(clock.TimeZoneHour(), 9);
    EXPECT_EQ(clock.ViewDataType(), kKindClock);
    EXPECT_EQ(clock.Text(), u"<2026/12/07 21:03:09>");
}

struct TextCase {
    const char* what;
    platform::ClockTime utc;
    std::function<void(vbKerova_View_Clock&)> setUp;
    const char16_t* expected;
};

TEST_F(ClockTest, ZoneDaylightSavingAndOffsets) {
    using C = vbKerova_View_Clock;
    const TextCase cases[] = {
        {"west of UTC, the day before", Utc(2026, 12, 7, 3, 0, 0),
         [](C& c) { c.SetTimeZoneName(u"NYC"); }, u"<2026/12/06 22:00:00>"},
        {"half-hour zone", Utc(2026, 12, 7, 12, 3, 9), [](C& c) { c.SetTimeZoneName(u"DEL"); },
         u"<2026/12/07 17:33:09>"},
        {"daylight saving adds an hour", Utc(2026, 12, 7, 12, 3, 9),
         [](C& c) { c.Flag = C::kFlagDaylightSaving; }, u"<2026/12/07 22:03:09>"},
        {"west 5 h with daylight saving is -4 h", Utc(2026, 12, 7, 12, 3, 9),
         [](C& c) {
             c.SetTimeZoneName(u"NYC");
             c.Flag = C::kFlagDaylightSaving;
         },
         u"<2026/12/07 08:03:09>"},
        {"tomorrow", Utc(2026, 12, 7, 12, 3, 9), [](C& c) { c.OffsetDay = 1; },
         u"<2026/12/08 21:03:09>"},
        {"a month before 31 March", Utc(2026, 3, 31, 0, 0, 0), [](C& c) { c.OffsetMonth = -1; },
         u"<2026/02/28 09:00:00>"},
        {"years are cut at 9999, the rest stays", Utc(2026, 12, 7, 12, 3, 9),
         [](C& c) { c.OffsetYear = 20000; }, u"<9999/12/07 21:03:09>"},
        {"years are cut at 100", Utc(2026, 12, 7, 12, 3, 9), [](C& c) { c.OffsetYear = -32768; },
         u"<100/12/07 21:03:09>"},
        {"seconds are cut at the last second", Utc(9999, 12, 31, 14, 0, 0),
         [](C& c) {
             c.OffsetSecond = 32767;
             c.OffsetMinute = 32767;
         },
         u"<9999/12/31 23:59:59>"},
        {"a zone past the end stops at the end", Utc(9999, 12, 31, 20, 0, 0), [](C&) {},
         u"<9999/12/31 23:59:59>"},
        {"a zone before the start stops at the start", Utc(100, 1, 1, 0, 0, 0),
         [](C& c) {
             c.SetTimeZoneName(u"NYC");
             c.OffsetDay = -32768;
             c.OffsetYear = -1;
         },
         u"<100/01/01 00:00:00>"},
        // Years, then months, then days: each order gives another date here.
        {"months before days", Utc(2023, 1, 29, 15, 0, 0),
         [](C& c) {
             c.OffsetMonth = 1;
             c.OffsetDay = 1;
         },
         u"<2023/03/01 00:00:00>"},
        {"years before months", Utc(2024, 2, 28, 15, 0, 0),
         [](C& c) {
             c.OffsetYear = 1;
             c.OffsetMonth = 1;
         },
         u"<2025/03/28 00:00:00>"},
        {"a clock that reports nonsense is clamped",
         {0, 13, 45, 9, 99, -5, 70, 5000},
         [](C&) {},
         u"<101/01/01 08:00:59>"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.what);
        vbKerova_View_Clock clock;
        c.setUp(clock);
        clock_.utc = c.utc;
        EXPECT_EQ(TextToUtf8(clock.Text()), TextToUtf8(c.expected));
    }
}

TEST_F(ClockTest, FormatCharactersShowAsTyped) {
    struct Case {
        const char16_t* format;
        const char16_t* expected;
    };
    // The 14 characters get a "\" of their own; a "\" the user typed still escapes.
    const Case cases[] = {
        {u"#@ yyyy", u"#@ 2026"}, {u"!\"#$%&'=~^@{[< >", u"!\"#$%&'=~^@{[< >"},
        {u"'hh'", u"'21'"},       {u"\\#", u"\\#"},
        {u"\\hh", u"h21"},        {u"  hh  ", u"  21  "},
    };
    vbKerova_View_Clock clock;
    for (const Case& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.format));
        clock.FormatText = c.format;
        EXPECT_EQ(clock.Text(), c.expected);
    }
    EXPECT_EQ(vbKerova_View_Clock::EscapeFormat(u"a!b<c>d\\"), u"a\\!b\\<c>d\\");
}

TEST_F(ClockTest, ExtendedFormatGoesToTheLibraryUnescaped) {
    test::FakeLibrary fake;
    vbKerova_Dll dll(fake, nullptr);
    vbKerova_View_Clock clock;
    clock.Flag =
        vbKerova_View_Clock::kFlagExtendedFormat | vbKerova_View_Clock::kFlagDaylightSaving;
    clock.FormatText = u"#{ggg}e #@'";
    clock.OffsetDay = 1;
    clock.OffsetSecond = 30;
    clock_.utc = Utc(2026, 12, 7, 12, 3, 9, 789);

    // Without a library the extended format has nothing to show.
    EXPECT_EQ(clock.Text(), u"");
    SetTheLibrary(&dll);
    EXPECT_EQ(clock.Text(), u"EX(#{ggg}e #@')");
    ASSERT_EQ(fake.convertCalls.size(), 1u);
    const auto& call = fake.convertCalls[0];
    // Year, month, day of week (Tuesday), day, hour, minute, second, and the
    // clock's own milliseconds although seconds were shifted.
    const std::array<std::uint16_t, 8> expected{2026, 12, 2, 8, 22, 3, 39, 789};
    EXPECT_EQ(call.time, expected);
    EXPECT_EQ(call.format, "#{ggg}e #@'");  // no "\" added
}

TEST_F(ClockTest, ExtendedFormatTravelsInTheAnsiCodePage) {
    const platform::CodePage* japanese = test::JapaneseCodePage();
    if (!japanese) GTEST_SKIP() << "needs code page 932";
    platform::ScopedPorts cp{
        platform::Ports{.codepage = const_cast<platform::CodePage*>(japanese)}};
    test::FakeLibrary fake;
    vbKerova_Dll dll(fake, nullptr);
    SetTheLibrary(&dll);
    vbKerova_View_Clock clock;
    clock.Flag = vbKerova_View_Clock::kFlagExtendedFormat;
    clock.FormatText = u"#{ggg}年";
    EXPECT_EQ(clock.Text(), u"EX(#{ggg}年)");
    ASSERT_EQ(fake.convertCalls.size(), 1u);
    EXPECT_EQ(fake.convertCalls[0].format, "#{ggg}\x94\x4e");
}

TEST_F(ClockTest, TheLibraryWrapperPassesFormatInfoRows) {
    test::FakeLibrary fake;
    vbKerova_Dll dll(fake, nullptr);
    Text name = u"kept", help = u"kept";
    EXPECT_TRUE(dll.GetFormatInfo(1, name, help));
    EXPECT_EQ(name, u"ms");
    EXPECT_EQ(help, u"help 1");
    EXPECT_FALSE(dll.GetFormatInfo(2, name, help));
    EXPECT_EQ(name, u"ms");
}

TEST_F(ClockTest, ZoneCodes) {
    struct Case {
        const char16_t* code;
        const char16_t* name;  // after setting it
        int hour, minute;
        bool minus;
    };
    const Case cases[] = {
        {u"nyc", u"nyc", 5, 0, true},                                     // letter case is ignored
        {u"YYT", u"YYT", 3, 30, true}, {u"DELHI", u"DEL", 5, 30, false},  // cut to three characters
        {u"XYZ", u"TYO", 9, 0, false},  // unknown: nothing changes
        {u"NY", u"TYO", 9, 0, false},   // "NY " is no code
        {u"", u"TYO", 9, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TextToUtf8(c.code));
        vbKerova_View_Clock clock;
        clock.SetTimeZoneName(c.code);
        EXPECT_EQ(clock.TimeZoneName(), c.name);
        EXPECT_EQ(clock.TimeZoneHour(), c.hour);
        EXPECT_EQ(clock.TimeZoneMinute(), c.minute);
        EXPECT_EQ(clock.TimeZoneMinus(), c.minus);
    }
}

TEST_F(ClockTest, WithoutTheDataFileNoCodeIsFound) {
    std::filesystem::remove(dir_.Native("TBQ_Data.ini"));
    vbKerova_View_Clock clock;
    clock.SetTimeZoneName(u"NYC");
    EXPECT_EQ(clock.TimeZoneName(), u"TYO");
    dir_.WriteBytes("items.ini", "[V]\r\nTimeZone=NYC\r\n");
    clock.LoadSetting(Settings(), u"V");
    EXPECT_EQ(clock.TimeZoneName(), u"NYC");
    EXPECT_EQ(clock.TimeZoneHour(), 9);
}

TEST_F(ClockTest, SaveWritesEveryKeyInOrderAndLoadReadsItBack) {
    vbKerova_View_Clock saved;
    saved.FormatText = u"  hh:nn \"x\"  ";
    saved.SetTimeZoneName(u"DEL");
    saved.OffsetYear = -1;
    saved.OffsetMonth = 2;
    saved.OffsetDay = -3;
    saved.OffsetHour = 4;
    saved.OffsetMinute = -5;
    saved.OffsetSecond = 32767;
    saved.Flag = 3;
    saved.SaveSetting(Settings(), u"ViewData0001");

    const std::string bytes = SettingsBytes();
    const char* order[] = {"Format=\"  hh:nn \"x\"  \"",
                           "TimeZone=DEL",
                           "OffsetYear=",
                           "OffsetMonth=",
                           "OffsetDay=",
                           "OffsetHour=",
                           "OffsetMinute=",
                           "OffsetSecond=",
                           "OffsetType=",
                           "Flag="};
    std::size_t last = 0;
    for (const char* key : order) {
        const std::size_t at = bytes.find(key);
        ASSERT_NE(at, std::string::npos) << key << " in\n" << bytes;
        EXPECT_GT(at, last) << key;
        last = at;
    }
    EXPECT_EQ(bytes.find("OffsetMinus"), std::string::npos);

    vbKerova_View_Clock loaded;
    loaded.LoadSetting(Settings(), u"ViewData0001");
    EXPECT_EQ(loaded.FormatText, saved.FormatText);
    EXPECT_EQ(loaded.TimeZoneName(), u"DEL");
    EXPECT_EQ(loaded.TimeZoneMinute(), 30);
    const std::array<int, 7> want{-1, 2, -3, 4, -5, 32767, 3};
    const std::array<int, 7> got{loaded.OffsetYear, loaded.OffsetMonth,  loaded.OffsetDay,
                                 loaded.OffsetHour, loaded.OffsetMinute, loaded.OffsetSecond,
                                 loaded.Flag};
    EXPECT_EQ(got, want);
    EXPECT_EQ(vbIniFile(Settings()).GetNumber(u"ViewData0001", u"OffsetType", 0), 1);
}

TEST_F(ClockTest, LoadingRecordsOfEveryForm) {
    struct Case {
        const char* what;
        const char* record;
        std::array<int, 7> offsetsAndFlag;
        const char16_t* zone;
        int zoneHour;
    };
    const Case cases[] = {
        {"nothing stored: defaults", "", {0, 0, 0, 0, 0, 0, 0}, u"TYO", 9},
        {"earlier form, minus",
         "OffsetType=0\r\nOffsetMinus=1\r\nOffsetHour=3\r\nOffsetDay=2\r\n",
         {0, 0, -2, -3, 0, 0, 0},
         u"TYO",
         9},
        {"earlier form, plus",
         "OffsetMinus=0\r\nOffsetHour=3\r\n",
         {0, 0, 0, 3, 0, 0, 0},
         u"TYO",
         9},
        {"signed form ignores OffsetMinus",
         "OffsetType=1\r\nOffsetMinus=1\r\nOffsetHour=3\r\n",
         {0, 0, 0, 3, 0, 0, 0},
         u"TYO",
         9},
        {"values beyond the fields are cut",
         "OffsetType=1\r\nOffsetYear=40000\r\nOffsetMonth=-40000\r\nFlag=300\r\n",
         {32767, -32768, 0, 0, 0, 0, 255},
         u"TYO",
         9},
        {"the most negative magnitude, negated",
         "OffsetMinus=1\r\nOffsetSecond=-2147483648\r\nOffsetMinute=2147483647\r\n",
         {0, 0, 0, 0, -32768, 32767, 0},
         u"TYO",
         9},
        {"lower-case zone", "TimeZone=hnl\r\n", {0, 0, 0, 0, 0, 0, 0}, u"hnl", 10},
        {"unknown zone keeps the name",
         "TimeZone=ABCD\r\nFlag=2\r\n",
         {0, 0, 0, 0, 0, 0, 2},
         u"ABC",
         9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir_.WriteBytes("items.ini", std::string("[V]\r\n") + c.record);
        IniStore::Instance().Reset();
        vbKerova_View_Clock clock;
        clock.FormatText = u"before";
        clock.LoadSetting(Settings(), u"V");
        EXPECT_EQ(clock.FormatText, u"<YYYY/MM/DD HH:MM:SS>");
        const std::array<int, 7> got{clock.OffsetYear, clock.OffsetMonth,  clock.OffsetDay,
                                     clock.OffsetHour, clock.OffsetMinute, clock.OffsetSecond,
                                     clock.Flag};
        EXPECT_EQ(got, c.offsetsAndFlag);
        EXPECT_EQ(clock.TimeZoneName(), c.zone);
        EXPECT_EQ(clock.TimeZoneHour(), c.zoneHour);
    }

    // An earlier-form record is written back in the signed form.
    dir_.WriteBytes("items.ini", "[V]\r\nOffsetMinus=1\r\nOffsetHour=3\r\n");
    IniStore::Instance().Reset();
    vbKerova_View_Clock clock;
    clock.LoadSetting(Settings(), u"V");
    clock.SaveSetting(Settings(), u"V");
    const vbIniFile ini(Settings());
    EXPECT_EQ(ini.GetNumber(u"V", u"OffsetHour", 0), -3);
    EXPECT_EQ(ini.GetNumber(u"V", u"OffsetType", 0), 1);

    // A code the table lacks keeps the distance the item had, not Japan's.
    clock.SetTimeZoneName(u"LAX");
    dir_.WriteBytes("items.ini", "[V]\r\nTimeZone=QQQ\r\n");
    IniStore::Instance().Reset();
    clock.LoadSetting(Settings(), u"V");
    EXPECT_EQ(clock.TimeZoneName(), u"QQQ");
    EXPECT_EQ(clock.ZoneMinutes(), -480);
}

// The shipped table: every code the program itself writes into clock items,
// at its standard-time distance, and lists numbered from 001 without gaps.
TEST_F(ClockTest, TheShippedDataFile) {
    struct Zone {
        const char16_t* code;
        int minutes;
    };
    const Zone zones[] = {
        {u"TYO", 540},  {u"UTC", 0},    {u"LON", 0},    {u"PAR", 60},   {u"ROM", 60},
        {u"CAI", 120},  {u"IST", 180},  {u"MOW", 180},  {u"KWI", 180},  {u"DXB", 240},
        {u"KHI", 300},  {u"DEL", 330},  {u"DAC", 360},  {u"BKK", 420},  {u"SIN", 480},
        {u"HKG", 480},  {u"PEK", 480},  {u"SYD", 600},  {u"NOU", 660},  {u"AKL", 720},
        {u"HNL", -600}, {u"ANC", -540}, {u"LAX", -480}, {u"DEN", -420}, {u"CHI", -360},
        {u"MEX", -360}, {u"NYC", -300}, {u"YUL", -300}, {u"CCS", -240}, {u"RIO", -180},
        {u"BUE", -180},
    };
    for (const Zone& z : zones) {
        SCOPED_TRACE(TextToUtf8(z.code));
        vbKerova_View_Clock clock;
        clock.SetTimeZoneName(z.code == Text(u"TYO") ? u"UTC" : u"TYO");
        clock.SetTimeZoneName(z.code);
        EXPECT_EQ(clock.TimeZoneName(), z.code);
        EXPECT_EQ(clock.ZoneMinutes(), z.minutes);
    }

    const vbIniFile data(ProgramFolder() + u"TBQ_Data.ini");
    // The file is Shift-JIS: its names read right in code page 932.
    if (const platform::CodePage* cp = test::JapaneseCodePage()) {
        platform::ScopedPorts jp(platform::Ports{.codepage = const_cast<platform::CodePage*>(cp)});
        IniStore::Instance().Reset();
        EXPECT_EQ(data.GetText(u"TimeZone001", u"Name", u""), u"東京");
        EXPECT_EQ(data.GetText(u"TimeZone032", u"Name", u""), u"ソウル");  // trail byte 0x5C
        IniStore::Instance().Reset();
    }
    struct List {
        const char16_t* prefix;
        const char16_t* key;
        int atLeast;
    };
    const List lists[] = {{u"TimeZone", u"SName", 31},
                          {u"Timing", u"MSec", 4},
                          {u"CountFormat", u"Name", 1},
                          {u"ClockFormat", u"Format", 1},
                          {u"ClockFormat", u"Info", 1}};
    const auto number = [](int n) {
        Text digits = NumberText(n);
        return Text(3 - digits.size(), u'0') + digits;
    };
    for (const List& l : lists) {
        SCOPED_TRACE(TextToUtf8(l.prefix));
        int count = 0;
        while (!data.GetText(l.prefix + number(count + 1), l.key, u"").empty()) ++count;
        EXPECT_GE(count, l.atLeast);
        for (int n = count + 1; n <= 999; ++n)
            ASSERT_EQ(data.GetText(l.prefix + number(n), l.key, u""), u"") << "gap before " << n;
    }
    EXPECT_EQ(data.GetText(u"TimeServer", u"Server001", u""), u"ntp.nict.jp");
}

}  // namespace
}  // namespace tbq
