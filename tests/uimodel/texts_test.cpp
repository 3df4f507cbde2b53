// The text tables: every text in both languages, English free of Japanese
// (but the name 日本語 in the language list), mnemonics that do not clash
// within one window, and which language each setting gives.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/texts.h"
#include "uimodel/mnemonics.h"
#include "uimodel/page_bindings.h"

namespace tbq {
namespace {

bool Japanese(char16_t c) { return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || c >= 0xFF00; }

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
        SCOPED_TRACE(TextToUtf8(TrIn(Language::English, page.title)));
        test::ExpectEnglishMnemonicsApart(ids, {u'f', u'h'});
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
    for (const auto& menu : menus) test::ExpectEnglishMnemonicsApart(menu);
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
