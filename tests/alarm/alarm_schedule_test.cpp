// When alarms run: both modes across midnights, month ends, leap days and hour
// wildcards, starts found after a busy moment, and when an alarm has passed.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "alarm/alarm_schedule.h"

namespace tbq {
namespace {

constexpr int E = 255, D = 127;

DateTime At(const char* text) {
    DateTime t;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                &t.second);
    return t;
}

std::string Show(std::int64_t serial) {
    const DateTime t = FromSerialSeconds(serial);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buf;
}

AlarmSchedule Make(int y, int mo, int d, int h, int mi, int s, std::int64_t duration = 0) {
    AlarmSchedule a;
    a.year = y, a.month = mo, a.day = d, a.hour = h, a.minute = mi, a.second = s;
    a.duration = duration;
    return a;
}

constexpr int kSun = 128 | 1, kFri = 128 | 32, kFriSat = 128 | 32 | 64, kTue = 128 | 4;

TEST(AlarmScheduleTest, TheRunThatHoldsNow) {
    struct Case {
        const char* what;
        AlarmSchedule s;
        const char* now;
        const char* start;  // nullptr: nothing runs
        const char* end;
    };
    const Case cases[] = {
        {"every day 7:30:00, no duration: its second", Make(-1, E, D, 7, 30, 0), "2026-12-08 07:30:00",
         "2026-12-08 07:30:00", "2026-12-08 07:30:00"},
        {"... and not the next one", Make(-1, E, D, 7, 30, 0), "2026-12-08 07:30:01", nullptr, nullptr},
        {"... nor the one before", Make(-1, E, D, 7, 30, 0), "2026-12-08 07:29:59", nullptr, nullptr},
        {"23:50 for 20 minutes runs past midnight", Make(-1, E, D, 23, 50, 0, 1200),
         "2026-12-09 00:05:00", "2026-12-08 23:50:00", "2026-12-09 00:10:00"},
        {"... to its last second", Make(-1, E, D, 23, 50, 0, 1200), "2026-12-09 00:10:01", nullptr, nullptr},
        {"Friday 23:50: Saturday 00:05 still runs", Make(-1, E, kFri, 23, 50, 0, 1200),
         "2026-12-12 00:05:00", "2026-12-11 23:50:00", "2026-12-12 00:10:00"},
        {"Friday and Saturday: Friday's run goes on into Saturday", Make(-1, E, kFriSat, 23, 50, 0, 1200),
         "2026-12-12 00:09:59", "2026-12-11 23:50:00", "2026-12-12 00:10:00"},
        {"Sunday mask on a Sunday", Make(-1, E, kSun, 9, 0, 0, 60), "2026-12-13 09:00:30",
         "2026-12-13 09:00:00", "2026-12-13 09:01:00"},
        {"the 31st at 23:50 runs into the 1st after a long month", Make(-1, E, 31, 23, 50, 0, 1200),
         "2026-08-01 00:05:00", "2026-07-31 23:50:00", "2026-08-01 00:10:00"},
        {"... but a 30-day month has no 31st", Make(-1, E, 31, 23, 50, 0, 1200), "2026-07-01 00:05:00",
         nullptr, nullptr},
        {"31 April never comes, not even as 1 May", Make(-1, 4, 31, 12, 0, 0, 540), "2026-05-01 12:00:00",
         nullptr, nullptr},
        {"29 February of a common year never comes", Make(-1, 2, 29, 12, 0, 0), "2027-03-01 12:00:00",
         nullptr, nullptr},
        {"29 February of a leap year does", Make(-1, 2, 29, 12, 0, 0), "2028-02-29 12:00:00",
         "2028-02-29 12:00:00", "2028-02-29 12:00:00"},
        {"every hour at :50 for 20 minutes: 10:05 is the 9:50 run", Make(-1, E, D, E, 50, 0, 1200),
         "2026-12-08 10:05:00", "2026-12-08 09:50:00", "2026-12-08 10:10:00"},
        {"... and 10:10:01 lies between runs", Make(-1, E, D, E, 50, 0, 1200), "2026-12-08 10:10:01",
         nullptr, nullptr},
        {"every minute at :30 for 45 s: 10:01:10 is the 10:00:30 run", Make(-1, E, D, E, E, 30, 45),
         "2026-12-08 10:01:10", "2026-12-08 10:00:30", "2026-12-08 10:01:15"},
        {"a fixed New Year's Eve run crosses into the new year", Make(2026, 12, 31, 23, 59, 30, 60),
         "2027-01-01 00:00:20", "2026-12-31 23:59:30", "2027-01-01 00:00:30"},
        {"a run of ten days from a fixed date", Make(2026, 12, 1, 8, 0, 0, 240 * 3600),
         "2026-12-10 12:00:00", "2026-12-01 08:00:00", "2026-12-11 08:00:00"},
        {"field mode 12:00 is the whole minute", Make(-1, E, D, 12, 0, E), "2026-12-08 12:00:59",
         "2026-12-08 12:00:00", "2026-12-08 12:00:59"},
        {"... and not a second more", Make(-1, E, D, 12, 0, E), "2026-12-08 12:01:00", nullptr, nullptr},
        {"field mode hour 12 is the whole hour", Make(-1, E, D, 12, E, E), "2026-12-08 12:34:56",
         "2026-12-08 12:00:00", "2026-12-08 12:59:59"},
        {"field mode day 15 is the whole day", Make(-1, E, 15, E, E, E), "2026-12-15 18:00:00",
         "2026-12-15 00:00:00", "2026-12-15 23:59:59"},
        {"field mode Tuesdays", Make(-1, E, kTue, E, E, E), "2026-12-08 18:00:00",
         "2026-12-08 00:00:00", "2026-12-08 23:59:59"},
        {"field mode February of a leap year", Make(-1, 2, D, E, E, E), "2028-02-10 01:00:00",
         "2028-02-01 00:00:00", "2028-02-29 23:59:59"},
        {"field mode year 2026", Make(2026, E, D, E, E, E), "2026-12-08 01:00:00",
         "2026-01-01 00:00:00", "2026-12-31 23:59:59"},
        {"field mode every hour at minute 5", Make(-1, E, D, E, 5, E), "2026-12-08 03:05:10",
         "2026-12-08 03:05:00", "2026-12-08 03:05:59"},
        {"days 125 and 126 match no day", Make(-1, E, 125, E, E, E), "2026-12-08 01:00:00", nullptr, nullptr},
        {"an empty weekday mask is no schedule", Make(-1, E, 128, 7, 0, 0), "2026-12-08 07:00:00",
         nullptr, nullptr},
        {"a second of 60 is no schedule", Make(-1, E, D, 7, 0, 60), "2026-12-08 07:01:00", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto run = CurrentRun(c.s, ToSerialSeconds(At(c.now)));
        if (!c.start) {
            EXPECT_FALSE(run) << Show(run->start);
            continue;
        }
        ASSERT_TRUE(run);
        EXPECT_EQ(Show(run->start), c.start);
        EXPECT_EQ(Show(run->end), c.end);
    }
    // With every field free the alarm simply always runs.
    EXPECT_TRUE(CurrentRun(Make(-1, E, D, E, E, E), ToSerialSeconds(At("2026-12-08 01:00:00"))));
}

TEST(AlarmScheduleTest, StartsBetweenTwoChecks) {
    struct Case {
        const char* what;
        AlarmSchedule s;
        const char* after;
        const char* now;
        const char* start;
    };
    const Case cases[] = {
        {"a one-second alarm passed during a busy moment", Make(-1, E, D, 7, 30, 0), "2026-12-08 07:29:59",
         "2026-12-08 07:30:02", "2026-12-08 07:30:00"},
        {"the start at the last check itself is not new", Make(-1, E, D, 7, 30, 0), "2026-12-08 07:30:00",
         "2026-12-08 07:30:02", nullptr},
        {"the clock set forward over several starts: the latest", Make(-1, E, D, E, 0, 0),
         "2026-12-08 07:30:00", "2026-12-08 10:15:00", "2026-12-08 10:00:00"},
        {"a sleep over three nights finds this morning's", Make(-1, E, D, 7, 30, 0), "2026-12-05 22:00:00",
         "2026-12-08 08:00:00", "2026-12-08 07:30:00"},
        {"a field-mode minute skipped entirely", Make(-1, E, D, 12, 0, E), "2026-12-08 11:59:50",
         "2026-12-08 12:01:10", "2026-12-08 12:00:00"},
        {"the clock set back: nothing", Make(-1, E, D, 7, 30, 0), "2026-12-08 07:30:05",
         "2026-12-08 07:29:58", nullptr},
        {"a fixed date long gone is not looked for", Make(2020, 1, 1, 0, 0, 0), "2000-01-01 00:00:00",
         "2026-12-08 08:00:00", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto run = LatestStartIn(c.s, ToSerialSeconds(At(c.after)), ToSerialSeconds(At(c.now)));
        if (!c.start) {
            EXPECT_FALSE(run) << Show(run->start);
        } else {
            ASSERT_TRUE(run);
            EXPECT_EQ(Show(run->start), c.start);
        }
    }
}

TEST(AlarmScheduleTest, PassedComparesOneDateAndTime) {
    struct Case {
        const char* what;
        AlarmSchedule s;
        const char* now;
        bool passed;
    };
    const Case cases[] = {
        {"a second after a fixed moment", Make(2026, 12, 8, 10, 0, 0), "2026-12-08 10:00:01", true},
        {"at the moment itself", Make(2026, 12, 8, 10, 0, 0), "2026-12-08 10:00:00", false},
        {"an earlier hour of a later day", Make(2026, 12, 8, 10, 0, 0), "2026-12-09 09:00:00", true},
        {"a later hour of an earlier day", Make(2026, 12, 8, 10, 0, 0), "2026-12-07 11:00:00", false},
        {"every year never passes", Make(-1, 1, 1, 0, 0, 0), "2030-01-01 00:00:00", false},
        {"31 April is over on 1 May", Make(2026, 4, 31, 12, 0, 0), "2026-05-01 00:00:00", true},
        {"... but not on 30 April", Make(2026, 4, 31, 12, 0, 0), "2026-04-30 23:00:00", false},
        {"the first of every month of 2026 lasts into December", Make(2026, E, 1, 0, 0, 0), "2026-11-30 23:00:00", false},
        {"... and is over in 2027", Make(2026, E, 1, 0, 0, 0), "2027-01-01 00:00:00", true},
        {"weekdays of December 2026", Make(2026, 12, kTue, 9, 0, 0), "2026-12-29 10:00:00", false},
        {"... are over in January", Make(2026, 12, kTue, 9, 0, 0), "2027-01-01 00:00:00", true},
        {"an hour wildcard keeps the day", Make(2026, 12, 8, E, 0, 0), "2026-12-08 22:30:00", false},
        {"... to its last hour", Make(2026, 12, 8, E, 0, 0), "2026-12-08 23:00:01", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SchedulePassed(c.s, At(c.now)), c.passed);
    }
}

}  // namespace
}  // namespace tbq
