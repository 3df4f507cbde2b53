// The display item editor and its format builder driven from outside as a
// user does, through their real controls: a clock built with the builder
// shows in notepad's title, a refused group keeps the editor open, and a
// cancelled editor changes nothing that is saved.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 20000;
constexpr UINT kSave = 1003;

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 2000, &r);
    return static_cast<LRESULT>(r);
}

// The page of the editor that holds the control `id`.
HWND KindPage(HWND editor, int id) {
    for (HWND c = FindWindowExW(editor, nullptr, L"#32770", nullptr); c; c = FindWindowExW(editor, c, L"#32770", nullptr))
        if (GetDlgItem(c, id)) return c;
    return nullptr;
}

// Chooses the entry of a drop-down that is `part`, else the first that
// contains it, as a user's choice is reported to the dialog.
bool Choose(HWND dlg, int id, const std::wstring& part) {
    HWND combo = GetDlgItem(dlg, id);
    std::vector<std::wstring> entries;
    for (LRESULT i = 0, n = Ask(combo, CB_GETCOUNT); i < n; ++i) {
        wchar_t buf[512] = {};
        Ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        entries.emplace_back(buf);
    }
    auto it = std::find(entries.begin(), entries.end(), part);
    if (it == entries.end())
        it = std::find_if(entries.begin(), entries.end(), [&](const std::wstring& e) { return e.find(part) != std::wstring::npos; });
    if (it == entries.end()) return false;
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(it - entries.begin()));
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

struct Tbq {
    test::TempFolder dir;
    Process notepad;
    Process process;
    HWND main = nullptr;
    HWND view = nullptr;

    explicit Tbq(const char* list) {
        InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
        // Notepad is pinned by the fixed window rule, so that its title shows
        // the list while the settings window is in front.
        dir.WriteBytes("TBQ_Setting.ini", "[Main]\r\nSettingVersion=1\r\n[TitleBar]\r\nFixed_WindowClass=Notepad\r\n"
                                          "Fixed_Flag=4\r\nFixed_Enable=1\r\n");
        dir.WriteBytes("TBQ_ViewData.ini", list);
        notepad = Process(L"notepad.exe", L"");
        const std::wstring folder = dir.Native().wstring() + L"\\";
        process = Process(L"\"" + folder + L"TBQ.exe\"", folder);
        main = MainWindowOf(process);
        view = Page(main, L"表示項目設定");
        ShowPage(main, 3);
    }
    HWND List() const { return GetDlgItem(view, IDC_PAGE_LIST); }
    HWND Notepad() const { return WaitForWindowOfProcess(notepad.Id(), L"Notepad", kSoon); }
    // The editor of a new item, opened by page 3's add button.
    HWND AddItem() const {
        if (!WaitUntil([&] { return IsWindowVisible(view) != FALSE; }, kSoon)) return nullptr;
        Press(view, IDC_PAGE_ADD);
        return WaitForWindowTitled(process, L"Lunetta - 表示項目追加");
    }
    // Saves through the File menu's command and returns the display list file.
    std::string Saved() {
        // The file is replaced by a rename: for a moment it may not be there.
        const auto written = [&] {
            std::error_code ec;
            return std::filesystem::last_write_time(dir.Native("TBQ_ViewData.ini"), ec);
        };
        const auto before = written();
        PostMessageW(main, WM_COMMAND, kSave, 0);
        WaitUntil([&] { return written() != before; }, 5000);
        Sleep(200);
        return dir.ReadBytes("TBQ_ViewData.ini");
    }
};

constexpr char kEmpty[] = "[ViewData0001]\r\nDataType=NONE\r\n";

TEST(ItemEditorEndToEnd, AClockWrittenInTheFormatBuilderShowsInNotepadsTitle) {
    Tbq tbq(kEmpty);
    HWND notepad = tbq.Notepad();
    ASSERT_NE(notepad, nullptr);
    HWND editor = tbq.AddItem();
    ASSERT_NE(editor, nullptr) << tbq.process.Describe();
    // A new item opens on the window title's page.
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_IE_CATEGORY)), L"タイトル");
    ASSERT_TRUE(Choose(editor, IDC_IE_CATEGORY, L"日時情報"));
    HWND clock = KindPage(editor, IDC_IE_FORMAT);
    ASSERT_NE(clock, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(clock) != FALSE; }, kSoon));
    EXPECT_NE(ControlText(GetDlgItem(editor, IDC_IE_DESCRIPTION)).find(L"日時情報を表示します。"), std::wstring::npos);
    ASSERT_TRUE(Choose(clock, IDC_IE_ZONE, L"(UTC)"));
    SetControl(clock, IDC_IE_FORMAT, L"[]");

    // The builder: the extended list, "#{", the year's zodiac sign and "}"
    // added at the caret, between the brackets, one after the other.
    Press(clock, IDC_IE_FORMAT_BUILD);
    HWND builder = WaitForWindowTitled(tbq.process, L"Lunetta - 日時形式選択");
    ASSERT_NE(builder, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(builder, IDC_FB_FORMAT)), L"[]");
    PostMessageW(GetDlgItem(builder, IDC_FB_EXTENDED), BM_CLICK, 0, 0);
    HWND parts = GetDlgItem(builder, IDC_FB_PARTS);
    // The standard codes are listed first: wait for the extended ones.
    ASSERT_TRUE(WaitUntil(
        [&] { return Ask(parts, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"#{")) >= 0; },
        kSoon));
    HWND format = GetDlgItem(builder, IDC_FB_FORMAT);
    Ask(format, EM_SETSEL, 1, 1);
    for (const wchar_t* code : {L"#{", L"yet", L"}"}) {
        const LRESULT i = Ask(parts, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(code));
        ASSERT_GE(i, 0) << code;
        Ask(parts, LB_SETCURSEL, static_cast<WPARAM>(i));
        Press(builder, IDC_FB_ADD);
        Sleep(100);
    }
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    const wchar_t* signs = L"子丑寅卯辰巳午未申酉戌亥";
    const std::wstring expected = std::wstring(L"[") + signs[(utc.wYear + 8) % 12] + L"]";
    ASSERT_TRUE(WaitUntil([&] { return ControlText(format) == L"[#{yet}]"; }, kSoon)) << ControlText(format);
    // The sample under the field is what the clock will show.
    EXPECT_EQ(ControlText(GetDlgItem(builder, IDC_FB_SAMPLE)), L"見本: " + expected);
    Press(builder, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(builder); }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(clock, IDC_IE_FORMAT)), L"[#{yet}]");
    EXPECT_TRUE(Checked(clock, IDC_IE_EXTENDED));
    // Summer time by the zone's own rules leaves the fixed switch out of use.
    HWND summer = GetDlgItem(clock, IDC_IE_SUMMER);
    EXPECT_TRUE(IsWindowEnabled(summer));
    PostMessageW(GetDlgItem(clock, IDC_IE_AUTO_SUMMER), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(summer); }, kSoon));
    PostMessageW(GetDlgItem(clock, IDC_IE_AUTO_SUMMER), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(summer) != FALSE; }, kSoon));

    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == expected; }, 5000)) << TitleOf(notepad).size();
    EXPECT_EQ(Ask(tbq.List(), LVM_GETITEMCOUNT), 1);
    const std::string saved = tbq.Saved();
    for (const char* key : {"DataType=CLOCK", "Format=[#{yet}]", "TimeZone=UTC", "Flag=2", "FontColor=0x80000009"})
        EXPECT_NE(saved.find(key), std::string::npos) << key << "\n" << saved;
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

TEST(ItemEditorEndToEnd, ARefusedGroupKeepsTheEditorOpenAndCancelChangesNothing) {
    Tbq tbq("[ViewData0001]\r\nDataType=GROUP\r\nTargetNum=1\r\nTiming=1\r\nStep=1\r\nCharLen=10\r\nStyle=1\r\n"
            "[ViewData0002]\r\nDataType=FIXED\r\nType=Fixed\r\nText=0041\r\n[ViewData0003]\r\nDataType=NONE\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Ask(tbq.List(), LVM_GETITEMCOUNT) == 2; }, kSoon));
    const std::string before = tbq.Saved();

    ASSERT_TRUE(SelectListLine(tbq.List(), 0));
    Press(tbq.view, IDC_PAGE_EDIT);
    HWND editor = WaitForWindowTitled(tbq.process, L"Lunetta - 表示項目編集");
    ASSERT_NE(editor, nullptr) << tbq.process.Describe();
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_IE_CATEGORY)), L"グループ");
    HWND group = KindPage(editor, IDC_IE_MODE);
    ASSERT_NE(group, nullptr);
    ASSERT_TRUE(Choose(group, IDC_IE_MODE, L"スクロール表示"));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(group, IDC_IE_STEP)) != FALSE; }, kSoon));
    SetControl(group, IDC_IE_STEP, L"0");
    Press(editor, IDOK);
    HWND box = WaitForBoxTitled(tbq.process.Id(), L"Lunetta", tbq.main, kSoon);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"ステップ数が不正です。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    // Refused: the editor stays, the item is as it was.
    EXPECT_TRUE(IsWindow(editor));
    Press(editor, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));

    // A new item cancelled leaves nothing either.
    editor = tbq.AddItem();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(Choose(editor, IDC_IE_CATEGORY, L"固定文字列"));
    SetControl(KindPage(editor, IDC_IE_TEXT), IDC_IE_TEXT, L"never");
    PostMessageW(editor, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    EXPECT_EQ(tbq.Saved(), before);
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

// Sets the six fields of the date dialog by typing and confirms it.
bool AnswerDateDialog(const Process& tbq, const wchar_t* const (&fields)[6]) {
    HWND date = WaitForWindowTitled(tbq, L"Lunetta - 日時指定");
    if (!date) return false;
    const int ids[] = {IDC_DATE_YEAR, IDC_DATE_MONTH, IDC_DATE_DAY, IDC_DATE_HOUR, IDC_DATE_MINUTE, IDC_DATE_SECOND};
    for (int i = 0; i < 6; ++i) SetControl(date, ids[i], fields[i]);
    Press(date, IDOK);
    return WaitUntil([&] { return !IsWindow(date); }, kSoon);
}

TEST(ItemEditorEndToEnd, ACountAndAnOffsetAreSetInTheDateDialog) {
    Tbq tbq(kEmpty);
    HWND notepad = tbq.Notepad();
    ASSERT_NE(notepad, nullptr);
    HWND editor = tbq.AddItem();
    ASSERT_NE(editor, nullptr);

    // A clock's offset: the field says what the dialog set.
    ASSERT_TRUE(Choose(editor, IDC_IE_CATEGORY, L"日時情報"));
    HWND clock = KindPage(editor, IDC_IE_OFFSET);
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(clock, IDC_IE_OFFSET)), L"オフセット無し");
    Press(clock, IDC_IE_OFFSET_SET);
    ASSERT_TRUE(AnswerDateDialog(tbq.process, {L"0", L"0", L"1", L"-3", L"0", L"0"}));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(clock, IDC_IE_OFFSET)) == L"+1日 -3時間"; }, kSoon))
        << ControlText(GetDlgItem(clock, IDC_IE_OFFSET)).size();

    // A count down to New Year 2030 in days, without which OK is refused.
    ASSERT_TRUE(Choose(editor, IDC_IE_CATEGORY, L"カウントダウン"));
    HWND count = KindPage(editor, IDC_IE_TARGET);
    ASSERT_NE(count, nullptr);
    Press(editor, IDOK);
    HWND box = WaitForBoxTitled(tbq.process.Id(), L"Lunetta", tbq.main, kSoon);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"日時が設定されていません。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    Press(count, IDC_IE_TARGET_SET);
    ASSERT_TRUE(AnswerDateDialog(tbq.process, {L"2030", L"1", L"1", L"0", L"0", L"0"}));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(count, IDC_IE_TARGET)) == L"2030/1/1 0:0:0"; }, kSoon));
    ASSERT_TRUE(Choose(count, IDC_IE_UNITS, L"日"));
    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));

    // Whole days from now to the target, as the count shows them.
    SYSTEMTIME now, target{2030, 1, 0, 1, 0, 0, 0, 0};
    GetLocalTime(&now);
    FILETIME a, b;
    SystemTimeToFileTime(&now, &a);
    SystemTimeToFileTime(&target, &b);
    const auto ticks = [](FILETIME f) { return (static_cast<long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    const long long days = (ticks(b) - ticks(a)) / (86400LL * 10'000'000);
    const std::wstring expected = std::to_wstring(days) + L"日";
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad) == expected; }, 5000)) << days;
    const std::string saved = tbq.Saved();
    for (const char* key : {"DataType=COUNT", "Year=2030", "Month=1", "Day=1", "Style=8"})
        EXPECT_NE(saved.find(key), std::string::npos) << key << "\n" << saved;
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

// The pictures of the editor's pages and of the format builder for the
// README, made by scripts/screenshots; skipped in ordinary test runs.
TEST(ItemEditorPictures, EveryPage) {
    wchar_t out[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TBQ_PICTURES", out, MAX_PATH)) GTEST_SKIP() << "TBQ_PICTURES is not set";
    Tbq tbq(kEmpty);
    HWND editor = tbq.AddItem();
    ASSERT_NE(editor, nullptr);
    const std::pair<const wchar_t*, const char*> kinds[] = {
        {L"タイトル", "title"}, {L"日時情報", "clock"}, {L"アラームテキスト", "alarmtext"}, {L"固定文字列", "fixed"},
        {L"カウントダウン／アップ", "count"}, {L"プラグイン", "plugin"}, {L"グループ", "group"}};
    for (const auto& [category, name] : kinds) {
        ASSERT_TRUE(Choose(editor, IDC_IE_CATEGORY, Ui(category)));
        Sleep(300);
        EXPECT_TRUE(SaveWindowPicture(editor, std::filesystem::path(out) / (std::string("item-") + name + ".bmp")));
    }
    ASSERT_TRUE(Choose(editor, IDC_IE_CATEGORY, Ui(L"日時情報")));
    HWND clock = KindPage(editor, IDC_IE_FORMAT);
    ASSERT_NE(clock, nullptr);
    Press(clock, IDC_IE_FORMAT_BUILD);
    HWND builder = WaitForWindowTitled(tbq.process, L"Lunetta - 日時形式選択");
    ASSERT_NE(builder, nullptr);
    PostMessageW(GetDlgItem(builder, IDC_FB_EXTENDED), BM_CLICK, 0, 0);
    Sleep(300);
    Ask(GetDlgItem(builder, IDC_FB_PARTS), LB_SETCURSEL, 15);
    PostMessageW(builder, WM_COMMAND, MAKEWPARAM(IDC_FB_PARTS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(builder, IDC_FB_PARTS)));
    Sleep(300);
    EXPECT_TRUE(SaveWindowPicture(builder, std::filesystem::path(out) / "format-builder.bmp"));
    Press(builder, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(builder); }, kSoon));
    Press(editor, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

}  // namespace
}  // namespace tbq::e2e
