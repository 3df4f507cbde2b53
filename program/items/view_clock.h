// The clock item: the current date and time of a time zone, optionally with
// daylight saving time (fixed, or switched by the zone's own rules) and a fixed
// shift into the past or future, formatted by our own date formatting or by
// the library's extended format.
#pragma once

#include <cstdint>
#include <optional>

#include "base/date_time.h"
#include "items/summer_time.h"
#include "items/view_data.h"

namespace tbq {

class vbKerova_View_Clock final : public ViewSubItem {
public:
    static constexpr std::uint8_t kFlagDaylightSaving = 1;
    static constexpr std::uint8_t kFlagExtendedFormat = 2;
    // Summer time as the zone's rules have it for the moment shown; the fixed
    // bit is then ignored. Without the system's rules for the zone the clock
    // falls back to the fixed distance and the fixed bit.
    static constexpr std::uint8_t kFlagAutoSummerTime = 4;

    // What the time-zone table holds for one zone code.
    struct Zone {
        std::uint8_t hour = 0, minute = 0;
        bool minus = false;
        // The system's name of the zone ("GMT Standard Time"); empty for rows
        // without summer time.
        tbq::Text systemZone;
    };

    // Reads the clock afresh on every call. With the extended-format flag the
    // text comes from the library wrapper (TheLibrary()); "" while there is none.
    tbq::Text Text() override;
    std::uint8_t ViewDataType() const override { return kKindClock; }
    void SaveSetting(const tbq::Text& file, const tbq::Text& section) override;
    void LoadSetting(const tbq::Text& file, const tbq::Text& section) override;

    tbq::Text FormatText = u"<YYYY/MM/DD HH:MM:SS>";
    std::int16_t OffsetYear = 0, OffsetMonth = 0, OffsetDay = 0;
    std::int16_t OffsetHour = 0, OffsetMinute = 0, OffsetSecond = 0;
    std::uint8_t Flag = 0;

    // Always three characters. Setting it takes the code (with the zone's
    // distance) only when the time-zone table knows it; else nothing changes.
    const tbq::Text& TimeZoneName() const { return timeZoneName_; }
    void SetTimeZoneName(const tbq::Text& code);
    std::uint8_t TimeZoneHour() const { return zone_.hour; }
    std::uint8_t TimeZoneMinute() const { return zone_.minute; }
    bool TimeZoneMinus() const { return zone_.minus; }

    const tbq::Text& SystemZone() const { return zone_.systemZone; }

    // The fixed distance from UTC in minutes, daylight saving bit included.
    std::int16_t ZoneMinutes() const;
    // The moment the item shows for that UTC time: zone, then the offsets,
    // each cut to keep the value inside the range of dates. With automatic
    // summer time the zone's distance is the one at the instant shown.
    DateTime LocalMoment(const DateTime& utc);

    // The zone code padded with blanks or cut to three characters.
    static tbq::Text FixedCode(TextView code);
    // The row of "TBQ_Data.ini" in the program folder for a code (letter case
    // ignored); none when the file or the code is missing.
    static std::optional<Zone> LookUpZone(TextView code);
    // `format` with "\" before each of ! " # $ % & ' = ~ ^ @ { [ <, characters
    // that date formatting has given meanings of their own; formats users wrote
    // rely on them showing as typed.
    static tbq::Text EscapeFormat(TextView format);

private:
    tbq::Text timeZoneName_ = u"TYO";
    void TakeZone(Zone zone);
    // The zone's time at that distance, moved by the offsets.
    DateTime Shifted(const DateTime& utc, int zoneMinutes) const;

    Zone zone_{9, 0, false, {}};
    ZoneRules rules_;
};

}  // namespace tbq
