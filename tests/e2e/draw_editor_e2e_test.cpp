// The own-drawing editor and its transparency dialog driven from outside as a
// user does, through their real controls: a profile made in the editor with
// a red background and a yellow border paints notepad's caption in those
// colours, and changed to a pseudo title bar with its background keyed out it
// shows the bar over the caption instead.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <filesystem>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 20000;
constexpr COLORREF kRed = RGB(255, 0, 0), kYellow = RGB(255, 255, 0);
// The rectangle typed into the editor, from the top edge: left, top, right gap, bottom.
constexpr int kLeft = 30, kTop = 6, kRightGap = 120, kBottom = 28;

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 2000, &r);
    return static_cast<LRESULT>(r);
}

// Chooses entry `index` of a drop-down as a user's choice is reported.
void Choose(HWND dlg, int id, int index) {
    HWND combo = GetDlgItem(dlg, id);
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Types into an editable list: its text, then the notification typing sends.
void TypeInList(HWND dlg, int id, const std::wstring& text) {
    SetControl(dlg, id, text);
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// Moves the keyboard focus to a control of the dialog, as Tab would.
void FocusOn(HWND dlg, int id) {
    PostMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, id)), TRUE);
}

HWND VisibleMenuOf(DWORD pid) {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Opens a colour button's pop-up and picks the colour of that mnemonic.
bool PickColour(const Process& tbq, HWND dlg, int button, wchar_t mnemonic) {
    Press(dlg, button);
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = VisibleMenuOf(tbq.Id())) != nullptr; }, kSoon)) return false;
    PostMessageW(menu, WM_CHAR, mnemonic, 0);
    return WaitUntil([&] { return VisibleMenuOf(tbq.Id()) == nullptr; }, kSoon);
}

// The profile's rectangle on the screen for window `w`.
RECT BarRect(HWND w) { return TopBasedRect(w, kLeft, kTop, kRightGap, kBottom); }

struct Tbq {
    test::TempFolder dir;
    Process notepad;
    Process process;
    HWND main = nullptr;
    HWND page = nullptr;

    // Notepad is pinned by the fixed window rule and painted by the default
    // profile "Sunset", which the list does not hold yet.
    Tbq() {
        InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
        dir.WriteBytes("TBQ_Setting.ini", "[Main]\r\nSettingVersion=1\r\n[TitleBar]\r\nFixed_WindowClass=Notepad\r\n"
                                          "Fixed_Flag=4\r\nFixed_Enable=1\r\n[DrawBar]\r\nUseDrawBar=1\r\n"
                                          "Default=Sunset\r\n");
        dir.WriteBytes("TBQ_ViewData.ini", "[ViewData0001]\r\nDataType=FIXED\r\nType=Fixed\r\nFontColor=0xFFFFFF\r\n"
                                           "Text=0057005700570057\r\n[ViewData0002]\r\nDataType=NONE\r\n");
        dir.WriteBytes("TBQ_DrawBar.ini", "[DrawBar0001]\r\nName=\r\n");
        notepad = Process(L"notepad.exe", L"");
        const std::wstring folder = dir.Native().wstring() + L"\\";
        process = Process(L"\"" + folder + L"TBQ.exe\"", folder);
        main = MainWindowOf(process);
        page = Page(main, L"独自描画設定");
        ShowPage(main, 2);
    }
    HWND List() const { return GetDlgItem(page, IDC_PAGE_LIST); }
    HWND Editor(bool editing) {
        Press(page, editing ? IDC_PAGE_EDIT : IDC_PAGE_ADD);
        return WaitForWindowTitled(process, editing ? L"Lunetta - 独自描画編集" : L"Lunetta - 独自描画追加");
    }
};

TEST(DrawEditorEndToEnd, AProfileMadeInTheEditorPaintsNotepadThenItsPseudoBar) {
    Tbq tbq;
    HWND notepad = WaitForWindowOfProcess(tbq.notepad.Id(), L"Notepad", kSoon);
    ASSERT_NE(notepad, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tbq.page) != FALSE; }, kSoon));
    SetCursorPos(0, 0);

    HWND editor = tbq.Editor(false);
    ASSERT_NE(editor, nullptr) << tbq.process.Describe();
    // A new profile draws directly: no transparency to set.
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_DE_DRAWKIND)), L"直接描画");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(editor, IDC_DE_TRANS_SET)));
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_DE_RECT_HEADING)), L"微調整値");

    // OK without a name is refused and the editor stays.
    Press(editor, IDOK);
    HWND box = WaitForBoxTitled(tbq.process.Id(), L"Lunetta", tbq.main, kSoon);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"設定名を入力してください。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    EXPECT_TRUE(IsWindow(editor));

    SetControl(editor, IDC_DE_NAME, L"Sunset");
    Choose(editor, IDC_DE_RECTMODE, 1);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(editor, IDC_DE_RECT_HEADING)) == L"矩形位置"; }, kSoon));
    for (auto [id, value] : {std::pair{IDC_DE_LEFT, kLeft}, {IDC_DE_TOP, kTop}, {IDC_DE_RIGHT, kRightGap},
                             {IDC_DE_BOTTOM, kBottom}})
        SetControl(editor, id, std::to_wstring(value));
    TypeInList(editor, IDC_DE_FONTHEIGHT, L"9");
    ASSERT_TRUE(PickColour(tbq.process, editor, IDC_DE_BACKCOLOR, L'E'));  // 赤(&E)
    ASSERT_TRUE(PickColour(tbq.process, editor, IDC_DE_LINECOLOR, L'Y'));  // 黄(&Y)
    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    ASSERT_TRUE(WaitUntil([&] { return Ask(tbq.List(), LVM_GETITEMCOUNT) == 1; }, kSoon));

    // Painted on notepad's caption, with the settings window out of the way.
    ShowWindow(tbq.main, SW_HIDE);
    ASSERT_TRUE(BringToFront(notepad));
    Census inside;
    EXPECT_TRUE(WaitUntil([&] {
        const RECT r = BarRect(notepad);
        inside = CountColours({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kRed, kYellow);
        return inside.back > 500 && inside.text > 20;
    }, kSoon)) << "background " << inside.back << ", text " << inside.text << ", other " << inside.other;
    const RECT bar = BarRect(notepad);
    const RECT topRow{bar.left + 1, bar.top, bar.right - 1, bar.top + 1};
    EXPECT_GE(CountColours(topRow, kRed, kYellow).line, (topRow.right - topRow.left) * 9 / 10) << "a yellow border";

    // The same profile as a pseudo title bar whose background is keyed out.
    ASSERT_TRUE(SelectListLine(tbq.List(), 0));
    editor = tbq.Editor(true);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_DE_NAME)), L"Sunset");
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_DE_LEFT)), std::to_wstring(kLeft));
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_DE_FONTHEIGHT)), L"9");
    Choose(editor, IDC_DE_DRAWKIND, 1);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(editor, IDC_DE_TRANS_SET)) != FALSE; }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(editor, IDC_DE_TRANS_VALUE)), L"N:0,M:0");

    Press(editor, IDC_DE_TRANS_SET);
    HWND trans = WaitForWindowTitled(tbq.process, L"Lunetta - 透明度設定");
    ASSERT_NE(trans, nullptr);
    HWND scroll0 = GetDlgItem(trans, IDC_TR_SCROLL0), scroll1 = GetDlgItem(trans, IDC_TR_SCROLL1);
    // 300 is held at 255 at once; its text is written out when the field is
    // left. The dialog opens with the focus in the first list.
    TypeInList(trans, IDC_TR_LIST0, L"300");
    ASSERT_TRUE(WaitUntil([&] { return Ask(scroll0, SBM_GETPOS) == 255; }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(trans, IDC_TR_LIST0)), L"300");
    FocusOn(trans, IDC_TR_LIST1);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(trans, IDC_TR_LIST0)) == L"255(100%)"; }, kSoon));
    // The scroll bar writes its row's text; a text that is no number does
    // not move it while it is typed, and reads as 0 once the field is left.
    PostMessageW(trans, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 128), reinterpret_cast<LPARAM>(scroll1));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(trans, IDC_TR_LIST1)) == L"128(50%)"; }, kSoon));
    TypeInList(trans, IDC_TR_LIST1, L"x");
    Sleep(300);
    EXPECT_EQ(Ask(scroll1, SBM_GETPOS), 128) << "not 0 while typing";
    FocusOn(trans, IDC_TR_SCROLL0);
    EXPECT_TRUE(WaitUntil([&] { return Ask(scroll1, SBM_GETPOS) == 0; }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(trans, IDC_TR_LIST1)), L"0(0%)");
    Press(trans, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(trans); }, kSoon));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(editor, IDC_DE_TRANS_VALUE)) == L"N:255,M:0"; }, kSoon));
    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));

    HWND pseudo = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (pseudo = PseudoBarOf(tbq.process.Id(), notepad)) && IsWindowVisible(pseudo); },
                          kSoon));
    const RECT b = WindowRect(pseudo), want = BarRect(notepad);
    EXPECT_EQ(b.left, want.left);
    EXPECT_EQ(b.top, want.top);
    EXPECT_EQ(b.right, want.right);
    EXPECT_EQ(b.bottom, want.bottom);
    // Only the red background is cut out: the text and the yellow border show.
    Census onBar;
    EXPECT_TRUE(WaitUntil([&] {
        onBar = CountColours(b, kRed, kYellow);
        return onBar.back == 0 && onBar.line > (b.right - b.left) && onBar.text > 20;
    }, kSoon)) << "background " << onBar.back << ", border " << onBar.line << ", text " << onBar.text;

    const std::string saved = [&] {
        // The file is replaced by the save: for a moment it may not be there.
        const auto stamp = [&] {
            std::error_code ec;
            return std::filesystem::last_write_time(tbq.dir.Native("TBQ_DrawBar.ini"), ec);
        };
        const auto before = stamp();
        PostMessageW(tbq.main, WM_COMMAND, 1003, 0);  // ファイル → 設定保存
        WaitUntil([&] {
            const auto now = stamp();
            return now != before && now != std::filesystem::file_time_type::min();
        }, kSoon);
        Sleep(200);
        return tbq.dir.ReadBytes("TBQ_DrawBar.ini");
    }();
    for (const char* key : {"DrawType=10", "Normal_WindowFlag=272", "Normal_BackColor=0xFF", "Normal_LineColor=0xFFFF",
                            "Normal_Trans=255", "Normal_Trans_MouseOver=0", "Normal_FontHeight=90"})
        EXPECT_NE(saved.find(key), std::string::npos) << key << "\n" << saved;
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

// The pictures of the editor and of the transparency dialog for the README,
// made by scripts/screenshots; skipped in ordinary test runs.
TEST(DrawEditorPictures, All) {
    wchar_t out[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TBQ_PICTURES", out, MAX_PATH)) GTEST_SKIP() << "TBQ_PICTURES is not set";
    Tbq tbq;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tbq.page) != FALSE; }, kSoon));
    HWND editor = tbq.Editor(false);
    ASSERT_NE(editor, nullptr);
    SetControl(editor, IDC_DE_NAME, EnglishRun() ? L"Night sky" : L"夜空");
    Choose(editor, IDC_DE_DRAWKIND, 1);
    ASSERT_TRUE(PickColour(tbq.process, editor, IDC_DE_BACKCOLOR, L'N'));  // ネイビー(&N)
    ASSERT_TRUE(PickColour(tbq.process, editor, IDC_DE_LINECOLOR, L'Y'));
    Sleep(300);
    EXPECT_TRUE(SaveWindowPicture(editor, std::filesystem::path(out) / "draw-editor.bmp"));
    Press(editor, IDC_DE_TRANS_SET);
    HWND trans = WaitForWindowTitled(tbq.process, L"Lunetta - 透明度設定");
    ASSERT_NE(trans, nullptr);
    Sleep(300);
    EXPECT_TRUE(SaveWindowPicture(trans, std::filesystem::path(out) / "transparency.bmp"));
    Press(trans, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(trans); }, kSoon));
    Press(editor, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

}  // namespace
}  // namespace tbq::e2e
