// The dialog templates are written in Japanese and shown in the language in
// force through the text tables: every Japanese text of every template must be
// one of the Japanese table's, and in English the mnemonics of one dialog must
// not clash.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "base/texts.h"
#include "uimodel/mnemonics.h"

namespace tbq {
namespace {

struct Template {
    std::string file, name;
    std::vector<Text> texts;
};

// The quoted strings of each DIALOGEX block, unescaped as the resource
// compiler reads them.
std::vector<Template> ReadTemplates(const std::string& path) {
    std::ifstream in(path);
    std::vector<Template> out;
    std::string line;
    static const std::regex begin(R"(^(\w+)\s+DIALOGEX\b)");
    bool inside = false;
    while (std::getline(in, line)) {
        std::smatch m;
        if (std::regex_search(line, m, begin)) {
            out.push_back({path.substr(path.rfind('/') + 1), m[1], {}});
            inside = true;
            continue;
        }
        if (!inside) continue;
        if (line.rfind("END", 0) == 0) {
            inside = false;
            continue;
        }
        for (std::size_t at = line.find('"'); at != std::string::npos;) {
            std::string s;
            std::size_t i = at + 1;
            for (; i < line.size(); ++i) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        s += '"';
                        ++i;
                        continue;
                    }
                    break;
                }
                if (line[i] == '\\' && i + 1 < line.size()) {
                    const char c = line[++i];
                    s += c == 'n' ? '\n' : c == 't' ? '\t' : c;
                    continue;
                }
                s += line[i];
            }
            out.back().texts.push_back(Utf8ToText(s));
            at = line.find('"', i + 1);
        }
    }
    return out;
}

std::vector<Template> AllTemplates() {
    std::vector<Template> all;
    for (const char* file : {"tbq.rc", "item_editor.rc", "alarm_editor.rc", "rule_editor.rc", "draw_editor.rc"}) {
        auto some = ReadTemplates(std::string(TBQ_SOURCE_ROOT) + "/program/ui/" + file);
        EXPECT_FALSE(some.empty()) << file;
        all.insert(all.end(), some.begin(), some.end());
    }
    return all;
}

bool HasJapanese(TextView text) {
    for (char16_t c : text)
        if ((c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || c >= 0xFF00 || c == u'※') return true;
    return false;
}

using test::Mnemonic;

TEST(DialogTextsTest, EveryJapaneseTextOfATemplateIsInTheTablesAndEnglishMnemonicsDoNotClash) {
    for (const Template& t : AllTemplates()) {
        std::map<char16_t, Text> used;
        for (const Text& text : t.texts) {
            if (!HasJapanese(text)) continue;
            const auto id = JapaneseTextId(text);
            EXPECT_TRUE(id) << t.file << " " << t.name << ": " << TextToUtf8(text) << " has no id";
            if (!id) continue;
            const Text english(TrIn(Language::English, *id));
            const char16_t m = Mnemonic(english);
            EXPECT_TRUE(m != 0 || Mnemonic(text) == 0) << t.name << ": " << TextToUtf8(text) << " / " << TextToUtf8(english);
            if (!m) continue;
            auto [it, fresh] = used.emplace(m, english);
            EXPECT_TRUE(fresh) << t.name << ": " << TextToUtf8(english) << " and " << TextToUtf8(it->second);
        }
    }
}

TEST(DialogTextsTest, TextsThatShareAJapaneseTextShareTheEnglishOne) {
    std::map<TextView, TextView> english;
    for (const TextEntry& e : JapaneseTexts()) {
        const TextView en = TrIn(Language::English, e.id);
        auto [it, fresh] = english.emplace(TextView(e.text), en);
        EXPECT_TRUE(fresh || it->second == en) << TextToUtf8(e.text);
    }
}

}  // namespace
}  // namespace tbq
