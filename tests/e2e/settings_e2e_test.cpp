// The settings window driven through its own controls from outside, as a
// user does: its pages, check boxes that act at once on notepad's title, list
// commands with the delete question, the save and the copy command.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 20000;
constexpr UINT kSaveCommand = 1003;
constexpr UINT kCopyEnabledItems = 1012;

// Clicks a button or check box as the mouse does, so that its handler runs.
void Click(HWND dlg, int id) { PostMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

// Selects a line of a list view with the keyboard's Home or End.
void SelectEnd(HWND dlg, bool last) {
    HWND list = GetDlgItem(dlg, IDC_PAGE_LIST);
    const WPARAM key = last ? VK_END : VK_HOME;
    PostMessageW(list, WM_KEYDOWN, key, 0);
    PostMessageW(list, WM_KEYUP, key, 0xC0000000);
}

std::string FileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

// One alarm that never runs by itself (switched off), named `name`.
std::string Alarm(int n, const char* name) {
    return "[Alarm000" + std::to_string(n) + "]\r\nName=" + name +
           "\r\nMessage=m\r\nTargetYear=-1\r\nTargetMonth=255\r\nTargetDay=127\r\nTargetHour=3\r\n"
           "TargetMinute=0\r\nTargetSecond=0\r\nFlag=0\r\nDayType=1\r\nMessageHour=0\r\n"
           "MessageMinute=1\r\nMessageSecond=0\r\nEnable=0\r\n";
}

// Wine's notepad, then TBQ from `folder` with its settings window.
struct Started {
    Process notepadProcess;
    HWND notepad = nullptr;
    std::wstring ownTitle;
    Process tbq;
    HWND mainWindow = nullptr;
};

bool Start(const std::wstring& folder, Started& run) {
    run.notepadProcess = Process(L"notepad.exe", L"");
    run.notepad = WaitForWindowOfProcess(run.notepadProcess.Id(), nullptr, kSoon);
    if (!run.notepad) return false;
    run.ownTitle = TitleOf(run.notepad);
    run.tbq = Process(L"\"" + folder + L"TBQ.exe\"", folder);
    run.mainWindow = MainWindowOf(run.tbq);
    return run.mainWindow != nullptr;
}

TEST(SettingsWindowEndToEnd, PagesActAtOnceAndListCommandsAreSaved) {
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    // Two fixed texts, "ONE" and "TWO", and two alarms.
    dir.WriteBytes("TBQ_ViewData.ini",
                   "[ViewData0001]\r\nDataType=FIXED\r\nType=Fixed\r\nText=004F004E0045\r\n"
                   "[ViewData0002]\r\nDataType=FIXED\r\nType=Fixed\r\nText=00540057004F\r\n"
                   "[ViewData0003]\r\nDataType=NONE\r\n");
    const std::string alarmFile = Alarm(1, "first") + Alarm(2, "second") + "[Alarm0003]\r\nName=\r\n";
    dir.WriteBytes("TBQ_Alarm.ini", alarmFile);
    const std::wstring folder = dir.Native().wstring() + L"\\";

    Started run;
    ASSERT_TRUE(Start(folder, run));
    const HWND notepad = run.notepad, mainWindow = run.mainWindow;
    Process& tbq = run.tbq;
    const std::wstring ownTitle = run.ownTitle;
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == L"ONETWO"; }, kSoon));

    // Its close box only hides it; the tray menu's 設定画面を開く(&O) shows it again.
    constexpr UINT kShowSettings = 1001;
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(mainWindow); }, kSoon));
    PostMessageW(mainWindow, WM_COMMAND, kShowSettings, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(mainWindow) != FALSE; }, kSoon));
    ASSERT_TRUE(BringToFront(notepad));

    // Every page is there, named by its title, and its key shows it.
    const wchar_t* titles[] = {L"基本動作設定", L"タイトルバー設定", L"独自描画設定", L"表示項目設定",
                               L"アラーム設定", L"ウインドウ個別設定", L"各種情報"};
    for (int i = 0; i < 7; ++i) {
        HWND page = Page(mainWindow, titles[i]);
        ASSERT_NE(page, nullptr) << i;
        ShowPage(mainWindow, i);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(page) != FALSE; }, kSoon)) << i;
    }

    // "ウインドウのタイトルバーに情報を表示する(&1)" gives notepad its title back
    // at once, and brings the text back when ticked again.
    HWND titleBar = Page(mainWindow, L"タイトルバー設定");
    ShowPage(mainWindow, 1);
    EXPECT_EQ(ControlText(GetDlgItem(titleBar, IDC_PAGE_CHECK0)), L"ウインドウのタイトルバーに情報を表示する(&1)");
    ASSERT_TRUE(Checked(titleBar, IDC_PAGE_CHECK0));
    Click(titleBar, IDC_PAGE_CHECK0);
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == ownTitle; }, kSoon));
    Click(titleBar, IDC_PAGE_CHECK0);
    // A click brings the settings window to the front; the user goes back.
    ASSERT_TRUE(WaitUntil([&] { return Checked(titleBar, IDC_PAGE_CHECK0); }, kSoon));
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == L"ONETWO"; }, kSoon));

    // Deleting "ONE" with the question's check box ticked turns the page's
    // delete question off.
    HWND view = Page(mainWindow, L"表示項目設定");
    ShowPage(mainWindow, 3);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(view) != FALSE; }, kSoon));
    ASSERT_TRUE(Checked(view, IDC_PAGE_CHECK0));
    SelectEnd(view, false);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(view, IDC_PAGE_DELETE)) != FALSE; }, kSoon));
    Press(view, IDC_PAGE_DELETE);
    HWND question = WaitForWindowTitled(tbq, L"表示項目の削除");
    ASSERT_NE(question, nullptr);
    EXPECT_NE(ControlText(GetDlgItem(question, IDC_QUESTION_MESSAGE)).find(L"この項目を削除しますか？"),
              std::wstring::npos);
    SendMessageTimeoutW(GetDlgItem(question, IDC_QUESTION_NOMORE), BM_SETCHECK, BST_CHECKED, 0,
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    Press(question, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return WindowsTitled(tbq.Id(), L"表示項目の削除").empty(); }, kSoon));
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == L"TWO"; }, kSoon));
    EXPECT_TRUE(WaitUntil([&] { return !Checked(view, IDC_PAGE_CHECK0); }, kSoon));

    // The last alarm moves up.
    HWND alarms = Page(mainWindow, L"アラーム設定");
    ShowPage(mainWindow, 4);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(alarms) != FALSE; }, kSoon));
    SelectEnd(alarms, true);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(alarms, IDC_PAGE_UP)) != FALSE; }, kSoon));
    Press(alarms, IDC_PAGE_UP);

    // The copy command puts the enabled items' text on the clipboard.
    PostMessageW(mainWindow, WM_COMMAND, kCopyEnabledItems, 0);
    // Read a little later, so the test does not hold the clipboard while TBQ writes it.
    EXPECT_TRUE(WaitUntil(
        [&] {
            Sleep(200);
            return ClipboardText() == L"TWO";
        },
        kSoon));

    // Nothing is written before the save; the save writes what was done.
    EXPECT_EQ(FileText(dir.Native("TBQ_Alarm.ini")), alarmFile);
    PostMessageW(mainWindow, WM_COMMAND, kSaveCommand, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string a = FileText(dir.Native("TBQ_Alarm.ini"));
            return a.find("Name=second") < a.find("Name=first");
        },
        kSoon));
    const std::string settings = FileText(dir.Native("TBQ_Setting.ini"));
    const auto viewSection = settings.find("[View]");
    ASSERT_NE(viewSection, std::string::npos);
    EXPECT_NE(settings.find("DelCheck=0", viewSection), std::string::npos);
    EXPECT_LT(settings.find("DelCheck=0", viewSection), settings.find('[', viewSection + 1));
    // The display lists are written after the alarms.
    EXPECT_TRUE(WaitUntil(
        [&] { return FileText(dir.Native("TBQ_ViewData.ini")).find("004F004E0045") == std::string::npos; },
        kSoon));

    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    EXPECT_EQ(TitleOf(notepad), ownTitle);
}

// How often notepad's title changed within `ms`, polled every 5 ms.
int TitleChanges(HWND w, int ms) {
    int changes = 0;
    std::wstring last = TitleOf(w);
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        Sleep(5);
        const std::wstring now = TitleOf(w);
        if (now != last) ++changes;
        last = now;
    }
    return changes;
}

// Chooses an entry of a page's drop-down list as the user does.
void Choose(HWND page, int id, int index) {
    HWND combo = GetDlgItem(page, id);
    SendMessageTimeoutW(combo, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
void ChoosePreset(HWND page, int index) { Choose(page, IDC_TB_PRESETS, index); }

// The interval presets set the tick at once: a text scrolling one character a
// tick moves about ten times a second at 100 ms and once at 1 s; the page's
// label and the saved setting follow.
TEST(SettingsWindowEndToEnd, AnIntervalPresetChangesTheTickRateAtOnce) {
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    dir.WriteBytes("TBQ_ViewData.ini",
                   "[ViewData0001]\r\nDataType=GROUP\r\nTargetNum=1\r\nStyle=4\r\nTiming=0\r\nStep=1\r\n"
                   "CharLen=4\r\n[ViewData0002]\r\nDataType=FIXED\r\nType=Fixed\r\n"
                   "Text=0041004200430044004500460047004800490030\r\n[ViewData0003]\r\nDataType=NONE\r\n");
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Started run;
    ASSERT_TRUE(Start(folder, run));
    const HWND notepad = run.notepad, mainWindow = run.mainWindow;
    Process& tbq = run.tbq;
    HWND page = Page(mainWindow, L"タイトルバー設定");
    ShowPage(mainWindow, 1);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page) != FALSE; }, kSoon));

    ChoosePreset(page, 0);  // 100 ms
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(page, IDC_TB_INTERVAL_TEXT)) == L"0.1秒"; }, kSoon));
    ASSERT_TRUE(BringToFront(notepad));
    const int fast = TitleChanges(notepad, 2000);
    ChoosePreset(page, 3);  // 1 s
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(page, IDC_TB_INTERVAL_TEXT)) == L"1秒"; }, kSoon));
    ASSERT_TRUE(BringToFront(notepad));
    const int slow = TitleChanges(notepad, 2000);
    EXPECT_GE(fast, 8) << "changes in 2 s at 100 ms";
    EXPECT_LE(slow, 4) << "changes in 2 s at 1 s";

    PostMessageW(mainWindow, WM_COMMAND, kSaveCommand, 0);
    EXPECT_TRUE(WaitUntil([&] { return FileText(dir.Native("TBQ_Setting.ini")).find("Timing=1000") != std::string::npos; },
                          kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
}

// The language chosen on the first page: the pages speak it at once, back and
// forth, and the next start keeps it.
TEST(SettingsWindowEndToEnd, TheLanguageSwitchesAtOnceAndIsKeptAtTheNextStart) {
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Started run;
    ASSERT_TRUE(Start(folder, run));
    HWND basic = Page(run.mainWindow, L"基本動作設定");
    ASSERT_NE(basic, nullptr);
    Choose(basic, IDC_BASIC_LANGUAGE, 2);
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(basic) == L"General"; }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(basic, IDC_PAGE_CHECK0)), L"&Show the settings window at start-up");
    EXPECT_EQ(ControlText(GetDlgItem(basic, IDC_BASIC_TIMESYNC)), L"Set the c&lock...");
    EXPECT_NE(Page(run.mainWindow, L"Alarms"), nullptr);
    Choose(basic, IDC_BASIC_LANGUAGE, 1);
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(basic) == L"基本動作設定"; }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(basic, IDC_PAGE_CHECK0)), L"起動時に設定画面を表示する(&1)");
    EXPECT_NE(Page(run.mainWindow, L"アラーム設定"), nullptr);
    Choose(basic, IDC_BASIC_LANGUAGE, 2);
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(basic) == L"General"; }, kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(run.tbq, run.mainWindow));
    EXPECT_NE(FileText(dir.Native("TBQ_Setting.ini")).find("Language=2"), std::string::npos);

    Process again(L"\"" + folder + L"TBQ.exe\"", folder);
    HWND main = MainWindowOf(again);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return Page(main, L"General") != nullptr; }, kSoon)) << "kept at the next start";
    ASSERT_TRUE(QuitTbqThroughMenu(again, main));
}

// The module list: unticking a plug-in unloads it (its item shows the mark of
// a missing plug-in), ticking loads it again; its web and mail buttons refuse
// addresses that are programs.
TEST(SettingsWindowEndToEnd, PluginsUnloadAndLoadFromTheModuleListAndProgramsAreNeverOpened) {
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini", "TBQPluginHost.exe"});
    std::filesystem::create_directory(dir.Native("Plugins"));
    std::filesystem::copy_file(std::filesystem::path(OwnFolder()) / "testplugins" / "program_url.tbqp",
                               dir.Native("Plugins") / "program_url.tbqp");
    dir.WriteBytes("TBQ_ViewData.ini",
                   "[ViewData0001]\r\nDataType=PLUGIN\r\nPluginName=program_url.tbqp\r\nFuncNo=1\r\nSettingNo=1\r\n"
                   "[ViewData0002]\r\nDataType=NONE\r\n");
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Started run;
    ASSERT_TRUE(Start(folder, run));
    const HWND notepad = run.notepad, mainWindow = run.mainWindow;
    Process& tbq = run.tbq;
    const std::wstring missing = L"!program_url.tbqp";
    ASSERT_TRUE(BringToFront(notepad));
    ASSERT_TRUE(WaitUntil([&] { return !TitleOf(notepad).empty() && TitleOf(notepad) != missing; }, kSoon));

    HWND info = Page(mainWindow, L"各種情報");
    ShowPage(mainWindow, 6);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(info) != FALSE; }, kSoon));
    HWND list = GetDlgItem(info, IDC_PAGE_LIST);
    // The program, the library, then the plug-in.
    EXPECT_EQ(ListLineText(list, 0).rfind(L"Lunetta", 0), 0u);
    ASSERT_EQ(ListLineText(list, 2).rfind(L"Test plug-in", 0), 0u) << "line: " << std::string(ListLineText(list, 2).begin(), ListLineText(list, 2).end());

    ASSERT_TRUE(SetListCheck(list, 2, false));
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == missing; }, kSoon));
    ASSERT_TRUE(SetListCheck(list, 2, true));
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) != missing && !TitleOf(notepad).empty(); }, kSoon));

    // Its web site is a program's path, its mail a command: both are refused.
    ASSERT_TRUE(SelectListLine(list, 2));
    for (int button : {IDC_INFO_WEB, IDC_INFO_MAIL}) {
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(info, button)) != FALSE; }, kSoon));
        Press(info, button);
        HWND box = WaitForBoxTitled(tbq.Id(), L"Lunetta", mainWindow, kSoon);
        ASSERT_NE(box, nullptr) << button;
        EXPECT_NE(ControlText(GetDlgItem(box, 0xFFFF)).find(L"このアドレスは開けません。"), std::wstring::npos);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    }
    // No second notepad was started.
    Sleep(500);
    int notepads = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"Notepad", nullptr); w; w = FindWindowExW(nullptr, w, L"Notepad", nullptr))
        ++notepads;
    EXPECT_EQ(notepads, 1);
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
}

// The pictures of every page for the README, made by scripts/screenshots at
// the DPI its Wine session is set to; skipped in ordinary test runs.
TEST(SettingsWindowPictures, EveryPage) {
    wchar_t out[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TBQ_PICTURES", out, MAX_PATH)) GTEST_SKIP() << "TBQ_PICTURES is not set";
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    // A clock of the first start's samples in the run's language, and one
    // alarm so that its list shows a line.
    const std::filesystem::path sample = std::filesystem::path(OwnFolder()) / "sample";
    std::filesystem::copy_file(EnglishRun() ? sample / "en" / "world" / "TBQ_ViewData.ini"
                                            : sample / "era" / "TBQ_ViewData.ini",
                               dir.Native("TBQ_ViewData.ini"));
    dir.WriteBytes("TBQ_Alarm.ini", Alarm(1, "tea") + "[Alarm0002]\r\nName=\r\n");
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Process tbq(L"\"" + folder + L"TBQ.exe\"", folder);
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    const wchar_t* titles[] = {L"基本動作設定", L"タイトルバー設定", L"独自描画設定", L"表示項目設定",
                               L"アラーム設定", L"ウインドウ個別設定", L"各種情報"};
    for (int i = 0; i < 7; ++i) {
        HWND page = Page(mainWindow, titles[i]);
        ShowPage(mainWindow, i);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page) != FALSE; }, kSoon));
        const std::filesystem::path file = std::filesystem::path(out) / ("page" + std::to_string(i) + ".bmp");
        EXPECT_TRUE(SaveWindowPicture(mainWindow, file)) << i;
    }
    // The question before a deletion, and the input box of a new list.
    HWND alarms = Page(mainWindow, L"アラーム設定");
    ShowPage(mainWindow, 4);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(alarms) != FALSE; }, kSoon));
    ASSERT_TRUE(SelectListLine(GetDlgItem(alarms, IDC_PAGE_LIST), 0));
    Press(alarms, IDC_PAGE_DELETE);
    HWND question = WaitForWindowTitled(tbq, L"アラームの削除");
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(SaveWindowPicture(question, std::filesystem::path(out) / "question.bmp"));
    Press(question, IDNO);
    constexpr UINT kNewList = 1050;
    PostMessageW(mainWindow, WM_COMMAND, kNewList, 0);
    HWND input = WaitForWindowTitled(tbq, L"Lunetta - 表示項目の新規作成");
    ASSERT_NE(input, nullptr);
    EXPECT_TRUE(SaveWindowPicture(input, std::filesystem::path(out) / "input.bmp"));
    Press(input, IDCANCEL);
    // The first page in English.
    HWND basic = Page(mainWindow, L"基本動作設定");
    ShowPage(mainWindow, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(basic) != FALSE; }, kSoon));
    Choose(basic, IDC_BASIC_LANGUAGE, 2);
    ASSERT_TRUE(WaitUntil([&] { return TitleOf(basic) == L"General"; }, kSoon));
    EXPECT_TRUE(SaveWindowPicture(mainWindow, std::filesystem::path(out) / "en-page0.bmp"));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
}

}  // namespace
}  // namespace tbq::e2e
