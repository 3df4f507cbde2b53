#include "items/view_fixed.h"

#include <algorithm>

#include "core/helpers.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

std::function<tbq::Text()>& TitleSource() {
    static std::function<tbq::Text()> source;
    return source;
}

// Whether position `i` of `s` falls between the two halves of a surrogate pair.
bool InsidePair(TextView s, std::size_t i) {
    return i > 0 && i < s.size() && s[i - 1] >= 0xD800 && s[i - 1] <= 0xDBFF && s[i] >= 0xDC00 &&
           s[i] <= 0xDFFF;
}

// An occurrence of `d` in `t` that starts and ends on character boundaries, so
// that the part before or after it never holds half a pair. npos when none.
std::size_t FindWhole(TextView t, TextView d, bool last) {
    std::size_t at = last ? t.rfind(d) : t.find(d);
    while (at != TextView::npos && (InsidePair(t, at) || InsidePair(t, at + d.size()))) {
        if (last) {
            at = at == 0 ? TextView::npos : t.rfind(d, at - 1);
        } else {
            at = t.find(d, at + 1);
        }
    }
    return at;
}

std::uint8_t ToByte(std::int32_t v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }
std::int16_t ToInt16(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
}

}  // namespace

void SetTitleSource(std::function<tbq::Text()> source) { TitleSource() = std::move(source); }

tbq::Text CurrentTitle() {
    const auto& source = TitleSource();
    return source ? source() : tbq::Text();
}

tbq::Text vbKerova_View_Fixed::Text() {
    if (DataType == kFixedText) return text_;
    return TitleExcerpt(CurrentTitle());
}

tbq::Text vbKerova_View_Fixed::TitleExcerpt(TextView title) const {
    if (title.empty()) return {};
    if (TitleStyle == 0) return tbq::Text(title);
    const bool fromEnd = (TitleStyle & kFromEnd) != 0;
    if (TitleStyle & kByCount) {
        // The editor never writes a negative count; one from a hand-edited file
        // shows nothing, like 0.
        const long long n = std::max<long long>(TitleNum, 0);
        if (TitleStyle & kByWidth) return fromEnd ? RightByWidth(title, n) : LeftByWidth(title, n);
        return fromEnd ? RightChars(title, n) : LeftChars(title, n);
    }
    if (TitleStyle & kByDelimiter) {
        // No delimiter cuts nothing away.
        if (TitleChar.empty()) return tbq::Text(title);
        if (fromEnd) {
            const std::size_t last = FindWhole(title, TitleChar, true);
            if (last == TextView::npos) return tbq::Text(title);
            return tbq::Text(title.substr(last + TitleChar.size()));
        }
        const std::size_t first = FindWhole(title, TitleChar, false);
        // A title that begins with the delimiter has nothing before it to show,
        // so it is shown whole.
        if (first == TextView::npos || first == 0) return tbq::Text(title);
        return tbq::Text(title.substr(0, first));
    }
    return {};
}

void vbKerova_View_Fixed::SaveSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    if (DataType == kFixedText) {
        ini.SetText(section, u"Type", u"Fixed");
        // Four hexadecimal digits per code unit: any text, blanks at either end
        // and characters the ANSI code page lacks included, survives the file.
        ini.SetText(section, u"Text", HexEncodeText(text_));
        return;
    }
    ini.SetText(section, u"Type", u"Title");
    ini.SetNumber(section, u"Style", TitleStyle);
    ini.SetNumber(section, u"Num", TitleNum);
    // Quoted, so that a delimiter with blanks at its ends keeps them.
    // The accessor quotes a delimiter with a blank or a quote at an end, so it
    // reads back as written.
    ini.SetText(section, u"Char", TitleChar);
}

void vbKerova_View_Fixed::LoadSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    if (EqualsIgnoreCase(ini.GetText(section, u"Type", u"FIXED"), u"FIXED")) {
        DataType = kFixedText;
        text_ = HexDecodeText(ini.GetText(section, u"Text", u""));
        TitleStyle = 0;
        TitleNum = 0;
        TitleChar.clear();
        return;
    }
    DataType = kWindowTitle;
    text_.clear();
    TitleStyle = ToByte(ini.GetNumber(section, u"Style", 0));
    TitleNum = ToInt16(ini.GetNumber(section, u"Num", 1));
    TitleChar = ini.GetText(section, u"Char", u"");
}

}  // namespace tbq
