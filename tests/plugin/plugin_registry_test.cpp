// The plug-in registry over a fake bridge: which files it lists and in what
// order, the enabled states it reads, keeps and saves, rescans, and plug-in
// text items that must never reach an unloaded plug-in.
#include <gtest/gtest.h>

#include <fstream>

#include "fakes/plugin_folder.h"
#include "platform/ports.h"
#include "plugin/plugin_registry.h"
#include "settings/ini_file.h"
#include "settings/ini_store.h"

namespace tbq {
namespace {

using PluginRegistryTest = test::PluginFolderTest;

TEST_F(PluginRegistryTest, ListsPluginFilesInNameOrderWithTheirStates) {
    AddFile("b.TBQP");
    AddFile("A.tbqp");
    AddFile("readme.txt");
    AddFile("broken.tbqp", false);  // fails to load while enabled: left out
    AddFile("off.tbqp");
    AddFile("c.tbqp.bak");
    vbIniFile(SettingFile()).SetBool(kPluginEnableSection, u"off.tbqp", false);
    Scan(false);

    EXPECT_EQ(Listed(), (std::vector<std::string>{"A.tbqp", "b.TBQP", "off.tbqp (off)"}));
    EXPECT_EQ(library_.bridgeCalls,
              (std::vector<std::string>{"init " + PathOf("A.tbqp"), "init " + PathOf("b.TBQP"),
                                        "init " + PathOf("broken.tbqp")}));

    auto on = registry_.Find(u"a.TBQP");
    ASSERT_TRUE(on);
    EXPECT_EQ(on->PluginInfoStr(0), u"Name of A.tbqp");
    EXPECT_EQ(on->FuncNum(), 1);
    EXPECT_EQ(on->PluginFuncInfoStr(1, 1), u"the time");
    EXPECT_EQ(on->PluginFuncInfoStr(2, 0), u"");
    EXPECT_EQ(on->PluginFuncSettingName(1, 2), u"setting 1-2");
    EXPECT_EQ(on->PluginFuncSettingName(1, 3), u"");
    EXPECT_EQ(on->PluginGetText(0, 1, 1), u"text of A.tbqp");

    auto off = registry_.Find(u"off.tbqp");
    ASSERT_TRUE(off);
    const std::size_t calls = library_.bridgeCalls.size();
    EXPECT_EQ(off->PluginInfoStr(0), u"off.tbqp");
    EXPECT_EQ(off->PluginInfoStr(2), u"ロードされていないプラグイン");
    EXPECT_EQ(off->PluginInfoStr(3), u"");
    EXPECT_EQ(off->PluginFuncInfoStr(3, 0), u"off.tbqp-3");
    EXPECT_EQ(off->PluginFuncSettingName(3, 4), u"off.tbqp-3-4");
    EXPECT_FALSE(off->PluginIsFlag(0));
    EXPECT_EQ(off->PluginGetText(0, 1, 1), u"");
    EXPECT_EQ(library_.bridgeCalls.size(), calls) << "a disabled plug-in is never called";

    // No folder at all: an empty registry, and no call.
    std::filesystem::remove_all(dir_.Native("Plugins"));
    Scan(false);
    EXPECT_TRUE(registry_.Plugins().empty());
    EXPECT_TRUE(library_.loadedPlugins.empty());
}

TEST_F(PluginRegistryTest, RescanKeepsKnownStatesAndSavesEveryEntry) {
    AddFile("a.tbqp");
    AddFile("b.tbqp");
    AddFile("gone.tbqp");
    Scan(false);
    registry_.Find(u"a.tbqp")->SetEnable(false);
    // The file says otherwise, but was not saved since: the object's state wins.
    vbIniFile(SettingFile()).SetBool(kPluginEnableSection, u"a.tbqp", true);
    vbIniFile(SettingFile()).SetBool(kPluginEnableSection, u"new.tbqp", false);
    AddFile("new.tbqp");
    AddFile("fresh.tbqp");
    RemoveFile("gone.tbqp");
    library_.bridgeCalls.clear();
    int rebinds = 0;
    registry_.OnRebind = [&] { ++rebinds; };
    Scan(true);

    EXPECT_EQ(Listed(), (std::vector<std::string>{"a.tbqp (off)", "b.tbqp", "fresh.tbqp",
                                                  "new.tbqp (off)"}));
    EXPECT_EQ(rebinds, 1);
    // b is unloaded before it is loaded again; the vanished file is unloaded too.
    EXPECT_EQ(library_.bridgeCalls,
              (std::vector<std::string>{"free b.tbqp", "init " + PathOf("b.tbqp"),
                                        "init " + PathOf("fresh.tbqp"), "free gone.tbqp"}));
    EXPECT_EQ(library_.loadedPlugins.size(), 2u);

    EXPECT_EQ(SavedStates({"a.tbqp", "b.tbqp", "fresh.tbqp", "new.tbqp"}),
              (std::vector<std::string>{"a.tbqp=0", "b.tbqp=1", "fresh.tbqp=1", "new.tbqp=0"}));

    registry_.Clear();
    EXPECT_TRUE(library_.loadedPlugins.empty());
}

// A plug-in that crashes or hangs while it loads is treated as one that fails
// in a text call: listed switched off, reported, saved off, and not loaded at
// the next start; switching it on again from the module list reports again.
TEST_F(PluginRegistryTest, APluginThatFailsWhileLoadingIsSwitchedOffReportedAndSaved) {
    AddFile("a.tbqp").initFails = true;
    AddFile("b.tbqp").infoFails = true;
    AddFile("broken.tbqp", false);  // no plug-in at all: still left out
    AddFile("good.tbqp");
    std::vector<std::string> failures;
    registry_.OnFailure = [&](const vbKerova_Plugin& p) { failures.push_back(TextToUtf8(p.PluginFileName())); };
    Scan(false);

    EXPECT_EQ(Listed(), (std::vector<std::string>{"a.tbqp (off)", "b.tbqp (off)", "good.tbqp"}));
    EXPECT_EQ(failures, (std::vector<std::string>{"a.tbqp", "b.tbqp"}));
    EXPECT_TRUE(registry_.Find(u"a.tbqp")->Failed());
    EXPECT_EQ(registry_.Find(u"b.tbqp")->FuncNum(), 0);
    EXPECT_EQ(library_.loadedPlugins.size(), 1u) << "the one that failed answering is freed";

    EXPECT_EQ(SavedStates({"a.tbqp", "b.tbqp", "good.tbqp"}),
              (std::vector<std::string>{"a.tbqp=0", "b.tbqp=0", "good.tbqp=1"}));

    // The next start reads the saved states and loads neither again.
    library_.bridgeCalls.clear();
    failures.clear();
    Scan(false);
    EXPECT_EQ(library_.bridgeCalls, (std::vector<std::string>{"free good.tbqp", "init " + PathOf("broken.tbqp"),
                                                              "init " + PathOf("good.tbqp")}));
    EXPECT_TRUE(failures.empty());

    // The module list switches it on: it fails again and says so again.
    auto a = registry_.Find(u"a.tbqp");
    EXPECT_FALSE(registry_.SetEnabled(a, true));
    EXPECT_EQ(failures, (std::vector<std::string>{"a.tbqp"}));
    EXPECT_TRUE(a->Failed());
    // Mended, it loads; switched off, it is unloaded.
    library_.plugins[PathOf("a.tbqp")].initFails = false;
    EXPECT_TRUE(registry_.SetEnabled(a, true));
    EXPECT_FALSE(a->Failed());
    EXPECT_EQ(a->PluginGetText(0, 1, 1), u"text of a.tbqp");
    EXPECT_FALSE(registry_.SetEnabled(a, false));
    EXPECT_EQ(library_.loadedPlugins.size(), 1u);
    // An object a rescan replaced is never loaded beside its successor.
    Scan(true);
    library_.bridgeCalls.clear();
    EXPECT_FALSE(registry_.SetEnabled(a, true));
    EXPECT_TRUE(library_.bridgeCalls.empty());
}

// Two plug-ins that fail at the same start are both told, one balloon after
// the other, each in the words the user knows.
TEST_F(PluginRegistryTest, TwoPluginsFailingTogetherAreBothReported) {
    AddFile("a.tbqp").initFails = true;
    AddFile("b.tbqp").functions[0].fails = true;
    BalloonQueue balloons;
    registry_.OnFailure = [&](const vbKerova_Plugin& p) { balloons.Push(SwitchedOffBalloon(p)); };
    Scan(false);
    EXPECT_EQ(registry_.Find(u"b.tbqp")->PluginGetText(0, 1, 1), u"");
    library_.trayCalls.clear();
    vbKerova_Dll dll(library_, {});
    for (std::uint32_t now = 0; balloons.Pump(dll, now); now += 500) {
    }
    // As the library gets it: through the code page of the run.
    const auto text = [](const char16_t* file) {
        return platform::codepage().FromAnsi(platform::codepage().ToAnsi(
            u"プラグイン「" + Text(file) + u"」が応答しないか異常終了したため、無効にしました。\r\n"
                                          u"設定画面のプラグイン一覧で再び有効にできます。"));
    };
    EXPECT_EQ(library_.BalloonTexts(), (std::vector<Text>{text(u"a.tbqp"), text(u"b.tbqp")}));
}


// Without the host process plug-ins load into the program itself. While one
// loads, the marker beside the program names it, so that one which took the
// program down is known at the next start: switched off, saved so at once,
// and told once, as is the missing host process.
TEST_F(PluginRegistryTest, InProcessLoadsAreMarkedAndOneThatTookTheProgramDownStaysOff) {
    library_.contained = false;
    AddFile("a.tbqp");
    AddFile("b.tbqp");
    const std::string marker = TextToUtf8(Text(kPluginLoadingMarker));
    std::vector<std::string> marked;
    library_.duringInit = [&] {
        marked.push_back(std::filesystem::exists(dir_.Native(marker)) ? dir_.ReadBytes(marker) : "-");
    };
    std::vector<Text> notices;
    registry_.OnNotice = [&](const Balloon& b) { notices.push_back(b.text); };
    dir_.WriteBytes("TBQ_Setting.ini", "[Plugin_Enable]\r\nb.tbqp=1\r\n");
    Scan(false);
    EXPECT_EQ(marked, (std::vector<std::string>{"a.tbqp", "b.tbqp"}));
    EXPECT_FALSE(std::filesystem::exists(dir_.Native(marker))) << "cleared when each load returned";
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find(u"TBQPluginHost.exe"), Text::npos);

    // The process went down while b.tbqp loaded: its marker is still there.
    dir_.WriteBytes(marker, "b.tbqp");
    marked.clear();
    notices.clear();
    Scan(false);
    EXPECT_EQ(marked, (std::vector<std::string>{"a.tbqp"})) << "b.tbqp is not loaded again";
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a.tbqp", "b.tbqp (off)"}));
    EXPECT_TRUE(registry_.Find(u"b.tbqp")->Failed());
    ASSERT_EQ(notices.size(), 1u) << "the missing host process is told once a run";
    EXPECT_NE(notices[0].find(u"「b.tbqp」の読み込み中にLunettaが異常終了した"), Text::npos);
    EXPECT_FALSE(std::filesystem::exists(dir_.Native(marker)));
    EXPECT_NE(dir_.ReadBytes("TBQ_Setting.ini").find("b.tbqp=0"), std::string::npos)
        << "saved off before anything else can go wrong";

    // In host processes nothing can take the program down: nothing is marked.
    library_.contained = true;
    marked.clear();
    Scan(false);
    EXPECT_EQ(marked, (std::vector<std::string>{"-"}));
}

}  // namespace
}  // namespace tbq
