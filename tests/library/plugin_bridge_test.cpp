// The plug-in bridge as callers reach it: the nine exports bound by name from
// TBQ.dll, with the test plug-ins of bin/testplugins/. Well-behaved plug-ins
// give their texts (ANSI in the run's code page, UTF-16), every handle and the
// window travel with all their bits, and files that are no plug-in are refused
// without staying loaded.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "library/library_harness.h"

namespace tbq::test {
namespace {

template <typename Proc>
Proc Bind(HMODULE module, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct Bridge {
    HMODULE module = LoadLibraryW(L"TBQ.dll");
    TBQ_PluginInitBridgeProc Init = Bind<TBQ_PluginInitBridgeProc>(module, "PluginInit");
    TBQ_PluginFreeBridgeProc Free = Bind<TBQ_PluginFreeBridgeProc>(module, "PluginFree");
    TBQ_PluginGetInfoBridgeProc GetInfo = Bind<TBQ_PluginGetInfoBridgeProc>(module, "PluginGetInfo");
    TBQ_PluginGetFuncInfoBridgeProc GetFuncInfo =
        Bind<TBQ_PluginGetFuncInfoBridgeProc>(module, "PluginGetFuncInfo");
    TBQ_PluginGetFuncSettingNameBridgeProc GetFuncSettingName =
        Bind<TBQ_PluginGetFuncSettingNameBridgeProc>(module, "PluginGetFuncSettingName");
    TBQ_PluginGetFuncProcBridgeProc GetFuncProc =
        Bind<TBQ_PluginGetFuncProcBridgeProc>(module, "PluginGetFuncProc");
    TBQ_PluginGetTextBridgeProc GetText = Bind<TBQ_PluginGetTextBridgeProc>(module, "PluginGetText");
    TBQ_PluginShowAboutBridgeProc ShowAbout =
        Bind<TBQ_PluginShowAboutBridgeProc>(module, "PluginShowAbout");
    TBQ_PluginShowSettingBridgeProc ShowSetting =
        Bind<TBQ_PluginShowSettingBridgeProc>(module, "PluginShowSetting");
    ~Bridge() {
        if (module) FreeLibrary(module);
    }
    bool Complete() const {
        return Init && Free && GetInfo && GetFuncInfo && GetFuncSettingName && GetFuncProc &&
               GetText && ShowAbout && ShowSetting;
    }

    // The two-call protocol with a buffer of `spare` extra units, bytes back.
    std::string Text(TBQ_PluginGetTextProc proc, int func, int setting, HWND window, bool utf16) {
        const int32_t n = GetText(proc, func, setting, window, nullptr, 0, 0);
        if (n < 0 || n > 65535) return {};
        const std::size_t unit = utf16 ? 2 : 1;
        std::string buffer((static_cast<std::size_t>(n) + 3) * unit, '\0');
        GetText(proc, func, setting, window, buffer.data(), n + 1, 0);
        return buffer.substr(0, static_cast<std::size_t>(n) * unit);
    }
};

std::wstring PluginFolder() {
    std::wstring self = SelfPath();
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"testplugins\\";
}
std::string PluginPath(const std::wstring& name) { return ToAnsi(PluginFolder() + name); }

TEST(PluginBridgeTest, GoodPluginsGiveTheirRecordsAndTexts) {
    Bridge b;
    ASSERT_TRUE(b.Complete()) << "TBQ.dll lacks a bridge export";
    HMODULE ansi = b.Init(PluginPath(L"good_ansi.tbqp").c_str());
    ASSERT_NE(ansi, nullptr);
    auto calls = Bind<int32_t(WINAPI*)()>(ansi, "TestCalls");
    ASSERT_TRUE(calls);
    EXPECT_EQ(calls(), 100) << "Init runs once, right after loading";

    TBQ_PluginInfo info;
    std::memset(&info, 0x55, sizeof info);
    b.GetInfo(ansi, &info);
    EXPECT_STREQ(info.Name, "Test plug-in");
    EXPECT_EQ(info.FuncNum, 2);
    EXPECT_EQ(info.Flags, TBQ_PLUGIN_HAS_SETTINGS | TBQ_PLUGIN_HAS_ABOUT);
    EXPECT_EQ(info.Mail[0], '\0') << "the record is zeroed before the plug-in fills it";
    TBQ_PluginFuncInfo func{};
    b.GetFuncInfo(ansi, 2, &func);
    EXPECT_STREQ(func.Name, "func 2");
    EXPECT_EQ(func.SettingNum, 3);
    char setting[256];
    b.GetFuncSettingName(ansi, 1, 3, setting, sizeof setting);
    EXPECT_STREQ(setting, "setting 1-3");
    EXPECT_EQ(b.ShowAbout(ansi, nullptr), 1);
    EXPECT_EQ(b.ShowSetting(ansi, 0, 0, nullptr), 1);

    TBQ_PluginGetTextProc proc = b.GetFuncProc(ansi);
    ASSERT_TRUE(proc);
    // The Japanese text in the run's code page (question marks under 1252).
    EXPECT_EQ(b.Text(proc, 1, 2, nullptr, false), ToAnsi(L"時刻テスト 2"));
    // A window handle with bits above the lowest 32 reaches the plug-in whole.
    const HWND wide = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x123456789AULL));
    EXPECT_EQ(b.Text(proc, 2, 0, wide, false), sizeof(void*) == 8 ? "window 123456789a" : "window 3456789a");

    HMODULE utf16 = b.Init(PluginPath(L"good_utf16.tbqp").c_str());
    ASSERT_NE(utf16, nullptr);
    const std::string units = b.Text(b.GetFuncProc(utf16), 1, 1, nullptr, true);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(units.data()), units.size() / 2),
              L"時刻テスト 1 \U0001F600");

    EXPECT_EQ(b.Free(ansi), 1);
    EXPECT_EQ(b.Free(utf16), 1);
    // Gone: the kept address and handle are refused instead of called.
    EXPECT_EQ(b.GetText(proc, 1, 1, nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(b.GetInfo(ansi, &info), 0);
    EXPECT_EQ(b.Free(ansi), 0);
    EXPECT_EQ(GetModuleHandleW((PluginFolder() + L"good_ansi.tbqp").c_str()), nullptr);
}

TEST(PluginBridgeTest, FilesThatAreNoPluginAreRefusedAndNotKept) {
    Bridge b;
    ASSERT_TRUE(b.Complete());
    const std::wstring self = SelfPath();
    const std::wstring refused[] = {
        PluginFolder() + L"missing_export.tbqp",  // ShowSetting is not there
        PluginFolder() + L"not_a_library.tbqp",
        PluginFolder() + L"no_such_file.tbqp",
        L"testplugins\\good_ansi.tbqp",            // not a full path
        L"good_ansi.tbqp",
    };
    for (const std::wstring& path : refused) {
        SCOPED_TRACE(ToAnsi(path));
        EXPECT_EQ(b.Init(ToAnsi(path).c_str()), nullptr);
        EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr) << "left loaded";
    }
    EXPECT_EQ(b.Init(nullptr), nullptr);
    // Handles the bridge never gave are not called through.
    TBQ_PluginInfo info{};
    EXPECT_EQ(b.GetInfo(b.module, &info), 0);
    EXPECT_EQ(b.GetFuncProc(b.module), nullptr);
    EXPECT_EQ(b.Free(nullptr), 0);
}

TEST(PluginBridgeTest, DependenciesComeFromThePluginsOwnFolder) {
    Bridge b;
    ASSERT_TRUE(b.Complete());
    // The library the plug-in needs is only beside it; the current directory
    // is elsewhere and stays where it is.
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(L"C:\\");
    HMODULE p = b.Init(PluginPath(L"deps\\depends.tbqp").c_str());
    wchar_t during[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, during);
    EXPECT_STREQ(during, L"C:\\");
    SetCurrentDirectoryW(before);
    ASSERT_NE(p, nullptr) << GetLastError();
    EXPECT_EQ(b.Text(b.GetFuncProc(p), 1, 1, nullptr, false), "dependency 42");
    EXPECT_EQ(b.Free(p), 1);
}

TEST(PluginBridgeTest, MisbehavingLengthsPassThroughTheBridgeUnchanged) {
    // The bridge hands the plug-in's answer back as it is; the program checks it.
    Bridge b;
    ASSERT_TRUE(b.Complete());
    struct Case {
        const wchar_t* file;
        int32_t length;
    };
    for (const Case& c : {Case{L"length_negative.tbqp", -1}, Case{L"length_huge.tbqp", 0x7FFFFFFF},
                          Case{L"length_larger.tbqp", 100}}) {
        SCOPED_TRACE(ToAnsi(c.file));
        HMODULE p = b.Init(PluginPath(c.file).c_str());
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(b.GetText(b.GetFuncProc(p), 1, 1, nullptr, nullptr, 0, 0), c.length);
        // A size without a buffer is told to the plug-in as 0.
        EXPECT_EQ(b.GetText(b.GetFuncProc(p), 1, 1, nullptr, nullptr, 50, 0), c.length);
        b.Free(p);
    }
}

}  // namespace
}  // namespace tbq::test
