#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_state.h"
#include "core/program_location.h"
#include "fakes/fake_dialogs.h"
#include "fakes/temp_folder.h"
#include "items/view_group.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"
#include "app/settings_files.h"

namespace tbq {
namespace {

class FakeSystem final : public platform::SystemSettings {
public:
    platform::ProxySetting proxy;
    platform::ProxySetting Proxy() override { return proxy; }
};

// The real files, except that the next `failures` replacements are refused,
// as a file locked by another program refuses them.
class FlakyFiles final : public platform::Files {
public:
    explicit FlakyFiles(platform::Files& real) : real_(real) {}
    int failures = 0;
    platform::ReadResult ReadAll(const Text& p, std::size_t limit) override { return real_.ReadAll(p, limit); }
    std::optional<platform::FileStamp> Stamp(const Text& p) override { return real_.Stamp(p); }
    bool ReplaceAtomically(const Text& p, std::string_view bytes) override {
        if (failures > 0) {
            --failures;
            return false;
        }
        return real_.ReplaceAtomically(p, bytes);
    }
    std::optional<std::vector<Text>> ListFolder(const Text& f) override { return real_.ListFolder(f); }
    std::optional<bool> IsReadOnly(const Text& p) override { return real_.IsReadOnly(p); }
    bool SetReadOnly(const Text& p, bool ro) override { return real_.SetReadOnly(p, ro); }
    bool Copy(const Text& a, const Text& b, bool o) override { return real_.Copy(a, b, o); }
    bool Delete(const Text& p) override { return real_.Delete(p); }
    Text CurrentDirectory() override { return real_.CurrentDirectory(); }
    platform::VersionValue ReadVersionString(const Text& p, const Text& k) override {
        return real_.ReadVersionString(p, k);
    }

private:
    platform::Files& real_;
};

class SettingsFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        IniStore::Instance().Reset();
        ViewListRegistry::Instance().Clear();
        App() = AppState{};
        SetProgramLocation(dir_.Path() + u"/", u"TBQ");
    }
    void TearDown() override {
        IniStore::Instance().Reset();
        ViewListRegistry::Instance().Clear();
        App() = AppState{};
    }
    std::shared_ptr<vbKerova_ViewData> GroupItem(int target) {
        auto g = std::make_shared<vbKerova_View_Group>();
        g->TargetNum = static_cast<std::uint8_t>(target);
        auto item = std::make_shared<vbKerova_ViewData>();
        item->SetData(g, 0x80000009, true);
        return item;
    }

    test::TempFolder dir_;
    test::FakeDialogs dialogs_;
    FakeSystem system_;
    platform::ScopedPorts ports_{platform::Ports{.dialogs = &dialogs_, .system = &system_}};
};

// "#ファイル内容を…" and "#このファイルは、Lunetta用の表示項目情報ファイルです。" in Shift-JIS.
std::string Sjis(const char16_t* text) { return platform::codepage().ToAnsi(text); }

TEST_F(SettingsFilesTest, ANewListFileIsWrittenExactly) {
    ViewList list{GroupItem(0)};
    ASSERT_TRUE(SaveViewList(dir_.Path("list.ini"), list));
    EXPECT_EQ(dir_.ReadBytes("list.ini"),
              Sjis(u"#ファイル内容を変更すると、Lunettaが正常に動作しなくなる可能性があります。") +
                  "\r\n" + Sjis(u"#このファイルは、Lunetta用の表示項目情報ファイルです。") +
                  "\r\n"
                  "[ViewData0001]\r\nDataType=GROUP\r\nFontColor=0x80000009\r\nEnable=1\r\n"
                  "TargetNum=0\r\nTiming=1\r\nStep=1\r\nCharLen=10\r\nStyle=1\r\n"
                  "[ViewData0002]\r\nDataType=NONE\r\n");
}

TEST_F(SettingsFilesTest, SectionsBeyondTheEndMarkStayButAreNotLoaded) {
    dir_.WriteBytes("list.ini",
                    "[ViewData0001]\r\nDataType=GROUP\r\n[ViewData0002]\r\nDataType=GROUP\r\n"
                    "[ViewData0003]\r\nDataType=GROUP\r\nTargetNum=7\r\n");
    ViewList list{GroupItem(1), GroupItem(0)};
    ASSERT_TRUE(SaveViewList(dir_.Path("list.ini"), list));
    vbIniFile ini(dir_.Path("list.ini"));
    EXPECT_EQ(ini.GetText(u"ViewData0003", u"DataType", u""), u"NONE");
    EXPECT_EQ(ini.GetNumber(u"ViewData0003", u"TargetNum", 0), 7);  // old keys stay
    LoadViewList(dir_.Path("list.ini"), u"list.ini");
    EXPECT_EQ(ViewListRegistry::Instance().GetViewList(u"list.ini", false)->size(), 2u);
}

TEST_F(SettingsFilesTest, ReadOnlyFilesAreMadeWritableAndWritten) {
    dir_.WriteBytes("list.ini", "[ViewData0001]\r\nDataType=NONE\r\n");
    ASSERT_TRUE(platform::files().SetReadOnly(dir_.Path("list.ini"), true));
    ViewList list{GroupItem(0)};
    ASSERT_TRUE(SaveViewList(dir_.Path("list.ini"), list));
    EXPECT_EQ(platform::files().IsReadOnly(dir_.Path("list.ini")), std::optional<bool>(false));
    EXPECT_EQ(vbIniFile(dir_.Path("list.ini")).GetText(u"ViewData0001", u"DataType", u""), u"GROUP");
}

TEST_F(SettingsFilesTest, LoadingClampsTimingAndKeepsDefaults) {
    for (auto [stored, loaded] : {std::pair{5, 10}, {70000, 65000}, {250, 250}}) {
        dir_.WriteBytes("TBQ_Setting.ini", "[TitleBar]\r\nTiming=" + std::to_string(stored) + "\r\n");
        IniStore::Instance().Reset();
        LoadAllSettings();
        EXPECT_EQ(App().settings.Timing, loaded);
    }
    EXPECT_TRUE(App().settings.ViewDisplay);
    EXPECT_EQ(App().settings.DefaultViewData, u"*Default");
    EXPECT_EQ(App().CustomColors[15], 16777215u);
}

TEST_F(SettingsFilesTest, SaveAllWritesEveryFileAndLoadGivesTheSameBack) {
    dir_.WriteBytes("TBQ_Alarm.ini", "[Alarm0001]\r\nName=wake up\r\nTargetHour=7\r\nEnable=1\r\n");
    LoadAllSettings();
    ASSERT_EQ(App().AlarmList.size(), 1u);
    App().settings.Timing = 250;
    App().CustomColors.fill(0xFF);
    ViewListRegistry::Instance().SetViewList(kDefaultListName,
                                             std::make_shared<ViewList>(ViewList{GroupItem(0)}));
    ASSERT_TRUE(SaveAllSettings());
    EXPECT_TRUE(dialogs_.shown.empty());
    const std::string main = dir_.ReadBytes("TBQ_Setting.ini");
    EXPECT_EQ(main.rfind(Sjis(u"#ファイル内容を変更すると、Lunettaが正常に動作しなくなる可能性があります。") +
                             "\r\n" + Sjis(u"#このファイルは、Lunetta用の設定情報ファイルです。") +
                             "\r\n[Main]\r\nSettingVersion=1\r\n[Basic]\r\n",
                         0),
              0u);
    EXPECT_NE(main.find("00DefaultColor=0x000000FF\r\n"), std::string::npos);
    vbIniFile alarms(dir_.Path("TBQ_Alarm.ini"));
    EXPECT_EQ(alarms.GetNumber(u"Alarm0001", u"TargetHour", 0), 7);
    EXPECT_EQ(alarms.GetNumber(u"Alarm0001", u"DayType", 0), 1);
    EXPECT_EQ(alarms.GetText(u"Alarm0002", u"Name", u"end mark missing"), u"");
    vbIniFile list(dir_.Path("TBQ_ViewData.ini"));
    EXPECT_EQ(list.GetText(u"ViewData0001", u"DataType", u""), u"GROUP");

    // Saved and loaded again, the settings are the same.
    App() = AppState{};
    IniStore::Instance().Reset();
    LoadAllSettings();
    EXPECT_EQ(App().settings.Timing, 250);
    EXPECT_EQ(App().CustomColors[3], 0xFFu);
    EXPECT_EQ(ViewListRegistry::Instance().GetViewList(u"*default", false)->size(), 1u);
    ASSERT_EQ(App().AlarmList.size(), 1u);
    EXPECT_EQ(App().AlarmList[0]->AlarmName, u"wake up");
    EXPECT_TRUE(App().AlarmList[0]->Enable());
}

TEST_F(SettingsFilesTest, AFolderThatCannotBeWrittenIsReported) {
    SetProgramLocation(dir_.Path() + u"/missing/", u"TBQ");
    EXPECT_FALSE(SaveAllSettings());
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].caption, u"Lunetta - 設定保存エラー");
    EXPECT_NE(dialogs_.shown[0].text.find(u"下記ファイルが操作できません。"), Text::npos);

    // A file that is there but cannot be read is never written: its save fails
    // and says so, rather than reporting a save that wrote nothing.
    SetProgramLocation(dir_.Path() + u"/", u"TBQ");
    std::filesystem::create_directory(dir_.Native("TBQ_DrawBar.ini"));
    dialogs_.shown.clear();
    EXPECT_FALSE(SaveAllSettings());
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_NE(dialogs_.shown[0].text.find(u"TBQ_DrawBar.ini"), Text::npos) << TextToUtf8(dialogs_.shown[0].text);
    EXPECT_TRUE(std::filesystem::exists(dir_.Native("TBQ_Alarm.ini"))) << "the files before it were saved";
}

TEST_F(SettingsFilesTest, ALockedFileIsReportedAndRetryWritesEverything) {
    dir_.WriteBytes("TBQ_Setting.ini", "[Basic]\r\nViewDisplay=1\r\n");
    FlakyFiles flaky(platform::files());
    platform::ScopedPorts ports(platform::Ports{.files = &flaky});
    App().settings.ViewDisplay = false;
    App().settings.Timing = 300;

    flaky.failures = 1;
    dialogs_.answers = {platform::BoxAnswer::Retry};
    EXPECT_TRUE(SaveAllSettings());
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].style, platform::BoxStyle::ErrorRetryCancel);
    IniStore::Instance().Reset();
    vbIniFile ini(dir_.Path("TBQ_Setting.ini"));
    EXPECT_FALSE(ini.GetBool(u"Basic", u"ViewDisplay", true));
    EXPECT_EQ(ini.GetNumber(u"TitleBar", u"Timing", 0), 300);

    // Cancel: the save says it failed, and the file is as it was.
    const std::string before = dir_.ReadBytes("TBQ_Setting.ini");
    App().settings.Timing = 900;
    flaky.failures = 1;
    dialogs_.shown.clear();
    EXPECT_FALSE(SaveAllSettings());
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dir_.ReadBytes("TBQ_Setting.ini"), before);
    EXPECT_EQ(vbIniFile(dir_.Path("TBQ_Setting.ini")).GetNumber(u"TitleBar", u"Timing", 0), 300);
}

TEST_F(SettingsFilesTest, NetworkTimeFallsBackToTheSystemProxy) {
    system_.proxy.server = u"proxy.example:8080";
    system_.proxy.enabled = true;
    NetworkTimeSetting n = LoadNetworkTimeSetting();
    EXPECT_EQ(n.Flag, 7);
    EXPECT_EQ(n.ProxyServer, u"proxy.example:8080");
    EXPECT_EQ(n.Port, 123);
    EXPECT_EQ(n.TimeOut, 5000);
    EXPECT_EQ(n.HttpPort, 80);
    system_.proxy.enabled = false;
    n = LoadNetworkTimeSetting();
    EXPECT_EQ(n.Flag, 3);
    EXPECT_EQ(n.ProxyServer, u"proxy.example:8080");

    dir_.WriteBytes("TBQ_Setting.ini", "[Basic]\r\nTimeServer=old.example\r\n");
    IniStore::Instance().Reset();
    n = LoadNetworkTimeSetting();
    EXPECT_EQ(n.TimeServer, u"old.example");
    n.ProxyServer = u"own:3128";
    n.Flag = 0x1FF & 0xFF;
    SaveNetworkTimeSetting(n);
    NetworkTimeSetting again = LoadNetworkTimeSetting();
    EXPECT_EQ(again.ProxyServer, u"own:3128");
    EXPECT_EQ(again.Flag, 0xFF);
}

}  // namespace
}  // namespace tbq
