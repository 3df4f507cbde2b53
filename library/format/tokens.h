// The token tables of the two layers, in the order they are tried: at each
// position the first row that matches wins, so a longer token must stand
// before every shorter one it starts with ("yyyy" before "yy" before "y").
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tbq::format::tokens {

enum class Tok : uint8_t {
    Literal,  // no row matched: the character itself
    // both layers
    Escape,
    // standard layer
    OpenExtended,
    LongDate,
    ShortDate,
    Time,
    AmPmUpper,
    AmPmLower,
    YearFull,
    MonthNameFull,
    WeekdayFull,
    WeekdayJaFull,
    AmPmJa,
    MonthNameShort,
    WeekdayShort,
    WeekdayJaShort,
    ModernEraName,
    APUpper,
    APLower,
    Year2,
    WeekOfYear,
    Second2,
    Minute2,
    MonthOrMinute2,
    Hour2,
    ModernEraInitial,
    ModernEraYear2,
    Day2,
    DayOfYear,
    Quarter,
    DayOfWeek,
    Second,
    Minute,
    MonthOrMinute,
    Hour,
    ModernEraLetter,
    ModernEraYear,
    Day,
    DateAndTime,
    // extended layer
    CloseExtended,
    YearCycle,
    MonthCycle,
    DayCycle,
    Millis3,
    Centis2,
    Decis1,
    JulianDate,
    ModifiedJulianDate,
    YearBranch,
    MonthBranch,
    DayBranch,
    HourBranch,
    EraName,
    Millis,
    Centis,
    Decis,
    EraYear2,
    EraYear,
};

struct Row {
    std::string_view text;  // lower case, except rows matched as spelled
    Tok tok;
    bool asSpelled;  // compared with the unchanged format, not ignoring case
};

inline constexpr Row kStandard[] = {
    {"#{", Tok::OpenExtended, false},
    {"\\", Tok::Escape, false},
    {"dddddd", Tok::LongDate, false},
    {"ddddd", Tok::ShortDate, false},
    {"ttttt", Tok::Time, false},
    {"AM/PM", Tok::AmPmUpper, true},
    {"am/pm", Tok::AmPmLower, true},
    {"yyyy", Tok::YearFull, false},
    {"mmmm", Tok::MonthNameFull, false},
    {"dddd", Tok::WeekdayFull, false},
    {"aaaa", Tok::WeekdayJaFull, false},
    {"ampm", Tok::AmPmJa, false},
    {"mmm", Tok::MonthNameShort, false},
    {"ddd", Tok::WeekdayShort, false},
    {"aaa", Tok::WeekdayJaShort, false},
    {"ggg", Tok::ModernEraName, false},
    {"A/P", Tok::APUpper, true},
    {"a/p", Tok::APLower, true},
    {"yy", Tok::Year2, false},
    {"ww", Tok::WeekOfYear, false},
    {"ss", Tok::Second2, false},
    {"nn", Tok::Minute2, false},
    {"mm", Tok::MonthOrMinute2, false},
    {"hh", Tok::Hour2, false},
    {"gg", Tok::ModernEraInitial, false},
    {"ee", Tok::ModernEraYear2, false},
    {"dd", Tok::Day2, false},
    {"y", Tok::DayOfYear, false},
    {"q", Tok::Quarter, false},
    {"w", Tok::DayOfWeek, false},
    {"s", Tok::Second, false},
    {"n", Tok::Minute, false},
    {"m", Tok::MonthOrMinute, false},
    {"h", Tok::Hour, false},
    {"g", Tok::ModernEraLetter, false},
    {"e", Tok::ModernEraYear, false},
    {"d", Tok::Day, false},
    {"c", Tok::DateAndTime, false},
};

inline constexpr Row kExtended[] = {
    {"}", Tok::CloseExtended, false}, {"\\", Tok::Escape, false},
    {"yetet", Tok::YearCycle, false}, {"metet", Tok::MonthCycle, false},
    {"detet", Tok::DayCycle, false},  {"msms", Tok::Millis3, false},
    {"cscs", Tok::Centis2, false},    {"dsds", Tok::Decis1, false},
    {"ajd", Tok::JulianDate, false},  {"mjd", Tok::ModifiedJulianDate, false},
    {"yet", Tok::YearBranch, false},  {"met", Tok::MonthBranch, false},
    {"det", Tok::DayBranch, false},   {"het", Tok::HourBranch, false},
    {"ggg", Tok::EraName, false},     {"ms", Tok::Millis, false},
    {"cs", Tok::Centis, false},       {"ds", Tok::Decis, false},
    {"ee", Tok::EraYear2, false},     {"e", Tok::EraYear, false},
};

// Only the ASCII capitals fold: a trail byte of a two-byte character is never
// looked at as the start of a token, and bytes from 0x80 keep their meaning.
constexpr unsigned char Fold(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// The rows of a table grouped by their folded first byte, each group in table
// order, so a position is tested only against the rows that can match it.
template <size_t N>
struct Dispatch {
    std::array<uint8_t, 257> begin{};  // group of byte b: rows[begin[b]] .. rows[begin[b + 1]]
    std::array<uint8_t, N> rows{};
};

template <size_t N>
constexpr Dispatch<N> MakeDispatch(const Row (&table)[N]) {
    static_assert(N < 256);
    Dispatch<N> d;
    std::array<uint8_t, 257> count{};
    for (const Row& row : table) ++count[Fold(static_cast<unsigned char>(row.text[0])) + 1];
    for (size_t b = 1; b < 257; ++b) d.begin[b] = static_cast<uint8_t>(d.begin[b - 1] + count[b]);
    std::array<uint8_t, 257> next = d.begin;
    for (size_t i = 0; i < N; ++i) {
        const unsigned char first = Fold(static_cast<unsigned char>(table[i].text[0]));
        d.rows[next[first]++] = static_cast<uint8_t>(i);
    }
    return d;
}

inline constexpr auto kStandardDispatch = MakeDispatch(kStandard);
inline constexpr auto kExtendedDispatch = MakeDispatch(kExtended);

// The token at the start of `rest` (never empty); its length is stored in
// `length` (1 for a literal, whose own length the caller decides).
template <size_t N>
constexpr Tok Match(const Row (&table)[N], const Dispatch<N>& dispatch, std::string_view rest,
                    size_t& length) {
    const unsigned char first = Fold(static_cast<unsigned char>(rest[0]));
    for (size_t g = dispatch.begin[first]; g < dispatch.begin[first + 1u]; ++g) {
        const Row& row = table[dispatch.rows[g]];
        if (row.text.size() > rest.size()) continue;
        bool same = true;
        for (size_t k = 0; k < row.text.size() && same; ++k) {
            const auto c = static_cast<unsigned char>(rest[k]);
            same = static_cast<unsigned char>(row.text[k]) == (row.asSpelled ? c : Fold(c));
        }
        if (same) {
            length = row.text.size();
            return row.tok;
        }
    }
    length = 1;
    return Tok::Literal;
}

}  // namespace tbq::format::tokens
