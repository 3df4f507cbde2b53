// The fixed tables of the extended format. Japanese texts are held as UTF-16
// and turned into the system code page once per environment (see
// format_environment.h); ASCII texts are used as they stand.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tbq::format::tables {

inline constexpr std::array<std::string_view, 12> kMonthShort = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
inline constexpr std::array<std::string_view, 12> kMonthFull = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// Indexed by the record's day of week (0 = Sunday).
inline constexpr std::array<std::string_view, 7> kWeekdayShort = {"Sun", "Mon", "Tue", "Wed",
                                                                  "Thu", "Fri", "Sat"};
inline constexpr std::array<std::string_view, 7> kWeekdayFull = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr std::array<std::u16string_view, 7> kWeekdayJaShort = {u"日", u"月", u"火", u"水",
                                                                       u"木", u"金", u"土"};
inline constexpr std::array<std::u16string_view, 7> kWeekdayJaFull = {
    u"日曜日", u"月曜日", u"火曜日", u"水曜日", u"木曜日", u"金曜日", u"土曜日"};

inline constexpr std::u16string_view kMorning = u"午前";
inline constexpr std::u16string_view kAfternoon = u"午後";

// Stored starting at 庚 and 申 so that year mod 10 and year mod 12 index them
// directly (year 0 of the count is a 庚申 year).
inline constexpr std::array<std::u16string_view, 10> kStems = {u"庚", u"辛", u"壬", u"癸", u"甲",
                                                               u"乙", u"丙", u"丁", u"戊", u"己"};
inline constexpr std::array<std::u16string_view, 12> kBranches = {
    u"申", u"酉", u"戌", u"亥", u"子", u"丑", u"寅", u"卯", u"辰", u"巳", u"午", u"未"};

// Dates are compared as year*10000 + month*100 + day.
struct ModernEra {
    int64_t start;
    std::u16string_view name;
    std::u16string_view initial;
    std::string_view letter;
    int32_t yearOffset;  // era year = year - yearOffset
};

inline constexpr std::array<ModernEra, 5> kModernEras = {{
    {1868'01'25, u"明治", u"明", "M", 1867},
    {1912'07'30, u"大正", u"大", "T", 1911},
    {1926'12'25, u"昭和", u"昭", "S", 1925},
    {1989'01'08, u"平成", u"平", "H", 1988},
    {2019'05'01, u"令和", u"令", "R", 2018},
}};

struct Era {
    std::u16string_view name;
    int64_t start;
};

// Every era from 645 on, ascending by start, preceded by "西暦" (start 0) and
// followed by an end marker (start 99999999, no name).
inline constexpr int kEraCount = 240;
inline constexpr int64_t kEraEndMarker = 99999999;
std::span<const Era, kEraCount + 1> FullEras();

struct HelpRow {
    std::string_view token;
    std::u16string_view help;
};

// The extended tokens as the item editor lists them; the last row is empty and
// tells the editor to stop.
inline constexpr int kHelpRowCount = 19;
inline constexpr std::array<HelpRow, kHelpRowCount> kHelpRows = {{
    {"yetet", u"年の十干十二支を返します。"},
    {"yet", u"年の十二支を返します。"},
    {"metet", u"月の十干十二支を返します。"},
    {"met", u"月の十二支を返します。"},
    {"detet", u"日の十干十二支を返します。"},
    {"det", u"日の十二支を返します。"},
    {"het", u"十二時間の十二支を返します。"},
    {"ms", u"ミリ秒(1/1000)を返します。"},
    {"msms", u"ミリ秒(1/1000)をゼロ埋めで返します。"},
    {"ds", u"1/10秒を返します。"},
    {"dsds", u"1/10秒をゼロ埋めで返します。"},
    {"cs", u"1/100秒を返します。"},
    {"cscs", u"1/100秒をゼロ埋めで返します。"},
    {"ajd", u"ユリウス通日を返します。"},
    {"mjd", u"修正ユリウス日を返します。"},
    {"ggg", u"明治以前を含む元号を返します。"},
    {"e", u"明治以前を含む和暦の年を返します。"},
    {"ee", u"明治以前を含む和暦の年をゼロ埋めで返します。"},
    {"", u""},
}};

// The same help in English, row for row; plain ASCII, so any code page holds it.
inline constexpr std::array<std::string_view, kHelpRowCount> kHelpEnglish = {{
    "The year's stem and branch of the sexagenary cycle.",
    "The year's branch of the twelve.",
    "The month's stem and branch of the sexagenary cycle.",
    "The month's branch of the twelve.",
    "The day's stem and branch of the sexagenary cycle.",
    "The day's branch of the twelve.",
    "The branch of the twelve two-hour periods.",
    "Milliseconds (1/1000).",
    "Milliseconds (1/1000), zero-padded.",
    "Tenths of a second.",
    "Tenths of a second, zero-padded.",
    "Hundredths of a second.",
    "Hundredths of a second, zero-padded.",
    "The Julian day number.",
    "The modified Julian date.",
    "The Japanese era, including those before Meiji.",
    "The year of the Japanese era, including eras before Meiji.",
    "The year of the Japanese era, including eras before Meiji, zero-padded.",
    "",
}};

}  // namespace tbq::format::tables
