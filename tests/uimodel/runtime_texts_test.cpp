// The settings window's menus, pages and messages in both languages: every
// English menu and page has one mnemonic per entry and no two alike, the tray
// menu keeps its Japanese entries, the help files fall back to the Japanese
// ones, and messages put their values where English puts them.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "base/text_fill.h"
#include "base/texts.h"
#include "uimodel/mnemonics.h"
#include "uimodel/list_commands.h"
#include "uimodel/menus.h"
#include "uimodel/page_bindings.h"
#include "uimodel/view_list_manager.h"

namespace tbq::uimodel {
namespace {

using enum TextId;

using test::ExpectMnemonicsApart;
using test::Mnemonic;

std::vector<TextView> Captions(const std::vector<TrayEntry>& menu) {
    std::vector<TextView> out;
    for (const TrayEntry& e : menu)
        if (e.command != TrayCommand::Separator) out.push_back(Tr(e.caption));
    return out;
}

class RuntimeInEnglish : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(Language::English); }
    void TearDown() override { SetLanguage(Language::Japanese); }
};

TEST_F(RuntimeInEnglish, MenusAndPagesHaveOneMnemonicEachAndNoTwoAlike) {
    ExpectMnemonicsApart(Captions(TrayMenu(true)));
    std::vector<TextView> info, popup, lists;
    for (const InfoMenuEntry& e : InfoMenu()) info.push_back(Tr(e.caption));
    for (PopupCommand c : {PopupCommand::Edit, PopupCommand::Delete, PopupCommand::Insert}) popup.push_back(PopupCaption(c));
    for (const ListManagementEntry& e : ListManagementMenu(true)) lists.push_back(e.caption);
    ExpectMnemonicsApart(info);
    ExpectMnemonicsApart(popup);
    ExpectMnemonicsApart(lists);

    // A page's check boxes with the controls of its template, beside the menu bar's F and H.
    const std::vector<TextId> listControls{PageListLabel, PageAdd, PageEdit, PageDelete, PageUp, PageDown};
    const std::map<Page, std::vector<TextId>> own{
        {Page::TitleBar, {PageFixedSet, PageIntervalLabel, PageDefaultLabel}},
        {Page::DrawBar, listControls},
        {Page::View, [&] {
             auto ids = listControls;
             ids.push_back(PageListNameLabel);
             return ids;
         }()},
        {Page::Alarm, listControls},
        {Page::Window, listControls},
        {Page::Information, {InfoModulesLabel, InfoSettings, InfoAbout, InfoWeb, InfoMail, InfoMore}},
    };
    for (const auto& [page, ids] : own) {
        SCOPED_TRACE(static_cast<int>(page));
        std::vector<TextView> texts;
        for (const CheckBoxModel& box : PageAt(static_cast<int>(page)).checkBoxes) texts.push_back(Tr(box.caption));
        for (TextId id : ids) texts.push_back(Tr(id));
        ExpectMnemonicsApart(texts, {u'f', u'h'});
    }
}

TEST(TrayMenu, TheAlarmEntryOnlyWhileASoundPlaysAndTodaysJapanese) {
    struct Case {
        bool sound;
        std::vector<TextView> japanese;
    };
    const Case cases[] = {
        {true,
         {u"設定画面を開く(&O)", u"時刻合わせ(&T)...", u"バージョンアップのチェック(&V)", u"アラームサウンド停止(&A)",
          u"設定保存(&S)", u"終了(&X)", u"設定保存せず終了(&N)"}},
        {false,
         {u"設定画面を開く(&O)", u"時刻合わせ(&T)...", u"バージョンアップのチェック(&V)", u"設定保存(&S)", u"終了(&X)",
          u"設定保存せず終了(&N)"}},
    };
    for (const Case& c : cases) {
        const std::vector<TrayEntry> menu = TrayMenu(c.sound);
        EXPECT_EQ(Captions(menu), c.japanese);
        // A separator before saving and before quitting, none doubled or at an end.
        EXPECT_EQ(std::count_if(menu.begin(), menu.end(), [](const TrayEntry& e) { return e.command == TrayCommand::Separator; }), 2);
        EXPECT_EQ(menu[menu.size() - 3].command, TrayCommand::Separator);
        EXPECT_EQ(menu[menu.size() - 5].command, TrayCommand::Separator);
    }
}

TEST(HelpFiles, EnglishFirstThenTheJapaneseFile) {
    struct Case {
        HelpDocument document;
        Language language;
        std::vector<std::u16string_view> files;
    };
    const Case cases[] = {
        {HelpDocument::Help, Language::Japanese, {u"TBQ.chm"}},
        {HelpDocument::Readme, Language::Japanese, {u"Readme.txt"}},
        {HelpDocument::Help, Language::English, {u"TBQ_en.chm", u"TBQ.chm"}},
        {HelpDocument::Readme, Language::English, {u"Readme_en.txt", u"Readme.txt"}},
    };
    for (const Case& c : cases) {
        std::vector<std::u16string_view> files;
        for (const char16_t* f : HelpFiles(c.document, c.language)) files.push_back(f);
        EXPECT_EQ(files, c.files);
    }
}

TEST_F(RuntimeInEnglish, MessagesPutTheirValuesInPlace) {
    ModuleRow row;
    row.info = {u"HostStat", u"1.0.0", u"state {1}", u"(C) us", {}, {}};
    struct Case {
        const char* what;
        std::function<Text()> make;
        const char16_t* english;
    };
    const Case cases[] = {
        // A value holding "{1}" is not filled in again.
        {"module information", [&] { return InformationText(row); },
         u"HostStat\r\nVersion: 1.0.0\r\nComment: state {1}\r\nCopyright: (C) us"},
        {"refused address", [] { return RefusedAddressText(u"ftp://x"); }, u"This address cannot be opened.\r\nftp://x"},
        {"delete caption", [] { return Text(DeleteCaption(Page::Window)); }, u"Delete a window rule"},
        {"no items", [] { return SelectDataEntries({}).at(0).caption; }, u"(no items)"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.make(), c.english) << c.what;
}

TEST(Filled, EachPlaceholderOnceAndUnknownOnesAsWritten) {
    EXPECT_EQ(Filled(u"{1}-{0}-{1}", {u"a", u"b"}), u"b-a-b");
    EXPECT_EQ(Filled(u"{2} {x} {", {u"a"}), u"{2} {x} {");
    EXPECT_EQ(Filled(u"{10}", {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"ten"}), u"ten");
}

}  // namespace
}  // namespace tbq::uimodel
