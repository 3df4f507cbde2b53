#include "uimodel/menus.h"

#include <gtest/gtest.h>

#include <tuple>

#include "alarm/alarm.h"
#include "fakes/plugin_folder.h"
#include "items/view_clock.h"
#include "items/view_count.h"
#include "items/view_fixed.h"
#include "items/view_group.h"
#include "items/view_plugin.h"
#include "rules/window_rule.h"
#include "settings/ini_file.h"
#include "uimodel/descriptions.h"

namespace tbq::uimodel {
namespace {

std::shared_ptr<vbKerova_ViewData> Item(std::shared_ptr<ViewSubItem> sub, bool enable = true) {
    auto item = std::make_shared<vbKerova_ViewData>();
    item->SetData(std::move(sub), vbKerova_ViewData::kNoColor, enable);
    return item;
}
std::shared_ptr<vbKerova_ViewData> FixedItem(const char16_t* text, bool enable = true) {
    auto f = std::make_shared<vbKerova_View_Fixed>();
    f->SetText(text);
    return Item(f, enable);
}

TEST(Descriptions, EveryKindSaysWhatItShowsOnOneLine) {
    auto title = std::make_shared<vbKerova_View_Fixed>();
    title->DataType = vbKerova_View_Fixed::kWindowTitle;
    title->TitleStyle = vbKerova_View_Fixed::kByCount | vbKerova_View_Fixed::kFromEnd |
                        vbKerova_View_Fixed::kByWidth;
    title->TitleNum = 10;
    auto count = std::make_shared<vbKerova_View_Count>();
    count->TargetYear = vbKerova_View_Count::kNextYear;
    count->TargetMonth = 1;
    count->TargetDay = 1;
    count->ViewStyle = vbKerova_View_Count::kDays | vbKerova_View_Count::kSeconds;
    auto group = std::make_shared<vbKerova_View_Group>();
    group->TargetNum = 3;
    group->ViewStyle = vbKerova_View_Group::kScroll | vbKerova_View_Group::kByteMode;
    auto plugin = std::make_shared<vbKerova_View_Plugin>();
    plugin->SetPluginFunc(u"gone.tbqp", 2, 0);
    struct Case {
        std::shared_ptr<vbKerova_ViewData> item;
        const char16_t* line;
    };
    const Case cases[] = {
        {FixedItem(u"a\r\nb"), u"固定文字列 : a  b"},
        {Item(title), u"タイトル : 後ろから10バイト"},
        {Item(count), u"カウントダウン : 来年/1/1 0:00:00 まで (日/秒)"},
        {Item(group), u"グループ : スクロール表示 3項目 (最大10バイト)"},
        {Item(plugin), u"プラグイン : プラグインが読み込めません [gone.tbqp] - (N/A)"},
        {std::make_shared<vbKerova_ViewData>(), u"(無し)"},
    };
    for (const Case& c : cases) EXPECT_EQ(Description(*c.item), c.line);
    // A clock says whether it follows its zone's summer time, and then not the
    // fixed switch it ignores.
    for (auto [flag, has, hasNot] :
         {std::tuple{vbKerova_View_Clock::kFlagDaylightSaving, u" サマータイム", u"夏時間自動切替"},
          std::tuple{static_cast<std::uint8_t>(vbKerova_View_Clock::kFlagDaylightSaving |
                                               vbKerova_View_Clock::kFlagAutoSummerTime),
                     u" 夏時間自動切替", u"サマータイム"}}) {
        auto clock = std::make_shared<vbKerova_View_Clock>();
        clock->Flag = flag;
        const Text line = Description(*Item(clock));
        EXPECT_NE(line.find(has), Text::npos) << TextToUtf8(line);
        EXPECT_EQ(line.find(hasNot), Text::npos) << TextToUtf8(line);
    }

    vbKerova_Alarm alarm;
    alarm.AlarmName = u"起床";
    alarm.TargetYear = vbKerova_Alarm::kEveryYear;
    alarm.TargetDay = vbKerova_Alarm::kWeekdays | 2;
    alarm.TargetHour = 7;
    alarm.TargetMinute = 30;
    alarm.TargetSecond = 0;
    alarm.SetEnable(true);
    EXPECT_EQ(Description(alarm), u"起床 [" + AlarmTargetText(alarm, false) + u"] 有効");
}

TEST(FileMenu, CopiesAndOneEntryPerItemOfTheShownList) {
    ViewList list{FixedItem(u"on "), FixedItem(u"off", false)};
    EXPECT_EQ(CopyListText(list, 0, 1), u"on ");
    EXPECT_EQ(CopyListText(list, 1, 2), u"on off");

    EXPECT_EQ(SelectDataEntries({}).size(), 1u);
    EXPECT_EQ(SelectDataEntries({}).at(0).caption, u"(項目無し)");
    EXPECT_EQ(SelectDataText(SelectDataEntries({}).at(0), 3), std::nullopt);

    for (int i = 0; i < 35; ++i) list.push_back(FixedItem(u"x&y"));
    const auto entries = SelectDataEntries(list);
    ASSERT_EQ(entries.size(), 37u);
    EXPECT_EQ(entries[0].caption, u"&0 : 固定文字列 : on ");
    EXPECT_EQ(entries[10].caption, u"&A : 固定文字列 : x&&y");
    EXPECT_EQ(entries[35].caption.substr(0, 2), u"&Z");
    EXPECT_EQ(entries[36].caption.substr(0, 2), u"&0");  // again from the start
    EXPECT_EQ(SelectDataText(entries[1], 4), std::optional<Text>(u"off"));
    list.erase(list.begin() + 1);  // the item leaves while the menu is open
    EXPECT_EQ(SelectDataText(entries[1], 5), std::nullopt);
}

TEST(Addresses, OnlyWebAndMailAddressesReachTheShell) {
    struct Case {
        const char16_t* address;
        std::optional<Text> web, mail;
    };
    const std::optional<Text> no;
    const Case cases[] = {
        {u"http://example.org/x?a=1", u"http://example.org/x?a=1", no},
        {u" HTTPS://example.org ", u"HTTPS://example.org", no},
        {u"https://", no, no},
        {u"http://example.org/a b", no, no},
        {u"http://example.org/\x0a", no, no},
        {u"C:\\Windows\\System32\\calc.exe", no, no},
        {u"file:///C:/x.exe", no, no},
        {u"javascript:alert(1)", no, no},
        {u"me@example.org", no, u"mailto:me@example.org"},
        {u"MAILTO:me@example.org?subject=hi", no, u"mailto:me@example.org?subject=hi"},
        {u"mailto:", no, no},
        {u"me@example.org\x3000", no, no},
        {u"cmd /c del", no, no},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WebTarget(c.address), c.web) << TextToUtf8(c.address);
        EXPECT_EQ(MailTarget(c.address), c.mail) << TextToUtf8(c.address);
    }
    EXPECT_EQ(ProgramWebPage(), Text(kMakerPage) + u"/cgi-bin/access.cgi?soft=TBQ");
    EXPECT_TRUE(WebTarget(ProgramWebPage()));
    EXPECT_TRUE(MailTarget(kMakerMail));
}

using PluginMenus = test::PluginFolderTest;

// The settings pop-up flattened: "caption (function,setting)", sub-menus by "/".
void Flatten(const std::vector<PluginMenuEntry>& menu, const Text& path, std::vector<Text>& out) {
    for (const auto& e : menu) {
        if (e.children.empty())
            out.push_back(path + e.caption + u" (" + NumberText(e.funcNo) + u"," + NumberText(e.settingNo) + u")");
        else
            Flatten(e.children, path + e.caption + u"/", out);
    }
}

TEST_F(PluginMenus, TheSettingsMenuOffersFunctionsWithSettingsAndTheButtonsFollowTheFlags) {
    auto& p = AddFile("p.tbqp");
    p.flags = 1;  // settings of its own, no information box
    p.url = "file:///x";
    p.functions = {{"clock", "", 2, 0, "", {}, false},
                   {"A&B", "", 1, 0, "", {}, false},
                   {"none", "", 3, 2, "", {}, false},
                   {"zero", "", 0, 0, "", {}, false}};
    auto& q = AddFile("q.tbqp");
    q.flags = 2;
    q.functions = {{"plain", "", 1, 2, "", {}, false}};
    AddFile("r.tbqp");
    vbIniFile(SettingFile()).SetBool(kPluginEnableSection, u"r.tbqp", false);
    Scan(false);

    const auto rows = ModuleRows({.name = u"Lunetta", .version = u"1.3"}, {.name = u"TBQ.dll"}, &registry_);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].text, u"Lunetta 1.3");
    EXPECT_EQ(rows[1].text, u"TBQ.dll");
    EXPECT_EQ(rows[4].checked, false);
    EXPECT_EQ(rows[4].text, u"r.tbqp");

    std::vector<Text> menu;
    Flatten(PluginSettingsMenu(*rows[2].plugin), u"", menu);
    EXPECT_EQ(menu, (std::vector<Text>{u"プラグイン本体の設定 (0,0)",
                                       u"プラグイン機能の設定/clock/setting 1-1 (1,1)",
                                       u"プラグイン機能の設定/clock/setting 1-2 (1,2)",
                                       u"プラグイン機能の設定/A&&B (2,1)",
                                       u"プラグイン機能の設定/zero (4,0)"}));
    EXPECT_TRUE(PluginSettingsMenu(*rows[3].plugin).empty());
    EXPECT_TRUE(PluginSettingsMenu(*rows[4].plugin).empty());

    auto buttons = [](const ModuleRow& r) {
        const ModuleButtons b = ButtonsFor(r);
        return std::vector<bool>{b.settings, b.information, b.web, b.mail};
    };
    EXPECT_EQ(buttons(rows[0]), (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(buttons(rows[2]), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(buttons(rows[3]), (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(buttons(rows[4]), (std::vector<bool>{false, false, false, false}));
    // The web button is enabled for the address, yet it is refused when pressed.
    EXPECT_EQ(WebTarget(rows[2].info.web), std::nullopt);
}

}  // namespace
}  // namespace tbq::uimodel
