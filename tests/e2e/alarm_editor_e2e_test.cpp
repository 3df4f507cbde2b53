// The alarm editor driven from outside through its real controls: an alarm
// added with the date dialog runs at its moment, OK refuses an empty message,
// a weekday choice reaches the alarm file, cancelling changes nothing, and
// the "..." buttons have names a screen reader reads.
#include <gtest/gtest.h>
#include <windows.h>
// The interface's id is defined here: the import library names a thunk.
#include <initguid.h>
#include <oleacc.h>

#include <filesystem>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 20000;
constexpr UINT kSaveCommand = 1003;
constexpr int kAlarmPage = 4;
const std::wstring kAddTitle = L"Lunetta - アラーム追加";
const std::wstring kDateTitle = L"Lunetta - 日時指定";

// Ticks or clears a check box as the mouse does.
void Click(HWND dlg, int id) { PostMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

// Chooses the entry at `index` of a drop-down list, as a user picking it does.
void Choose(HWND dlg, int id, int index) {
    HWND combo = GetDlgItem(dlg, id);
    SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// The day list's "曜" and the boxes of Monday and Friday, which it enables.
bool ChooseMondayAndFriday(HWND date) {
    Choose(date, IDC_DATE_DAY, 1);
    if (!WaitUntil([&] { return IsWindowEnabled(GetDlgItem(date, IDC_DATE_MONDAY)) != FALSE; }, kSoon)) return false;
    Click(date, IDC_DATE_MONDAY);
    Click(date, IDC_DATE_FRIDAY);
    return WaitUntil([&] { return Checked(date, IDC_DATE_MONDAY) && Checked(date, IDC_DATE_FRIDAY); }, kSoon);
}

// The name a screen reader reads for a control, asked from this process as
// a reader asks another program's window.
std::wstring AccessibleName(HWND control) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return L"(no COM)";
    std::wstring out;
    IAccessible* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&object))) &&
        object) {
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (SUCCEEDED(object->get_accName(self, &name)) && name) out = name;
        SysFreeString(name);
        object->Release();
    }
    CoUninitialize();
    return out;
}

std::string Utf8(const std::wstring& w) {
    std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

class AlarmEditorEndToEnd : public ::testing::Test {
protected:
    void Start(const std::string& alarmFile) {
        InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
        dir_.WriteBytes("TBQ_Alarm.ini", alarmFile);
        std::wstring folder = dir_.Native().wstring();
        while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
        folder += L'\\';
        tbq_ = Process(L"\"" + folder + L"TBQ.exe\"", folder);
        main_ = MainWindowOf(tbq_);
        ASSERT_NE(main_, nullptr);
        page_ = Page(main_, L"アラーム設定");
        ASSERT_NE(page_, nullptr);
        ShowPage(main_, kAlarmPage);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page_) != FALSE; }, kSoon));
    }
    void TearDown() override {
        if (main_) {
            EXPECT_TRUE(QuitTbqThroughMenu(tbq_, main_));
        }
    }

    // The editor for a new alarm, with a name and a message.
    HWND OpenNewAlarm(const std::wstring& name, const std::wstring& message) {
        Press(page_, IDC_PAGE_ADD);
        HWND editor = WaitForWindowTitled(tbq_, kAddTitle);
        if (!editor) return nullptr;
        SetControl(editor, IDC_AE_NAME, name);
        SetControl(editor, IDC_AE_MESSAGE, message);
        return editor;
    }
    HWND OpenDateDialog(HWND editor) {
        Press(editor, IDC_AE_DATE_BUTTON);
        return WaitForWindowTitled(tbq_, kDateTitle);
    }
    // Saves every settings file through the main window's command and waits
    // until the alarm file holds `expected`.
    std::string SavedAlarms(const std::string& expected) {
        // Gone first, so that what is read is what this save wrote.
        std::filesystem::remove(dir_.Native("TBQ_Alarm.ini"));
        PostMessageW(main_, WM_COMMAND, kSaveCommand, 0);
        std::string alarms;
        WaitUntil([&] { return (alarms = dir_.ReadBytes("TBQ_Alarm.ini")).find(expected) != std::string::npos; }, kSoon);
        return alarms;
    }

    test::TempFolder dir_;
    Process tbq_;
    HWND main_ = nullptr;
    HWND page_ = nullptr;
};

// A new alarm due a few seconds ahead, its whole target chosen in the date
// dialog, with a system sound and the message box: its window opens at that
// moment, not before.
TEST_F(AlarmEditorEndToEnd, AnAddedAlarmOpensItsWindowAtItsMoment) {
    ASSERT_NO_FATAL_FAILURE(Start("[Alarm0001]\r\nName=\r\n"));
    HWND editor = OpenNewAlarm(L"E2E起床", L"起きる時間です");
    ASSERT_NE(editor, nullptr) << tbq_.Describe();
    HWND date = OpenDateDialog(editor);
    ASSERT_NE(date, nullptr) << tbq_.Describe();
    long long due = 0;
    const SYSTEMTIME at = LocalTimeIn(15, &due);
    const int values[] = {at.wYear, at.wMonth, at.wDay, at.wHour, at.wMinute, at.wSecond};
    for (int i = 0; i < 6; ++i) SetControl(date, IDC_DATE_YEAR + i, std::to_wstring(values[i]));
    Press(date, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(date); }, kSoon));
    const std::wstring target = std::to_wstring(at.wYear) + L"/" + std::to_wstring(at.wMonth) + L"/" +
                                std::to_wstring(at.wDay) + L" " + std::to_wstring(at.wHour) + L":" +
                                std::to_wstring(at.wMinute) + L":" + std::to_wstring(at.wSecond);
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_AE_DATE)), target);
    SetControl(editor, IDC_AE_SOUND, L"*64");
    Click(editor, IDC_AE_PLAY_SOUND);
    Click(editor, IDC_AE_SHOW_MESSAGE);
    Click(editor, IDC_AE_MESSAGE_TEXT);
    ASSERT_TRUE(WaitUntil([&] { return Checked(editor, IDC_AE_MESSAGE_TEXT); }, kSoon));
    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    EXPECT_EQ(ListLineText(GetDlgItem(page_, IDC_PAGE_LIST), 0).rfind(L"E2E起床 [" + target + L"]", 0), 0u)
        << Utf8(ListLineText(GetDlgItem(page_, IDC_PAGE_LIST), 0));

    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowW(L"#32770", L"E2E起床")) != nullptr; }, 40000))
        << tbq_.Describe();
    long long opened = 0;
    LocalTimeIn(0, &opened);
    EXPECT_GE(opened, due);
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 1012, text, 512);
    EXPECT_EQ(std::wstring(text).rfind(L"起きる時間です\r\n\r\n対象日時 : " + target, 0), 0u) << Utf8(text);
    EXPECT_NE(std::wstring(text).find(L"サウンド : メッセージ(情報)"), std::wstring::npos) << Utf8(text);
}

// OK with an empty message is refused with its box and adds nothing; a
// weekday choice of Monday and Friday shows in the editor and is stored as
// 162; an existing alarm opens filled in, and cancelling the editor leaves
// the saved files as they were.
TEST_F(AlarmEditorEndToEnd, RefusalWeekdaysAndCancel) {
    ASSERT_NO_FATAL_FAILURE(Start(
        "[Alarm0001]\r\nName=first\r\nMessage=m\r\nTargetYear=-1\r\nTargetMonth=255\r\nTargetDay=127\r\n"
        "TargetHour=3\r\nTargetMinute=0\r\nTargetSecond=0\r\nFlag=0\r\nDayType=1\r\nMessageHour=0\r\n"
        "MessageMinute=1\r\nMessageSecond=0\r\nEnable=0\r\n[Alarm0002]\r\nName=\r\n"));
    HWND list = GetDlgItem(page_, IDC_PAGE_LIST);
    const std::string before = SavedAlarms("Name=first");

    // An existing alarm, every field filled in; cancelled.
    ASSERT_TRUE(SelectListLine(list, 0));
    Press(page_, IDC_PAGE_EDIT);
    HWND editor = WaitForWindowTitled(tbq_, L"Lunetta - アラーム変更");
    ASSERT_NE(editor, nullptr) << tbq_.Describe();
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_AE_NAME)), L"first");
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_AE_DATE)), L"Now/Now/Now 3:0:0");
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_AE_MINUTES)), L"1");
    // The "..." buttons say what they do to a screen reader.
    const std::pair<int, const wchar_t*> names[] = {{IDC_AE_DATE_BUTTON, L"日時を指定する"},
                                                    {IDC_AE_SOUND_MENU, L"サウンドを選ぶ"},
                                                    {IDC_AE_FILE_MENU, L"開くファイルを選ぶ"}};
    for (const auto& [id, name] : names) EXPECT_EQ(AccessibleName(GetDlgItem(editor, id)), name) << id;
    SetControl(editor, IDC_AE_NAME, L"changed");
    Press(editor, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));

    // A new one without a message.
    editor = OpenNewAlarm(L"週二回", L"");
    ASSERT_NE(editor, nullptr);
    HWND date = OpenDateDialog(editor);
    ASSERT_NE(date, nullptr);
    const std::pair<int, const wchar_t*> fields[] = {{IDC_DATE_YEAR, L"毎"}, {IDC_DATE_MONTH, L"毎"},
                                                     {IDC_DATE_HOUR, L"7"},  {IDC_DATE_MINUTE, L"30"},
                                                     {IDC_DATE_SECOND, L"0"}};
    for (const auto& [id, text] : fields) SetControl(date, id, text);
    ASSERT_TRUE(ChooseMondayAndFriday(date));
    Press(date, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(date); }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_AE_DATE)), L"Now/Now/Mon,Fri 7:30:0");

    Press(editor, IDOK);
    HWND box = WaitForBoxTitled(tbq_.Id(), L"Lunetta", editor, kSoon);
    ASSERT_NE(box, nullptr) << tbq_.Describe();
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"メッセージを入力して下さい");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_EQ(ListLineText(list, 1), L"");

    // Cancelling that one too leaves the files as they were.
    Press(editor, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    EXPECT_EQ(SavedAlarms("Name=first"), before);

    // With its message it is added, and saved as Monday and Friday.
    editor = OpenNewAlarm(L"週二回", L"ゴミ出し");
    ASSERT_NE(editor, nullptr);
    date = OpenDateDialog(editor);
    ASSERT_NE(date, nullptr);
    for (const auto& [id, text] : fields) SetControl(date, id, text);
    ASSERT_TRUE(ChooseMondayAndFriday(date));
    Press(date, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(date); }, kSoon));
    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    const std::string after = SavedAlarms("TargetDay=162");
    EXPECT_NE(after.find("[Alarm0002]\r\nName="), std::string::npos) << after;
    EXPECT_NE(after.find("TargetDay=162"), std::string::npos) << after;
}

}  // namespace

// Pictures of the alarm editor and of the date dialog with two weekdays.
TEST(AlarmEditorPictures, All) {
    wchar_t out[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TBQ_PICTURES", out, MAX_PATH)) GTEST_SKIP() << "TBQ_PICTURES is not set";
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    dir.WriteBytes("TBQ_Alarm.ini", "[Alarm0001]\r\nName=\r\n");
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Process tbq(L"\"" + folder + L"TBQ.exe\"", folder);
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    HWND page = Page(mainWindow, L"アラーム設定");
    ShowPage(mainWindow, kAlarmPage);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(page) != FALSE; }, kSoon));
    Press(page, IDC_PAGE_ADD);
    HWND editor = WaitForWindowTitled(tbq, kAddTitle);
    ASSERT_NE(editor, nullptr);
    SetControl(editor, IDC_AE_NAME, EnglishRun() ? L"Bins" : L"ゴミ出し");
    SetControl(editor, IDC_AE_MESSAGE, EnglishRun() ? L"Put the bins out tonight" : L"燃えるゴミの日です");
    SetControl(editor, IDC_AE_SOUND, L"*64");
    Click(editor, IDC_AE_SHOW_MESSAGE);
    Click(editor, IDC_AE_PLAY_SOUND);
    Press(editor, IDC_AE_DATE_BUTTON);
    HWND date = WaitForWindowTitled(tbq, kDateTitle);
    ASSERT_NE(date, nullptr);
    ASSERT_TRUE(ChooseMondayAndFriday(date));
    EXPECT_TRUE(SaveWindowPicture(date, std::filesystem::path(out) / "date-dialog.bmp"));
    Press(date, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(date); }, kSoon));
    EXPECT_TRUE(SaveWindowPicture(editor, std::filesystem::path(out) / "alarm-editor.bmp"));
    Press(editor, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
}

}  // namespace tbq::e2e
