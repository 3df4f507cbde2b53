#include "uimodel/numbers.h"

#include <algorithm>
#include <cstdio>

namespace tbq::uimodel {

namespace {
// Full-width forms (U+FF01..U+FF5E) are their ASCII twins shifted by 0xFEE0;
// the ideographic space is a blank.
char16_t Narrow(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char16_t>(c - 0xFEE0);
    if (c == 0x3000) return u' ';
    return c;
}
bool Blank(char16_t c) { return c == u' ' || c == u'\t'; }

// The text without the blanks around it.
TextView Trimmed(TextView text) {
    std::size_t b = 0, e = text.size();
    while (b < e && Blank(Narrow(text[b]))) ++b;
    while (e > b && Blank(Narrow(text[e - 1]))) --e;
    return text.substr(b, e - b);
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

Text Format(const char* pattern, std::uint32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, pattern, static_cast<unsigned>(value));
    return Text(buf, buf + std::char_traits<char>::length(buf));
}

// The digits of `text` with their sign; false when it is not a whole number.
// `value` saturates far beyond any field's range.
bool Parse(TextView text, long long& value) {
    text = Trimmed(text);
    std::size_t b = 0;
    const std::size_t e = text.size();
    if (b == e) return false;
    bool minus = false;
    const char16_t first = Narrow(text[b]);
    if (first == u'+' || first == u'-') {
        minus = first == u'-';
        ++b;
    }
    if (b == e) return false;
    constexpr long long kCap = 1'000'000'000'000LL;
    long long v = 0;
    for (std::size_t i = b; i < e; ++i) {
        const char16_t c = Narrow(text[i]);
        if (c < u'0' || c > u'9') return false;
        v = std::min(kCap, v * 10 + (c - u'0'));
    }
    value = minus ? -v : v;
    return true;
}
}  // namespace

std::optional<long long> ReadNumber(TextView text) {
    long long v = 0;
    if (!Parse(text, v)) return std::nullopt;
    return v;
}

std::optional<double> ReadLeading(TextView text) {
    std::size_t i = 0;
    while (i < text.size() && Blank(Narrow(text[i]))) ++i;
    bool minus = false;
    if (i < text.size() && (Narrow(text[i]) == u'+' || Narrow(text[i]) == u'-')) minus = Narrow(text[i++]) == u'-';
    constexpr double kCap = 1e12;
    double value = 0, scale = 0;  // scale: the weight of the next digit after the point
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char16_t c = Narrow(text[i]);
        if (c == u'.' && scale == 0) {
            scale = 0.1;
        } else if (c >= u'0' && c <= u'9') {
            digits = true;
            if (scale == 0) {
                value = std::min(kCap, value * 10 + (c - u'0'));
            } else {
                value += (c - u'0') * scale;
                scale /= 10;
            }
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    return minus ? -value : value;
}

std::optional<std::int32_t> ReadWhole(TextView text, std::int32_t lo, std::int32_t hi) {
    const auto v = ReadNumber(text);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(std::clamp<long long>(*v, lo, hi));
}

std::optional<std::uint32_t> ReadHex(TextView text) {
    text = Trimmed(text);
    if (text.empty()) return 0u;
    if (text.size() >= 2 && Narrow(text[0]) == u'0' && (Narrow(text[1]) == u'x' || Narrow(text[1]) == u'X')) {
        text.remove_prefix(2);
        // "0x" alone names no value.
        if (text.empty()) return std::nullopt;
    }
    std::uint32_t value = 0;
    int significant = 0;
    for (char16_t c : text) {
        const int d = HexDigit(Narrow(c));
        if (d < 0) return std::nullopt;
        if (value == 0 && d == 0) continue;
        if (++significant > 8) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(d);
    }
    return value;
}

Text Hex8(std::uint32_t value) { return Format("%08X", value); }
Text HexDigits(std::uint32_t value) { return Format("%X", value); }

}  // namespace tbq::uimodel
