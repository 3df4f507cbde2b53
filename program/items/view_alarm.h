// The alarm-text item: while alarms run, their target, name and/or message
// ("Nw/Nw/Nw 7:30:0 お茶 お湯が沸きました"); nothing while none runs, so it is
// usually the first choice of a first-valid group in front of a clock.
#pragma once

#include <cstdint>
#include <functional>

#include "alarm/alarm.h"
#include "base/date_time.h"
#include "items/view_data.h"

namespace tbq {

// Where alarm-text items find the alarms: null while the alarms are switched
// off as a whole. Start-up sets it; until then no alarm text shows.
void SetAlarmListSource(std::function<const AlarmList*()> source);

class vbKerova_View_Alarm final : public ViewSubItem {
public:
    // ViewStyle bits: what of an alarm is shown, in this order.
    static constexpr std::uint8_t kShowTarget = 1, kShowName = 2, kShowMessage = 4;
    // ViewType: which running alarms are shown.
    static constexpr std::uint8_t kFirst = 1, kNamed = 2, kAll = 4;

    // Reads the local clock afresh on every call.
    tbq::Text Text() override;
    std::uint8_t ViewDataType() const override { return kKindAlarm; }
    void SaveSetting(const tbq::Text& file, const tbq::Text& section) override;
    void LoadSetting(const tbq::Text& file, const tbq::Text& section) override;

    // The text for `alarms` at `now` (null alarms: switched off, "").
    tbq::Text TextAt(const AlarmList* alarms, const DateTime& now) const;

    std::uint8_t ViewStyle = kShowMessage;
    std::uint8_t ViewType = kFirst;
    tbq::Text AlarmName;
};

}  // namespace tbq
