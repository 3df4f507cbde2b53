// The conversion loop: token by token, each token's text appended to the
// caller's buffer and cut at its size. Nothing is allocated per token; the
// Japanese texts come converted from the environment's tables.
#include "format/ex_format.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "format/calendar.h"
#include "format/tokens.h"

namespace tbq::format {
namespace {

using tokens::Tok;

// No token may give more text than this, however long a locale picture's
// result is.
constexpr size_t kTokenLimit = 1024;

// The caller's buffer, filled up to `size` bytes; every byte up to and
// including `size` was cleared before, so the text is always terminated.
class Output {
public:
    Output(char* out, int32_t size) : out_(out), size_(static_cast<size_t>(size)) {}

    bool Full() const { return length_ >= size_; }
    int32_t Length() const { return static_cast<int32_t>(length_); }

    void BeginToken() { tokenLeft_ = kTokenLimit; }

    void Put(std::string_view text) {
        const size_t n = std::min({text.size(), tokenLeft_, size_ - length_});
        if (n == 0) return;  // an empty view may have no data at all
        std::memcpy(out_ + length_, text.data(), n);
        length_ += n;
        tokenLeft_ -= n;
    }

    // printf's "%0<width>d": zero padded to at least `width` characters,
    // counting a minus sign.
    void PutNumber(int64_t value, int width = 1) {
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        const size_t count = static_cast<size_t>(result.ptr - digits);
        const bool negative = value < 0;
        char padded[32];
        size_t n = 0;
        if (negative) padded[n++] = '-';
        for (size_t i = count; i < static_cast<size_t>(width); ++i) padded[n++] = '0';
        for (size_t i = negative ? 1 : 0; i < count; ++i) padded[n++] = digits[i];
        Put(std::string_view(padded, n));
    }

    // printf's "%f": six decimals.
    void PutFixed(double value) {
        char text[64];
        const auto result =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
        if (result.ec == std::errc())
            Put(std::string_view(text, static_cast<size_t>(result.ptr - text)));
    }

private:
    char* out_;
    size_t size_;
    size_t length_ = 0;
    size_t tokenLeft_ = kTokenLimit;
};

// A name table's row; a day of week or month outside the table gives nothing.
template <typename Table>
std::string_view Row(const Table& table, int64_t index) {
    if (index < 0 || static_cast<size_t>(index) >= table.size()) return {};
    return table[static_cast<size_t>(index)];
}

void PutAmPm(Output& out, const TimeRecord& t, std::string_view morning,
             std::string_view afternoon) {
    out.Put(t.hour < 12 ? morning : afternoon);
}

class Converter {
public:
    Converter(const TimeRecord& t, std::string_view format, Output& out,
              const FormatEnvironment& env)
        : t_(t), format_(format), out_(out), env_(env), ansi_(env.Tables()) {}

    void Run() {
        size_t pos = 0;
        while (pos < format_.size() && !out_.Full()) {
            out_.BeginToken();
            const std::string_view rest = format_.substr(pos);
            size_t length = 1;
            const Tok tok =
                extended_
                    ? tokens::Match(tokens::kExtended, tokens::kExtendedDispatch, rest, length)
                    : tokens::Match(tokens::kStandard, tokens::kStandardDispatch, rest, length);
            if (tok == Tok::Escape) {
                // A backslash as the last byte has nothing to escape and ends
                // the text.
                if (rest.size() < 2) break;
                const size_t n = CharLength(rest.substr(1));
                out_.Put(rest.substr(1, n));
                length = 1 + n;
            } else if (tok == Tok::Literal) {
                length = CharLength(rest);
                out_.Put(rest.substr(0, length));
                // A separator right after "h"/"hh" keeps the next "m" a minute.
                if (!extended_ && hourMarker_ == 2) hourMarker_ = 1;
            } else {
                Produce(tok);
            }
            pos += length;
            // Steps since the last hour, in 8 bits: past 255 it wraps to 0 and
            // rests there until the next hour.
            if (hourMarker_ != 0) ++hourMarker_;
        }
    }

private:
    // A lead byte takes its trail byte with it, unless the text ends first.
    size_t CharLength(std::string_view rest) const {
        return (rest.size() >= 2 && ansi_.leadByte[static_cast<unsigned char>(rest[0])]) ? 2 : 1;
    }

    void Produce(Tok tok);
    void ProduceExtended(Tok tok);

    const TimeRecord& t_;
    std::string_view format_;
    Output& out_;
    const FormatEnvironment& env_;
    const AnsiTables& ansi_;
    bool extended_ = false;
    uint8_t hourMarker_ = 0;
};

void Converter::Produce(Tok tok) {
    const tables::ModernEra* era = nullptr;
    switch (tok) {
        case Tok::ModernEraName:
        case Tok::ModernEraInitial:
        case Tok::ModernEraLetter:
        case Tok::ModernEraYear2:
        case Tok::ModernEraYear:
            era = FindModernEra(DateKey(t_));
            break;
        default:
            break;
    }
    const size_t eraIndex = era ? static_cast<size_t>(era - tables::kModernEras.data()) : 0;

    switch (tok) {
        case Tok::OpenExtended:
            extended_ = true;
            break;
        case Tok::LongDate:
            out_.Put(env_.LongDate(t_));
            break;
        case Tok::ShortDate:
            out_.Put(env_.ShortDate(t_));
            break;
        case Tok::Time:
            out_.Put(env_.Time(t_));
            break;
        case Tok::DateAndTime:
            out_.Put(env_.ShortDate(t_));
            out_.Put(" ");
            out_.Put(env_.Time(t_));
            break;
        case Tok::AmPmUpper:
            PutAmPm(out_, t_, "AM", "PM");
            break;
        case Tok::AmPmLower:
            PutAmPm(out_, t_, "am", "pm");
            break;
        case Tok::APUpper:
            PutAmPm(out_, t_, "A", "P");
            break;
        case Tok::APLower:
            PutAmPm(out_, t_, "a", "p");
            break;
        case Tok::AmPmJa:
            PutAmPm(out_, t_, ansi_.morning, ansi_.afternoon);
            break;
        case Tok::YearFull:
            out_.PutNumber(t_.year);
            break;
        case Tok::Year2:
            out_.PutNumber(t_.year % 100, 2);
            break;
        case Tok::MonthNameFull:
            out_.Put(Row(tables::kMonthFull, t_.month - 1));
            break;
        case Tok::MonthNameShort:
            out_.Put(Row(tables::kMonthShort, t_.month - 1));
            break;
        case Tok::WeekdayFull:
            out_.Put(Row(tables::kWeekdayFull, t_.dayOfWeek));
            break;
        case Tok::WeekdayShort:
            out_.Put(Row(tables::kWeekdayShort, t_.dayOfWeek));
            break;
        case Tok::WeekdayJaFull:
            out_.Put(Row(ansi_.weekdayFull, t_.dayOfWeek));
            break;
        case Tok::WeekdayJaShort:
            out_.Put(Row(ansi_.weekdayShort, t_.dayOfWeek));
            break;
        case Tok::WeekOfYear:
            out_.PutNumber((DayOfYear(t_) + 6) / 7);
            break;
        case Tok::DayOfYear:
            out_.PutNumber(DayOfYear(t_));
            break;
        case Tok::Quarter:
            if (t_.month >= 1 && t_.month <= 12) out_.PutNumber((t_.month + 2) / 3);
            break;
        case Tok::DayOfWeek:
            out_.PutNumber(int64_t{t_.dayOfWeek} + 1);
            break;
        case Tok::Second2:
            out_.PutNumber(t_.second, 2);
            break;
        case Tok::Second:
            out_.PutNumber(t_.second);
            break;
        case Tok::Minute2:
            out_.PutNumber(t_.minute, 2);
            break;
        case Tok::Minute:
            out_.PutNumber(t_.minute);
            break;
        // Right after an hour "m" is the minute, as in "h:m" or "h時m分".
        case Tok::MonthOrMinute2:
            out_.PutNumber(hourMarker_ == 2 ? t_.minute : t_.month, 2);
            break;
        case Tok::MonthOrMinute:
            out_.PutNumber(hourMarker_ == 2 ? t_.minute : t_.month);
            break;
        case Tok::Hour2:
            out_.PutNumber(t_.hour, 2);
            hourMarker_ = 1;
            break;
        case Tok::Hour:
            out_.PutNumber(t_.hour);
            hourMarker_ = 1;
            break;
        case Tok::Day2:
            out_.PutNumber(t_.day, 2);
            break;
        case Tok::Day:
            out_.PutNumber(t_.day);
            break;
        case Tok::ModernEraName:
            if (era) out_.Put(ansi_.modernName[eraIndex]);
            break;
        case Tok::ModernEraInitial:
            if (era) out_.Put(ansi_.modernInitial[eraIndex]);
            break;
        case Tok::ModernEraLetter:
            if (era) out_.Put(era->letter);
            break;
        // Before the first modern era the plain year stands in, never padded.
        case Tok::ModernEraYear2:
            if (era) {
                out_.PutNumber(t_.year - era->yearOffset, 2);
            } else {
                out_.PutNumber(t_.year);
            }
            break;
        case Tok::ModernEraYear:
            out_.PutNumber(era ? t_.year - era->yearOffset : t_.year);
            break;
        default:
            ProduceExtended(tok);
            break;
    }
}

void Converter::ProduceExtended(Tok tok) {
    switch (tok) {
        case Tok::CloseExtended:
            extended_ = false;
            break;
        case Tok::YearCycle:
            out_.Put(ansi_.stems[static_cast<size_t>(YearStem(t_.year))]);
            out_.Put(ansi_.branches[static_cast<size_t>(YearBranch(t_.year))]);
            break;
        case Tok::YearBranch:
            out_.Put(ansi_.branches[static_cast<size_t>(YearBranch(t_.year))]);
            break;
        case Tok::MonthCycle:
            out_.Put(ansi_.stems[static_cast<size_t>(MonthStem(t_.year, t_.month))]);
            out_.Put(ansi_.branches[static_cast<size_t>(MonthBranch(t_.month))]);
            break;
        case Tok::MonthBranch:
            out_.Put(ansi_.branches[static_cast<size_t>(MonthBranch(t_.month))]);
            break;
        case Tok::DayCycle: {
            const int64_t d = DayNumber(t_);
            out_.Put(ansi_.stems[static_cast<size_t>(DayStem(d))]);
            out_.Put(ansi_.branches[static_cast<size_t>(DayBranch(d))]);
            break;
        }
        case Tok::DayBranch:
            out_.Put(ansi_.branches[static_cast<size_t>(DayBranch(DayNumber(t_)))]);
            break;
        case Tok::HourBranch: {
            const int branch = DoubleHourBranch(t_.hour);
            if (branch >= 0) out_.Put(ansi_.branches[static_cast<size_t>(branch)]);
            break;
        }
        case Tok::Millis3:
            out_.PutNumber(t_.milliseconds, 3);
            break;
        case Tok::Millis:
            out_.PutNumber(t_.milliseconds);
            break;
        case Tok::Centis2:
            out_.PutNumber(t_.milliseconds / 10, 2);
            break;
        case Tok::Centis:
            out_.PutNumber(t_.milliseconds / 10);
            break;
        case Tok::Decis1:
        case Tok::Decis:
            out_.PutNumber(t_.milliseconds / 100);
            break;
        case Tok::JulianDate:
            out_.PutFixed(JulianDate(t_));
            break;
        case Tok::ModifiedJulianDate:
            out_.PutFixed(ModifiedJulianDate(t_));
            break;
        case Tok::EraName:
            out_.Put(ansi_.eraNames[static_cast<size_t>(FindEraRow(DateKey(t_)))]);
            break;
        case Tok::EraYear2:
            out_.PutNumber(EraYear(FindEraRow(DateKey(t_)), t_.year), 2);
            break;
        case Tok::EraYear:
            out_.PutNumber(EraYear(FindEraRow(DateKey(t_)), t_.year));
            break;
        default:
            break;
    }
}

}  // namespace

int32_t ExFormatConvertCore(const TimeRecord* time, const char* format, char* out, int32_t size,
                            const FormatEnvironment& env) noexcept {
    if (!out || size < 0) return 0;
    std::memset(out, 0, static_cast<size_t>(size) + 1);
    Output output(out, size);
    try {
        const TimeRecord t = time ? *time : env.LocalNow();
        if (!format) return 0;
        Converter(t, std::string_view(format), output, env).Run();
    } catch (...) {
        // The environment ran out of memory for its strings: what was written
        // stays, bounded and terminated.
    }
    return output.Length();
}

}  // namespace tbq::format
