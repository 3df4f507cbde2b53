// The date formatting clock items use when they do not hand their format to
// the library: date codes ("yyyy", "mm", "hh", "aaa", "ggg", "AM/PM", ...) are
// replaced by the value's fields, everything else is copied.
//
// Rules worth knowing:
// - Code letters match in either case ("YYYY" = "yyyy"); among the morning /
//   afternoon codes ("AM/PM", "A/P" in any case) the output takes the case the
//   code is written in. "AMPM" gives the regional morning/afternoon strings.
// - The longest code wins: "ddddddd" is "dddddd" then "d".
// - "m"/"mm" mean minutes when the last code before them was "h"/"hh" (only
//   plain text, escapes and separators may stand between), else the month.
// - Any morning/afternoon code puts "h"/"hh" on the 12-hour clock; "AMPM" does
//   so when the regional time picture does ("h" rather than "H").
// - "\" shows the next character as it is; a "\" at the very end shows nothing.
// - "/", ":", "ddddd", "dddddd", "ttttt", "c" and "AMPM" take the regional
//   settings from the locale port; its pictures are read in the system's
//   picture syntax, with the regional day and month names for ddd/dddd/MMM/MMMM
//   and the era name for g/gg. The codes "ddd", "dddd", "mmm", "mmmm" always
//   give the English names ("aaa"/"aaaa" are the Japanese days).
// - Eras: 明治 from 1868-01-25, 大正 1912-07-30, 昭和 1926-12-25, 平成
//   1989-01-08, 令和 2019-05-01. Before 明治 there is no era: the era codes
//   show nothing and the era year is the Gregorian year.
#pragma once

#include <cstddef>

#include "base/date_time.h"
#include "base/text.h"

namespace tbq {

// The text never grows past this many code units, however long the format.
inline constexpr std::size_t kMaxFormattedUnits = 4096;

// `value` through `format`; a value with fields out of place is clamped first.
Text FormatDate(const DateTime& value, TextView format);

}  // namespace tbq
