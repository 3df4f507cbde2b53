#include "uimodel/date_fields.h"

#include "alarm/alarm.h"
#include "base/date_time.h"
#include "core/helpers.h"
#include "uimodel/numbers.h"

namespace tbq::uimodel {

namespace {

// A field's markers in one mode: values outside the plain range that the
// list offers by name.
struct Marker {
    const char16_t* text;
    std::int32_t value;
};
struct FieldRule {
    std::vector<Marker> markers;
    std::int32_t lo, hi;              // plain values the list offers
    std::int32_t validLo, validHi;    // plain values accepted when typed
    const char16_t* picture;          // how the list writes a plain value
    const char16_t* invalid;          // the warning for a refused value
};

constexpr const char16_t* kInvalid[] = {u"年の値が不正です。", u"月の値が不正です。", u"日の値が不正です。",
                                        u"時の値が不正です。", u"分の値が不正です。", u"秒の値が不正です。"};

// The year list reaches ten years either side of this year; typed years may
// be any the calendar holds.
constexpr int kYearSpan = 10;
// A clock's offsets are 16-bit amounts; the lists offer a few of each unit.
constexpr std::int32_t kOffsetChoices = 10;

FieldRule Rule(DateMode mode, DateField field, int currentYear) {
    const auto f = static_cast<std::size_t>(field);
    const char16_t* invalid = kInvalid[f];
    if (mode == DateMode::Offset)
        return {{}, -kOffsetChoices, kOffsetChoices, INT16_MIN, INT16_MAX, u"0", invalid};
    const bool alarm = mode == DateMode::Alarm;
    // Markers are the values the alarm reads as "every" and the count reads as
    // "this", "next" and "previous" (the alarm accepts the latter two typed).
    switch (field) {
        case DateField::Year:
            return {alarm ? std::vector<Marker>{{u"毎", -1}}
                          : std::vector<Marker>{{u"今年", -1}, {u"来年", -2}, {u"去年", -3}},
                    currentYear - kYearSpan, currentYear + kYearSpan, 100, 9999, u"0000", invalid};
        case DateField::Month:
            return {alarm ? std::vector<Marker>{{u"毎", 255}}
                          : std::vector<Marker>{{u"今月", 255}, {u"来月", 254}, {u"先月", 253}},
                    1, 12, 1, 12, u"00", invalid};
        case DateField::Day:
            return {alarm ? std::vector<Marker>{{u"毎", 127}, {u"曜", kWeekdayChoice}}
                          : std::vector<Marker>{{u"今日", 127}, {u"明日", 126}, {u"昨日", 125}},
                    1, 31, 1, 31, u"00", invalid};
        case DateField::Hour:
            return {alarm ? std::vector<Marker>{{u"毎", 255}}
                          : std::vector<Marker>{{u"現在", 255}, {u"次", 254}, {u"前", 253}},
                    0, 23, 0, 23, u"00", invalid};
        case DateField::Minute:
            return {alarm ? std::vector<Marker>{{u"毎", 255}}
                          : std::vector<Marker>{{u"現在", 255}, {u"次", 254}, {u"前", 253}},
                    0, 59, 0, 59, u"00", invalid};
        case DateField::Second:
            return {{{alarm ? u"毎" : u"現在", 255}}, 0, 59, 0, 59, u"00", invalid};
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
        if (text == m.text) return m.value;
    return ReadNumber(text);
}

// Amount and unit of an offset, "+1年".
Text OffsetPart(std::int32_t value, const char16_t* unit) {
    Text out = value > 0 ? u"+" : u"";
    out += NumberText(value);
    out += unit;
    return out;
}

}  // namespace

std::vector<DateChoice> DateChoices(DateMode mode, DateField field, int currentYear) {
    const FieldRule rule = Rule(mode, field, currentYear);
    std::vector<DateChoice> out;
    for (const Marker& m : rule.markers) out.push_back({m.text, m.value});
    for (std::int32_t v = rule.lo; v <= rule.hi; ++v) out.push_back({DateFieldText(mode, field, v), v});
    return out;
}

Text DateFieldText(DateMode mode, DateField field, std::int32_t value) {
    const FieldRule rule = Rule(mode, field, 0);
    for (const Marker& m : rule.markers)
        if (m.value == value) return m.text;
    if (mode == DateMode::Alarm && field == DateField::Day && (value & vbKerova_Alarm::kWeekdays))
        return u"曜";
    if (value < 0) return NumberText(value);
    return FormatNumber(value, rule.picture);
}

Text DateText(const DateFields& d, DateMode mode) {
    if (mode == DateMode::Alarm) return AlarmTargetText(d.year, d.month, d.day, d.hour, d.minute, d.second, false);
    const std::int32_t values[] = {d.year, d.month, d.day, d.hour, d.minute, d.second};
    if (mode == DateMode::Offset) {
        constexpr const char16_t* kUnits[] = {u"年", u"ヶ月", u"日", u"時間", u"分", u"秒"};
        Text out;
        for (std::size_t i = 0; i < kDateFieldCount; ++i) {
            if (values[i] == 0) continue;
            if (!out.empty()) out += u' ';
            out += OffsetPart(values[i], kUnits[i]);
        }
        return out.empty() ? Text(u"オフセット無し") : out;
    }
    constexpr const char16_t* kSeparators[] = {u"", u"/", u"/", u" ", u":", u":"};
    Text out;
    for (std::size_t i = 0; i < kDateFieldCount; ++i) {
        out += kSeparators[i];
        const FieldRule rule = Rule(mode, static_cast<DateField>(i), 0);
        Text part = NumberText(values[i]);
        for (const Marker& m : rule.markers)
            if (m.value == values[i]) part = m.text;
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
        if (weekday && input.weekdays == 0) return {std::nullopt, DateProblem{field, u"曜日が選択されていません。"}};
        const bool ok = v && (weekday || (*v >= rule.validLo && *v <= rule.validHi) ||
                              (mode != DateMode::Offset && TypedMarker(mode, field, *v)));
        if (!ok) return {std::nullopt, DateProblem{field, rule.invalid}};
        values[i] = weekday ? kWeekdayChoice | (input.weekdays & 0x7F) : static_cast<std::int32_t>(*v);
        // A fixed day must exist in its fixed month: in the year when that is
        // fixed too, else in some year (29 February in a leap one).
        if (field == DateField::Day && mode != DateMode::Offset && values[1] >= 1 && values[1] <= 12 &&
            values[2] >= 1 && values[2] <= 31) {
            const bool fixedYear = values[0] >= 100;
            if (values[2] > DaysInMonth(fixedYear ? values[0] : 2000, values[1]))
                return {std::nullopt, DateProblem{field, rule.invalid}};
        }
    }
    return {DateFields{values[0], values[1], values[2], values[3], values[4], values[5]}, std::nullopt};
}

}  // namespace tbq::uimodel
