// Numbers typed into the editors' fields. A field holds a whole number in its
// own range: blanks around it are allowed, full-width digits and signs read as
// their ASCII twins (an IME left on types them), and anything else is no
// number at all. A value beyond the range is brought to its nearer end, so
// that no field ever stores what its record cannot hold.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"

namespace tbq::uimodel {

// The whole number in `text`, clamped into [lo, hi]; nullopt when the text is
// empty or not a whole number ("1.5", "12a", "--1").
std::optional<std::int32_t> ReadWhole(TextView text, std::int32_t lo, std::int32_t hi);

// The whole number in `text` as typed, for checks against a range that must
// refuse rather than clamp; values beyond ±10^12 read as ±10^12.
std::optional<long long> ReadNumber(TextView text);

// Hexadecimal fields (window handles and style words) hold at most a 32-bit
// value: blanks around it, a leading "0x" and leading zeros are allowed, and
// anything else (a sign, a stray character, a ninth significant digit) is no
// number at all, never a value cut down to 32 bits. 0 for an empty field.
std::optional<std::uint32_t> ReadHex(TextView text);
// Exactly eight upper-case digits, zero-padded: "00C80000".
Text Hex8(std::uint32_t value);
// The digits without padding: "C80000".
Text HexDigits(std::uint32_t value);
// The number a text starts with, as the drawing editor's boxes and lists read
// what is typed: blanks, a sign, digits and one decimal point, anything after
// them ignored ("700  : 太い" is 700, "12.5pt" is 12.5). Nullopt when the text
// does not start with a number; values beyond ±10^12 read as ±10^12.
std::optional<double> ReadLeading(TextView text);

}  // namespace tbq::uimodel
