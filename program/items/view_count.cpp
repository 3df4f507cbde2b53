#include "items/view_count.h"

#include "core/helpers.h"
#include "base/texts.h"

#include <algorithm>

#include "platform/ports.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::uint8_t ToByte(std::int32_t v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }
std::int16_t ToInt16(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
}

// Each field is its own value inside [first, last], or the present value moved
// by the field's marker; false for anything else. (A plain int rather than an
// optional: the compiler cannot see through several optionals at once.)
bool Resolve(int field, int present, int first, int last, int marker, int next, int previous,
             int& out) {
    if (field >= first && field <= last) {
        out = field;
    } else if (field == marker) {
        out = present;
    } else if (field == next) {
        out = present + 1;
    } else if (field == previous) {
        out = present - 1;
    } else {
        return false;
    }
    return true;
}

// The units counted before the seconds, largest first, with their bits and
// texts ("{0}日" in Japanese, "{0}d " in English).
struct CountUnit {
    std::uint8_t bit;
    DateUnit unit;
    TextId text;
};
constexpr CountUnit kUnits[] = {
    {vbKerova_View_Count::kYears, DateUnit::Year, TextId::SampleCountYears},
    {vbKerova_View_Count::kMonths, DateUnit::Month, TextId::SampleCountMonths},
    {vbKerova_View_Count::kDays, DateUnit::Day, TextId::SampleCountDays},
    {vbKerova_View_Count::kHours, DateUnit::Hour, TextId::SampleCountHours},
    {vbKerova_View_Count::kMinutes, DateUnit::Minute, TextId::SampleCountMinutes},
};

}  // namespace

std::optional<DateTime> vbKerova_View_Count::TargetFor(const DateTime& now) const {
    using C = vbKerova_View_Count;
    int y = 0, m = 0, day = 0, hour = 0, minute = 0, second = 0;
    const bool valid =
        Resolve(TargetYear, now.year, kMinDateTime.year, kMaxDateTime.year, C::kThisYear,
                C::kNextYear, C::kLastYear, y) &&
        Resolve(TargetMonth, now.month, 1, 12, C::kPresent, C::kNext, C::kPrevious, m) &&
        Resolve(TargetDay, now.day, 1, 31, C::kToday, C::kTomorrow, C::kYesterday, day) &&
        Resolve(TargetHour, now.hour, 0, 23, C::kPresent, C::kNext, C::kPrevious, hour) &&
        Resolve(TargetMinute, now.minute, 0, 59, C::kPresent, C::kNext, C::kPrevious, minute) &&
        // There is no next or previous second.
        Resolve(TargetSecond, now.second, 0, 59, C::kPresent, -1, -1, second);
    if (!valid) return std::nullopt;

    // The fields roll over as a calendar does: month 13 is January of the next
    // year, day 0 the last day of the month before, hour 24 the next day's 0:00.
    // Markers move a field by one at most, so the month is within 0..13.
    if (m < 1) {
        m += 12;
        --y;
    } else if (m > 12) {
        m -= 12;
        ++y;
    }
    if (y < kMinDateTime.year) return kMinDateTime;
    if (y > kMaxDateTime.year) return kMaxDateTime;
    const std::int64_t serial = ToSerialSeconds(DateTime{y, m, 1, 0, 0, 0}) +
                                std::int64_t{day - 1} * kSecondsPerDay + std::int64_t{hour} * 3600 +
                                std::int64_t{minute} * 60 + second;
    return FromSerialSeconds(serial);
}

tbq::Text vbKerova_View_Count::CountText(const DateTime& now, const DateTime& target) const {
    if (now == target) return Tr(TextId::SampleCountSeconds, u"0");
    const bool countUp = (ViewStyle & kCountUp) != 0;
    tbq::Text out;
    DateTime from = now, to = target;
    if (now > target) {
        if (!countUp) out += u'-';
        std::swap(from, to);
    } else if (countUp) {
        out += u'-';
    }
    for (const CountUnit& u : kUnits) {
        if ((ViewStyle & u.bit) == 0) continue;
        std::int64_t k = Between(u.unit, from, to);
        if (k == 0) continue;
        // Boundaries crossed can be one more than whole units gone by (31
        // December to 1 January crosses a year). Years and months are added to
        // the first moment each time, so a day cut to a month's end (31 January
        // + 1 month = end of February) never shortens the count that follows.
        DateTime next = Add(u.unit, k, from);
        if (next > to) next = Add(u.unit, --k, from);
        from = next;
        if (k != 0) out += Tr(u.text, NumberText(k));
    }
    if (ViewStyle & kSeconds) out += Tr(TextId::SampleCountSeconds, NumberText(SecondsBetween(from, to)));
    // A unit's text may end in a blank that only separates it from the next.
    while (!out.empty() && out.back() == u' ') out.pop_back();
    return out;
}

tbq::Text vbKerova_View_Count::Text() {
    const DateTime now = LocalDateTimeNow();
    const auto target = TargetFor(now);
    if (!target) return {};
    return CountText(now, *target);
}

void vbKerova_View_Count::SaveSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    ini.SetNumber(section, u"Year", TargetYear);
    ini.SetNumber(section, u"Month", TargetMonth);
    ini.SetNumber(section, u"Day", TargetDay);
    ini.SetNumber(section, u"Hour", TargetHour);
    ini.SetNumber(section, u"Minute", TargetMinute);
    ini.SetNumber(section, u"Second", TargetSecond);
    ini.SetNumber(section, u"Style", ViewStyle);
}

void vbKerova_View_Count::LoadSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    TargetYear = ToInt16(ini.GetNumber(section, u"Year", kThisYear));
    TargetMonth = ToByte(ini.GetNumber(section, u"Month", kPresent));
    // A record without a day means the present day, like the other fields
    // without a value; 255 would be no day at all.
    TargetDay = ToByte(ini.GetNumber(section, u"Day", kToday));
    TargetHour = ToByte(ini.GetNumber(section, u"Hour", kPresent));
    TargetMinute = ToByte(ini.GetNumber(section, u"Minute", kPresent));
    TargetSecond = ToByte(ini.GetNumber(section, u"Second", kPresent));
    ViewStyle = ToByte(ini.GetNumber(section, u"Style", kSeconds));
}

}  // namespace tbq
