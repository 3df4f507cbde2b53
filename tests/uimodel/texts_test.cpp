// The text tables: every text in both languages, English free of Japanese
// (but the name 日本語 in the language list), mnemonics that do not clash
// within one window, and which language each setting gives.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/texts.h"
#include "uimodel/page_bindings.h"

namespace tbq {
namespace {

bool Japanese(char16_t c) { return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || c >= 0xFF00; }

// The letter after "&" (lower case), 0 for none.
char16_t Mnemonic(TextView text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'&' && text[i + 1] != u'&') {
            const char16_t c = text[i + 1];
            return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        }
    return 0;
}

TEST(TextsTest, BothTablesHoldEveryTextOnceAndEnglishHasNoJapanese) {
    for (auto [language, table] : {std::pair{"Japanese", JapaneseTexts()}, std::pair{"English", EnglishTexts()}}) {
        std::map<TextId, int> seen;
        for (const TextEntry& e : table) {
            ++seen[e.id];
            EXPECT_NE(TextView(e.text), u"") << language << " " << static_cast<int>(e.id);
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(TextId::Count)) << language;
        for (const auto& [id, n] : seen) EXPECT_EQ(n, 1) << language << " " << static_cast<int>(id);
    }
    for (const TextEntry& e : EnglishTexts()) {
        if (e.id == TextId::LanguageJapanese) continue;
        for (char16_t c : TextView(e.text)) EXPECT_FALSE(Japanese(c)) << TextToUtf8(e.text);
    }
}

TEST(TextsTest, EnglishMnemonicsDoNotClashWithinAPageOrWithTheMenuBar) {
    // The menu bar's File and Help own F and H in every page.
    const std::map<uimodel::Page, std::vector<TextId>> own{
        {uimodel::Page::Basic,
         {TextId::BasicStartupRegister, TextId::BasicTimeSync, TextId::BasicLanguageLabel}},
    };
    for (const uimodel::PageModel& page : uimodel::Pages()) {
        std::vector<TextId> ids;
        for (const uimodel::CheckBoxModel& box : page.checkBoxes) ids.push_back(box.caption);
        if (auto it = own.find(page.page); it != own.end()) ids.insert(ids.end(), it->second.begin(), it->second.end());
        std::set<char16_t> used{u'f', u'h'};
        for (TextId id : ids) {
            const TextView text = TrIn(Language::English, id);
            const char16_t m = Mnemonic(text);
            EXPECT_NE(m, 0) << TextToUtf8(Text(text));
            EXPECT_TRUE(used.insert(m).second) << TextToUtf8(Text(text)) << " on " << TextToUtf8(Text(TrIn(Language::English, page.title)));
        }
    }
}

TEST(TextsTest, EnglishMenusAndTheWelcomeWindowHaveAMnemonicEachAndNoTwoAlike) {
    using enum TextId;
    const std::vector<std::vector<TextId>> menus{
        {WelcomeSampleLabel, WelcomePathLabel, WelcomeStartup},
        {MenuFile, MenuHelp},
        {MenuCopyShown, MenuCopyAll, MenuCopyChosen, MenuTimeSync, MenuSave, MenuQuit, MenuQuitWithoutSaving},
        {MenuHelpContents, MenuReadme, MenuAbout},
    };
    for (const auto& menu : menus) {
        std::set<char16_t> used;
        for (TextId id : menu) {
            const Text text(TrIn(Language::English, id));
            EXPECT_TRUE(used.insert(Mnemonic(text)).second && Mnemonic(text) != 0) << TextToUtf8(text);
        }
    }
}

TEST(TextsTest, TheSettingAndTheUsersLanguageChooseTheLanguage) {
    constexpr std::uint16_t kJapan = 0x0411, kUs = 0x0409, kGermany = 0x0407;
    const struct {
        std::int32_t setting;
        std::uint16_t ui;
        Language expected;
    } cases[] = {
        {kLanguageAuto, kJapan, Language::Japanese},   {kLanguageAuto, kUs, Language::English},
        {kLanguageAuto, kGermany, Language::English},  {kLanguageJapanese, kUs, Language::Japanese},
        {kLanguageEnglish, kJapan, Language::English}, {7, kJapan, Language::Japanese},
    };
    for (const auto& c : cases) EXPECT_EQ(ChooseLanguage(c.setting, c.ui), c.expected) << c.setting << " " << c.ui;
    SetLanguage(Language::English);
    EXPECT_EQ(Tr(TextId::PageAlarm), u"Alarms");
    SetLanguage(Language::Japanese);
    EXPECT_EQ(Tr(TextId::PageAlarm), u"アラーム設定");
}

}  // namespace
}  // namespace tbq
