// The first start's files: what "Kerova.ini" becomes, how a sample is copied
// and what each keeps of the files it replaces.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_state.h"
#include "app/first_run.h"
#include "app/settings_files.h"
#include "core/helpers.h"
#include "core/program_location.h"
#include "fakes/code_pages.h"
#include "fakes/fake_dialogs.h"
#include "fakes/temp_folder.h"
#include "items/view_list.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

std::string Sjis(const std::u16string& text) { return platform::codepage().ToAnsi(text); }

class FirstRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The earlier version's files and ours are Shift-JIS.
        if (!test::JapaneseCodePage()) GTEST_SKIP() << "needs code page 932";
        IniStore::Instance().Reset();
        ViewListRegistry::Instance().Clear();
        App() = AppState{};
        SetProgramLocation(dir_.Path() + u"/", u"TBQ");
        // The clocks find their cities in the data file we ship.
        std::filesystem::copy_file(std::filesystem::path(__FILE__).parent_path().parent_path()
                                       .parent_path() / "data" / "TBQ_Data.ini",
                                   dir_.Native("TBQ_Data.ini"));
    }
    void TearDown() override {
        IniStore::Instance().Reset();
        ViewListRegistry::Instance().Clear();
        App() = AppState{};
    }
    Text Key(const char16_t* file, const char16_t* section, const char16_t* key) {
        return vbIniFile(ProgramFolder() + file).GetText(section, key, u"<none>");
    }
    // Lines of a Kerova.ini in the earlier version's code page.
    void WriteLegacy(const std::u16string& lines) { dir_.WriteBytes("Kerova.ini", Sjis(lines)); }

    test::TempFolder dir_;
    test::FakeDialogs dialogs_;
    platform::ScopedPorts ports_{platform::Ports{
        .codepage = const_cast<platform::CodePage*>(test::JapaneseCodePage()), .dialogs = &dialogs_}};
};

struct Expect {
    const char16_t* file;
    const char16_t* section;
    const char16_t* key;
    Text value;
};

struct Fragment {
    const char* what;
    std::u16string legacy;
    std::vector<Expect> expect;
};

const Text kHidden = HexEncodeText(u"[非表示項目]");

TEST_F(FirstRunTest, KerovaFragmentsBecomeTheFourFiles) {
    const char16_t* S = kSettingFile;
    const char16_t* V = kViewDataFile;
    const char16_t* A = kAlarmFile;
    const char16_t* W = kWindowFile;
    const std::vector<Fragment> table = {
        {"an empty file: the defaults, three items and the others switched off",
         u"",
         {{S, u"Main", u"SettingVersion", u"1"}, {S, u"Basic", u"ViewDisplay", u"1"},
          {S, u"Basic", u"TaskTray", u"1"}, {S, u"Basic", u"EndCheck", u"1"},
          {S, u"TitleBar", u"Timing", u"1000"}, {S, u"TitleBar", u"MDIChild", u"0"},
          {S, u"Window", u"PermitOnly", u"0"}, {S, u"DrawBar", u"UseDrawBar", u"0"},
          {V, u"ViewData0001", u"DataType", u"TITLE"}, {V, u"ViewData0001", u"Style", u"0"},
          {V, u"ViewData0002", u"DataType", u"CLOCK"},
          {V, u"ViewData0002", u"Format", u"<yyyy/mm/dd(ddd) hh:mm:ss>"},
          {V, u"ViewData0003", u"DataType", u"ALARM"}, {V, u"ViewData0003", u"Style", u"4"},
          {V, u"ViewData0003", u"Type", u"1"}, {V, u"ViewData0003", u"Enable", u"1"},
          {V, u"ViewData0004", u"Text", kHidden}, {V, u"ViewData0004", u"Enable", u"0"},
          {V, u"ViewData0005", u"DataType", u"CLOCK"}, {V, u"ViewData0005", u"TimeZone", u"UTC"},
          {V, u"ViewData0005", u"Enable", u"0"}, {V, u"ViewData0006", u"DataType", u"COUNT"},
          {V, u"ViewData0007", u"PluginName", u"HostStat.tbqp"},
          {V, u"ViewData0007", u"FuncNo", u"1"}, {V, u"ViewData0007", u"SettingNo", u"10"},
          {V, u"ViewData0008", u"DataType", u"NONE"}, {V, u"ViewData0001", u"FontColor", u"0x80000009"},
          {A, u"Alarm0001", u"Name", u""}, {W, u"WindowData0001", u"Title", u""}}},
        {"the main switches",
         u"[Main]\r\nWindowHide=1\r\nTaskIcon=0\r\nMDIChild=5\r\nAntiType=1\r\nTitleLenght=20\r\n",
         {{S, u"Basic", u"ViewDisplay", u"0"}, {S, u"Basic", u"TaskTray", u"0"},
          {S, u"TitleBar", u"MDIChild", u"1"}, {S, u"Window", u"PermitOnly", u"1"},
          {V, u"ViewData0001", u"Style", u"9"}, {V, u"ViewData0001", u"Num", u"20"}}},
        {"interval codes", u"[Timing]\r\nTiming=-100\r\n", {{S, u"TitleBar", u"Timing", u"200"}}},
        {"interval 3", u"[Timing]\r\nTiming=3\r\n", {{S, u"TitleBar", u"Timing", u"60000"}}},
        {"a huge negative interval stays within the timer's range",
         u"[Timing]\r\nTiming=-2147483648\r\n", {{S, u"TitleBar", u"Timing", u"65000"}}},
        {"the clock alone, the other positions hidden",
         u"[Main]\r\nLeftText=2\r\nMiddleText=0\r\nRightText=0\r\n",
         {{V, u"ViewData0001", u"DataType", u"CLOCK"}, {V, u"ViewData0001", u"Enable", u"1"},
          {V, u"ViewData0002", u"DataType", u"ALARM"}, {V, u"ViewData0002", u"Enable", u"1"},
          {V, u"ViewData0003", u"Text", kHidden}, {V, u"ViewData0004", u"Text", kHidden},
          {V, u"ViewData0004", u"Enable", u"0"}, {V, u"ViewData0005", u"DataType", u"TITLE"},
          {V, u"ViewData0005", u"Enable", u"0"}, {V, u"ViewData0006", u"TimeZone", u"UTC"},
          {V, u"ViewData0007", u"DataType", u"COUNT"}, {V, u"ViewData0008", u"DataType", u"PLUGIN"},
          {V, u"ViewData0009", u"DataType", u"NONE"}}},
        {"a switching group of clock and alarm text, an unknown kind hidden",
         u"[Main]\r\nLeftText=2\r\nMiddleText=77\r\nRightText=-3\r\n[Clock]\r\nMessagePosition=2\r\n"
         u"[Timing]\r\nChangeTiming=5\r\n",
         {{V, u"ViewData0001", u"DataType", u"GROUP"}, {V, u"ViewData0001", u"Style", u"2"},
          {V, u"ViewData0001", u"TargetNum", u"2"}, {V, u"ViewData0001", u"CharLen", u"0"},
          {V, u"ViewData0001", u"Timing", u"5"}, {V, u"ViewData0002", u"DataType", u"CLOCK"},
          {V, u"ViewData0003", u"DataType", u"ALARM"}, {V, u"ViewData0004", u"Text", kHidden}}},
        {"the first valid of alarm text and clock",
         u"[Main]\r\nLeftText=2\r\n[Clock]\r\nMessagePosition=3\r\nFormatText=<hh:mm>\r\n",
         {{V, u"ViewData0001", u"Style", u"16"}, {V, u"ViewData0001", u"Timing", u"0"},
          {V, u"ViewData0002", u"DataType", u"ALARM"}, {V, u"ViewData0003", u"Format", u"<hh:mm>"}}},
        {"the world clock's city and summer time",
         u"[Main]\r\nLeftText=3\r\n[WorldClock]\r\nWorldTimeZone=26\r\nWorldTimeDST=1\r\n"
         u"WorldTimeFormatText=<hh:mm>\r\n",
         {{V, u"ViewData0001", u"TimeZone", u"NYC"}, {V, u"ViewData0001", u"Flag", u"5"},
          {V, u"ViewData0001", u"Format", u"<hh:mm>"}, {V, u"ViewData0001", u"Enable", u"1"}}},
        {"an unknown city leaves the clock's own zone",
         u"[Main]\r\nLeftText=3\r\n[WorldClock]\r\nWorldTimeZone=31\r\n",
         {{V, u"ViewData0001", u"TimeZone", u"TYO"}, {V, u"ViewData0001", u"Flag", u"4"}}},
        {"the count-down target",
         u"[Main]\r\nLeftText=4\r\n[CountDown]\r\nYear=28\r\nMonth=1\r\nDay=0\r\nHour=1\r\n"
         u"Minute=0\r\nSecond=31\r\n",
         {{V, u"ViewData0001", u"Year", u"2027"}, {V, u"ViewData0001", u"Month", u"1"},
          {V, u"ViewData0001", u"Day", u"255"}, {V, u"ViewData0001", u"Hour", u"0"},
          {V, u"ViewData0001", u"Minute", u"255"}, {V, u"ViewData0001", u"Second", u"30"},
          {V, u"ViewData0001", u"Style", u"15"}, {V, u"ViewData0001", u"Enable", u"1"}}},
        {"a count-down to a moment that cannot be is switched off",
         u"[Main]\r\nLeftText=4\r\n[CountDown]\r\nYear=0\r\nMonth=13\r\n",
         {{V, u"ViewData0001", u"Year", u"-1"}, {V, u"ViewData0001", u"Enable", u"0"}}},
        {"alarms: a weekday, a date, a field out of range, a disabled one",
         u"[Clock]\r\nAlarm=4\r\n"
         u"[Alarm0000]\r\nTitle=朝会\r\nMessage=会議室へ\r\nType=9\r\nWeek=3\r\nHour=9\r\nMinute=30\r\n"
         u"Second=0\r\nTime=3725\r\nBox=1\r\n"
         u"[Alarm0001]\r\nType=3\r\nMonth=2\r\nDay=14\r\n"
         u"[Alarm0002]\r\nTitle=壊れた時刻\r\nType=5\r\nHour=25\r\nWeek=9\r\n"
         u"[Alarm0003]\r\nTitle=使わない\r\nType=-1\r\n",
         {{A, u"Alarm0001", u"Name", u"朝会"}, {A, u"Alarm0001", u"Message", u"会議室へ"},
          {A, u"Alarm0001", u"TargetYear", u"-1"}, {A, u"Alarm0001", u"TargetMonth", u"255"},
          {A, u"Alarm0001", u"TargetDay", u"136"}, {A, u"Alarm0001", u"TargetHour", u"9"},
          {A, u"Alarm0001", u"TargetMinute", u"30"}, {A, u"Alarm0001", u"TargetSecond", u"0"},
          {A, u"Alarm0001", u"MessageHour", u"1"}, {A, u"Alarm0001", u"MessageMinute", u"2"},
          {A, u"Alarm0001", u"MessageSecond", u"5"}, {A, u"Alarm0001", u"Flag", u"24"},
          {A, u"Alarm0001", u"Enable", u"1"},
          {A, u"Alarm0002", u"Name", u"タイトル無し"}, {A, u"Alarm0002", u"Message", u"メッセージ無し"},
          {A, u"Alarm0002", u"TargetMonth", u"2"}, {A, u"Alarm0002", u"TargetDay", u"14"},
          {A, u"Alarm0002", u"TargetHour", u"255"}, {A, u"Alarm0002", u"Flag", u"16"},
          {A, u"Alarm0002", u"Enable", u"1"},
          {A, u"Alarm0003", u"Name", u"壊れた時刻"}, {A, u"Alarm0003", u"TargetHour", u"1"},
          {A, u"Alarm0003", u"Enable", u"0"}, {A, u"Alarm0004", u"Enable", u"0"},
          {A, u"Alarm0005", u"Name", u""}}},
        {"a weekday beyond Saturday never leaves the weekday mask",
         u"[Clock]\r\nAlarm=1\r\n[Alarm0000]\r\nTitle=x\r\nType=4\r\nWeek=40\r\n",
         {{A, u"Alarm0001", u"TargetDay", u"130"}, {A, u"Alarm0001", u"Enable", u"0"}}},
        {"at most 10,000 alarms are taken over", u"[Clock]\r\nAlarm=2147483647\r\n",
         {{A, u"Alarm10000", u"Name", u"タイトル無し"}, {A, u"Alarm10000", u"Enable", u"0"},
          {A, u"Alarm10001", u"Name", u""}}},
        {"a negative alarm count is none", u"[Clock]\r\nAlarm=-7\r\n[Alarm0000]\r\nTitle=x\r\n",
         {{A, u"Alarm0001", u"Name", u""}}},
        {"window exclusions up to the first without a name",
         u"[AntiKerova001]\r\nName=メモ帳除外\r\nWindowTitle=メモ帳\r\nInTitle=1\r\n"
         u"[AntiKerova002]\r\nName=クラス許可\r\nWindowClass=Notepad\r\nAntiType=1\r\n"
         u"[AntiKerova004]\r\nName=読まれない\r\nWindowTitle=x\r\n",
         {{W, u"WindowData0001", u"Title", u"メモ帳除外"}, {W, u"WindowData0001", u"WindowTitle", u"メモ帳"},
          {W, u"WindowData0001", u"Action", u"1"}, {W, u"WindowData0001", u"Flag", u"2"},
          {W, u"WindowData0001", u"CheckOption", u"1"}, {W, u"WindowData0001", u"Enable", u"1"},
          {W, u"WindowData0002", u"WindowClass", u"Notepad"}, {W, u"WindowData0002", u"Action", u"2"},
          {W, u"WindowData0002", u"Flag", u"4"}, {W, u"WindowData0002", u"CheckOption", u"0"},
          {W, u"WindowData0003", u"Title", u""}}},
        {"the host information format goes to the plug-in's own file",
         u"[HostStat]\r\nSysInfStr=CPU %cpu%\r\n",
         {{u"Plugins\\HostStat\\Setting.ini", u"CompFunc009", u"SettingName", u"旧Ver互換設定"},
          {u"Plugins\\HostStat\\Setting.ini", u"CompFunc009", u"Format", u"CPU %cpu%"}}},
    };
    for (const Fragment& row : table) {
        SCOPED_TRACE(row.what);
        for (const char16_t* f : {kSettingFile, kViewDataFile, kAlarmFile, kWindowFile})
            std::filesystem::remove(dir_.Native(TextToUtf8(f)));
        WriteLegacy(row.legacy);
        ASSERT_TRUE(ImportLegacySettings(u"Kerova.ini", u""));
        for (const Expect& e : row.expect)
            EXPECT_EQ(Key(e.file, e.section, e.key), e.value) << TextToUtf8(e.section) << " "
                                                              << TextToUtf8(e.key);
    }
    EXPECT_TRUE(dialogs_.shown.empty());
}

// The fixture written in the earlier version's code page: every section it
// maps, taken over and then loaded as the program starts with it.
TEST_F(FirstRunTest, TheFixtureIsTakenOverAndLoads) {
    std::filesystem::copy_file(std::filesystem::path(__FILE__).parent_path() / "Kerova.ini",
                               dir_.Native("Kerova.ini"));
    dir_.WriteBytes("TBQ_ViewData.ini", "[ViewData0001]\r\nDataType=FIXED\r\n");
    ASSERT_TRUE(ImportLegacySettings(dir_.Path("Kerova.ini"), u""));
    // Each file begins with its two header lines; the old list is kept.
    EXPECT_EQ(dir_.ReadBytes("TBQ_Alarm.ini").rfind(Sjis(kFirstHeader) + "\r\n" + Sjis(kAlarmHeader), 0), 0u);
    EXPECT_EQ(dir_.ReadBytes("TBQ_ViewData.ini.bak"), "[ViewData0001]\r\nDataType=FIXED\r\n");

    LoadAllSettings();
    const AppState& app = App();
    EXPECT_FALSE(app.settings.ViewDisplay);
    EXPECT_EQ(app.settings.Timing, 200);
    ASSERT_EQ(app.AlarmList.size(), 3u);
    EXPECT_EQ(app.AlarmList[0]->AlarmName, u"定例会議");
    EXPECT_TRUE(app.AlarmList[0]->Enable());
    EXPECT_FALSE(app.AlarmList[2]->Enable());
    ASSERT_EQ(app.WindowRuleList.size(), 2u);
    EXPECT_EQ(app.WindowRuleList[0]->WindowTitle, u"メモ帳");
    ViewListPtr list = ViewListRegistry::Instance().GetViewList(u"*Default", true);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->size(), 8u);
    EXPECT_EQ((*list)[0]->DataType(), kKindClock);
    EXPECT_EQ((*list)[1]->DataType(), kKindGroup);
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(FirstRunTest, AMissingEarlierFileIsNoTakeOver) {
    for (const char16_t* path : {u"Kerova.ini", u"Kerov.ini", u""}) {
        dialogs_.shown.clear();
        EXPECT_FALSE(ImportLegacySettings(path, u""));
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown[0].style, platform::BoxStyle::Warning);
    }
    // A folder of that name is not a file either.
    std::filesystem::create_directory(dir_.Native("Kerova.ini"));
    EXPECT_FALSE(ImportLegacySettings(u"Kerova.ini", u""));
    EXPECT_FALSE(std::filesystem::exists(dir_.Native("TBQ_Setting.ini")));
}

TEST_F(FirstRunTest, SamplesCopyInsideTheProgramFolderOnly) {
    std::filesystem::create_directories(dir_.Native("sample/a"));
    dir_.WriteBytes("sample/a/TBQ_Setting.ini", "new setting");
    dir_.WriteBytes("sample/a/host.ini", "host");
    dir_.WriteBytes("TBQ_Setting.ini", "old setting");
    dir_.WriteBytes("TBQ_Setting.ini.bak", "older setting");
    dir_.WriteBytes("sample/sample.ini",
                    Sjis(u"[Sample001]\r\nName=時計\r\nComment=一行目\\n二行目\r\n"
                         u"Copy000_From=sample\\a\\TBQ_Setting.ini\r\nCopy000_To=TBQ_Setting.ini\r\n"
                         u"Copy001_From=sample\\a\\host.ini\r\nCopy001_To=Plugins\\HostStat\\Setting.ini\r\n"
                         u"[Sample002]\r\nName=空\r\nCopy000_From=\r\nCopy001_From=sample\\a\\host.ini\r\n"
                         u"Copy001_To=x.ini\r\n"
                         u"[Sample003]\r\nName=外へ\r\nCopy000_From=sample\\a\\host.ini\r\nCopy000_To=ok.ini\r\n"
                         u"Copy001_From=sample\\a\\host.ini\r\nCopy001_To=..\\escape.ini\r\n"
                         u"[Sample004]\r\nName=ドライブ\r\nCopy000_From=C:\\Windows\\win.ini\r\nCopy000_To=a.ini\r\n"
                         u"[Sample005]\r\nName=根\r\nCopy000_From=\\etc\\passwd\r\nCopy000_To=a.ini\r\n"
                         u"[Sample006]\r\nName=点\r\nCopy000_From=sample\\a\\host.ini\r\nCopy000_To=sample\\...\\b.ini\r\n"
                         u"[Sample007]\r\nName=無い\r\nCopy000_From=sample\\a\\missing.ini\r\nCopy000_To=a.ini\r\n"
                         u"[Sample009]\r\nName=読まれない\r\n"));
    Text name, comment;
    ASSERT_TRUE(GetSampleInfo(1, name, comment));
    EXPECT_EQ(name, u"時計");
    EXPECT_EQ(comment, u"一行目\\n二行目");
    EXPECT_FALSE(GetSampleInfo(8, name, comment));
    EXPECT_FALSE(GetSampleInfo(1000, name, comment));

    EXPECT_EQ(FilesToBeReplacedBySample(1), std::vector<Text>{u"TBQ_Setting.ini"});
    ASSERT_TRUE(ApplySample(1));
    EXPECT_EQ(dir_.ReadBytes("TBQ_Setting.ini"), "new setting");
    EXPECT_EQ(dir_.ReadBytes("TBQ_Setting.ini.bak"), "old setting");  // the newest back-up
    EXPECT_EQ(dir_.ReadBytes("Plugins/HostStat/Setting.ini"), "host");  // its folders made

    // A first copy without a source copies nothing.
    EXPECT_TRUE(ApplySample(2));
    EXPECT_FALSE(std::filesystem::exists(dir_.Native("x.ini")));
    EXPECT_TRUE(dialogs_.shown.empty());

    // A sample that names any path outside the folder copies none of its files.
    for (int bad : {3, 4, 5, 6}) {
        SCOPED_TRACE(bad);
        dialogs_.shown.clear();
        EXPECT_FALSE(ApplySample(bad));
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        // What was refused and why, not an error number.
        EXPECT_NE(dialogs_.shown[0].text.find(u"プログラムのフォルダの外を指している"), Text::npos);
        EXPECT_EQ(dialogs_.shown[0].text.find(u"error code"), Text::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.Native("ok.ini")));
    EXPECT_FALSE(std::filesystem::exists(dir_.Native("a.ini")));
    EXPECT_FALSE(std::filesystem::exists(dir_.Native("../escape.ini")));

    dialogs_.shown.clear();
    EXPECT_FALSE(ApplySample(7));
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_NE(dialogs_.shown[0].text.find(u"missing.ini」は見つからない"), Text::npos);
}

}  // namespace
}  // namespace tbq
