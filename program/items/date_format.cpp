#include "items/date_format.h"

#include <algorithm>

#include "platform/ports.h"

namespace tbq {

namespace {

constexpr TextView kMonthShort[12] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                      u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
constexpr TextView kMonthLong[12] = {u"January",   u"February", u"March",    u"April",
                                     u"May",       u"June",     u"July",     u"August",
                                     u"September", u"October",  u"November", u"December"};
constexpr TextView kDayShort[7] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
constexpr TextView kDayLong[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                  u"Thursday", u"Friday", u"Saturday"};
constexpr TextView kDayJaShort[7] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
constexpr TextView kDayJaLong[7] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日",
                                    u"木曜日", u"金曜日", u"土曜日"};

struct Era {
    int from;  // yyyymmdd of its first day
    TextView name, initial, letter;
    int yearBefore;  // the Gregorian year before its year 1
};

// The platform's own table stops at 平成, which would count 平成31, 32, ... on
// from 2019-05-01; 令和 is added here.
constexpr Era kEras[] = {
    {18680125, u"明治", u"明", u"M", 1867}, {19120730, u"大正", u"大", u"T", 1911},
    {19261225, u"昭和", u"昭", u"S", 1925}, {19890108, u"平成", u"平", u"H", 1988},
    {20190501, u"令和", u"令", u"R", 2018},
};

const Era* EraOf(const DateTime& t) {
    const int key = t.year * 10000 + t.month * 100 + t.day;
    const Era* found = nullptr;
    for (const Era& e : kEras)
        if (key >= e.from) found = &e;
    return found;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Output with a hard cap, so no format, however long or repetitive, can make
// the text (or the work) grow without bound.
class Output {
public:
    bool Full() const { return full_; }
    void Add(TextView t) {
        if (full_) return;
        const std::size_t room = kMaxFormattedUnits - text_.size();
        if (t.size() >= room) {
            text_.append(t.substr(0, room));
            full_ = true;
            return;
        }
        text_.append(t);
    }
    void Add(char16_t c) { Add(TextView(&c, 1)); }
    void Number(int value, int minDigits) {
        char16_t digits[12];
        int n = 0;
        unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
        do {
            digits[n++] = static_cast<char16_t>(u'0' + v % 10);
            v /= 10;
        } while (v != 0 && n < 10);
        while (n < minDigits && n < 10) digits[n++] = u'0';
        std::reverse(digits, digits + n);
        Add(TextView(digits, static_cast<std::size_t>(n)));
    }
    Text Take() {
        // A cut must not leave half of a surrogate pair at the end.
        if (full_ && !text_.empty() && IsHighSurrogate(text_.back())) text_.pop_back();
        return std::move(text_);
    }

private:
    Text text_;
    bool full_ = false;
};

int Hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

// --- regional pictures --------------------------------------------------

bool PictureHasTwelveHourClock(TextView picture) {
    bool quoted = false;
    for (char16_t c : picture) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && c == u'h')
            return true;
    }
    return false;
}

void ApplyPicture(TextView picture, const DateTime& t, platform::Locale& locale, Output& out) {
    const int wd = DayOfWeek(t);
    std::size_t i = 0;
    while (i < picture.size() && !out.Full()) {
        const char16_t c = picture[i];
        if (c == u'\'') {
            // 'text' is literal; '' is one apostrophe, inside quotes or out.
            if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                out.Add(u'\'');
                i += 2;
                continue;
            }
            std::size_t j = i + 1;
            while (j < picture.size()) {
                if (picture[j] == u'\'') {
                    if (j + 1 < picture.size() && picture[j + 1] == u'\'') {
                        out.Add(u'\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                out.Add(picture[j++]);
            }
            i = j + 1;  // past the closing quote (or the end)
            continue;
        }
        std::size_t n = 1;
        while (i + n < picture.size() && picture[i + n] == c) ++n;
        const int len = static_cast<int>(std::min<std::size_t>(n, 4));
        switch (c) {
            case u'd':
                if (len <= 2)
                    out.Number(t.day, len);
                else
                    out.Add(locale.DayName(wd, len == 3));
                break;
            case u'M':
                if (len <= 2)
                    out.Number(t.month, len);
                else
                    out.Add(locale.MonthName(t.month, len == 3));
                break;
            case u'y':
                if (len <= 2)
                    out.Number(t.year % 100, len);
                else
                    out.Number(t.year, 4);
                break;
            case u'g':
                if (const Era* e = EraOf(t)) out.Add(e->name);
                break;
            case u'H':
                out.Number(t.hour, std::min(len, 2));
                break;
            case u'h':
                out.Number(Hour12(t.hour), std::min(len, 2));
                break;
            case u'm':
                out.Number(t.minute, std::min(len, 2));
                break;
            case u's':
                out.Number(t.second, std::min(len, 2));
                break;
            case u't': {
                const Text s = t.hour < 12 ? locale.AmString() : locale.PmString();
                out.Add(len == 1 ? TextView(s).substr(0, 1) : TextView(s));
                break;
            }
            default:
                for (std::size_t k = 0; k < n; ++k) out.Add(c);
                break;
        }
        i += n;
    }
}

// --- format codes ---------------------------------------------------------

// clang-format off
enum class Code : unsigned char {
    Literal, Escape, TimeSep, DateSep, Combined,
    Day, Day2, DayName, DayNameLong, ShortDate, LongDate, JaDay, JaDayLong,
    WeekDay, Week, Month, Month2, MonthName, MonthNameLong, Quarter,
    EraLetter, EraInitial, EraName, EraYear, EraYear2, YearDay, Year2, Year4,
    Hour, Hour2, Minute, Minute2, Second, Second2, Time, AmPmPair, AmPmLocale,
};
// clang-format on

struct Token {
    Code code;
    std::size_t length;
};

constexpr std::size_t kLongestLetterCode = 6;  // "dddddd"

// The code a run of `length` equal letters (lower case) spells, Literal when none.
Code LetterCode(char16_t letter, std::size_t length) {
    using C = Code;
    switch (letter) {
        case u'c':
            return length == 1 ? C::Combined : C::Literal;
        case u'd': {
            static constexpr C kD[] = {C::Literal,     C::Day,       C::Day2,    C::DayName,
                                       C::DayNameLong, C::ShortDate, C::LongDate};
            return kD[length];
        }
        case u'a':
            return length == 3 ? C::JaDay : length == 4 ? C::JaDayLong : C::Literal;
        case u'w':
            return length == 1 ? C::WeekDay : length == 2 ? C::Week : C::Literal;
        case u'm': {
            static constexpr C kM[] = {C::Literal,       C::Month,   C::Month2, C::MonthName,
                                       C::MonthNameLong, C::Literal, C::Literal};
            return kM[length];
        }
        case u'q':
            return length == 1 ? C::Quarter : C::Literal;
        case u'g': {
            static constexpr C kG[] = {C::Literal, C::EraLetter, C::EraInitial, C::EraName,
                                       C::Literal, C::Literal,   C::Literal};
            return kG[length];
        }
        case u'e':
            return length == 1 ? C::EraYear : length == 2 ? C::EraYear2 : C::Literal;
        case u'y':
            return length == 1   ? C::YearDay
                   : length == 2 ? C::Year2
                   : length == 4 ? C::Year4
                                 : C::Literal;
        case u'h':
            return length == 1 ? C::Hour : length == 2 ? C::Hour2 : C::Literal;
        case u'n':
            return length == 1 ? C::Minute : length == 2 ? C::Minute2 : C::Literal;
        case u's':
            return length == 1 ? C::Second : length == 2 ? C::Second2 : C::Literal;
        case u't':
            return length == 5 ? C::Time : C::Literal;
        default:
            return C::Literal;
    }
}

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c; }

bool StartsWithFolded(TextView f, std::size_t i, TextView lowerWord) {
    if (f.size() - i < lowerWord.size()) return false;
    for (std::size_t k = 0; k < lowerWord.size(); ++k)
        if (LowerAscii(f[i + k]) != lowerWord[k]) return false;
    return true;
}

Token NextToken(TextView f, std::size_t i) {
    const char16_t c = f[i];
    if (c == u'\\') return {Code::Escape, i + 1 < f.size() ? 2u : 1u};
    if (c == u':') return {Code::TimeSep, 1};
    if (c == u'/') return {Code::DateSep, 1};
    const char16_t lower = LowerAscii(c);
    if (lower == u'a') {
        if (StartsWithFolded(f, i, u"am/pm")) return {Code::AmPmPair, 5};
        if (StartsWithFolded(f, i, u"ampm")) return {Code::AmPmLocale, 4};
        if (StartsWithFolded(f, i, u"a/p")) return {Code::AmPmPair, 3};
    }
    if (lower >= u'a' && lower <= u'z') {
        std::size_t run = 1;
        while (run < kLongestLetterCode && i + run < f.size() && LowerAscii(f[i + run]) == lower)
            ++run;
        for (std::size_t len = run; len > 0; --len)
            if (Code code = LetterCode(lower, len); code != Code::Literal) return {code, len};
    }
    return {Code::Literal, 1};
}

// Whether "h"/"hh" count on the 12-hour clock: any morning/afternoon code says so.
bool UsesTwelveHourClock(TextView format, platform::Locale& locale) {
    bool localeCode = false;
    for (std::size_t i = 0; i < format.size();) {
        const Token tok = NextToken(format, i);
        if (tok.code == Code::AmPmPair) return true;
        if (tok.code == Code::AmPmLocale) localeCode = true;
        i += tok.length;
    }
    return localeCode && PictureHasTwelveHourClock(locale.TimePicture());
}

// Codes that may stand between "h" and "m" without making "m" the month.
bool KeepsHourContext(Code code) {
    return code == Code::Literal || code == Code::Escape || code == Code::TimeSep ||
           code == Code::DateSep;
}

}  // namespace

Text FormatDate(const DateTime& value, TextView format) {
    const DateTime t = Clamped(value);
    platform::Locale& locale = platform::locale();
    const bool twelveHour = UsesTwelveHourClock(format, locale);
    const int wd = DayOfWeek(t);
    const int hour = twelveHour ? Hour12(t.hour) : t.hour;
    const Era* era = EraOf(t);

    Output out;
    bool afterHour = false;
    for (std::size_t i = 0; i < format.size() && !out.Full();) {
        const Token tok = NextToken(format, i);
        const TextView spelled = format.substr(i, tok.length);
        Code code = tok.code;
        if (afterHour && code == Code::Month) code = Code::Minute;
        if (afterHour && code == Code::Month2) code = Code::Minute2;
        switch (code) {
            case Code::Literal:
                out.Add(spelled);
                break;
            case Code::Escape:
                out.Add(spelled.substr(1));
                break;
            case Code::TimeSep:
                out.Add(locale.TimeSeparator());
                break;
            case Code::DateSep:
                out.Add(locale.DateSeparator());
                break;
            case Code::Combined:
                // Our values always carry a date; the time follows unless it is midnight.
                ApplyPicture(locale.ShortDatePicture(), t, locale, out);
                if (t.hour != 0 || t.minute != 0 || t.second != 0) {
                    out.Add(u' ');
                    ApplyPicture(locale.TimePicture(), t, locale, out);
                }
                break;
            case Code::Day:
                out.Number(t.day, 1);
                break;
            case Code::Day2:
                out.Number(t.day, 2);
                break;
            case Code::DayName:
                out.Add(kDayShort[wd]);
                break;
            case Code::DayNameLong:
                out.Add(kDayLong[wd]);
                break;
            case Code::ShortDate:
                ApplyPicture(locale.ShortDatePicture(), t, locale, out);
                break;
            case Code::LongDate:
                ApplyPicture(locale.LongDatePicture(), t, locale, out);
                break;
            case Code::JaDay:
                out.Add(kDayJaShort[wd]);
                break;
            case Code::JaDayLong:
                out.Add(kDayJaLong[wd]);
                break;
            case Code::WeekDay:
                out.Number(wd + 1, 1);
                break;
            case Code::Week: {
                // Week 1 holds 1 January; weeks begin on Sunday.
                const int jan1 = DayOfWeek(DateTime{t.year, 1, 1, 0, 0, 0});
                out.Number((DayOfYear(t) - 1 + jan1) / 7 + 1, 1);
                break;
            }
            case Code::Month:
                out.Number(t.month, 1);
                break;
            case Code::Month2:
                out.Number(t.month, 2);
                break;
            case Code::MonthName:
                out.Add(kMonthShort[t.month - 1]);
                break;
            case Code::MonthNameLong:
                out.Add(kMonthLong[t.month - 1]);
                break;
            case Code::Quarter:
                out.Number((t.month - 1) / 3 + 1, 1);
                break;
            case Code::EraLetter:
                if (era) out.Add(era->letter);
                break;
            case Code::EraInitial:
                if (era) out.Add(era->initial);
                break;
            case Code::EraName:
                if (era) out.Add(era->name);
                break;
            case Code::EraYear:
                out.Number(era ? t.year - era->yearBefore : t.year, 1);
                break;
            case Code::EraYear2:
                out.Number(era ? t.year - era->yearBefore : t.year, 2);
                break;
            case Code::YearDay:
                out.Number(DayOfYear(t), 1);
                break;
            case Code::Year2:
                out.Number(t.year % 100, 2);
                break;
            case Code::Year4:
                out.Number(t.year, 1);
                break;
            case Code::Hour:
                out.Number(hour, 1);
                break;
            case Code::Hour2:
                out.Number(hour, 2);
                break;
            case Code::Minute:
                out.Number(t.minute, 1);
                break;
            case Code::Minute2:
                out.Number(t.minute, 2);
                break;
            case Code::Second:
                out.Number(t.second, 1);
                break;
            case Code::Second2:
                out.Number(t.second, 2);
                break;
            case Code::Time:
                ApplyPicture(locale.TimePicture(), t, locale, out);
                break;
            case Code::AmPmPair: {
                // "AM/PM" -> "AM" or "PM", "a/p" -> "a" or "p": the code's own letters.
                const std::size_t half = tok.length == 5 ? 2 : 1;
                out.Add(t.hour < 12 ? spelled.substr(0, half) : spelled.substr(half + 1, half));
                break;
            }
            case Code::AmPmLocale:
                out.Add(t.hour < 12 ? locale.AmString() : locale.PmString());
                break;
        }
        if (code == Code::Hour || code == Code::Hour2)
            afterHour = true;
        else if (!KeepsHourContext(code))
            afterHour = false;
        i += tok.length;
    }
    return out.Take();
}

}  // namespace tbq
