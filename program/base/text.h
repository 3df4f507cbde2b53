// Text as the program holds it: UTF-16 code units, the unit that window titles,
// the byte-width rule and the hexadecimal encoding count in.
#pragma once

#include <string>
#include <string_view>

namespace tbq {

using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 <-> UTF-16 for the edges that speak UTF-8 (host file names, test output).
// Malformed input never fails: bad sequences become U+FFFD.
Text Utf8ToText(std::string_view utf8);
std::string TextToUtf8(TextView text);

// Upper-case fold used for case-insensitive names: ASCII, Latin-1, Greek,
// Cyrillic and the full-width Latin letters, the letters users put in names.
char16_t FoldCase(char16_t c);
Text FoldCase(TextView text);
bool EqualsIgnoreCase(TextView a, TextView b);

// Decimal text of a 32-bit number, "-1" for minus one.
Text NumberText(long long value);

}  // namespace tbq
