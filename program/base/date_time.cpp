#include "base/date_time.h"

#include <algorithm>
#include <chrono>

namespace tbq {

namespace {

namespace chr = std::chrono;

constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a date whose fields are in place.
constexpr std::int64_t DayNumber(int year, int month, int day) {
    const chr::year_month_day ymd{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                  chr::day{static_cast<unsigned>(day)}};
    return chr::sys_days{ymd}.time_since_epoch().count();
}

std::int64_t DayNumber(const DateTime& t) { return DayNumber(t.year, t.month, t.day); }

std::int64_t SecondOfDay(const DateTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

// Constants, not computed at start-up: other files' start-up code may already use them.
constexpr std::int64_t kMinSerial = DayNumber(100, 1, 1) * kSecondsPerDay;
constexpr std::int64_t kMaxSerial = DayNumber(9999, 12, 31) * kSecondsPerDay + kSecondsPerDay - 1;

std::int64_t UnitSeconds(DateUnit unit) {
    switch (unit) {
        case DateUnit::Day:
            return kSecondsPerDay;
        case DateUnit::Hour:
            return 3600;
        case DateUnit::Minute:
            return 60;
        default:
            return 1;
    }
}

// Month index counted from January of year 0, the scale year and month sums use.
std::int64_t MonthIndex(const DateTime& t) { return std::int64_t{t.year} * 12 + (t.month - 1); }

DateTime AddMonthsClamped(const DateTime& t, std::int64_t months) {
    constexpr std::int64_t kFirst = std::int64_t{kMinDateTime.year} * 12;
    constexpr std::int64_t kLast = std::int64_t{kMaxDateTime.year} * 12 + 11;
    // Checked against the distance left, so no sum can overflow.
    const std::int64_t index = MonthIndex(t);
    if (months > kLast - index) return kMaxDateTime;
    if (months < kFirst - index) return kMinDateTime;
    const std::int64_t target = index + months;
    DateTime r = t;
    r.year = static_cast<int>(target / 12);
    r.month = static_cast<int>(target % 12) + 1;
    r.day = std::min(t.day, DaysInMonth(r.year, r.month));
    return r;
}

DateTime AddSecondsClamped(const DateTime& t, std::int64_t amount, std::int64_t unitSeconds) {
    const std::int64_t serial = ToSerialSeconds(t);
    // The whole range is about 3.1e11 seconds; cutting the amount to the
    // distance left keeps the product far from overflow.
    const std::int64_t up = (kMaxSerial - serial) / unitSeconds;
    const std::int64_t down = (kMinSerial - serial) / unitSeconds;
    if (amount > up + 1) return kMaxDateTime;
    if (amount < down - 1) return kMinDateTime;
    return FromSerialSeconds(serial + amount * unitSeconds);
}

}  // namespace

bool IsLeapYear(int year) { return chr::year{year}.is_leap(); }

int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) return 0;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (month == 2 && IsLeapYear(year)) ? 29 : kDays[month - 1];
}

bool IsValid(const DateTime& t) { return Clamped(t) == t; }

DateTime Clamped(const DateTime& t) {
    DateTime r;
    r.year = std::clamp(t.year, kMinDateTime.year, kMaxDateTime.year);
    r.month = std::clamp(t.month, 1, 12);
    r.day = std::clamp(t.day, 1, DaysInMonth(r.year, r.month));
    r.hour = std::clamp(t.hour, 0, 23);
    r.minute = std::clamp(t.minute, 0, 59);
    r.second = std::clamp(t.second, 0, 59);
    return r;
}

int DayOfWeek(const DateTime& t) {
    const DateTime c = Clamped(t);
    return static_cast<int>(chr::weekday{chr::sys_days{chr::days{DayNumber(c)}}}.c_encoding());
}

int DayOfYear(const DateTime& t) {
    const DateTime c = Clamped(t);
    return static_cast<int>(DayNumber(c) - DayNumber(c.year, 1, 1)) + 1;
}

std::int64_t ToSerialSeconds(const DateTime& t) {
    const DateTime c = Clamped(t);
    return DayNumber(c) * kSecondsPerDay + SecondOfDay(c);
}

DateTime FromSerialSeconds(std::int64_t seconds) {
    if (seconds <= kMinSerial) return kMinDateTime;
    if (seconds >= kMaxSerial) return kMaxDateTime;
    // Floor division: values before 1970 are negative.
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    const chr::year_month_day ymd{chr::sys_days{chr::days{days}}};
    DateTime r;
    r.year = static_cast<int>(ymd.year());
    r.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    r.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    r.hour = static_cast<int>(rest / 3600);
    r.minute = static_cast<int>(rest / 60 % 60);
    r.second = static_cast<int>(rest % 60);
    return r;
}

DateTime Add(DateUnit unit, std::int64_t amount, const DateTime& t) {
    const DateTime c = Clamped(t);
    switch (unit) {
        case DateUnit::Year:
            // Beyond the range's span any year count saturates; the cut keeps
            // the multiplication in bounds.
            return AddMonthsClamped(c, std::clamp<std::int64_t>(amount, -100000, 100000) * 12);
        case DateUnit::Month:
            return AddMonthsClamped(c, amount);
        default:
            return AddSecondsClamped(c, amount, UnitSeconds(unit));
    }
}

std::int64_t Between(DateUnit unit, const DateTime& from, const DateTime& to) {
    const DateTime a = Clamped(from);
    const DateTime b = Clamped(to);
    const std::int64_t days = DayNumber(b) - DayNumber(a);
    switch (unit) {
        case DateUnit::Year:
            return b.year - a.year;
        case DateUnit::Month:
            return MonthIndex(b) - MonthIndex(a);
        case DateUnit::Day:
            return days;
        case DateUnit::Hour:
            return days * 24 + (b.hour - a.hour);
        case DateUnit::Minute:
            return (days * 24 + (b.hour - a.hour)) * 60 + (b.minute - a.minute);
        case DateUnit::Second:
            return ToSerialSeconds(b) - ToSerialSeconds(a);
    }
    return 0;
}

DateTime AddWithinRange(DateUnit unit, std::int64_t amount, const DateTime& t) {
    if (amount > 0) amount = std::min(amount, Between(unit, t, kMaxDateTime));
    if (amount < 0) amount = std::max(amount, Between(unit, t, kMinDateTime));
    return Add(unit, amount, t);
}

}  // namespace tbq
