#include "core/helpers.h"

#include <algorithm>

#include "core/program_location.h"
#include "platform/ports.h"

namespace tbq {

// ---- Byte width -------------------------------------------------------------

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

int CharWidth(char16_t c) { return (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2; }

// Code units of the character that starts at `i`: 2 for a whole surrogate pair.
std::size_t UnitsAt(TextView s, std::size_t i) {
    return (IsHighSurrogate(s[i]) && i + 1 < s.size() && IsLowSurrogate(s[i + 1])) ? 2 : 1;
}

// Code units of the character that ends just before `end`.
std::size_t UnitsBefore(TextView s, std::size_t end) {
    return (end >= 2 && IsLowSurrogate(s[end - 1]) && IsHighSurrogate(s[end - 2])) ? 2 : 1;
}

}  // namespace

long long ByteWidth(TextView s) {
    long long width = 0;
    for (std::size_t i = 0; i < s.size(); i += UnitsAt(s, i)) width += CharWidth(s[i]);
    return width;
}

Text LeftByWidth(TextView s, long long n) {
    if (n <= 0) return Text();
    long long width = 0;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t units = UnitsAt(s, i);
        width += CharWidth(s[i]);
        if (width == n) return Text(s.substr(0, i + units));
        if (width > n) return Text(s.substr(0, i)) + u' ';
        i += units;
    }
    return Text(s);
}

Text RightByWidth(TextView s, long long n) {
    if (n <= 0) return Text();
    long long width = 0;
    for (std::size_t end = s.size(); end > 0;) {
        const std::size_t start = end - UnitsBefore(s, end);
        width += CharWidth(s[start]);
        if (width == n) return Text(s.substr(start));
        if (width > n) return u' ' + Text(s.substr(end));
        end = start;
    }
    return Text(s);
}

Text MidByWidth(TextView s, long long start, long long n) {
    if (n <= 0) return Text();
    // Any start before the first position reads the whole right part, exactly
    // like start 1; clamping also keeps the subtraction below from overflowing.
    start = std::max(start, 1LL);
    const long long rightWidth = ByteWidth(s) - start + 1;
    if (rightWidth <= 0) return Text();
    return LeftByWidth(RightByWidth(s, rightWidth), n);
}

// ---- Characters ---------------------------------------------------------------

long long CharLength(TextView s) {
    long long count = 0;
    for (std::size_t i = 0; i < s.size(); i += UnitsAt(s, i)) ++count;
    return count;
}

Text LeftChars(TextView s, long long n) {
    std::size_t i = 0;
    for (long long taken = 0; taken < n && i < s.size(); ++taken) i += UnitsAt(s, i);
    return Text(s.substr(0, i));
}

Text RightChars(TextView s, long long n) {
    std::size_t start = s.size();
    for (long long taken = 0; taken < n && start > 0; ++taken) start -= UnitsBefore(s, start);
    return Text(s.substr(start));
}

Text MidChars(TextView s, long long start, long long n) {
    if (n <= 0) return Text();
    std::size_t i = 0;
    for (long long skip = std::max(start, 1LL) - 1; skip > 0 && i < s.size(); --skip)
        i += UnitsAt(s, i);
    return LeftChars(s.substr(i), n);
}

// ---- Strings and buffers -----------------------------------------------------

Text CutAtNul(TextView s) { return Text(s.substr(0, s.find(u'\0'))); }

Text BytesToText(std::span<const std::uint8_t> bytes) {
    Text out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0) break;
        out.push_back(unit);
    }
    return out;
}

Bytes TextToBytes(TextView s) {
    Bytes out(2 * s.size() + 3, 0);
    for (std::size_t i = 0; i < s.size(); ++i) {
        out[2 * i] = static_cast<std::uint8_t>(s[i] & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>(s[i] >> 8);
    }
    return out;
}

Text RepeatText(TextView s, long long count) {
    Text out;
    if (count < 1 || s.empty()) return out;
    out.reserve(s.size() * static_cast<std::size_t>(count));
    for (long long i = 0; i < count; ++i) out += s;
    return out;
}

namespace {

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

}  // namespace

Text HexEncodeText(TextView s) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    Text out;
    out.reserve(4 * s.size());
    for (char16_t c : s)
        for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kDigits[(c >> shift) & 0xF]);
    return out;
}

Text HexDecodeText(TextView hex) {
    constexpr char16_t kReplacement = 0xFFFD;
    Text out;
    out.reserve((hex.size() + 3) / 4);
    for (std::size_t i = 0; i < hex.size(); i += 4) {
        if (hex.size() - i < 4) {
            out.push_back(kReplacement);
            break;
        }
        int unit = 0;
        for (std::size_t k = 0; k < 4 && unit >= 0; ++k) {
            const int digit = HexValue(hex[i + k]);
            unit = digit < 0 ? -1 : unit * 16 + digit;
        }
        out.push_back(unit < 0 ? kReplacement : static_cast<char16_t>(unit));
    }
    return out;
}

// ---- File names ----------------------------------------------------------------

namespace {

// Windows opens these names as devices in any folder, whatever their letter
// case and extension ("con.ini" is the console). The digit 0 and the
// superscript digits of COM and LPT are reserved as well.
bool IsDeviceName(TextView stem) {
    static constexpr TextView kDevices[] = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};
    for (TextView device : kDevices)
        if (EqualsIgnoreCase(stem, device)) return true;
    if (stem.size() != 4) return false;
    const TextView port = stem.substr(0, 3);
    const char16_t digit = stem[3];
    return (EqualsIgnoreCase(port, u"COM") || EqualsIgnoreCase(port, u"LPT")) &&
           ((digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
            digit == u'\u00B3');
}

}  // namespace

Text SafeFileName(TextView name) {
    static constexpr TextView kUnsafe = u"\\/:*?\"<>|";
    Text out(name);
    // Control characters cannot be in a name at all.
    for (char16_t& c : out)
        if (c < u' ' || kUnsafe.find(c) != TextView::npos) c = u'_';
    // Windows drops dots and blanks at the end of a name, so "a." and "a " would
    // open the file "a": each becomes "_" and stays part of the name.
    for (auto it = out.rbegin(); it != out.rend() && (*it == u'.' || *it == u' '); ++it) *it = u'_';
    // A device is recognised by the part before the first dot, blanks at its end
    // ignored ("con .txt" is the console too); "_" after the device's name makes
    // it an ordinary file.
    TextView stem = TextView(out).substr(0, out.find(u'.'));
    while (!stem.empty() && stem.back() == u' ') stem.remove_suffix(1);
    if (IsDeviceName(stem)) out.insert(stem.size(), 1, u'_');
    return out;
}

Text FileNamePart(TextView path) {
    const std::size_t slash = path.rfind(u'\\');
    return Text(slash == TextView::npos ? path : path.substr(slash + 1));
}

// ---- Numbers -------------------------------------------------------------------

namespace {

Text Digits(unsigned long long value) {
    Text out;
    do {
        out.push_back(static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

bool IsDigitPlace(char16_t c) { return c == u'0' || c == u'#'; }

// Magnitude without overflow for the most negative value.
unsigned long long Magnitude(long long value) {
    return value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                     : static_cast<unsigned long long>(value);
}

}  // namespace

Text FormatNumber(long long value, TextView picture) {
    if (picture.empty()) return NumberText(value);
    const unsigned long long magnitude = Magnitude(value);
    // The significant digits; zero has none, so "#" shows nothing for it.
    const Text digits = magnitude == 0 ? Text() : Digits(magnitude);
    const std::size_t leftmost = static_cast<std::size_t>(
        std::find_if(picture.begin(), picture.end(), IsDigitPlace) - picture.begin());

    // Built back to front: places take digits from the least significant one.
    Text reversed;
    std::size_t used = 0;  // digits placed so far, from the right
    for (std::size_t i = picture.size(); i-- > 0;) {
        const char16_t c = picture[i];
        if (!IsDigitPlace(c)) {
            reversed.push_back(c);
            continue;
        }
        const std::size_t left = digits.size() - used;
        if (left == 0) {
            if (c == u'0') reversed.push_back(u'0');
            continue;
        }
        const std::size_t take = i == leftmost ? left : 1;
        for (std::size_t k = 0; k < take; ++k) reversed.push_back(digits[left - 1 - k]);
        used += take;
    }
    if (value < 0) reversed.push_back(u'-');
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

Text AmountText(TextId unit, TextView number) {
    Text text = Tr(unit, number);
    if (!text.empty() && text.front() == u' ') text.erase(0, 1);
    return text;
}

void AppendAmount(Text& amounts, TextId unit, TextView number) {
    amounts += amounts.empty() ? AmountText(unit, number) : Tr(unit, number);
}

Text DurationText(long long seconds, TextView numberFormat) {
    const unsigned long long total = Magnitude(seconds);
    const auto hours = static_cast<long long>(total / 3600);
    const auto minutes = static_cast<long long>(total % 3600 / 60);
    const auto secs = static_cast<long long>(total % 60);
    Text amounts;
    if (hours != 0) AppendAmount(amounts, TextId::ItemHoursAmount, NumberText(hours));
    if (minutes != 0) AppendAmount(amounts, TextId::ItemMinutesAmount, FormatNumber(minutes, numberFormat));
    if (secs != 0) AppendAmount(amounts, TextId::ItemSecondsAmount, FormatNumber(secs, numberFormat));
    return seconds < 0 ? u'-' + amounts : amounts;
}

// ---- Bits and colours ------------------------------------------------------------

std::uint32_t ShiftLeft32(std::uint32_t value, int count) {
    const int bits = count & 0xFF;
    return bits >= 32 ? 0 : static_cast<std::uint32_t>(value << bits);
}

std::uint32_t ResolveColor(std::uint32_t value) {
    if ((value & 0x80000000u) == 0) return value;
    return platform::colors().SysColor(static_cast<int>(value & 0xFFFFFF));
}

// ---- Files and program information ---------------------------------------------

int PrepareFileForWrite(const Text& path) {
    // The folder keeps its separator so that "\x.ini" or "C:\x.ini" list the root
    // rather than the current folder; no separator at all means the current folder.
    const std::size_t split = path.find_last_of(u"\\/");
    const Text folder = split == Text::npos ? Text() : path.substr(0, split + 1);
    const TextView name = split == Text::npos ? TextView(path) : TextView(path).substr(split + 1);

    platform::Files& files = platform::files();
    const auto listing = files.ListFolder(folder);
    if (!listing) return kFileFailed;
    const auto entry = std::find_if(listing->begin(), listing->end(),
                                    [&](const Text& e) { return EqualsIgnoreCase(e, name); });
    if (entry == listing->end()) return kFileMissing;

    // The entry's own spelling, so that a case-sensitive file system finds the
    // same file the case-insensitive comparison did.
    const Text found = folder + *entry;
    const auto readOnly = files.IsReadOnly(found);
    if (!readOnly) return kFileFailed;
    if (*readOnly && !files.SetReadOnly(found, false)) return kFileFailed;
    return kFileReady;
}

bool FileExists(const Text& path) { return platform::files().Stamp(path).has_value(); }

Text GetVersionString(const Text& key, const Text& file) {
    const Text path = file.empty() ? ProgramFilePath() : file;
    const platform::VersionValue version = platform::files().ReadVersionString(path, key);
    if (!version.hasVersionInfo) return u"(N/A)";
    if (!version.value) return Text();
    return CutAtNul(*version.value);
}

DateTime LocalDateTimeNow() {
    const platform::ClockTime c = platform::clock().LocalNow();
    return Clamped(DateTime{c.year, c.month, c.day, c.hour, c.minute, c.second});
}

}  // namespace tbq
