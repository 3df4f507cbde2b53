// Writes the help page of the clock's format codes (format-codes.html) from
// the lists the program itself shows in the format builder: the extended
// codes as TBQ.dll's ExFormatGetInfo hands them out, and the date codes of
// our own formatting. The page is made at release time, so it never drifts.
//   tbq_format_codes_page <out.html> [ja|en]
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/text.h"
#include "base/texts.h"
#include "format/ex_format.h"
#include "format/format_environment.h"
#include "uimodel/format_parts.h"

namespace {

// The library's texts in UTF-8, which the page is written in.
class Utf8Environment final : public tbq::format::FormatEnvironment {
public:
    bool IsLeadByte(unsigned char) const override { return false; }
    std::string ToAnsi(std::u16string_view text) const override { return tbq::TextToUtf8(text); }
    std::string LongDate(const tbq::format::TimeRecord&) const override { return {}; }
    std::string ShortDate(const tbq::format::TimeRecord&) const override { return {}; }
    std::string Time(const tbq::format::TimeRecord&) const override { return {}; }
    tbq::format::TimeRecord LocalNow() const override { return {}; }
};

// As the program's library port reads a row: 0 from the export ends the list.
bool LibraryRow(const Utf8Environment& env, std::int32_t index, tbq::Text& code, tbq::Text& help) {
    std::vector<char> name(257, '\0'), text(1025, '\0');
    if (tbq::format::ExFormatGetInfoCore(index, name.data(), 256, text.data(), 1024, env) == 0) {
        return false;
    }
    code = tbq::Utf8ToText(name.data());
    help = tbq::Utf8ToText(text.data());
    return true;
}

std::string Html(const tbq::Text& text) {
    std::string out;
    for (char c : tbq::TextToUtf8(text)) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\r': break;
            case '\n': out += "<br>"; break;
            default: out += c;
        }
    }
    return out;
}

// The page's own words in one language: the head up to the first table, the
// two columns' titles, and the words between the tables.
struct PageTexts {
    const char* head;
    const char* columns;
    const char* extended;
};

const PageTexts kJapanese{R"(<!DOCTYPE html>
<html lang="ja">
<head><meta charset="UTF-8"><title>日時の書式</title><link rel="stylesheet" href="help.css"></head>
<body>
<h1>日時の書式</h1>
<p>日時情報の項目は「書式」に従って日時を文字にします。書式の中の記号は下の表の意味になり、
それ以外の文字はそのまま表示されます。記号を文字として表示するには <code>"</code> で囲みます。
書式の「...」ボタンで開く日時形式選択では、ここにある記号を選んで書式に入れられます。</p>
<h2 id="date">日付と時刻の記号</h2>
)",
                           "<tr><th>書式</th><th>意味</th></tr>",
                           R"(<h2 id="extended">拡張書式</h2>
<p>「拡張書式を使う」にチェックを入れた時計では、<code>#{</code> と <code>}</code> の間に下の記号を書けます。
干支、ユリウス日、1秒未満の値、645年以降のすべての元号が使えます。この一覧は TBQ.dll が持つ一覧そのものです。</p>
)"};

const PageTexts kEnglish{R"(<!DOCTYPE html>
<html lang="en">
<head><meta charset="UTF-8"><title>Date and time formats</title><link rel="stylesheet" href="help.css"></head>
<body>
<h1>Date and time formats</h1>
<p>A date and time item turns the date and time into text by its format. The codes in the table below stand for
the parts of the date and time; every other character is shown as it is. To show a code's letter as a letter, put
<code>\</code> before it: <code>\T\o\k\y\o hh:nn</code> shows "Tokyo 10:15".
The "..." button beside the format opens a dialog that puts these codes into the format for you.</p>
<h2 id="date">Date and time codes</h2>
)",
                          "<tr><th>Code</th><th>Meaning</th></tr>",
                          R"(<h2 id="extended">Extended format</h2>
<p>A clock with the extended format ticked takes the codes below between <code>#{</code> and <code>}</code>:
the sexagenary cycle, the Julian day, fractions of a second and every Japanese era since 645.
This list is TBQ.dll's own, and its descriptions are in Japanese.</p>
)"};

void Table(std::ostream& out, const PageTexts& words, const std::vector<tbq::uimodel::FormatPart>& parts) {
    out << "<table>\n" << words.columns << "\n";
    for (const auto& part : parts) {
        out << "<tr><td><code>" << Html(part.code) << "</code></td><td>" << Html(part.help)
            << "</td></tr>\n";
    }
    out << "</table>\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string language = argc == 3 ? argv[2] : "ja";
    if ((argc != 2 && argc != 3) || (language != "ja" && language != "en")) {
        std::cerr << "usage: tbq_format_codes_page <out.html> [ja|en]\n";
        return 2;
    }
    const bool english = language == "en";
    // The program's lists describe their codes in the language in force.
    if (english) tbq::SetLanguage(tbq::Language::English);
    const PageTexts& words = english ? kEnglish : kJapanese;
    const Utf8Environment env;
    const auto extended = tbq::uimodel::ExtendedParts(
        [&env](std::int32_t i, tbq::Text& code, tbq::Text& help) { return LibraryRow(env, i, code, help); });

    std::ofstream out(argv[1], std::ios::binary);
    out << words.head;
    Table(out, words, tbq::uimodel::DateCodeParts());
    out << words.extended;
    Table(out, words, extended);
    out << "</body>\n</html>\n";
    out.close();
    return out ? 0 : 1;
}
