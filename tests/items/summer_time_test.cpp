// Clocks that switch summer time by their zone's rules, checked against the
// host's zone database: the rules go in as Windows keeps them, the expected
// texts come from the tz files, which share no code or data with ours.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "items/clock_fixture.h"
#include "items/view_clock.h"

namespace tbq {
namespace {

using Clock = vbKerova_View_Clock;
using test::FakeTimeZones;

// The distance from UTC of an IANA zone at any instant, from its TZif file.
class TzFile {
public:
    static std::optional<TzFile> Open(const std::string& name) {
        std::ifstream in("/usr/share/zoneinfo/" + name, std::ios::binary);
        const std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (d.size() < 44 || d.compare(0, 4, "TZif") != 0 || d[4] < '2') return std::nullopt;
        // The first block has 32-bit times; the second, after it, 64-bit ones.
        const auto count = [&](std::size_t at, int i) { return std::size_t(Be(d, at + 20 + 4 * i, 4)); };
        const std::size_t v1 = 44 + count(0, 3) * 5 + count(0, 4) * 6 + count(0, 5) +
                               count(0, 2) * 8 + count(0, 1) + count(0, 0);
        if (d.size() < v1 + 44) return std::nullopt;
        const std::size_t times = count(v1, 3), types = count(v1, 4);
        std::size_t at = v1 + 44;
        if (d.size() < at + times * 9 + types * 6) return std::nullopt;
        TzFile tz;
        for (std::size_t i = 0; i < times; ++i) tz.times_.push_back(Be(d, at + 8 * i, 8));
        at += times * 8;
        std::vector<std::int64_t> offsets;
        for (std::size_t i = 0; i < types; ++i)
            offsets.push_back(Be(d, at + times + 6 * i, 4));
        for (std::size_t i = 0; i < times; ++i)
            tz.offsets_.push_back(offsets.at(static_cast<unsigned char>(d[at + i])));
        tz.first_ = offsets.at(0);
        return tz;
    }

    // Seconds east of UTC.
    std::int64_t OffsetAt(std::int64_t utc) const {
        std::int64_t offset = first_;
        for (std::size_t i = 0; i < times_.size() && times_[i] <= utc; ++i) offset = offsets_[i];
        return offset;
    }
    // Every instant of the year (UTC) at which the distance changes.
    std::vector<std::int64_t> ChangesIn(int year) const {
        std::vector<std::int64_t> changes;
        const std::int64_t from = ToSerialSeconds({year, 1, 1, 0, 0, 0});
        const std::int64_t to = ToSerialSeconds({year + 1, 1, 1, 0, 0, 0});
        for (std::size_t i = 0; i < times_.size(); ++i)
            if (times_[i] >= from && times_[i] < to && offsets_[i] != OffsetAt(times_[i] - 1))
                changes.push_back(times_[i]);
        return changes;
    }

private:
    static std::int64_t Be(const std::string& d, std::size_t at, int bytes) {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v = (v << 8) | static_cast<unsigned char>(d[at + i]);
        if (bytes == 4) return static_cast<std::int32_t>(v);
        return static_cast<std::int64_t>(v);
    }

    std::vector<std::int64_t> times_, offsets_;
    std::int64_t first_ = 0;
};

platform::ClockTime ClockAt(const DateTime& t) {
    return {t.year, t.month, t.day, DayOfWeek(t), t.hour, t.minute, t.second, 0};
}

// "<YYYY/MM/DD HH:MM:SS>", the clock's default format.
std::string Shown(const DateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "<%d/%02d/%02d %02d:%02d:%02d>", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

class SummerTimeTest : public test::ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        zones_ = FakeTimeZones::WindowsRecords();
    }

    // A clock of the shipped table's zone with automatic summer time, the
    // fixed bit set as well to show that it is ignored.
    static Clock AutoClock(const char16_t* code) {
        Clock clock;
        clock.SetTimeZoneName(code);
        clock.Flag = Clock::kFlagAutoSummerTime | Clock::kFlagDaylightSaving;
        return clock;
    }

    std::string TextAt(Clock& clock, const DateTime& utc) {
        clock_.utc = ClockAt(utc);
        return TextToUtf8(clock.Text());
    }
};

// One minute before and after every change of each year, and around the turn
// of the zone's year, which a southern summer spans. Either side of a change
// is the hour a spring day skips or the hour an autumn day shows twice, and
// only a distance decided on UTC gets both right; the years of new rules need
// each year's own record; Lord Howe moves by half an hour.
TEST_F(SummerTimeTest, EveryChangeAgainstTheZoneDatabase) {
    struct Zone {
        const char16_t* code;
        const char* iana;
        std::vector<int> years;  // 2026, 2027 and years whose rules were new
    };
    const Zone zones[] = {
        {u"LON", "Europe/London", {2026, 2027}},
        {u"NYC", "America/New_York", {2026, 2027, 2006, 2007}},
        {u"SYD", "Australia/Sydney", {2026, 2027, 2007, 2008}},
        {u"SCL", "America/Santiago", {2026, 2027, 2016, 2022}},
        {u"LDH", "Australia/Lord_Howe", {2026, 2027, 2007, 2008}},
    };
    for (const Zone& z : zones) {
        SCOPED_TRACE(z.iana);
        const auto tz = TzFile::Open(z.iana);
        if (!tz) GTEST_SKIP() << "no zone database at /usr/share/zoneinfo";
        Clock clock = AutoClock(z.code);
        ASSERT_EQ(clock.TimeZoneName(), z.code);
        for (int year : z.years) {
            SCOPED_TRACE(year);
            std::vector<std::int64_t> instants = tz->ChangesIn(year);
            EXPECT_EQ(instants.size(), 2u) << "changes found in the zone database";
            const std::int64_t newYear = ToSerialSeconds({year, 1, 1, 0, 0, 0});
            instants.push_back(newYear - tz->OffsetAt(newYear));
            for (std::int64_t change : instants)
                for (std::int64_t utc : {change - 60, change + 60}) {
                    const std::string expected =
                        Shown(FromSerialSeconds(utc + tz->OffsetAt(utc)));
                    EXPECT_EQ(TextAt(clock, FromSerialSeconds(utc)), expected)
                        << "at " << Shown(FromSerialSeconds(utc)) << " UTC";
                }
        }
    }
}

// The offsets move the moment shown, and the distance is the one at that
// moment, not at now.
TEST_F(SummerTimeTest, TheDistanceIsTheOneOfTheMomentShown) {
    struct Case {
        const char* what;
        std::int16_t Clock::*offset;
        std::int16_t amount;
        const char16_t* expected;
    };
    // Now: Saturday 28 March 2026, 12:00 UTC, the day before London's change.
    const Case cases[] = {
        {"tomorrow is summer time", &Clock::OffsetDay, 1, u"<2026/03/29 13:00:00>"},
        {"13 hours on, past 01:00 UTC", &Clock::OffsetHour, 13, u"<2026/03/29 02:00:00>"},
        {"12 hours 59 minutes on, before it", &Clock::OffsetMinute, 779, u"<2026/03/29 00:59:00>"},
        {"a year on is after 2027's change, a day earlier", &Clock::OffsetYear, 1,
         u"<2027/03/28 13:00:00>"},
        {"seven months on is winter again", &Clock::OffsetMonth, 7, u"<2026/10/28 12:00:00>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Clock clock = AutoClock(u"LON");
        clock.*c.offset = c.amount;
        EXPECT_EQ(TextAt(clock, {2026, 3, 28, 12, 0, 0}), TextToUtf8(c.expected));
    }
}

// Without the system's rules the clock is the fixed one of before: a row
// without a Windows zone, a zone the system does not know, or the option off.
TEST_F(SummerTimeTest, FallsBackToTheFixedDistance) {
    struct Case {
        const char* what;
        const char16_t* code;
        std::uint8_t flag;
        bool systemKnowsZones;
        const char16_t* expected;
    };
    const DateTime summer{2026, 7, 1, 12, 0, 0};
    const Case cases[] = {
        {"option off, no fixed bit", u"LON", 0, true, u"<2026/07/01 12:00:00>"},
        {"option off, fixed bit", u"LON", Clock::kFlagDaylightSaving, true,
         u"<2026/07/01 13:00:00>"},
        {"row without a zone name", u"TYO",
         Clock::kFlagAutoSummerTime | Clock::kFlagDaylightSaving, true, u"<2026/07/01 22:00:00>"},
        {"zone unknown to the system, fixed bit", u"LON",
         Clock::kFlagAutoSummerTime | Clock::kFlagDaylightSaving, false, u"<2026/07/01 13:00:00>"},
        {"zone unknown to the system", u"NYC", Clock::kFlagAutoSummerTime, false,
         u"<2026/07/01 07:00:00>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.systemKnowsZones) zones_.zones.clear();
        Clock clock;
        clock.SetTimeZoneName(c.code);
        clock.Flag = c.flag;
        EXPECT_EQ(TextAt(clock, summer), TextToUtf8(c.expected));
    }
}

}  // namespace
}  // namespace tbq
