// The registry over the real library port and every test plug-in, once with
// the plug-ins in this process (through TBQ.dll's bridge) and once each in a
// host process of its own (TBQPluginHost.exe): the good ones give their texts,
// every bad one is refused, read within bounds, or contained, and this process
// keeps running. Only the hosted run meets the plug-ins that crash and hang.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>

#include "fakes/temp_folder.h"
#include "platform/ports.h"
#include "platform/win32/library_win32.h"
#include "plugin/plugin_registry.h"

namespace tbq {
namespace {

namespace fs = std::filesystem;

fs::path Bin() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

Text AsText(const fs::path& p) {
    const std::u16string s = p.u16string();
    return Text(s.begin(), s.end());
}

// A text as it comes back through the ANSI code page of this run.
Text ThroughCodePage(const Text& t) {
    return platform::codepage().FromAnsi(platform::codepage().ToAnsi(t));
}

class PluginRegistryWinTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        const fs::path plugins = dir_.Native("Plugins");
        fs::create_directory(plugins);
        for (const auto& e : fs::directory_iterator(Bin() / "testplugins")) {
            if (e.is_regular_file()) fs::copy_file(e.path(), plugins / e.path().filename());
        }
        // The plug-in that needs a library, with that library beside it.
        fs::copy_file(Bin() / "testplugins" / "deps" / "depends.tbqp", plugins / "depends.tbqp");
        fs::copy_file(Bin() / "testplugins" / "deps" / "tbqdep.dll", plugins / "tbqdep.dll");
        if (!Hosted()) {
            fs::remove(plugins / "crash.tbqp");
            fs::remove(plugins / "crash_init.tbqp");
            fs::remove(plugins / "hang.tbqp");
        }
    }
    bool Hosted() const { return GetParam(); }

    test::TempFolder dir_;
};

TEST_P(PluginRegistryWinTest, EveryTestPluginIsServedRefusedOrContained) {
    platform::Win32Library library(AsText(Bin() / "TBQ.dll"),
                                   Hosted() ? AsText(Bin() / "TBQPluginHost.exe") : Text());
    PluginRegistry registry(library);
    std::vector<Text> failed;
    registry.OnFailure = [&](const vbKerova_Plugin& p) { failed.push_back(p.PluginFileName()); };
    registry.Scan(dir_.Path() + u"\\", dir_.Path("TBQ_Setting.ini"), false);

    std::vector<Text> listed;
    for (const auto& p : registry.Plugins()) listed.push_back(p->PluginFileName() + (p->Enable() ? u"" : u" (off)"));
    std::vector<Text> expected = {u"ansi_as_utf16.tbqp", u"count_huge.tbqp", u"count_negative.tbqp",
                                  u"depends.tbqp", u"good_ansi.tbqp", u"good_utf16.tbqp",
                                  u"length_huge.tbqp", u"length_larger.tbqp", u"length_negative.tbqp",
                                  u"program_url.tbqp", u"unterminated.tbqp", u"utf16_as_ansi.tbqp"};
    if (Hosted()) {
        expected.insert(expected.begin() + 3, {u"crash.tbqp", u"crash_init.tbqp (off)"});
        expected.insert(expected.begin() + 8, u"hang.tbqp");
    }
    EXPECT_EQ(listed, expected) << "missing_export and not_a_library are never listed";

    const Text japanese = ThroughCodePage(u"時刻テスト 2");
    struct Case {
        const char16_t* file;
        Text text;
        bool fails;
    };
    const Case cases[] = {
        {u"good_ansi.tbqp", japanese, false},
        {u"good_utf16.tbqp", u"時刻テスト 2 \U0001F600", false},
        {u"depends.tbqp", u"dependency 42", false},
        {u"length_negative.tbqp", u"", false},
        {u"length_huge.tbqp", u"", false},
        {u"length_larger.tbqp", u"short", false},
        {u"utf16_as_ansi.tbqp", u"w", false},
        {u"ansi_as_utf16.tbqp", u"\u616E\u7272\u776F", false},
        {u"unterminated.tbqp", japanese, false},
        {u"count_negative.tbqp", japanese, false},
        {u"count_huge.tbqp", japanese, false},
        {u"program_url.tbqp", japanese, false},
        {u"crash.tbqp", u"", true},
        {u"hang.tbqp", u"", true},
    };
    for (const Case& c : cases) {
        auto p = registry.Find(c.file);
        if (!p) continue;  // the in-process run has no crash or hang
        SCOPED_TRACE(TextToUtf8(c.file));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(p->PluginGetText(0, 1, 2), c.text);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_EQ(p->Failed(), c.fails);
        EXPECT_EQ(p->Enable(), !c.fails);
    }
    // The one that crashes in its Init is told at the scan, the others at their first text.
    const std::vector<Text> expectedFailures =
        Hosted() ? std::vector<Text>{u"crash_init.tbqp", u"crash.tbqp", u"hang.tbqp"} : std::vector<Text>{};
    EXPECT_EQ(failed, expectedFailures);

    auto counts = [&](const char16_t* file) { return registry.Find(file)->FuncNum(); };
    EXPECT_EQ(counts(u"count_negative.tbqp"), 0);
    EXPECT_EQ(counts(u"count_huge.tbqp"), 256);
    auto bad = registry.Find(u"unterminated.tbqp");
    EXPECT_EQ(bad->PluginInfoStr(0), Text(32, u'Z'));
    EXPECT_EQ(bad->PluginInfoStr(5).size(), 256u);
    EXPECT_EQ(bad->PluginFuncInfoStr(1, 0), Text(32, u'Y'));
    EXPECT_EQ(bad->PluginFuncSettingName(1, 1), Text(255, u'X'));
    auto good = registry.Find(u"good_ansi.tbqp");
    EXPECT_EQ(good->PluginFuncSettingName(2, 3), u"setting 2-3");
    EXPECT_EQ(good->PluginFuncInfoStr(2, 1), u"the window");
    // The window handle reaches the plug-in as the program holds it.
    EXPECT_EQ(good->PluginGetText(0x2A0F12, 2, 0), u"window 2a0f12");

    // A failed plug-in comes back when the user enables it again.
    if (Hosted()) {
        auto crash = registry.Find(u"crash.tbqp");
        crash->SetEnable(true);
        EXPECT_TRUE(crash->Enable());
        EXPECT_EQ(crash->PluginGetText(0, 2, 0), u"window 0");
        EXPECT_EQ(crash->PluginGetText(0, 1, 0), u"");
        EXPECT_FALSE(crash->Enable());
        // One that crashes while loading stays off when switched on, and says so again.
        auto crashInit = registry.Find(u"crash_init.tbqp");
        ASSERT_TRUE(crashInit);
        EXPECT_TRUE(crashInit->Failed());
        failed.clear();
        EXPECT_FALSE(registry.SetEnabled(crashInit, true));
        EXPECT_TRUE(crashInit->Failed());
        EXPECT_EQ(failed, std::vector<Text>{u"crash_init.tbqp"});
    }
    registry.Clear();
}

// The port tells a plug-in that crashed while loading (to be switched off and
// saved so) from a file that is refused, and from a host that could not even
// start its bridge, which says nothing about the plug-in.
TEST(PluginHostsWin, ALoadThatFailsIsToldFromARefusedFile) {
    test::TempFolder dir;
    fs::create_directory(dir.Native("bare"));
    fs::copy_file(Bin() / "TBQPluginHost.exe", dir.Native("bare") / "TBQPluginHost.exe");
    for (const char* f : {"good_ansi.tbqp", "crash_init.tbqp", "not_a_library.tbqp"})
        fs::copy_file(Bin() / "testplugins" / f, dir.Native(f));
    const Text dll = AsText(Bin() / "TBQ.dll");
    platform::Win32Library hosted(dll, AsText(Bin() / "TBQPluginHost.exe"));
    platform::Win32Library withoutBridge(dll, AsText(dir.Native("bare") / "TBQPluginHost.exe"));
    struct Case {
        platform::Win32Library* library;
        const char* file;
        bool loaded, failed;
    } cases[] = {
        {&hosted, "good_ansi.tbqp", true, false},
        {&hosted, "crash_init.tbqp", false, true},
        {&hosted, "not_a_library.tbqp", false, false},
        {&withoutBridge, "good_ansi.tbqp", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.library == &hosted ? "" : " without TBQ.dll"));
        const platform::PluginLoad load = c.library->PluginInit(platform::codepage().ToAnsi(dir.Path(c.file)));
        EXPECT_EQ(load.handle != 0, c.loaded);
        EXPECT_EQ(load.failed, c.failed);
        if (load.handle) c.library->PluginFree(load.handle);
    }
}

INSTANTIATE_TEST_SUITE_P(InProcessAndHosted, PluginRegistryWinTest, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "Hosted" : "InProcess"; });

}  // namespace
}  // namespace tbq
