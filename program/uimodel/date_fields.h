// The six fields of a moment as the date dialog edits them, in its three
// modes: an alarm's target (values, "every" wildcards and weekday masks), a
// count item's target (values and the markers relative to the present) and a
// clock item's offsets (signed amounts of each unit). The texts the editors
// show for them live here too.
#pragma once

#include <cstdint>

#include "base/text.h"

namespace tbq::uimodel {

enum class DateMode { Alarm, Count, Offset };

struct DateFields {
    std::int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const DateFields&) const = default;
};

// The text an editor shows beside its "..." button. Alarm and count:
// year "/" month "/" day " " hour ":" minute ":" second without leading zeros,
// "Now" for a wildcard or marker and the ticked weekdays as "Sun,Mon"; offset:
// the amounts that are not 0, or "オフセット無し" when all are.
Text DateText(const DateFields& fields, DateMode mode);

}  // namespace tbq::uimodel
