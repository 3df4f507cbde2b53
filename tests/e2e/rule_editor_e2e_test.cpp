// The rule editor driven from outside through its real controls: a permit
// rule made by dragging the target icon onto a helper window gives that
// window its own list; a drag ended with Escape frees the pointer and the
// next one works (page 1's fixed window rule); the style dialog shows the
// bits of a value by name and refuses a value that is no 32-bit number.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 20000;
constexpr int kClassText = IDC_WS_TEXT0 + 2;
constexpr int kStyleText = IDC_WS_TEXT0 + 3;

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 2000, &r);
    return static_cast<LRESULT>(r);
}

std::wstring Hex8(HWND w) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%08X", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(w)));
    return buf;
}

std::string FixedItem(const std::wstring& text) {
    std::string hex;
    char buf[8];
    for (wchar_t c : text) {
        std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(c));
        hex += buf;
    }
    return "[ViewData0001]\r\nDataType=FIXED\r\nType=Fixed\r\nText=" + hex + "\r\n[ViewData0002]\r\nDataType=NONE\r\n";
}

// Chooses the entry of a drop-down with that text, as a user's choice is
// reported to the dialog.
bool Choose(HWND dlg, int id, const std::wstring& text) {
    HWND combo = GetDlgItem(dlg, id);
    const LRESULT i = Ask(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (i < 0) return false;
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(i));
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

void Click(HWND dlg, int id) { PostMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

// The mouse and keyboard as the user moves them, through the system's input
// queue: the window under the pointer (or the one holding it) is told.
void MouseTo(POINT p) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(p.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}
void Button(bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}
void Key(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

POINT CentreOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point of the screen where `w` is the window the pointer would be over.
std::optional<POINT> VisiblePointOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    for (int y = r.bottom - 10; y > r.top; y -= 15)
        for (int x = r.left + 10; x < r.right; x += 15) {
            const POINT p{x, y};
            HWND at = WindowFromPoint(p);
            while (at && GetParent(at)) at = GetParent(at);
            if (at == w) return p;
        }
    return std::nullopt;
}

// Whether the window's thread holds the mouse: readable from outside.
HWND CaptureOf(HWND w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) return nullptr;
    return info.hwndCapture;
}

struct Tbq {
    test::TempFolder dir;
    Process helperProcess;
    HWND helper = nullptr;
    Process process;
    HWND main = nullptr;
    HWND rules = nullptr, titleBar = nullptr;

    explicit Tbq(const char* settings = "[Main]\r\nSettingVersion=1\r\n") {
        InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
        dir.WriteBytes("TBQ_Setting.ini", settings);
        dir.WriteBytes("TBQ_ViewData.ini", FixedItem(L"[default]"));
        std::filesystem::create_directory(dir.Native("ViewData"));
        dir.WriteBytes("ViewData\\permit.ini", FixedItem(L"[permit]"));
        helperProcess = Process(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"Drag helper\" /class TBQ_DragTarget", L"");
        helper = WaitForWindowOfProcess(helperProcess.Id(), L"TBQ_DragTarget", kSoon);
        const std::wstring folder = dir.Native().wstring() + L"\\";
        process = Process(L"\"" + folder + L"TBQ.exe\"", folder);
        main = MainWindowOf(process);
    }

    // Page 5's add: the rule editor on a new rule, named and permitting,
    // with its display list box ticked; null when it did not open.
    HWND OpenNewPermitRule(const wchar_t* name) {
        rules = Page(main, L"ウインドウ個別設定");
        ShowPage(main, 5);
        if (!WaitUntil([&] { return IsWindowVisible(rules) != FALSE; }, kSoon)) return nullptr;
        Press(rules, IDC_PAGE_ADD);
        HWND editor = WaitForWindowTitled(process, L"Lunetta - ウインドウ個別設定追加");
        if (!editor) return nullptr;
        // An excluding rule uses none of the display choices.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(editor, IDC_RE_VIEWDATA_CHECK)));
        SetControl(editor, IDC_RE_NAME, name);
        EXPECT_TRUE(Choose(editor, IDC_RE_ACTION, L"許可"));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(editor, IDC_RE_VIEWDATA_CHECK)) != FALSE; }, kSoon));
        Click(editor, IDC_RE_VIEWDATA_CHECK);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(editor, IDC_RE_VIEWDATA)) != FALSE; }, kSoon));
        return editor;
    }

    // Page 1's "設定(&7)": the information dialog on the fixed window rule.
    HWND OpenFixedWindowDialog() {
        titleBar = Page(main, L"タイトルバー設定");
        ShowPage(main, 1);
        if (!WaitUntil([&] { return IsWindowVisible(titleBar) != FALSE; }, kSoon)) return nullptr;
        Press(titleBar, IDC_TB_FIXED_SET);
        return WaitForWindowTitled(process, L"Lunetta - ウインドウ情報設定");
    }

    // Drags the target icon of the information dialog onto the helper window
    // and, unless `drop` is false, lets it go there.
    ::testing::AssertionResult DragOntoHelper(HWND select, bool drop = true) {
        if (!BringToFront(select)) return ::testing::AssertionFailure() << "dialog not in front";
        // Larger dialogs (at 144 DPI) can cover the helper: it moves to a
        // corner of the screen where they are not.
        auto over = VisiblePointOf(helper);
        const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
        for (const POINT corner : {POINT{0, cy - 200}, POINT{cx - 400, cy - 200}, POINT{0, 0}, POINT{cx - 400, 0}}) {
            if (over) break;
            SetWindowPos(helper, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            WaitUntil([&] { return (over = VisiblePointOf(helper)).has_value(); }, 1000);
        }
        if (!over) return ::testing::AssertionFailure() << "helper window covered";
        MouseTo(CentreOf(GetDlgItem(select, IDC_WS_TARGET)));
        Sleep(100);
        Button(true);
        if (!WaitUntil([&] { return CaptureOf(select) == select; }, 5000))
            return ::testing::AssertionFailure() << "the dialog did not take the pointer";
        MouseTo({over->x - 5, over->y});
        Sleep(100);
        MouseTo(*over);
        if (!WaitUntil([&] { return ControlText(GetDlgItem(select, IDC_WS_TEXT0)) == Hex8(helper); }, 5000))
            return ::testing::AssertionFailure() << "nothing taken: " << ControlText(GetDlgItem(select, IDC_WS_TEXT0)).size();
        if (!drop) return ::testing::AssertionSuccess();
        Button(false);
        // Until the button-up arrives a click elsewhere would take the pointer
        // away, which ends the drag as cancelled.
        if (!WaitUntil([&] { return CaptureOf(select) == nullptr; }, 5000))
            return ::testing::AssertionFailure() << "the pointer stayed held";
        return ::testing::AssertionSuccess();
    }
};

TEST(RuleEditorEndToEnd, APermitRuleMadeByDraggingTheTargetGivesTheWindowItsOwnList) {
    Tbq tbq;
    ASSERT_NE(tbq.helper, nullptr);
    ASSERT_NE(tbq.main, nullptr);
    HWND editor = tbq.OpenNewPermitRule(L"drag");
    ASSERT_NE(editor, nullptr) << tbq.process.Describe();
    ASSERT_TRUE(Choose(editor, IDC_RE_VIEWDATA, L"permit.ini"));

    Press(editor, IDC_RE_CONDITIONS);
    HWND select = WaitForWindowTitled(tbq.process, L"Lunetta - ウインドウ情報設定");
    ASSERT_NE(select, nullptr);
    ASSERT_TRUE(tbq.DragOntoHelper(select));
    EXPECT_EQ(ControlText(GetDlgItem(select, kClassText)), L"TBQ_DragTarget");
    EXPECT_EQ(ControlText(GetDlgItem(select, IDC_WS_TEXT0 + 1)), L"Drag helper");
    // The width label reads the helper's 400 pixels.
    EXPECT_EQ(ControlText(GetDlgItem(select, IDC_WS_WIDTH_LABEL)).rfind(L"400 Pix(約", 0), 0u);
    Click(select, IDC_WS_CHECK0 + 2);
    ASSERT_TRUE(WaitUntil([&] { return Checked(select, IDC_WS_CHECK0 + 2); }, kSoon));
    Press(select, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(select); }, kSoon));
    HWND info = GetDlgItem(editor, IDC_RE_INFO);
    ASSERT_TRUE(WaitUntil([&] { return Ask(info, LB_GETCOUNT) == 1; }, kSoon));
    wchar_t line[256] = {};
    Ask(info, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::wstring(line), L"クラス: TBQ_DragTarget");

    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    HWND list = GetDlgItem(tbq.rules, IDC_PAGE_LIST);
    ASSERT_TRUE(WaitUntil([&] { return Ask(list, LVM_GETITEMCOUNT) == 1; }, kSoon));
    EXPECT_EQ(ListLineText(list, 0), L"許:drag(C=TBQ_DragTarget)  表示項目:permit.ini");
    ASSERT_TRUE(BringToFront(tbq.helper));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(tbq.helper) == L"[permit]"; }, kSoon)) << TitleOf(tbq.helper).size();
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
    const std::string saved = tbq.dir.ReadBytes("TBQ_Window.ini");
    for (const char* key : {"Title=drag", "Action=2", "WindowClass=TBQ_DragTarget", "Flag=4", "ViewOption=4",
                            "ViewData=permit.ini", "Enable=1"})
        EXPECT_NE(saved.find(key), std::string::npos) << key << "\n" << saved;
}

TEST(RuleEditorEndToEnd, EscapeEndsADragAndFreesThePointerForTheNext) {
    Tbq tbq;
    ASSERT_NE(tbq.helper, nullptr);
    HWND select = tbq.OpenFixedWindowDialog();
    ASSERT_NE(select, nullptr) << tbq.process.Describe();
    HWND titleBar = tbq.titleBar;

    ASSERT_TRUE(tbq.DragOntoHelper(select, false));
    EXPECT_EQ(ControlText(GetDlgItem(select, kClassText)), L"TBQ_DragTarget");
    Key(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return CaptureOf(select) == nullptr; }, 5000)) << "the pointer stayed held";
    Button(false);
    // Escape ended the drag, not the dialog, and put back what was there.
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(select, kClassText)).empty(); }, kSoon));
    EXPECT_TRUE(IsWindow(select));

    ASSERT_TRUE(tbq.DragOntoHelper(select));
    Click(select, IDC_WS_CHECK0 + 2);
    ASSERT_TRUE(WaitUntil([&] { return Checked(select, IDC_WS_CHECK0 + 2); }, kSoon));
    Press(select, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(select); }, kSoon));
    // Page 1 shows the fixed rule's new condition, and the window is pinned.
    EXPECT_TRUE(WaitUntil(
        [&] { return ControlText(GetDlgItem(titleBar, IDC_TB_FIXED_SUMMARY)).find(L"(C=TBQ_DragTarget)") != std::wstring::npos; },
        kSoon));
    Click(titleBar, IDC_PAGE_CHECK2);
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(tbq.helper) == L"[default]"; }, kSoon)) << TitleOf(tbq.helper).size();
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

TEST(RuleEditorEndToEnd, TheStyleDialogNamesTheBitsAndRefusesWhatIsNoNumber) {
    Tbq tbq;
    HWND select = tbq.OpenFixedWindowDialog();
    ASSERT_NE(select, nullptr) << tbq.process.Describe();
    HWND titleBar = tbq.titleBar;

    // A style of nine digits is refused with the style field's box.
    SetControl(select, kStyleText, L"1C8000000");
    Press(select, IDC_WS_STYLE_SET);
    HWND box = WaitForBoxTitled(tbq.process.Id(), L"Lunetta", tbq.main, kSoon);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)), L"ウインドウスタイルは、8桁までの16進数で入力して下さい。");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));

    SetControl(select, kStyleText, L"00C80000");  // WS_CAPTION | WS_SYSMENU
    Press(select, IDC_WS_STYLE_SET);
    HWND styles = WaitForWindowTitled(tbq.process, L"Lunetta - ウインドウスタイル指定");
    ASSERT_NE(styles, nullptr);
    HWND list = GetDlgItem(styles, IDC_SS_LIST);
    ASSERT_EQ(Ask(list, LB_GETCOUNT), 16);
    std::wstring ticked;
    for (int i = 0; i < 16; ++i) {
        if (Ask(list, LB_GETSEL, static_cast<WPARAM>(i)) <= 0) continue;
        wchar_t name[64] = {};
        Ask(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
        ticked += std::wstring(name) + L" ";
    }
    EXPECT_EQ(ticked, L"WS_BORDER WS_DLGFRAME WS_SYSMENU ");
    EXPECT_EQ(ControlText(GetDlgItem(styles, IDC_SS_TOTAL)), L"0x00C80000");
    EXPECT_EQ(ControlText(GetDlgItem(styles, IDC_SS_OTHER)), L"");
    // WS_VISIBLE ticked and a free bit typed: the total follows both.
    Ask(list, LB_SETSEL, TRUE, 14);
    Ask(list, LB_SETCARETINDEX, 14, FALSE);
    PostMessageW(styles, WM_COMMAND, MAKEWPARAM(IDC_SS_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    SetControl(styles, IDC_SS_OTHER, L"1");
    EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(styles, IDC_SS_TOTAL)) == L"0x10C80001"; }, kSoon))
        << ControlText(GetDlgItem(styles, IDC_SS_TOTAL)).size();
    EXPECT_TRUE(
        WaitUntil([&] { return ControlText(GetDlgItem(styles, IDC_SS_POINT)) == L"WS_VISIBLE = 0x10000000"; }, kSoon));
    Press(styles, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(styles); }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(select, kStyleText)), L"10C80001");
    // Cancel: the fixed rule is as it was.
    const std::wstring summary = ControlText(GetDlgItem(titleBar, IDC_TB_FIXED_SUMMARY));
    Press(select, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(select); }, kSoon));
    EXPECT_EQ(ControlText(GetDlgItem(titleBar, IDC_TB_FIXED_SUMMARY)), summary);
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

// The pictures of the three dialogs for the README, made by
// scripts/screenshots; skipped in ordinary test runs.
TEST(RuleEditorPictures, All) {
    wchar_t out[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"TBQ_PICTURES", out, MAX_PATH)) GTEST_SKIP() << "TBQ_PICTURES is not set";
    Tbq tbq;
    HWND editor = tbq.OpenNewPermitRule(L"メモ帳");
    ASSERT_NE(editor, nullptr);
    Press(editor, IDC_RE_CONDITIONS);
    HWND select = WaitForWindowTitled(tbq.process, L"Lunetta - ウインドウ情報設定");
    ASSERT_NE(select, nullptr);
    ASSERT_TRUE(tbq.DragOntoHelper(select));
    Click(select, IDC_WS_CHECK0 + 2);
    Click(select, IDC_WS_ALL);
    Sleep(300);
    EXPECT_TRUE(SaveWindowPicture(select, std::filesystem::path(out) / "window-select.bmp"));
    SetControl(select, kStyleText, L"14CF0000");
    Press(select, IDC_WS_STYLE_SET);
    HWND styles = WaitForWindowTitled(tbq.process, L"Lunetta - ウインドウスタイル指定");
    ASSERT_NE(styles, nullptr);
    EXPECT_TRUE(SaveWindowPicture(styles, std::filesystem::path(out) / "style-select.bmp"));
    Press(styles, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(styles); }, kSoon));
    Press(select, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(select); }, kSoon));
    EXPECT_TRUE(SaveWindowPicture(editor, std::filesystem::path(out) / "rule-editor.bmp"));
    Press(editor, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kSoon));
    ASSERT_TRUE(QuitTbqThroughMenu(tbq.process, tbq.main));
}

}  // namespace
}  // namespace tbq::e2e
