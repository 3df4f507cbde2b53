#include "base/date_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace tbq {

// Readable failures: "2026-02-28 00:00:00" instead of a byte dump.
void PrintTo(const DateTime& t, std::ostream* os) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    *os << buf;
}

namespace {

constexpr std::int64_t kBig = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kSmall = std::numeric_limits<std::int64_t>::min();

struct AddCase {
    DateTime from;
    DateUnit unit;
    std::int64_t amount;
    DateTime expected;
};

TEST(DateTime, CalendarAddition) {
    const AddCase cases[] = {
        // Months and years keep the day where they can and take the month's end otherwise.
        {{2026, 1, 31, 8, 0, 0}, DateUnit::Month, 1, {2026, 2, 28, 8, 0, 0}},
        {{2024, 1, 31, 8, 0, 0}, DateUnit::Month, 1, {2024, 2, 29, 8, 0, 0}},
        {{2026, 3, 31, 0, 0, 0}, DateUnit::Month, -1, {2026, 2, 28, 0, 0, 0}},
        {{2024, 2, 29, 0, 0, 0}, DateUnit::Year, 1, {2025, 2, 28, 0, 0, 0}},
        {{2024, 2, 29, 0, 0, 0}, DateUnit::Year, 4, {2028, 2, 29, 0, 0, 0}},
        {{2024, 2, 29, 0, 0, 0}, DateUnit::Year, -124, {1900, 2, 28, 0, 0, 0}},
        // Leap rules of the proleptic calendar, also at the low end of the range.
        {{2000, 2, 28, 0, 0, 0}, DateUnit::Day, 1, {2000, 2, 29, 0, 0, 0}},
        {{1900, 2, 28, 0, 0, 0}, DateUnit::Day, 1, {1900, 3, 1, 0, 0, 0}},
        {{100, 3, 1, 0, 0, 0}, DateUnit::Day, -1, {100, 2, 28, 0, 0, 0}},
        // Carries through every field, and across 1970 where seconds turn negative.
        {{2026, 12, 31, 23, 59, 59}, DateUnit::Second, 1, {2027, 1, 1, 0, 0, 0}},
        {{2026, 3, 1, 0, 0, 0}, DateUnit::Minute, -1, {2026, 2, 28, 23, 59, 0}},
        {{1969, 12, 31, 23, 0, 0}, DateUnit::Hour, 2, {1970, 1, 1, 1, 0, 0}},
        // A sum past an end of the range stops at that end, whatever the amount.
        {{9999, 12, 31, 23, 59, 59}, DateUnit::Second, 1, kMaxDateTime},
        {{100, 1, 1, 0, 0, 0}, DateUnit::Day, -1, kMinDateTime},
        {{2026, 1, 1, 0, 0, 0}, DateUnit::Day, kBig, kMaxDateTime},
        {{2026, 1, 1, 0, 0, 0}, DateUnit::Year, kSmall, kMinDateTime},
        {{2026, 1, 1, 0, 0, 0}, DateUnit::Year, kBig, kMaxDateTime},
        {{2026, 1, 1, 0, 0, 0}, DateUnit::Month, kBig, kMaxDateTime},
        {{9999, 12, 15, 0, 0, 0}, DateUnit::Month, 1, kMaxDateTime},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.from) + " + " + std::to_string(c.amount));
        EXPECT_EQ(Add(c.unit, c.amount, c.from), c.expected);
    }
}

struct BetweenCase {
    DateTime a, b;
    std::int64_t years, months, days, hours, minutes, seconds;
};

TEST(DateTime, BetweenCountsBoundaries) {
    const BetweenCase cases[] = {
        // One second apart, yet every boundary is crossed once.
        {{2026, 12, 31, 23, 59, 59}, {2027, 1, 1, 0, 0, 0}, 1, 1, 1, 1, 1, 1},
        {{2027, 1, 1, 0, 0, 0}, {2026, 12, 31, 23, 59, 59}, -1, -1, -1, -1, -1, -1},
        // Almost a year apart, and no year boundary.
        {{2026, 1, 1, 0, 0, 0},
         {2026, 12, 31, 23, 59, 59},
         0,
         11,
         364,
         364 * 24 + 23,
         (364 * 24 + 23) * 60 + 59,
         ((364 * 24 + 23) * 60 + 59) * 60 + 59},
        // Across 1970, where a truncating division would lose an hour.
        {{1969, 12, 31, 23, 30, 0}, {1970, 1, 1, 0, 10, 0}, 1, 1, 1, 1, 40, 2400},
        {kMinDateTime, kMaxDateTime, 9899, 9899 * 12 + 11, 3615899, 3615899LL * 24 + 23,
         (3615899LL * 24 + 23) * 60 + 59, 312413759999LL},
    };
    for (const BetweenCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " .. " + testing::PrintToString(c.b));
        EXPECT_EQ(YearsBetween(c.a, c.b), c.years);
        EXPECT_EQ(MonthsBetween(c.a, c.b), c.months);
        EXPECT_EQ(DaysBetween(c.a, c.b), c.days);
        EXPECT_EQ(HoursBetween(c.a, c.b), c.hours);
        EXPECT_EQ(MinutesBetween(c.a, c.b), c.minutes);
        EXPECT_EQ(SecondsBetween(c.a, c.b), c.seconds);
    }
}

TEST(DateTime, AddWithinRangeKeepsTheRestOfTheValue) {
    const AddCase cases[] = {
        {{2026, 6, 15, 12, 0, 0}, DateUnit::Year, 20000, {9999, 6, 15, 12, 0, 0}},
        {{2024, 2, 29, 1, 2, 3}, DateUnit::Year, 32767, {9999, 2, 28, 1, 2, 3}},
        {{105, 5, 31, 0, 0, 0}, DateUnit::Month, -32768, {100, 1, 31, 0, 0, 0}},
        {{9999, 12, 31, 10, 30, 15}, DateUnit::Hour, 32767, {9999, 12, 31, 23, 30, 15}},
        {{9999, 12, 30, 10, 30, 15}, DateUnit::Day, 32767, {9999, 12, 31, 10, 30, 15}},
        // Within the range nothing is cut.
        {{2026, 3, 31, 0, 0, 0}, DateUnit::Month, -1, {2026, 2, 28, 0, 0, 0}},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.from) + " + " + std::to_string(c.amount));
        EXPECT_EQ(AddWithinRange(c.unit, c.amount, c.from), c.expected);
    }
}

// Random values and amounts: the result is always a valid value, moved in the
// direction of the amount, and equal to the plain sum whenever that fits.
TEST(DateTime, AddWithinRangeNeverLeavesTheRange) {
    std::mt19937 rng(20260501);
    std::uniform_int_distribution<std::int64_t> serial(-59011459200LL, 253402300799LL);
    std::uniform_int_distribution<int> amount(-32768, 32767), unit(0, 5);
    for (int i = 0; i < 20000; ++i) {
        const DateTime from = FromSerialSeconds(serial(rng));
        const auto u = static_cast<DateUnit>(unit(rng));
        const int n = amount(rng);
        const DateTime r = AddWithinRange(u, n, from);
        ASSERT_TRUE(IsValid(r));
        if (n > 0) {
            ASSERT_GE(r, from);
        } else {
            ASSERT_LE(r, from);
        }
        const DateTime plain = Add(u, n, from);
        if (plain != kMinDateTime && plain != kMaxDateTime) {
            ASSERT_EQ(r, plain);
        }
    }
}

TEST(DateTime, CalendarFacts) {
    struct Case {
        DateTime t;
        int dayOfWeek, dayOfYear;
        std::int64_t serial;
    };
    const Case cases[] = {
        {{1970, 1, 1, 0, 0, 0}, 4, 1, 0},
        {{2026, 12, 7, 12, 3, 9}, 1, 341, 1796644989},
        {kMinDateTime, 5, 1, -59011459200LL},
        {kMaxDateTime, 5, 365, 253402300799LL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.t));
        EXPECT_EQ(DayOfWeek(c.t), c.dayOfWeek);
        EXPECT_EQ(DayOfYear(c.t), c.dayOfYear);
        EXPECT_EQ(ToSerialSeconds(c.t), c.serial);
        EXPECT_EQ(FromSerialSeconds(c.serial), c.t);
    }
}

TEST(DateTime, FieldsOutOfPlaceAreClamped) {
    struct Case {
        DateTime in, out;
    };
    const Case cases[] = {
        {{2026, 2, 30, 0, 0, 0}, {2026, 2, 28, 0, 0, 0}},
        {{2024, 13, 40, 24, 60, 60}, {2024, 12, 31, 23, 59, 59}},
        {{0, 0, 0, -1, -1, -1}, kMinDateTime},
        {{-2147483647 - 1, 1, 1, 0, 0, 0}, kMinDateTime},
        {{2147483647, 99, 99, 99, 99, 99}, kMaxDateTime},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.in));
        EXPECT_FALSE(IsValid(c.in));
        EXPECT_EQ(Clamped(c.in), c.out);
        // Every operation works on the clamped value instead of reading past a table.
        EXPECT_EQ(DayOfWeek(c.in), DayOfWeek(c.out));
        EXPECT_EQ(AddDays(c.in, 0), c.out);
    }
    EXPECT_EQ(DaysInMonth(2026, 0), 0);
    EXPECT_EQ(DaysInMonth(2026, 13), 0);
}

}  // namespace
}  // namespace tbq
