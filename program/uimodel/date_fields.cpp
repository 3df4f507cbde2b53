#include "uimodel/date_fields.h"

#include "alarm/alarm.h"
#include "base/date_time.h"
#include "base/texts.h"
#include "core/helpers.h"
#include "uimodel/numbers.h"

namespace tbq::uimodel {

namespace {

// A field's markers in one mode: values outside the plain range that the
// list offers by name.
struct Marker {
    TextId text;
    std::int32_t value;
};
struct FieldRule {
    std::vector<Marker> markers;
    std::int32_t lo, hi;              // plain values the list offers
    std::int32_t validLo, validHi;    // plain values accepted when typed
    const char16_t* picture;          // how the list writes a plain value
    TextId invalid;                   // the warning for a refused value
};

constexpr TextId kInvalid[] = {TextId::ItemBadYear, TextId::ItemBadMonth,  TextId::ItemBadDay,
                               TextId::ItemBadHour, TextId::ItemBadMinute, TextId::ItemBadSecond};

// The year list reaches ten years either side of this year; typed years may
// be any the calendar holds.
constexpr int kYearSpan = 10;
// A clock's offsets are 16-bit amounts; the lists offer a few of each unit.
constexpr std::int32_t kOffsetChoices = 10;

FieldRule Rule(DateMode mode, DateField field, int currentYear) {
    const auto f = static_cast<std::size_t>(field);
    const TextId invalid = kInvalid[f];
    if (mode == DateMode::Offset)
        return {{}, -kOffsetChoices, kOffsetChoices, INT16_MIN, INT16_MAX, u"0", invalid};
    const bool alarm = mode == DateMode::Alarm;
    using enum TextId;
    // Markers are the values the alarm reads as "every" and the count reads as
    // "this", "next" and "previous" (the alarm accepts the latter two typed).
    switch (field) {
        case DateField::Year:
            return {alarm ? std::vector<Marker>{{ItemEvery, -1}}
                          : std::vector<Marker>{{ItemThisYear, -1}, {ItemNextYear, -2}, {ItemLastYear, -3}},
                    currentYear - kYearSpan, currentYear + kYearSpan, 100, 9999, u"0000", invalid};
        case DateField::Month:
            return {alarm ? std::vector<Marker>{{ItemEvery, 255}}
                          : std::vector<Marker>{{ItemThisMonth, 255}, {ItemNextMonth, 254}, {ItemLastMonth, 253}},
                    1, 12, 1, 12, u"00", invalid};
        case DateField::Day:
            return {alarm ? std::vector<Marker>{{ItemEvery, 127}, {ItemWeekdays, kWeekdayChoice}}
                          : std::vector<Marker>{{ItemToday, 127}, {ItemTomorrow, 126}, {ItemYesterday, 125}},
                    1, 31, 1, 31, u"00", invalid};
        case DateField::Hour:
            return {alarm ? std::vector<Marker>{{ItemEvery, 255}}
                          : std::vector<Marker>{{ItemPresent, 255}, {ItemNext, 254}, {ItemPrevious, 253}},
                    0, 23, 0, 23, u"00", invalid};
        case DateField::Minute:
            return {alarm ? std::vector<Marker>{{ItemEvery, 255}}
                          : std::vector<Marker>{{ItemPresent, 255}, {ItemNext, 254}, {ItemPrevious, 253}},
                    0, 59, 0, 59, u"00", invalid};
        case DateField::Second:
            return {{{alarm ? ItemEvery : ItemPresent, 255}}, 0, 59, 0, 59, u"00", invalid};
    }
    return {};
}

// The marker values a typed number may also take: the alarm's special years
// and 253..255 (125..127 for the day), the count's markers (its second has
// only 255).
bool TypedMarker(DateMode mode, DateField field, long long v) {
    switch (field) {
        case DateField::Year: return v >= -3 && v <= -1;
        case DateField::Day: return v >= 125 && v <= 127;
        case DateField::Second: return mode == DateMode::Count ? v == 255 : v >= 253 && v <= 255;
        default: return v >= 253 && v <= 255;
    }
}

std::optional<long long> ReadField(const FieldRule& rule, TextView text) {
    for (const Marker& m : rule.markers)
        if (text == Tr(m.text)) return m.value;
    return ReadNumber(text);
}

// Amount and unit of an offset, "+1年".
Text OffsetPart(std::int32_t value, TextId unit) {
    return AmountText(unit, (value > 0 ? u"+" : u"") + NumberText(value));
}

}  // namespace

std::vector<DateChoice> DateChoices(DateMode mode, DateField field, int currentYear) {
    const FieldRule rule = Rule(mode, field, currentYear);
    std::vector<DateChoice> out;
    for (const Marker& m : rule.markers) out.push_back({Text(Tr(m.text)), m.value});
    for (std::int32_t v = rule.lo; v <= rule.hi; ++v) out.push_back({DateFieldText(mode, field, v), v});
    return out;
}

Text DateFieldText(DateMode mode, DateField field, std::int32_t value) {
    const FieldRule rule = Rule(mode, field, 0);
    for (const Marker& m : rule.markers)
        if (m.value == value) return Text(Tr(m.text));
    if (mode == DateMode::Alarm && field == DateField::Day && (value & vbKerova_Alarm::kWeekdays))
        return Text(Tr(TextId::ItemWeekdays));
    if (value < 0) return NumberText(value);
    return FormatNumber(value, rule.picture);
}

Text DateText(const DateFields& d, DateMode mode) {
    if (mode == DateMode::Alarm) return AlarmTargetText(d.year, d.month, d.day, d.hour, d.minute, d.second, false);
    const std::int32_t values[] = {d.year, d.month, d.day, d.hour, d.minute, d.second};
    if (mode == DateMode::Offset) {
        using enum TextId;
        constexpr TextId kUnits[] = {ItemYearsAmount, ItemMonthsAmount,  ItemDaysAmount,
                                     ItemHoursAmount, ItemMinutesAmount, ItemSecondsAmount};
        Text out;
        for (std::size_t i = 0; i < kDateFieldCount; ++i) {
            if (values[i] == 0) continue;
            if (!out.empty()) out += u' ';
            out += OffsetPart(values[i], kUnits[i]);
        }
        return out.empty() ? Text(Tr(TextId::ItemNoOffset)) : out;
    }
    constexpr const char16_t* kSeparators[] = {u"", u"/", u"/", u" ", u":", u":"};
    Text out;
    for (std::size_t i = 0; i < kDateFieldCount; ++i) {
        out += kSeparators[i];
        const FieldRule rule = Rule(mode, static_cast<DateField>(i), 0);
        Text part = NumberText(values[i]);
        for (const Marker& m : rule.markers)
            if (m.value == values[i]) part = Tr(m.text);
        out += part;
    }
    return out;
}

DateCheck CheckDate(DateMode mode, const DateInput& input) {
    std::int32_t values[kDateFieldCount] = {};
    for (std::size_t i = 0; i < kDateFieldCount; ++i) {
        const auto field = static_cast<DateField>(i);
        const FieldRule rule = Rule(mode, field, 0);
        const auto v = ReadField(rule, input.texts[i]);
        const bool weekday = mode == DateMode::Alarm && field == DateField::Day && v == kWeekdayChoice;
        if (weekday && input.weekdays == 0)
            return {std::nullopt, DateProblem{field, Text(Tr(TextId::ItemNoWeekday))}};
        const bool ok = v && (weekday || (*v >= rule.validLo && *v <= rule.validHi) ||
                              (mode != DateMode::Offset && TypedMarker(mode, field, *v)));
        if (!ok) return {std::nullopt, DateProblem{field, Text(Tr(rule.invalid))}};
        values[i] = weekday ? kWeekdayChoice | (input.weekdays & 0x7F) : static_cast<std::int32_t>(*v);
        // A fixed day must exist in its fixed month: in the year when that is
        // fixed too, else in some year (29 February in a leap one).
        if (field == DateField::Day && mode != DateMode::Offset && values[1] >= 1 && values[1] <= 12 &&
            values[2] >= 1 && values[2] <= 31) {
            const bool fixedYear = values[0] >= 100;
            if (values[2] > DaysInMonth(fixedYear ? values[0] : 2000, values[1]))
                return {std::nullopt, DateProblem{field, Text(Tr(rule.invalid))}};
        }
    }
    return {DateFields{values[0], values[1], values[2], values[3], values[4], values[5]}, std::nullopt};
}

}  // namespace tbq::uimodel
