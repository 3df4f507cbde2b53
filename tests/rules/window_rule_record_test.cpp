// The stored window rule: what is written, what comes back, and how records
// that older versions or hands wrote are read.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "fakes/temp_folder.h"
#include "rules/window_rule.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using W = vbKerova_Window;

// Every field, readable in a failure message.
std::string Describe(const W& r) {
    std::ostringstream s;
    s << "Title=" << TextToUtf8(r.Title) << " Handle=" << r.WindowHandle
      << " WindowTitle=[" << TextToUtf8(r.WindowTitle) << "] Class=" << TextToUtf8(r.WindowClass)
      << " File=" << TextToUtf8(r.FileName) << " Style=" << r.WindowStyle << " Ex=" << r.ExStyle
      << " Width=" << r.WindowWidth << " Flag=" << int(r.Flag) << " Mdi=" << int(r.MdiChoice)
      << " UseViewData=" << r.UseViewData << " UseDrawBar=" << r.UseDrawBar << " ViewData=["
      << TextToUtf8(r.ViewData) << "] DrawBar=[" << TextToUtf8(r.DrawBar)
      << "] Check=" << r.CheckOption << " Action=" << int(r.Action) << " Enable=" << r.Enable;
    return s.str();
}

class WindowRuleRecordTest : public ::testing::Test {
protected:
    void SetUp() override { IniStore::Instance().Reset(); }
    void TearDown() override { IniStore::Instance().Reset(); }
    test::TempFolder dir_;
};

TEST_F(WindowRuleRecordTest, RecordsComeBackAsTheyWereOrSafely) {
    struct Case {
        const char* what;
        // Either a rule to save or the bytes of a hand-written file.
        std::function<void(W&)> saved;
        std::string file;
        bool fixed;
        // The rule that loads, starting from a new rule.
        std::function<void(W&)> loaded;
    };
    auto full = [](W& r) {
        r.Title = u"Editor";
        r.WindowTitle = u" - Editor";  // blanks at the start survive
        r.WindowClass = u"EditorClass";
        r.FileName = u"C:\\Program Files\\Editor\\editor.exe";
        r.WindowStyle = 0x80CF0000;  // stored as a negative number
        r.ExStyle = 0x00000300;
        r.WindowWidth = 9999;
        r.Flag = 0x7E;
        r.CheckOption = 0x1FF;
        r.MdiChoice = W::kMdiOn;
        r.UseViewData = true;
        r.ViewData = u"  List  ";
        r.UseDrawBar = true;
        r.DrawBar = u"Bar";
        r.Action = W::kPermit;
        r.Enable = true;
    };
    auto titled = [](Text title, std::function<void(W&)> more = {}) {
        return [=](W& r) {
            r.Title = title;
            r.Flag = W::kTitle;
            r.WindowTitle = u"x";
            r.Action = W::kPermit;
            r.Enable = true;
            if (more) more(r);
        };
    };
    auto same = [](std::function<void(W&)> f) { return f; };
    const std::string kRule = "[WindowData0001]\r\nTitle=r\r\nAction=2\r\nWindowTitle=x\r\n";
    const std::vector<Case> cases = {
        {"every field", full, "", false, same(full)},
        {"a name of blanks only does not end the list", titled(u"   "), "", false, titled(u"   ")},
        {"a name in quotes keeps them", titled(u"\"abc\""), "", false, titled(u"\"abc\"")},
        // MDI choice 1 with the display list gives "ViewOption" 5, the profile box.
        {"MDI choice 1 and a display list do not turn into a profile",
         titled(u"r", [](W& r) { r.MdiChoice = W::kMdiOff; r.UseViewData = true; }), "", false,
         titled(u"r", [](W& r) { r.MdiChoice = W::kMdiOff; r.UseViewData = true; })},
        {"a profile alone brings no display list or MDI choice",
         titled(u"r", [](W& r) { r.UseDrawBar = true; }), "", false,
         titled(u"r", [](W& r) { r.UseDrawBar = true; })},
        {"a record of an older version: the profile box brings the other two", {},
         kRule + "Flag=2\r\nViewOption=5\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.MdiChoice = W::kMdiOff; r.UseViewData = r.UseDrawBar = true; })},
        {"... with MDI on", {}, kRule + "Flag=2\r\nViewOption=7\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.MdiChoice = W::kMdiOn; r.UseViewData = r.UseDrawBar = true; })},
        {"our keys left stale by an older version are not trusted", {},
         kRule + "Flag=2\r\nViewOption=4\r\nEnable=1\r\nDrawBarOption=1\r\nViewDataOption=1\r\n"
                 "MDIOption=1\r\n",
         false, titled(u"r", [](W& r) { r.UseViewData = true; })},
        {"a handle condition is not kept and a rule left without any is off",
         [](W& r) { r.Title = u"h"; r.Flag = W::kHandle; r.WindowHandle = 0x1234; r.Enable = true; },
         "", false, [](W& r) { r.Title = u"h"; }},
        {"a handle condition beside another is dropped, the rule stays on",
         titled(u"r", [](W& r) { r.Flag |= W::kHandle; r.WindowHandle = 0x1234; }), "", false,
         titled(u"r")},
        {"a stored rule without a condition is off", {}, kRule + "Flag=0\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.Flag = 0; r.Enable = false; })},
        {"a stored handle bit is no condition", {}, kRule + "Flag=129\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.Flag = 128; r.Enable = false; })},
        {"Flag 255 fits", {}, kRule + "Flag=255\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.Flag = 254; })},
        {"Flag 256 does not fit", {}, kRule + "Flag=256\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.Flag = 0; r.Enable = false; })},
        {"a negative Flag does not fit", {}, kRule + "Flag=-2\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.Flag = 0; r.Enable = false; })},
        {"ViewOption 260 is not read as 4", {}, kRule + "Flag=2\r\nViewOption=260\r\nEnable=1\r\n",
         false, titled(u"r", [](W& r) { r.Enable = false; })},
        {"Action 258 is not read as permit", {},
         "[WindowData0001]\r\nTitle=r\r\nAction=258\r\nWindowTitle=x\r\nFlag=2\r\nEnable=1\r\n", false,
         titled(u"r", [](W& r) { r.Action = 0; r.Enable = false; })},
        {"width above the range", {}, kRule + "Flag=2\r\nEnable=1\r\nWindowWidth=10000\r\n", false,
         titled(u"r", [](W& r) { r.WindowWidth = 9999; })},
        {"width below the range", {}, kRule + "Flag=2\r\nEnable=1\r\nWindowWidth=-5\r\n", false,
         titled(u"r", [](W& r) { r.WindowWidth = 0; })},
        {"the fixed rule: every field but name and action", full, "", true,
         [&](W& r) { full(r); r.Title = u"固定設定"; r.Action = W::kFixed; }},
        {"the fixed rule reads only keys with the prefix", {},
         "[TitleBar]\r\nTitle=t\r\nAction=1\r\nFlag=4\r\nFixed_Flag=2\r\nFixed_WindowTitle=log\r\n"
         "Fixed_CheckOption=1\r\nFixed_Enable=1\r\nEnable=0\r\n",
         true,
         [](W& r) {
             r.Title = u"固定設定"; r.Action = W::kFixed; r.Flag = W::kTitle; r.WindowTitle = u"log";
             r.CheckOption = W::kTitlePart; r.Enable = true;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IniStore::Instance().Reset();
        std::filesystem::remove(dir_.Native("rules.ini"));
        const Text path = dir_.Path("rules.ini");
        const Text section = c.fixed ? u"TitleBar" : u"WindowData0001";
        if (c.saved) {
            W rule;
            c.saved(rule);
            rule.SaveSetting(path, section, c.fixed);
            IniStore::Instance().Reset();  // read from the disk
        } else {
            dir_.WriteBytes("rules.ini", c.file);
        }
        W loaded, expected;
        ASSERT_TRUE(loaded.LoadSetting(path, section, c.fixed));
        c.loaded(expected);
        EXPECT_EQ(Describe(loaded), Describe(expected));
    }
}

TEST_F(WindowRuleRecordTest, KeysAsWrittenForOlderReadersAndTheFixedRule) {
    W rule;
    rule.Title = u"r";
    rule.Action = W::kPermit;
    rule.Flag = W::kHandle | W::kClass;
    rule.WindowStyle = 0x80000000;
    rule.MdiChoice = W::kMdiOff;
    rule.UseViewData = true;
    rule.Enable = true;
    rule.SaveSetting(dir_.Path("a.ini"), u"WindowData0001", false);
    rule.SaveSetting(dir_.Path("a.ini"), u"TitleBar", true);
    const std::string common = "WindowTitle=\r\nWindowClass=\r\nWindowStyle=-2147483648\r\nExStyle=0\r\n"
                               "FileName=\r\nWindowWidth=0\r\nFlag=4\r\nCheckOption=0\r\nViewOption=5\r\n"
                               "ViewData=\r\nDrawBar=\r\nEnable=1\r\nDrawBarOption=0\r\n"
                               "ViewDataOption=1\r\nMDIOption=1\r\n";
    std::string fixed;
    for (std::size_t at = 0; at < common.size();) {
        const std::size_t end = common.find("\r\n", at) + 2;
        fixed += "Fixed_" + common.substr(at, end - at);
        at = end;
    }
    EXPECT_EQ(dir_.ReadBytes("a.ini"), "[WindowData0001]\r\nTitle=r\r\nAction=2\r\n" + common +
                                           "[TitleBar]\r\n" + fixed);
    // An empty name is the end of the list.
    dir_.WriteBytes("b.ini", "[WindowData0001]\r\nTitle=\r\nFlag=2\r\n");
    W end;
    EXPECT_FALSE(end.LoadSetting(dir_.Path("b.ini"), u"WindowData0001", false));
    EXPECT_FALSE(end.LoadSetting(dir_.Path("b.ini"), u"WindowData0002", false));
}

TEST_F(WindowRuleRecordTest, ListsSkipRulesWithoutConditionsAndEndAfterTheLast) {
    // Left from an earlier, longer save: stays in the file but is never read.
    dir_.WriteBytes("list.ini",
                    "[WindowData0005]\r\nTitle=old\r\nFlag=2\r\n[WindowData0006]\r\nTitle=older\r\n");
    WindowRuleList rules;
    for (int i = 1; i <= 5; ++i) {
        auto r = std::make_shared<W>();
        r->Title = i == 3 ? Text(u"  ") : u"rule " + NumberText(i);
        r->Flag = i == 2 ? 0 : W::kClass;
        r->Enable = true;
        rules.push_back(r);
    }
    ASSERT_TRUE(SaveWindowRuleList(dir_.Path("list.ini"), rules));
    vbIniFile ini(dir_.Path("list.ini"));
    EXPECT_EQ(ini.GetText(u"WindowData0004", u"Title", u""), u"rule 5");
    EXPECT_EQ(ini.GetText(u"WindowData0005", u"Title", u"missing"), u"");
    EXPECT_EQ(ini.GetText(u"WindowData0006", u"Title", u""), u"older");
    IniStore::Instance().Reset();
    const WindowRuleList loaded = LoadWindowRuleList(dir_.Path("list.ini"));
    ASSERT_EQ(loaded.size(), 4u);
    const char16_t* names[] = {u"rule 1", u"  ", u"rule 4", u"rule 5"};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(loaded[i]->Title, names[i]);
    EXPECT_EQ(WindowRuleSection(12345), u"WindowData12345");
    EXPECT_TRUE(LoadWindowRuleList(dir_.Path("absent.ini")).empty());
}

}  // namespace
}  // namespace tbq
