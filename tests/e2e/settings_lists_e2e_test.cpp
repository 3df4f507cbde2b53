// Display-list management of the settings window driven from outside as a
// user does: the commands of the "..." pop-ups (posted by number, since Wine
// lets no other process open a pop-up menu), the input box, the common file
// dialogs, the drop-downs of list names on pages 1 and 3, and what lands in
// the folder "ViewData".
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <dlgs.h>

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
// The pop-ups' entries as commands of the main window.
constexpr UINT kViewNew = 1050, kViewExport = 1051, kViewImport = 1053, kDefaultRefresh = 1055;

constexpr char kTwoItems[] =
    "[ViewData0001]\r\nDataType=FIXED\r\nType=Fixed\r\nText=004F004E0045\r\n"
    "[ViewData0002]\r\nDataType=FIXED\r\nType=Fixed\r\nText=00540057004F\r\n"
    "[ViewData0003]\r\nDataType=NONE\r\n";

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 2000, &r);
    return static_cast<LRESULT>(r);
}

std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> entries;
    const LRESULT n = Ask(combo, CB_GETCOUNT);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t buf[512] = {};
        Ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        entries.emplace_back(buf);
    }
    return entries;
}

bool Lists(HWND combo, const std::wstring& name) {
    for (const auto& e : ComboEntries(combo))
        if (e == name) return true;
    return false;
}

LRESULT Lines(HWND page) { return Ask(GetDlgItem(page, IDC_PAGE_LIST), LVM_GETITEMCOUNT); }


// A key pressed in a control of a dialog; the dialog's own loop reads it.
void Key(HWND control, WPARAM key) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

// Answers TBQ's common file dialog of that title with `path`, typed into its
// file name field, and OK.
bool AnswerFileDialog(const Process& tbq, const std::wstring& title, const std::wstring& path) {
    HWND dlg = WaitForWindowTitled(tbq, title);
    if (!dlg) return false;
    // The field is a combo box in the explorer-style dialog, an edit in the old one.
    HWND field = GetDlgItem(dlg, cmb13);
    if (!field) field = GetDlgItem(dlg, edt1);
    if (!field) return false;
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    Press(dlg, IDOK);
    return WaitUntil([&] { return !IsWindow(dlg) || !IsWindowVisible(dlg); }, kSoon);
}

struct Tbq {
    test::TempFolder dir;
    Process process;
    HWND main = nullptr;
    HWND titleBar = nullptr;  // page 1
    HWND view = nullptr;      // page 3

    Tbq() {
        InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
        dir.WriteBytes("TBQ_ViewData.ini", kTwoItems);
        const std::wstring folder = dir.Native().wstring() + L"\\";
        process = Process(L"\"" + folder + L"TBQ.exe\"", folder);
        main = MainWindowOf(process);
        titleBar = Page(main, L"タイトルバー設定");
        view = Page(main, L"表示項目設定");
        ShowPage(main, 3);
    }
    HWND ListName() const { return GetDlgItem(view, IDC_PAGE_LISTNAME); }
    HWND DefaultList() const { return GetDlgItem(titleBar, IDC_TB_DEFAULT); }
    void Command(UINT id) const { PostMessageW(main, WM_COMMAND, id, 0); }
};

TEST(SettingsListsEndToEnd, ANewListIsNamedInTheInputBoxAndBecomesAFileOfItsOwn) {
    Tbq tbq;
    ASSERT_NE(tbq.view, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tbq.view) && Lines(tbq.view) == 2; }, kSoon));
    EXPECT_EQ(ControlText(tbq.ListName()), L"*Default");

    // The input box as the user meets it; Escape cancels and nothing is made.
    tbq.Command(kViewNew);
    HWND box = WaitForWindowTitled(tbq.process, L"Lunetta - 表示項目の新規作成");
    ASSERT_NE(box, nullptr) << tbq.process.Describe();
    EXPECT_EQ(ControlText(GetDlgItem(box, IDC_INPUT_PROMPT)), L"新しい表示項目の名前を指定して下さい。");
    const std::wstring note = ControlText(GetDlgItem(box, IDC_INPUT_NOTE));
    EXPECT_EQ(note.find(L"※ここで入力した名前は、そのままファイル名になります。\r\n"), 0u) << note.size();
    EXPECT_NE(note.find(L"自動的に '_' に置き換えられます。"), std::wstring::npos);
    HWND edit = GetDlgItem(box, IDC_INPUT_TEXT);
    EXPECT_EQ(ControlText(edit), L"新しい表示項目.ini");
    // The offered name is selected whole, so that typing replaces it.
    const auto selection = static_cast<DWORD>(Ask(edit, EM_GETSEL));
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), std::wstring(L"新しい表示項目.ini").size());
    Key(edit, VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    EXPECT_FALSE(std::filesystem::exists(tbq.dir.Native("ViewData") / L"新しい表示項目.ini"));
    EXPECT_EQ(ComboEntries(tbq.ListName()).size(), 1u);

    // "a/b" and Enter: the slash is mended, ".ini" added, the file written
    // and the new, empty list shown on page 3 and offered on page 1.
    tbq.Command(kViewNew);
    box = WaitForWindowTitled(tbq.process, L"Lunetta - 表示項目の新規作成");
    ASSERT_NE(box, nullptr);
    edit = GetDlgItem(box, IDC_INPUT_TEXT);
    SetControl(box, IDC_INPUT_TEXT, L"a/b");
    Key(edit, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    // The header comes first, the end mark last.
    std::string written;
    EXPECT_TRUE(WaitUntil(
        [&] {
            written = tbq.dir.ReadBytes("ViewData/a_b.ini");
            return written.find("[ViewData0001]\r\nDataType=NONE") != std::string::npos;
        },
        kSoon));
    EXPECT_EQ(written.find("#"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(tbq.ListName()) == L"a_b.ini"; }, kSoon));
    EXPECT_EQ(Lines(tbq.view), 0);
    EXPECT_TRUE(Lists(tbq.DefaultList(), L"a_b.ini"));
    EXPECT_EQ(ControlText(tbq.DefaultList()), L"*Default");

    // A list file put into the folder by hand comes with page 1's refresh;
    // the default list stays chosen.
    tbq.dir.WriteBytes("ViewData/late.ini", "[ViewData0001]\r\nDataType=FIXED\r\nType=Fixed\r\nText=004C\r\n"
                                            "[ViewData0002]\r\nDataType=NONE\r\n");
    tbq.Command(kDefaultRefresh);
    EXPECT_TRUE(WaitUntil([&] { return Lists(tbq.DefaultList(), L"late.ini"); }, kSoon));
    EXPECT_EQ(ControlText(tbq.DefaultList()), L"*Default");
    EXPECT_TRUE(Lists(tbq.ListName(), L"late.ini"));

    // Choosing it on page 3 shows its item, and the choice is saved.
    HWND combo = tbq.ListName();
    const auto entries = ComboEntries(combo);
    const auto late = std::find(entries.begin(), entries.end(), L"late.ini") - entries.begin();
    ASSERT_LT(late, static_cast<std::ptrdiff_t>(entries.size()));
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(late));
    PostMessageW(tbq.view, WM_COMMAND, MAKEWPARAM(IDC_PAGE_LISTNAME, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_TRUE(WaitUntil([&] { return Lines(tbq.view) == 1; }, kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
    EXPECT_NE(tbq.dir.ReadBytes("TBQ_Setting.ini").find("EditDataName=late.ini"), std::string::npos);
}

TEST(SettingsListsEndToEnd, AListIsExportedAndImportedThroughTheFileDialogs) {
    Tbq tbq;
    ASSERT_NE(tbq.view, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tbq.view) && Lines(tbq.view) == 2; }, kSoon));
    const std::wstring exported = tbq.dir.Native("exported.ini").wstring();

    // The shown list ("*Default") goes out to a file of the user's choice.
    tbq.Command(kViewExport);
    ASSERT_TRUE(AnswerFileDialog(tbq.process, L"Lunetta - 表示項目のエクスポート", exported))
        << tbq.process.Describe();
    ASSERT_TRUE(WaitUntil([&] { return tbq.dir.ReadBytes("exported.ini").find("DataType=NONE") != std::string::npos; },
                          kSoon));
    const std::string out = tbq.dir.ReadBytes("exported.ini");
    EXPECT_NE(out.find("004F004E0045"), std::string::npos);
    EXPECT_NE(out.find("00540057004F"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tbq.dir.Native("ViewData") / "exported.ini"));

    // Imported back, it is a list of the folder under its file name, shown
    // on page 3 with both items and offered on page 1.
    tbq.Command(kViewImport);
    ASSERT_TRUE(AnswerFileDialog(tbq.process, L"Lunetta - 表示項目のインポート", exported))
        << tbq.process.Describe();
    EXPECT_TRUE(WaitUntil([&] { return ControlText(tbq.ListName()) == L"exported.ini"; }, kSoon));
    EXPECT_EQ(Lines(tbq.view), 2);
    EXPECT_NE(tbq.dir.ReadBytes("ViewData/exported.ini").find("004F004E0045"), std::string::npos);
    EXPECT_TRUE(Lists(tbq.DefaultList(), L"exported.ini"));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

}  // namespace
}  // namespace tbq::e2e
