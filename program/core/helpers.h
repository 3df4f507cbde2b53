// Small stateless routines the whole program shares: the byte-width string
// functions of the title and group items, text <-> byte buffer conversions,
// file-name helpers, number and duration texts, bit and colour helpers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/date_time.h"
#include "base/text.h"
#include "base/texts.h"

namespace tbq {

// ---- Byte width -------------------------------------------------------------
// Titles and marquees are measured the way a fixed-pitch Japanese display lays
// them out: ASCII (U+0000-U+007F) and half-width katakana (U+FF61-U+FF9F) take
// one cell, every other character two. A surrogate pair is one character of
// width 2; no function here ever cuts between its two halves. A lone surrogate
// unit counts as one character of width 2.

long long ByteWidth(TextView s);

// The start of `s` up to width `n`. When a width-2 character straddles the limit
// it is replaced by one space, so the result is exactly `n` wide whenever `s` is
// at least that wide. n <= 0 gives "".
Text LeftByWidth(TextView s, long long n);

// The same from the end; a straddling first character becomes one space.
Text RightByWidth(TextView s, long long n);

// `n` width units from width position `start` (1-based): the right part of
// width ByteWidth(s) - start + 1, then the left part of width `n` of that.
// start < 1 reads from the beginning, a start past the end and n <= 0 give "".
Text MidByWidth(TextView s, long long start, long long n);

// ---- Characters ---------------------------------------------------------------
// Counting in characters, where a surrogate pair is one character, so that a cut
// never leaves half a pair behind.

// The number of characters of `s`.
long long CharLength(TextView s);

// The first `n` characters (all of `s` when it is shorter; "" for n <= 0).
Text LeftChars(TextView s, long long n);

// The last `n` characters (all of `s` when it is shorter; "" for n <= 0).
Text RightChars(TextView s, long long n);

// `n` characters from character `start` (1-based); a start before 1 reads from
// the first character, one past the end and n <= 0 give "".
Text MidChars(TextView s, long long start, long long n);

// ---- Strings and buffers -----------------------------------------------------

using Bytes = std::vector<std::uint8_t>;

// The text before the first NUL (the whole text when there is none).
Text CutAtNul(TextView s);

// Reads little-endian 16-bit code units from the first byte; stops at the first
// zero unit or at the end. A lone last byte of an odd-sized buffer is ignored.
Text BytesToText(std::span<const std::uint8_t> bytes);

// The UTF-16LE bytes of `s` followed by three zero bytes (2 * size + 3 bytes), so
// a reader sees a terminated string whether it reads bytes or 16-bit units.
Bytes TextToBytes(TextView s);

// `s` repeated `count` times; "" for count < 1.
Text RepeatText(TextView s, long long count);

// Every code unit as four upper-case hexadecimal digits ("A " -> "00410020").
Text HexEncodeText(TextView s);

// The inverse of HexEncodeText; digits of either case are read. A group of four
// that is not all hexadecimal digits, and a shorter last group, each become
// U+FFFD, so a damaged value never fails and keeps its length in characters.
Text HexDecodeText(TextView hex);

// ---- File names ----------------------------------------------------------------

// A name that Windows stores as it is and opens as an ordinary file: every
// \ / : * ? " < > | and control character replaced by "_"; every dot and blank
// at the end replaced by "_" (Windows would drop them, so "a." would open "a");
// and a device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, any letter case, with
// or without an extension) followed by "_" ("con.ini" -> "con_.ini"). Two
// results that differ other than in letter case therefore never reach one file.
Text SafeFileName(TextView name);

// The part after the last "\" (the whole path when it has none).
Text FileNamePart(TextView path);

// ---- Numbers -------------------------------------------------------------------

// `value` laid out by a picture of digit places: "0" is a digit always shown
// (zero-padded), "#" a digit shown only when significant, any other character is
// copied as it is. The places are filled from the right; digits beyond the
// places all go to the leftmost one, so no digit is lost (a picture without any
// place shows none). A negative value gets "-" before the picture's output. An
// empty picture gives plain decimal.
// FormatNumber(5, u"00") == u"05", FormatNumber(1234, u"#-00") == u"12-34".
Text FormatNumber(long long value, TextView picture);

// An amount with its unit (ItemYearsAmount ... ItemSecondsAmount) in the
// language in force: "5分", "5min".
Text AmountText(TextId unit, TextView number);
// `amounts` followed by one more amount: "1時間" + "5分" in Japanese, "1h" +
// " 5min" in English, whose units bring the space between two amounts.
void AppendAmount(Text& amounts, TextId unit, TextView number);

// Hours, minutes and seconds of `seconds`, each only when non-zero: the hours
// plain, the minutes and seconds laid out by `numberFormat` (see FormatNumber),
// each with its unit ("1時間05分", "1h 05min"). 0 gives "". A negative count
// gives "-" followed by the text of its magnitude.
Text DurationText(long long seconds, TextView numberFormat);

// ---- Bits and colours ------------------------------------------------------------

// `value` shifted left by (count & 0xFF) bits within 32 bits; 32 or more gives 0.
std::uint32_t ShiftLeft32(std::uint32_t value, int count);

// A colour value with bit 31 set names a system colour by index (the low 24
// bits); any other value is already 0x00BBGGRR and is returned unchanged.
std::uint32_t ResolveColor(std::uint32_t value);

// Whether every bit of `mask` is set in `value`; true for mask 0.
constexpr bool HasBits8(std::uint8_t value, std::uint8_t mask) { return (value & mask) == mask; }
constexpr bool HasBits16(std::uint16_t value, std::uint16_t mask) { return (value & mask) == mask; }
constexpr bool HasBits32(std::uint32_t value, std::uint32_t mask) { return (value & mask) == mask; }

// ---- Files and program information ---------------------------------------------

// Whether a file (or folder) of that path exists.
bool FileExists(const Text& path);

// What PrepareFileForWrite found.
inline constexpr int kFileReady = 0;    // exists and is writable (read-only cleared)
inline constexpr int kFileMissing = 1;  // not in its folder's listing
inline constexpr int kFileFailed = 2;   // the folder could not be listed, or the
                                        // read-only attribute not read or cleared

// Makes an existing file writable before it is overwritten. Existence is decided
// by the folder's listing (names compared ignoring case); the attribute is then
// read and cleared on the listed entry.
int PrepareFileForWrite(const Text& path);

// One string of a file's version resource (Japanese string table): "(N/A)" when
// the file has no version information, "" when it lacks the key. An empty `file`
// means the program's own executable.
Text GetVersionString(const Text& key, const Text& file);

// The local date and time now from the clock port, in whole seconds.
DateTime LocalDateTimeNow();

}  // namespace tbq
