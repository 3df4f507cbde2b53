// The diagnostic log and the containment of plug-ins with the real program:
// with the log on, an excluded window, a plug-in that crashes and a save that
// fails each leave their line, and a full file is set aside; without the host
// process a plug-in that takes the program down while loading is switched off
// at the next start, which says so, and with the log off no file is made.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

namespace fs = std::filesystem;
constexpr int kSoon = 15000;
constexpr UINT kSaveCommand = 1003;
constexpr std::size_t kLogLimit = 1024 * 1024;

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class DiagLogEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { folder_ = dir_.Native().wstring() + L"\\"; }
    void AddPlugin(const char* name) {
        fs::create_directories(dir_.Native("Plugins"));
        fs::copy_file(fs::path(OwnFolder()) / "testplugins" / name, dir_.Native("Plugins") / name);
    }
    Process StartTbq() { return Process(L"\"" + folder_ + L"TBQ.exe\"", folder_); }
    // Notepad, then TBQ with its main window hidden, and notepad in front.
    struct Running {
        Process notepadProcess, tbq;
        HWND notepad = nullptr, mainWindow = nullptr;
    };
    bool Start(Running& run) {
        run.notepadProcess = Process(L"notepad.exe", L"");
        run.notepad = WaitForWindowOfProcess(run.notepadProcess.Id(), nullptr, kSoon);
        if (!run.notepad) return false;
        run.tbq = StartTbq();
        run.mainWindow = MainWindowOf(run.tbq, false);
        return run.mainWindow && BringToFront(run.notepad);
    }
    std::string Log() const { return fs::exists(dir_.Native("TBQ_Log.txt")) ? dir_.ReadBytes("TBQ_Log.txt") : ""; }

    test::TempFolder dir_;
    std::wstring folder_;
};

TEST_F(DiagLogEndToEnd, WithTheLogOnAnExcludedWindowACrashingPluginAndAFailedSaveLeaveTheirLines) {
    InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini", "TBQPluginHost.exe"});
    AddPlugin("crash_init.tbqp");
    dir_.WriteBytes("TBQ_Setting.ini", "[Basic]\r\nViewDisplay=0\r\n[Debug]\r\nLog=1\r\n");
    dir_.WriteBytes("TBQ_Window.ini",
                    "[WindowData0001]\r\nTitle=notepad-rule\r\nAction=1\r\nWindowClass=Notepad\r\nFlag=4\r\n"
                    "Enable=1\r\n[WindowData0002]\r\nTitle=\r\n");
    // A log nearly full from earlier runs: the first line of this run sets it aside.
    const std::string earlier(kLogLimit - 40, '.');
    dir_.WriteBytes("TBQ_Log.txt", earlier);
    // A settings file that cannot be written: a folder stands in its place.
    fs::create_directory(dir_.Native("TBQ_DrawBar.ini"));

    Running run;
    ASSERT_TRUE(Start(run)) << run.tbq.Describe();
    Process& tbq = run.tbq;
    const HWND mainWindow = run.mainWindow;
    ASSERT_TRUE(WaitUntil([&] { return Count(Log(), "notepad-rule") == 1; }, kSoon)) << Log();
    Sleep(1500);  // a few ticks more with the same window in front

    PostMessageW(mainWindow, WM_COMMAND, kSaveCommand, 0);
    HWND box = WaitForBoxTitled(tbq.Id(), L"Lunetta - 設定保存エラー", mainWindow, kSoon);
    ASSERT_NE(box, nullptr) << tbq.Describe();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    fs::remove(dir_.Native("TBQ_DrawBar.ini"));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));

    EXPECT_EQ(dir_.ReadBytes("TBQ_Log.old.txt"), earlier);
    const std::string log = Log();
    EXPECT_LT(log.size(), kLogLimit);
    for (const char* line : {"Lunettaを起動しました", "設定ファイルを読み込みました: ", "TBQ_Window.ini",
                             "プラグイン「crash_init.tbqp」が異常終了したか応答しないため、無効にしました",
                             "読み込めないため既定値を使います: ", "(Notepad): 除外ルール「notepad-rule」に一致",
                             "設定ファイルを保存できませんでした", "TBQ_DrawBar.ini", "設定ファイルを保存しました",
                             "Lunettaを終了します"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " in\n" << log;
    EXPECT_EQ(Count(log, "notepad-rule"), 1u) << "once per window and reason, not once per tick";
    EXPECT_EQ(log.rfind("20", 0), 0u) << "each line begins with its date";
}

// Wine answers a crash with its crash dialog, which would keep the crashed
// program waiting for a click; the debugger then only writes its report.
void NoCrashDialog() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineDbg", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD zero = 0;
    RegSetValueExW(key, L"ShowCrashDialog", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    RegCloseKey(key);
}

// Without TBQPluginHost.exe plug-ins load into TBQ itself: one that crashes
// in its Init takes TBQ down (with the log off, no log file is made), and the
// next start leaves it switched off, says so once, says that the host is
// missing, and shows the other plug-in's text.
TEST_F(DiagLogEndToEnd, WithoutTheHostAPluginThatTookTbqDownIsOffAtTheNextStart) {
    NoCrashDialog();
    InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    AddPlugin("crash_init.tbqp");
    AddPlugin("good_ansi.tbqp");
    dir_.WriteBytes("TBQ_Setting.ini", "[Basic]\r\nViewDisplay=0\r\n");
    dir_.WriteBytes("TBQ_ViewData.ini",
                    "[ViewData0001]\r\nDataType=PLUGIN\r\nPluginName=crash_init.tbqp\r\nFuncNo=1\r\nSettingNo=1\r\n"
                    "[ViewData0002]\r\nDataType=PLUGIN\r\nPluginName=good_ansi.tbqp\r\nFuncNo=1\r\nSettingNo=5\r\n"
                    "[ViewData0003]\r\nDataType=NONE\r\n");
    {
        Process first = StartTbq();
        DWORD code = 0;
        ASSERT_TRUE(first.WaitExit(30000, &code)) << first.Describe();
        EXPECT_NE(code, 0u);
    }
    EXPECT_EQ(dir_.ReadBytes("TBQ_PluginLoading.txt"), "crash_init.tbqp") << "the plug-in being loaded";
    EXPECT_FALSE(fs::exists(dir_.Native("TBQ_Log.txt"))) << "the log is off";

    dir_.WriteBytes("TBQ_Setting.ini", "[Basic]\r\nViewDisplay=0\r\n[Debug]\r\nLog=1\r\n");
    Running run;
    ASSERT_TRUE(Start(run)) << run.tbq.Describe();
    Process& tbq = run.tbq;
    const HWND notepad = run.notepad, mainWindow = run.mainWindow;
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == L"!crash_init.tbqp時刻テスト 5"; }, kSoon));
    EXPECT_NE(dir_.ReadBytes("TBQ_Setting.ini").find("crash_init.tbqp=0"), std::string::npos)
        << "saved off at once";
    EXPECT_FALSE(fs::exists(dir_.Native("TBQ_PluginLoading.txt")));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    // The balloons' words, as the log keeps them.
    const std::string log = Log();
    EXPECT_EQ(Count(log, "前回、プラグイン「crash_init.tbqp」の読み込み中にLunettaが異常終了したため"), 1u) << log;
    EXPECT_EQ(Count(log, "TBQPluginHost.exe がLunettaと同じフォルダに無い"), 1u) << log;
    EXPECT_NE(log.find("プラグイン「good_ansi.tbqp」を読み込みました"), std::string::npos) << log;
}

}  // namespace
}  // namespace tbq::e2e
