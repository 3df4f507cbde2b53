#include "uimodel/format_parts.h"

#include <algorithm>

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
        {u"#{", u"\"}\"までの文字を拡張書式として認識します。\r\n拡張書式の開始記号です。"},
        {u"}", u"拡張書式の終了記号です。"},
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
        parts.push_back({format, WithLineBreaks(ini.GetText(section, u"Info", u""))});
    });
    if (parts.empty()) parts.push_back({kDefaultClockFormat, u""});
    return parts;
}

const std::vector<FormatPart>& DateCodeParts() {
    static const std::vector<FormatPart> parts{
        {u":", u"時刻の区切り記号です。(地域の設定に従います)"},
        {u"/", u"日付の区切り記号です。(地域の設定に従います)"},
        {u"c", u"日付を ddddd、時刻を ttttt の形式で表示します。"},
        {u"d", u"日を表示します。先頭にゼロを付けません。(1～31)"},
        {u"dd", u"日を表示します。先頭にゼロを付けます。(01～31)"},
        {u"ddd", u"曜日を英語の略称で表示します。(Sun～Sat)"},
        {u"aaa", u"曜日を日本語の略称で表示します。(日～土)"},
        {u"dddd", u"曜日を英語で表示します。(Sunday～Saturday)"},
        {u"aaaa", u"曜日を日本語で表示します。(日曜日～土曜日)"},
        {u"ddddd", u"地域の設定の短い日付形式で表示します。"},
        {u"dddddd", u"地域の設定の長い日付形式で表示します。"},
        {u"w", u"曜日を数値で表示します。(日曜日が1、土曜日が7)"},
        {u"ww", u"年の何週目かを表示します。(1～54)"},
        {u"m", u"月を表示します。先頭にゼロを付けません。(1～12)\r\nh か hh の直後では分を表します。"},
        {u"mm", u"月を表示します。先頭にゼロを付けます。(01～12)\r\nh か hh の直後では分を表します。"},
        {u"mmm", u"月を英語の略称で表示します。(Jan～Dec)"},
        {u"mmmm", u"月を英語で表示します。(January～December)"},
        {u"q", u"年の四半期を表示します。(1～4)"},
        {u"g", u"元号の頭文字を表示します。(M、T、S、H)"},
        {u"gg", u"元号の先頭の漢字を表示します。(明、大、昭、平)"},
        {u"ggg", u"元号を表示します。(明治、大正、昭和、平成)"},
        {u"e", u"和暦の年を表示します。先頭にゼロを付けません。"},
        {u"ee", u"和暦の年を2桁で表示します。"},
        {u"y", u"年の何日目かを表示します。(1～366)"},
        {u"yy", u"年を下2桁で表示します。(00～99)"},
        {u"yyyy", u"年を4桁で表示します。(100～9999)"},
        {u"h", u"時を表示します。先頭にゼロを付けません。(0～23)"},
        {u"hh", u"時を表示します。先頭にゼロを付けます。(00～23)"},
        {u"n", u"分を表示します。先頭にゼロを付けません。(0～59)"},
        {u"nn", u"分を表示します。先頭にゼロを付けます。(00～59)"},
        {u"s", u"秒を表示します。先頭にゼロを付けません。(0～59)"},
        {u"ss", u"秒を表示します。先頭にゼロを付けます。(00～59)"},
        {u"ttttt", u"地域の設定の時刻形式で表示します。"},
        {u"AM/PM", u"正午前は AM、正午以降は PM を表示し、12時間制にします。"},
        {u"am/pm", u"正午前は am、正午以降は pm を表示し、12時間制にします。"},
        {u"A/P", u"正午前は A、正午以降は P を表示し、12時間制にします。"},
        {u"a/p", u"正午前は a、正午以降は p を表示し、12時間制にします。"},
        {u"AMPM", u"地域の設定の午前・午後の文字を表示し、12時間制にします。"},
    };
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
