// The texts the alarm, rule and drawing editors build in code follow the
// language in force: a rule's line in the list, its conditions, an alarm's
// summary, colour names, the drawing editor's named sizes and weights (which
// are read back from what the user picks), and the mnemonics of their menus.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "alarm/alarm.h"
#include "base/texts.h"
#include "uimodel/mnemonics.h"
#include "rules/window_rule.h"
#include "uimodel/colours.h"
#include "uimodel/draw_editor_model.h"
#include "uimodel/rule_editor_model.h"

namespace tbq {
namespace {

// Switches the language for one test and gives Japanese back, as every other
// test expects it.
class InLanguage {
public:
    explicit InLanguage(Language l) { SetLanguage(l); }
    ~InLanguage() { SetLanguage(Language::Japanese); }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;
};

vbKerova_Window PermitRule() {
    vbKerova_Window r;
    r.Title = u"memo";
    r.Action = vbKerova_Window::kPermit;
    r.Flag = vbKerova_Window::kTitle | vbKerova_Window::kStyle | vbKerova_Window::kWidth;
    r.WindowTitle = u"Notes";
    r.CheckOption = vbKerova_Window::kTitlePart | vbKerova_Window::kTitleCase | vbKerova_Window::kStyleNotAll |
                    vbKerova_Window::kWider;
    r.WindowStyle = 0x10000;
    r.WindowWidth = 300;
    r.UseViewData = true;
    r.ViewData = u"List";
    r.UseDrawBar = true;
    return r;
}

Text Joined(const std::vector<Text>& lines) {
    Text out;
    for (const Text& l : lines) out += (out.empty() ? u"" : u"|") + l;
    return out;
}

TEST(EditorTextsTest, TextsBuiltInCodeFollowTheLanguage) {
    struct Row {
        const char* what;
        std::function<Text()> make;
        const char16_t* japanese;
        const char16_t* english;
    } rows[] = {
        {"a rule's line in the list", [] { return PermitRule().SummaryText(true); },
         u"許:memo(T=Notes[含]/S^=0x10000/W>300)  表示項目:List 独自描画:無",
         u"Permit:memo(T=Notes[part]/S^=0x10000/W>300)  Display items:List Painting:none"},
        {"a rule without conditions", [] {
             vbKerova_Window r;
             r.Title = u"x";
             r.Action = vbKerova_Window::kExclude;
             return r.SummaryText(true);
         },
         u"除:x(設定無し) ", u"Exclude:x(no conditions) "},
        {"the editor's condition lines", [] { return Joined(uimodel::ConditionLines(PermitRule())); },
         u"タイトル: Notes (含む・大小文字区別)|スタイル: 0x00010000 (含まない)|ウインドウ幅: 300 Pix (以上)",
         u"Title: Notes (contains, match case)|Style: 0x00010000 (does not contain)|Window width: 300 px (wider)"},
        {"the width label", [] { return uimodel::WidthLabel(640, 8); }, u"640 Pix(約80文字)",
         u"640 px (about 80 characters)"},
        {"an alarm's summary", [] {
             vbKerova_Alarm a;
             a.TargetYear = vbKerova_Alarm::kEveryYear;
             a.TargetMonth = vbKerova_Alarm::kEvery;
             a.TargetDay = 1;
             a.TargetHour = 7;
             a.TargetMinute = 30;
             a.TargetSecond = 0;
             a.MessageHour = a.MessageMinute = a.MessageSecond = 0;
             a.Flag = vbKerova_Alarm::kShowMessage | vbKerova_Alarm::kPlaySound | vbKerova_Alarm::kFlash |
                      vbKerova_Alarm::kOpenFile;
             a.SetSoundFileName(u"*-1");
             return AlarmSummary(a);
         },
         u"対象日時 : Now/Now/1 7:30:0\r\n持続時間 : 0秒\r\nメッセージボックス : 表示する\r\n"
         u"タイトルバー点滅 : する\r\nサウンド : ビープ音\r\nファイル : ファイル未指定\r\n自動削除 : しない",
         u"Date and time: Now/Now/1 7:30:0\r\nDuration: 0 seconds\r\nMessage box: shown\r\n"
         u"Flash the title bar: yes\r\nSound: Simple beep\r\nFile: no file given\r\nDelete afterwards: no"},
        {"a named colour", [] { return uimodel::ColourName(0x000000); }, u"黒", u"Black"},
        {"a system colour", [] { return uimodel::ColourName(0x80000009); }, u"アクティブタイトルバーの文字",
         u"Active title bar text"},
        {"a refusal of the conditions", [] {
             return uimodel::CheckConditions(uimodel::ConditionDraft{}, {})->message;
         },
         u"条件を選択して下さい。", u"Choose at least one condition."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(TextToUtf8(row.make()), TextToUtf8(row.japanese));
        InLanguage english(Language::English);
        EXPECT_EQ(TextToUtf8(row.make()), TextToUtf8(row.english));
    }
}

// The size and weight lists name some values; what the user picks in either
// language reads back as the value, and the value shows as the entry.
TEST(EditorTextsTest, NamedSizesAndWeightsReadBackInEitherLanguage) {
    using C = uimodel::DrawControl;
    struct Row {
        C control;
        std::size_t entry;  // in DrawEntries(control)
        std::int16_t stored;
    } rows[] = {
        {C::FontHeight, 0, -1}, {C::FontHeight, 1, -2}, {C::FontWidth, 1, -2},
        {C::FontBold, 0, -1},   {C::FontBold, 8, 700},  {C::FontBold, 11, 1000},
    };
    for (Language language : {Language::Japanese, Language::English}) {
        InLanguage in(language);
        for (const Row& row : rows) {
            const Text entry = uimodel::DrawEntries(row.control).at(row.entry);
            SCOPED_TRACE(TextToUtf8(entry));
            uimodel::DrawEditorModel m(nullptr);
            m.SetText(row.control, u"9");
            m.SetText(row.control, entry);
            const FontProfile font = m.Build()->GetFontProfile(0);
            const std::int16_t stored = row.control == C::FontHeight ? font.FontHeight
                                        : row.control == C::FontWidth ? font.FontWidth
                                                                      : font.FontBold;
            EXPECT_EQ(stored, row.stored);
            EXPECT_EQ(m.TextOf(row.control), entry);
        }
        uimodel::DrawEditorModel m(nullptr);
        m.SetText(C::FontName, uimodel::SystemFontName());
        EXPECT_EQ(m.Build()->GetFontProfile(0).FontName, u"") << "the caption font is stored as no face";
    }
}

// Each pop-up menu of the editors, in English: a mnemonic on every entry and
// no two alike.
TEST(EditorTextsTest, EnglishMenusOfTheEditorsHaveDistinctMnemonics) {
    using enum TextId;
    std::vector<std::vector<TextId>> menus{
        {AlarmOpenSoundFile, AlarmDetails},
        {AlarmChooseFile, AlarmOpenWebsite, AlarmDetails},
        {AlarmFolderFromFile, AlarmFolderChoose},
        {DrawSystemColours, DrawInherit, DrawCustom},
        {},
    };
    for (const auto& c : uimodel::NamedColours()) menus[3].push_back(c.caption);
    for (const auto& c : uimodel::SystemColours()) menus[4].push_back(c.caption);
    for (const auto& menu : menus) test::ExpectEnglishMnemonicsApart(menu);
}

}  // namespace
}  // namespace tbq
