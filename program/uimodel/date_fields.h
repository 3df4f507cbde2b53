// The six fields of a moment as the date dialog edits them, in its three
// modes: an alarm's target (values, "every" wildcards and weekday masks), a
// count item's target (values and the markers relative to the present) and a
// clock item's offsets (signed amounts of each unit). The texts the editors
// show for them, what the lists offer and how typed values are checked live
// here too, so that the dialog only moves texts between its controls and these.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/text.h"

namespace tbq::uimodel {

enum class DateMode { Alarm, Count, Offset };

struct DateFields {
    std::int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const DateFields&) const = default;
};

// The text an editor shows beside its "..." button. Alarm and count:
// year "/" month "/" day " " hour ":" minute ":" second without leading zeros,
// "Now" for a wildcard, a count's markers by name and the ticked weekdays as
// "Sun,Mon"; offset: the amounts that are not 0, or "オフセット無し" when all are.
Text DateText(const DateFields& fields, DateMode mode);

enum class DateField { Year, Month, Day, Hour, Minute, Second };
inline constexpr std::size_t kDateFieldCount = 6;

// One entry of a field's drop-down list.
struct DateChoice {
    Text text;
    std::int32_t value;
};
// What a field's list offers: the markers of the mode ("毎", "曜"; "今年",
// "来月"...), then the plain values (years around `currentYear`).
std::vector<DateChoice> DateChoices(DateMode mode, DateField field, int currentYear);
// The text a field shows for `value`: a marker's name, or the number as the
// list writes it ("2026", "05"; offsets as plain signed numbers).
Text DateFieldText(DateMode mode, DateField field, std::int32_t value);

// The day list's weekday entry in the alarm mode: its value has no day bits;
// the ticked boxes add theirs (Sunday 1 .. Saturday 64).
inline constexpr std::int32_t kWeekdayChoice = 128;

// What the dialog holds when OK is pressed: each list's text, typed or
// chosen, and the weekday boxes ticked (alarm mode).
struct DateInput {
    std::array<Text, kDateFieldCount> texts;
    std::uint8_t weekdays = 0;
};
// A field refused, with the warning to show; the dialog puts the focus there.
struct DateProblem {
    DateField field;
    Text message;
};
struct DateCheck {
    std::optional<DateFields> fields;  // set when every field passed
    std::optional<DateProblem> problem;
};
// Checks the fields in their order and reads them.
DateCheck CheckDate(DateMode mode, const DateInput& input);

}  // namespace tbq::uimodel
