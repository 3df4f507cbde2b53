// The count item: the time left until a moment (count-down) or gone since it
// (count-up), in the units the user ticked ("12日3時間"). Each target field is
// a value or a marker relative to the present, so a count can repeat every
// year, month or day without being edited.
#pragma once

#include <cstdint>
#include <optional>

#include "base/date_time.h"
#include "items/view_data.h"

namespace tbq {

class vbKerova_View_Count final : public ViewSubItem {
public:
    // Year markers.
    static constexpr std::int16_t kThisYear = -1, kNextYear = -2, kLastYear = -3;
    // Month, hour and minute markers (the second knows only kPresent).
    static constexpr std::uint8_t kPresent = 255, kNext = 254, kPrevious = 253;
    // Day markers: the values from 128 up belong to the alarms' weekday masks.
    static constexpr std::uint8_t kToday = 127, kTomorrow = 126, kYesterday = 125;

    // ViewStyle bits: the units shown, and the direction.
    static constexpr std::uint8_t kSeconds = 1, kMinutes = 2, kHours = 4, kDays = 8;
    static constexpr std::uint8_t kMonths = 16, kYears = 32, kCountUp = 64;

    // Reads the local clock afresh on every call.
    tbq::Text Text() override;
    std::uint8_t ViewDataType() const override { return kKindCount; }
    void SaveSetting(const tbq::Text& file, const tbq::Text& section) override;
    void LoadSetting(const tbq::Text& file, const tbq::Text& section) override;

    // The moment the fields name for `now`; none when a field holds a value
    // that is neither in its range nor a marker (a fresh item's year 0, a
    // second of 60), which shows as an empty text.
    std::optional<DateTime> TargetFor(const DateTime& now) const;
    // The count text between `now` and `target`, by ViewStyle.
    tbq::Text CountText(const DateTime& now, const DateTime& target) const;

    std::int16_t TargetYear = 0;
    std::uint8_t TargetMonth = 0;
    std::uint8_t TargetDay = 0;
    std::uint8_t TargetHour = 0;
    std::uint8_t TargetMinute = 0;
    std::uint8_t TargetSecond = 0;
    std::uint8_t ViewStyle = 0;
};

}  // namespace tbq
