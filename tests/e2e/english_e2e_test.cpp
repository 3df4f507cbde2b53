// TBQ on an English system (code page 1252) with its language left to choose
// itself: the settings window, each page, every editor and dialog they open,
// the boxes on the way and the about box show no Japanese character and no
// text garbled from Shift-JIS. The user's own data here is plain ASCII.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"
#include "ui/resource_alarm.h"
#include "ui/resource_draw.h"
#include "ui/resource_item.h"
#include "ui/resource_rule.h"

namespace tbq::e2e {
namespace {

constexpr int kSoon = 15000;

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 2000, &r);
    return static_cast<LRESULT>(r);
}

// Japanese, or what Shift-JIS bytes look like when read as code page 1252.
bool Foreign(const std::wstring& text) {
    static const std::wstring garbled = L"\u201A\u0192\u201E\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"
                                        L"\u2018\u201C\u201D\u2022\u02DC\u2122\u0161\u203A\u0153\u017E\u0178";
    for (wchar_t c : text) {
        if ((c >= 0x3000 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF)) return true;
        if (c >= 0x80 && c <= 0xFF && c != L'\u00D7' && c != L'\u00B0') return true;
        if (garbled.find(c) != std::wstring::npos) return true;
    }
    return false;
}

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// Every text a window and its controls show: captions, drop-down and list
// box entries, list view lines.
class Reader {
public:
    void Read(HWND top, const std::string& where) {
        ASSERT_NE(top, nullptr) << where;
        ++windows_;
        Look(top, where);
        EnumChildWindows(
            top,
            [](HWND w, LPARAM self) -> BOOL {
                reinterpret_cast<Reader*>(self)->Look(w, "");
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
        where_ = where;
    }
    const std::vector<std::string>& Found() const { return found_; }
    int Windows() const { return windows_; }

private:
    void Look(HWND w, const std::string& where) {
        if (!where.empty()) where_ = where;
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        Note(ControlText(w));
        if (lstrcmpiW(cls, L"ComboBox") == 0) {
            for (LRESULT i = 0, n = Ask(w, CB_GETCOUNT); i < n && i < 200; ++i) {
                wchar_t buf[512] = {};
                Ask(w, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
                Note(buf);
            }
        } else if (lstrcmpiW(cls, L"ListBox") == 0) {
            for (LRESULT i = 0, n = Ask(w, LB_GETCOUNT); i < n && i < 200; ++i) {
                wchar_t buf[512] = {};
                Ask(w, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
                Note(buf);
            }
        } else if (lstrcmpiW(cls, WC_LISTVIEWW) == 0) {
            for (LRESULT i = 0, n = Ask(w, LVM_GETITEMCOUNT); i < n && i < 50; ++i)
                Note(ListLineText(w, static_cast<int>(i)));
        }
    }
    void Note(const std::wstring& text) {
        // The language list names Japanese in its own script.
        if (text != L"\u65E5\u672C\u8A9E" && Foreign(text)) found_.push_back(where_ + ": " + Utf8(text));
    }

    std::string where_;
    std::vector<std::string> found_;
    int windows_ = 0;
};

std::set<HWND> TopWindows(DWORD pid) {
    std::set<HWND> all;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) all.insert(w);
    }
    return all;
}

// The window of `pid` that shows up after `action`, not one of those before it.
HWND Opened(DWORD pid, const std::function<void()>& action) {
    const std::set<HWND> before = TopWindows(pid);
    action();
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : TopWindows(pid))
                if (!before.count(w)) found = w;
            return found != nullptr;
        },
        kSoon);
    if (found) {
        Sleep(300);  // its texts are set while it is being made
        return found;
    }
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        if (owner == pid)
            std::printf("  window %p %ls \"%s\" %s\n", static_cast<void*>(w), cls, Utf8(ControlText(w)).c_str(),
                        IsWindowVisible(w) ? "shown" : "hidden");
    }
    return nullptr;
}

bool Close(HWND w, int id = IDCANCEL) {
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
    return WaitUntil([&] { return !IsWindow(w) || !IsWindowVisible(w); }, kSoon);
}

HWND VisiblePage(HWND mainWindow) {
    for (HWND c = FindWindowExW(mainWindow, nullptr, L"#32770", nullptr); c;
         c = FindWindowExW(mainWindow, c, L"#32770", nullptr))
        if (IsWindowVisible(c)) return c;
    return nullptr;
}

// The page of the editor that holds the control `id`.
HWND KindPage(HWND editor, int id) {
    for (HWND c = FindWindowExW(editor, nullptr, L"#32770", nullptr); c; c = FindWindowExW(editor, c, L"#32770", nullptr))
        if (GetDlgItem(c, id) && IsWindowVisible(c)) return c;
    return nullptr;
}

void Select(HWND dlg, int id, int index, UINT setMessage, UINT notification) {
    HWND control = GetDlgItem(dlg, id);
    Ask(control, setMessage, static_cast<WPARAM>(index));
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(control));
    Sleep(200);
}

constexpr char kItems[] =
    "[ViewData0001]\r\nName=Clock\r\nDataType=CLOCK\r\nType=Clock\r\nFormat=\"<hh:mm>\"\r\n"
    "[ViewData0002]\r\nName=Greeting\r\nDataType=FIXED\r\nType=Fixed\r\nText=00480069\r\n"
    "[ViewData0003]\r\nDataType=NONE\r\n";
constexpr char kAlarms[] =
    "[Alarm0001]\r\nName=tea\r\nMessage=m\r\nTargetYear=-1\r\nTargetMonth=255\r\nTargetDay=127\r\n"
    "TargetHour=3\r\nTargetMinute=0\r\nTargetSecond=0\r\nFlag=0\r\nDayType=1\r\nMessageHour=0\r\n"
    "MessageMinute=1\r\nMessageSecond=0\r\nEnable=0\r\n[Alarm0002]\r\nName=\r\n";
constexpr char kRules[] =
    "[WindowData0001]\r\nTitle=notepad\r\nAction=1\r\nWindowClass=Notepad\r\nFlag=4\r\nEnable=1\r\n"
    "[WindowData0002]\r\nTitle=\r\n";
constexpr char kProfiles[] = "[DrawBar0001]\r\nName=bar\r\nDrawType=2\r\n[DrawBar0002]\r\nName=\r\n";

TEST(EnglishEndToEnd, EveryWindowTheUserMeetsIsInEnglish) {
    ASSERT_EQ(GetACP(), 1252u) << "runs under an English locale";
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    dir.WriteBytes("TBQ_Setting.ini", "[Main]\r\nSettingVersion=1\r\n[Basic]\r\nViewDisplay=1\r\nEndCheck=0\r\n");
    dir.WriteBytes("TBQ_ViewData.ini", kItems);
    dir.WriteBytes("TBQ_Alarm.ini", kAlarms);
    dir.WriteBytes("TBQ_Window.ini", kRules);
    dir.WriteBytes("TBQ_DrawBar.ini", kProfiles);
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Process tbq(L"\"" + folder + L"TBQ.exe\"", folder);
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr) << tbq.Describe();
    const DWORD pid = tbq.Id();
    Reader reader;
    reader.Read(mainWindow, "settings window");
    HWND pages[7] = {};
    for (int i = 0; i < 7; ++i) {
        ShowPage(mainWindow, i);
        // The page shown before may still be visible for a moment.
        ASSERT_TRUE(WaitUntil(
            [&] {
                pages[i] = VisiblePage(mainWindow);
                return pages[i] != nullptr && (i == 0 || pages[i] != pages[i - 1]);
            },
            kSoon))
            << i;
        Sleep(200);
        reader.Read(pages[i], "page " + std::to_string(i));
    }

    // The display item editor: every kind's page, the format builder with a
    // few of its explanations, the date dialog of a count.
    ShowPage(mainWindow, 3);
    HWND editor = Opened(pid, [&] { Press(pages[3], IDC_PAGE_ADD); });
    ASSERT_NE(editor, nullptr);
    for (int kind = 0, n = static_cast<int>(Ask(GetDlgItem(editor, IDC_IE_CATEGORY), CB_GETCOUNT)); kind < n; ++kind) {
        Select(editor, IDC_IE_CATEGORY, kind, CB_SETCURSEL, CBN_SELCHANGE);
        reader.Read(editor, "item editor, kind " + std::to_string(kind));
    }
    for (int kind = 0, n = static_cast<int>(Ask(GetDlgItem(editor, IDC_IE_CATEGORY), CB_GETCOUNT)); kind < n; ++kind) {
        Select(editor, IDC_IE_CATEGORY, kind, CB_SETCURSEL, CBN_SELCHANGE);
        if (KindPage(editor, IDC_IE_TARGET_SET)) {
            HWND date = Opened(pid, [&] { Press(KindPage(editor, IDC_IE_TARGET_SET), IDC_IE_TARGET_SET); });
            reader.Read(date, "count's date dialog");
            EXPECT_TRUE(Close(date));
        }
        if (KindPage(editor, IDC_IE_FORMAT_BUILD)) {
            HWND builder = Opened(pid, [&] { Press(KindPage(editor, IDC_IE_FORMAT_BUILD), IDC_IE_FORMAT_BUILD); });
            ASSERT_NE(builder, nullptr);
            for (int standard : {0, 1}) {
                PostMessageW(GetDlgItem(builder, standard ? IDC_FB_EXTENDED : IDC_FB_SIMPLE), BM_CLICK, 0, 0);
                Sleep(200);
                for (int part : {0, 3, 9, 15}) {
                    Select(builder, IDC_FB_PARTS, part, LB_SETCURSEL, LBN_SELCHANGE);
                    reader.Read(builder, "format builder, part " + std::to_string(part));
                }
            }
            EXPECT_TRUE(Close(builder));
        }
    }
    EXPECT_TRUE(Close(editor));

    // The own-drawing editor and its transparency dialog.
    ShowPage(mainWindow, 2);
    editor = Opened(pid, [&] { Press(pages[2], IDC_PAGE_ADD); });
    reader.Read(editor, "drawing editor");
    HWND trans = Opened(pid, [&] { Press(editor, IDC_DE_TRANS_SET); });
    reader.Read(trans, "transparency dialog");
    EXPECT_TRUE(Close(trans));
    EXPECT_TRUE(Close(editor));

    // The alarm editor and its date dialog.
    ShowPage(mainWindow, 4);
    editor = Opened(pid, [&] { Press(pages[4], IDC_PAGE_ADD); });
    reader.Read(editor, "alarm editor");
    HWND date = Opened(pid, [&] { Press(editor, IDC_AE_DATE_BUTTON); });
    reader.Read(date, "alarm's date dialog");
    EXPECT_TRUE(Close(date));
    EXPECT_TRUE(Close(editor));
    // The question before a deletion.
    ASSERT_TRUE(SelectListLine(GetDlgItem(pages[4], IDC_PAGE_LIST), 0));
    HWND question = Opened(pid, [&] { Press(pages[4], IDC_PAGE_DELETE); });
    reader.Read(question, "deletion question");
    EXPECT_TRUE(Close(question, IDNO));

    // The rule editor, its window dialog, the style field's box and the style dialog.
    ShowPage(mainWindow, 5);
    editor = Opened(pid, [&] { Press(pages[5], IDC_PAGE_ADD); });
    reader.Read(editor, "rule editor");
    HWND select = Opened(pid, [&] { Press(editor, IDC_RE_CONDITIONS); });
    reader.Read(select, "window dialog");
    SetControl(select, IDC_WS_TEXT3, L"1C8000000");
    HWND box = Opened(pid, [&] { Press(select, IDC_WS_STYLE_SET); });
    reader.Read(box, "style field's box");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kSoon));
    SetControl(select, IDC_WS_TEXT3, L"00C80000");
    HWND styles = Opened(pid, [&] { Press(select, IDC_WS_STYLE_SET); });
    reader.Read(styles, "style dialog");
    EXPECT_TRUE(Close(styles));
    EXPECT_TRUE(Close(select));
    EXPECT_TRUE(Close(editor));

    // The input box of a new list, network time, and the about box.
    constexpr UINT kNewList = 1050, kAbout = 1032;
    HWND input = Opened(pid, [&] { PostMessageW(mainWindow, WM_COMMAND, kNewList, 0); });
    reader.Read(input, "new list's input box");
    EXPECT_TRUE(Close(input));
    ShowPage(mainWindow, 0);
    HWND sync = Opened(pid, [&] { Press(pages[0], IDC_BASIC_TIMESYNC); });
    reader.Read(sync, "network time");
    EXPECT_TRUE(Close(sync));
    HWND about = Opened(pid, [&] { PostMessageW(mainWindow, WM_COMMAND, kAbout, 0); });
    reader.Read(about, "about box");
    PostMessageW(about, WM_COMMAND, IDOK, 0);

    EXPECT_GE(reader.Windows(), 25);
    std::string all;
    for (const std::string& f : reader.Found()) all += f + "\n";
    EXPECT_TRUE(reader.Found().empty()) << reader.Found().size() << " texts:\n" << all;
    ASSERT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
}

}  // namespace
}  // namespace tbq::e2e
