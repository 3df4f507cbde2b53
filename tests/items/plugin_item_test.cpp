// The plug-in text item over a fake bridge: missing, disabled and failed
// plug-ins show by name, a rescan binds items again, and no item ever reaches
// a plug-in that was unloaded.
#include <gtest/gtest.h>

#include "fakes/plugin_folder.h"
#include "items/view_plugin.h"
#include "settings/ini_file.h"

namespace tbq {
namespace {

using PluginItemTest = test::PluginFolderTest;

TEST_F(PluginItemTest, ItemsShowMissingDisabledAndFailedPluginsByName) {
    vbKerova_View_Plugin item;
    item.SetPluginFunc(u"x.tbqp", 1, 1);
    std::vector<const vbKerova_Plugin*> failures;
    registry_.OnFailure = [&](const vbKerova_Plugin& p) { failures.push_back(&p); };
    struct Step {
        const char* what;
        std::function<void()> act;
        const char16_t* text;
    };
    const Step steps[] = {
        {"missing", [&] { Scan(false); }, u"!x.tbqp"},
        {"installed, then a rescan", [&] { AddFile("x.tbqp"); Scan(true); }, u"text of x.tbqp"},
        // The fake bridge throws when an unloaded plug-in's text function is called.
        {"rescanned again: a new object", [&] { Scan(true); }, u"text of x.tbqp"},
        {"disabled", [&] { registry_.Find(u"x.tbqp")->SetEnable(false); }, u"!x.tbqp"},
        {"enabled", [&] { registry_.Find(u"x.tbqp")->SetEnable(true); }, u"text of x.tbqp"},
        {"crashes in its text function",
         [&] { library_.plugins[PathOf("x.tbqp")].functions[0].fails = true; }, u"!x.tbqp"},
        {"stays off", [] {}, u"!x.tbqp"},
        {"mended and enabled by the user",
         [&] {
             library_.plugins[PathOf("x.tbqp")].functions[0].fails = false;
             registry_.Find(u"x.tbqp")->SetEnable(true);
         },
         u"text of x.tbqp"},
        {"removed, then a rescan", [&] { RemoveFile("x.tbqp"); Scan(true); }, u"!x.tbqp"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(item.Text(), s.text);
    }
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_TRUE(library_.loadedPlugins.empty());
    EXPECT_EQ(item.PluginName(), u"プラグインが読み込めません");
    EXPECT_EQ(item.FuncName(), u"(N/A)");
}

TEST_F(PluginItemTest, ItemInformationAndItsRecord) {
    auto& p = AddFile("info.tbqp");
    p.functions.push_back({"", "", 0, 2, "", {}, false});
    Scan(false);
    const Text list = dir_.Path("list.ini");
    vbIniFile(list).SetText(u"ViewData0001", u"PluginName", u"info.tbqp");
    vbIniFile(list).SetNumber(u"ViewData0001", u"FuncNo", 2);
    vbIniFile(list).SetNumber(u"ViewData0001", u"SettingNo", 1);
    vbKerova_View_Plugin item;
    item.LoadSetting(list, u"ViewData0001");
    EXPECT_EQ(item.PluginName(), u"Name of info.tbqp");
    EXPECT_EQ(item.PluginFuncNum(), 2);
    EXPECT_EQ(item.FuncName(), u"機能名無し");
    EXPECT_EQ(item.FuncSettingName(), u"設定名無し");
    EXPECT_EQ(item.Text(), u"");
    item.SaveSetting(list, u"ViewData0002");
    EXPECT_EQ(vbIniFile(list).GetText(u"ViewData0002", u"PluginName", u""), u"info.tbqp");
    EXPECT_EQ(vbIniFile(list).GetNumber(u"ViewData0002", u"FuncNo", 0), 2);
    EXPECT_EQ(vbIniFile(list).GetNumber(u"ViewData0002", u"SettingNo", 0), 1);
}

}  // namespace
}  // namespace tbq
