#include "uimodel/format_parts.h"

#include <algorithm>
#include <utility>

#include "base/texts.h"
#include "items/view_clock.h"
#include "settings/ini_file.h"
#include "uimodel/data_tables.h"

namespace tbq::uimodel {

namespace {
// Row numbers a library could answer for ever; no list is that long.
constexpr std::int32_t kMaxExtendedCodes = 4096;

Text WithLineBreaks(TextView text) {
    Text out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'n') {
            out += u"\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
}  // namespace

std::vector<FormatPart> ExtendedParts(const std::function<bool(std::int32_t, Text&, Text&)>& info) {
    std::vector<FormatPart> parts{
        {u"#{", Text(Tr(TextId::ItemCodeExtendedStart))},
        {u"}", Text(Tr(TextId::ItemCodeExtendedEnd))},
    };
    if (!info) return parts;
    for (std::int32_t i = 0; i < kMaxExtendedCodes; ++i) {
        Text code, help;
        if (!info(i, code, help)) break;
        parts.push_back({std::move(code), std::move(help)});
    }
    return parts;
}

std::vector<FormatPart> PresetParts(const Text& dataFile) {
    std::vector<FormatPart> parts;
    const vbIniFile ini(dataFile);
    ForEachRow(ini, u"ClockFormat", u"Format", [&](const Text& section, const Text& format) {
        parts.push_back(
            {LocalText(ini, section, u"Format", format), WithLineBreaks(LocalText(ini, section, u"Info", u""))});
    });
    if (parts.empty()) parts.push_back({kDefaultClockFormat, u""});
    return parts;
}

std::vector<FormatPart> DateCodeParts() {
    using enum TextId;
    static constexpr std::pair<const char16_t*, TextId> kCodes[] = {
        {u":", ItemCodeTimeSeparator}, {u"/", ItemCodeDateSeparator}, {u"c", ItemCodeC}, {u"d", ItemCodeD},
        {u"dd", ItemCodeDD}, {u"ddd", ItemCodeDDD}, {u"aaa", ItemCodeAAA}, {u"dddd", ItemCodeDDDD},
        {u"aaaa", ItemCodeAAAA}, {u"ddddd", ItemCodeShortDate}, {u"dddddd", ItemCodeLongDate},
        {u"w", ItemCodeW}, {u"ww", ItemCodeWW}, {u"m", ItemCodeM}, {u"mm", ItemCodeMM}, {u"mmm", ItemCodeMMM},
        {u"mmmm", ItemCodeMMMM}, {u"q", ItemCodeQ}, {u"g", ItemCodeG}, {u"gg", ItemCodeGG},
        {u"ggg", ItemCodeGGG}, {u"e", ItemCodeE}, {u"ee", ItemCodeEE}, {u"y", ItemCodeY}, {u"yy", ItemCodeYY},
        {u"yyyy", ItemCodeYYYY}, {u"h", ItemCodeH}, {u"hh", ItemCodeHH}, {u"n", ItemCodeN},
        {u"nn", ItemCodeNN}, {u"s", ItemCodeS}, {u"ss", ItemCodeSS}, {u"ttttt", ItemCodeTime},
        {u"AM/PM", ItemCodeAmPm}, {u"am/pm", ItemCodeAmPmLower}, {u"A/P", ItemCodeAP},
        {u"a/p", ItemCodeAPLower}, {u"AMPM", ItemCodeAmPmRegional},
    };
    std::vector<FormatPart> parts;
    for (const auto& [code, help] : kCodes) parts.push_back({code, Text(Tr(help))});
    return parts;
}

EditedFormat InsertPart(TextView text, std::size_t selStart, std::size_t selEnd, TextView part) {
    const std::size_t a = std::min({selStart, selEnd, text.size()});
    const std::size_t b = std::min(std::max(selStart, selEnd), text.size());
    Text out(text.substr(0, a));
    out += part;
    out += text.substr(b);
    return {std::move(out), a + part.size()};
}

Text FormatSample(const Text& format, bool extended, const Text& zone) {
    vbKerova_View_Clock clock;
    clock.FormatText = format;
    clock.SetTimeZoneName(zone);
    if (extended) clock.Flag = vbKerova_View_Clock::kFlagExtendedFormat;
    return clock.Text();
}

}  // namespace tbq::uimodel
