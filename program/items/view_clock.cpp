#include "items/view_clock.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/library_wrapper.h"
#include "core/program_location.h"
#include "items/date_format.h"
#include "platform/ports.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

constexpr TextView kDefaultFormat = u"<YYYY/MM/DD HH:MM:SS>";
constexpr TextView kDefaultZone = u"TYO";
constexpr TextView kDataFile = u"TBQ_Data.ini";
constexpr TextView kSystemZoneKey = u"WindowsZone";
// Section numbers have three digits, so the table cannot be longer.
constexpr int kMaxZoneRows = 999;

constexpr TextView kOffsetKeys[] = {u"OffsetYear", u"OffsetMonth",  u"OffsetDay",
                                    u"OffsetHour", u"OffsetMinute", u"OffsetSecond"};
constexpr DateUnit kOffsetUnits[] = {DateUnit::Year, DateUnit::Month,  DateUnit::Day,
                                     DateUnit::Hour, DateUnit::Minute, DateUnit::Second};

Text ThreeDigits(int n) {
    Text digits = NumberText(n);
    return Text(digits.size() < 3 ? 3 - digits.size() : 0, u'0') + digits;
}

// Hand-edited files may hold anything; values are kept inside their field's type.
std::int16_t ToInt16(long long v) {
    return static_cast<std::int16_t>(std::clamp<long long>(v, INT16_MIN, INT16_MAX));
}
std::uint8_t ToByte(long long v) {
    return static_cast<std::uint8_t>(std::clamp<long long>(v, 0, 255));
}

bool NeedsEscape(char16_t c) {
    constexpr TextView kSpecial = u"!\"#$%&'=~^@{[<";
    return kSpecial.find(c) != TextView::npos;
}

}  // namespace

tbq::Text vbKerova_View_Clock::FixedCode(TextView code) {
    tbq::Text fixed(code.substr(0, 3));
    fixed.resize(3, u' ');
    return fixed;
}

std::optional<vbKerova_View_Clock::Zone> vbKerova_View_Clock::LookUpZone(TextView code) {
    // Before the program knows its folder there is no table to read; a file of
    // that name in whatever the current directory is must not stand in for it.
    if (ProgramFolder().empty()) return std::nullopt;
    const vbIniFile data(ProgramFolder() + tbq::Text(kDataFile));
    const tbq::Text wanted = FoldCase(FixedCode(code));
    for (int n = 1; n <= kMaxZoneRows; ++n) {
        const tbq::Text section = u"TimeZone" + ThreeDigits(n);
        const tbq::Text name = data.GetText(section, u"SName", u"");
        if (name.empty()) break;
        if (FoldCase(FixedCode(name)) != wanted) continue;
        return Zone{ToByte(data.GetNumber(section, u"Hour", 0)),
                    ToByte(data.GetNumber(section, u"Minute", 0)),
                    data.GetBool(section, u"Minus", false),
                    data.GetText(section, kSystemZoneKey, u"")};
    }
    return std::nullopt;
}

tbq::Text vbKerova_View_Clock::EscapeFormat(TextView format) {
    tbq::Text escaped;
    escaped.reserve(format.size() + format.size() / 4);
    for (char16_t c : format) {
        if (NeedsEscape(c)) escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

void vbKerova_View_Clock::TakeZone(Zone zone) {
    if (zone.systemZone != zone_.systemZone) rules_ = ZoneRules(zone.systemZone);
    zone_ = std::move(zone);
}

void vbKerova_View_Clock::SetTimeZoneName(const tbq::Text& code) {
    if (auto zone = LookUpZone(code)) {
        timeZoneName_ = FixedCode(code);
        TakeZone(std::move(*zone));
    }
}

std::int16_t vbKerova_View_Clock::ZoneMinutes() const {
    int minutes = (zone_.minus ? -1 : 1) * (zone_.hour * 60 + zone_.minute);
    if (Flag & kFlagDaylightSaving) minutes += 60;
    return static_cast<std::int16_t>(minutes);  // at most 255 h 255 min + 1 h: always fits
}

DateTime vbKerova_View_Clock::Shifted(const DateTime& utc, int zoneMinutes) const {
    DateTime t = AddMinutes(utc, zoneMinutes);
    const std::int16_t offsets[] = {OffsetYear, OffsetMonth,  OffsetDay,
                                    OffsetHour, OffsetMinute, OffsetSecond};
    for (std::size_t i = 0; i < std::size(offsets); ++i)
        if (offsets[i] != 0) t = AddWithinRange(kOffsetUnits[i], offsets[i], t);
    return t;
}

DateTime vbKerova_View_Clock::LocalMoment(const DateTime& utc) {
    if (!(Flag & kFlagAutoSummerTime)) return Shifted(utc, ZoneMinutes());
    const std::optional<int> standard = rules_.StandardDistance(utc.year);
    if (!standard) return Shifted(utc, ZoneMinutes());
    // The offsets move the zone's standard time by the calendar, as they move
    // a fixed clock; the instant that gives, back in UTC, is the one whose
    // distance counts. Never an hour added to a local time: that would show
    // hours the zone skips and miss the hour it repeats.
    const DateTime shown = Shifted(utc, *standard);
    const DateTime shownUtc = AddMinutes(shown, -*standard);
    const std::optional<int> distance = rules_.DistanceAt(shownUtc);
    return AddWithinRange(DateUnit::Minute, distance.value_or(*standard) - *standard, shown);
}

tbq::Text vbKerova_View_Clock::Text() {
    const platform::ClockTime now = platform::clock().UtcNow();
    const DateTime utc =
        Clamped(DateTime{now.year, now.month, now.day, now.hour, now.minute, now.second});
    const DateTime t = LocalMoment(utc);
    if (Flag & kFlagExtendedFormat) {
        vbKerova_Dll* library = TheLibrary();
        if (!library) return {};
        // The milliseconds are the clock's own: zone and offsets move whole seconds only.
        return library->FormatConvert(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                      std::clamp(now.millisecond, 0, 999), DayOfWeek(t),
                                      FormatText);
    }
    return FormatDate(t, EscapeFormat(FormatText));
}

void vbKerova_View_Clock::LoadSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    FormatText = ini.GetText(section, u"Format", kDefaultFormat);
    // A code the table lacks is still taken as the name; the distance then
    // stays what it was.
    timeZoneName_ = FixedCode(ini.GetText(section, u"TimeZone", kDefaultZone));
    if (auto zone = LookUpZone(timeZoneName_)) TakeZone(std::move(*zone));

    std::int16_t* const offsets[] = {&OffsetYear, &OffsetMonth,  &OffsetDay,
                                     &OffsetHour, &OffsetMinute, &OffsetSecond};
    if (ini.GetNumber(section, u"OffsetType", 0) != 0) {
        for (std::size_t i = 0; i < std::size(offsets); ++i)
            *offsets[i] = ToInt16(ini.GetNumber(section, kOffsetKeys[i], 0));
    } else {
        // Records of the earlier form keep magnitudes and one sign for all six.
        const bool minus = ini.GetBool(section, u"OffsetMinus", false);
        for (std::size_t i = 0; i < std::size(offsets); ++i) {
            const long long magnitude = ini.GetNumber(section, kOffsetKeys[i], 0);
            *offsets[i] = ToInt16(minus ? -magnitude : magnitude);
        }
    }
    Flag = ToByte(ini.GetNumber(section, u"Flag", 0));
}

void vbKerova_View_Clock::SaveSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    // The accessor quotes a format with blanks or quotes at its ends itself.
    ini.SetText(section, u"Format", FormatText);
    ini.SetText(section, u"TimeZone", timeZoneName_);
    const std::int16_t offsets[] = {OffsetYear, OffsetMonth,  OffsetDay,
                                    OffsetHour, OffsetMinute, OffsetSecond};
    for (std::size_t i = 0; i < std::size(offsets); ++i)
        ini.SetNumber(section, kOffsetKeys[i], offsets[i]);
    ini.SetNumber(section, u"OffsetType", 1);
    ini.SetNumber(section, u"Flag", Flag);
}

}  // namespace tbq
