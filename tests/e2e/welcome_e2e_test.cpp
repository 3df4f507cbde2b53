// The first start of the real TBQ.exe in an empty program folder, its welcome
// window driven through its controls: a sample, the take-over of an earlier
// settings file, closing it, and the minimal start with the start-up shortcut.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

namespace fs = std::filesystem;
constexpr wchar_t kWelcome[] = L"Lunetta - ようこそ！";

// What the program writes: text in the Japanese code page.
std::string Sjis(const std::wstring& w) {
    const int n = WideCharToMultiByte(932, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(932, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::string Shown(const std::string& bytes) {
    const int n = MultiByteToWideChar(932, 0, bytes.c_str(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, bytes.c_str(), static_cast<int>(bytes.size()), w.data(), n);
    std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), n, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), n, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

void Click(HWND dlg, int id) { PostMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }
bool Visible(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != FALSE; }

class WelcomeEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path bin = OwnFolder();
        for (const char* f : {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"}) fs::copy_file(bin / f, dir_.Native(f));
        fs::copy(bin / "sample", dir_.Native("sample"), fs::copy_options::recursive);
        folder_ = dir_.Native().wstring();
        while (!folder_.empty() && folder_.back() == L'\\') folder_.pop_back();
        folder_ += L"\\";
    }
    // Wine's notepad, its window, and its title before TBQ writes into it.
    HWND OpenNotepad() {
        notepad_.emplace(L"notepad.exe", L"");
        // Wine may take its time over the first program under another locale.
        HWND w = WaitForWindowOfProcess(notepad_->Id(), nullptr, 30000);
        if (w) notepadTitle_ = TitleOf(w);
        return w;
    }
    Process StartTbq() { return Process(L"\"" + folder_ + L"TBQ.exe\"", folder_); }
    HWND WaitForWelcome(const Process& tbq) {
        HWND w = nullptr;
        WaitUntil([&] {
            auto found = WindowsTitled(tbq.Id(), kWelcome);
            return (w = found.empty() ? nullptr : found.front()) != nullptr;
        }, 30000);
        if (!w) ADD_FAILURE() << "no welcome window: " << tbq.Describe();
        return w;
    }
    std::string Read(const char* name) { return dir_.ReadBytes(name); }
    bool Has(const char* file, const std::wstring& line) {
        return Read(file).find(Sjis(line) + "\r\n") != std::string::npos;
    }
    std::map<std::wstring, std::uintmax_t> Listing() {
        std::map<std::wstring, std::uintmax_t> files;
        for (auto& e : fs::recursive_directory_iterator(dir_.Native()))
            files[e.path().wstring()] = e.is_regular_file() ? e.file_size() : 0;
        return files;
    }

    test::TempFolder dir_;
    std::wstring folder_;
    std::optional<Process> notepad_;
    std::wstring notepadTitle_;
};

TEST_F(WelcomeEndToEnd, TheDefaultSamplePutsItsClockIntoNotepadsTitle) {
    HWND notepad = OpenNotepad();
    ASSERT_NE(notepad, nullptr);

    Process tbq = StartTbq();
    HWND welcome = WaitForWelcome(tbq);
    ASSERT_NE(welcome, nullptr);
    // It opens on the samples, the first one chosen and described.
    EXPECT_TRUE(Checked(welcome, IDC_WC_MODE0));
    HWND list = GetDlgItem(welcome, IDC_WC_SAMPLES);
    EXPECT_GE(SendMessageW(list, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(ControlText(GetDlgItem(welcome, IDC_WC_COMMENT)).empty());
    EXPECT_FALSE(Visible(welcome, IDC_WC_PATH));

    Press(welcome, IDOK);
    HWND mainWindow = MainWindowOf(tbq, false);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(fs::exists(dir_.Native("TBQ_Setting.ini")));
    // The sample keeps the settings window out of the way: the user sees the text.
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(notepad).find(L"令和") != std::wstring::npos; }, 15000))
        << Shown(Sjis(TitleOf(notepad)));
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    EXPECT_EQ(TitleOf(notepad), notepadTitle_);
}

TEST_F(WelcomeEndToEnd, TakingOverKerovaIniWritesTheFourFilesAndShowsTheList) {
    fs::copy_file(fs::path(OwnFolder()) / "Kerova.ini", dir_.Native("Kerova.ini"));
    const std::string oldList = "[ViewData0001]\r\nDataType=FIXED\r\n";
    dir_.WriteBytes("TBQ_ViewData.ini", oldList);
    Process testProc(L"\"" + OwnFolder() + L"tbq_testwin.exe\" Alpha", L"");
    HWND testWindow = WaitForWindowOfProcess(testProc.Id(), L"TBQ_TestWindow", 10000);
    ASSERT_NE(testWindow, nullptr);

    Process tbq = StartTbq();
    HWND welcome = WaitForWelcome(tbq);
    ASSERT_NE(welcome, nullptr);
    Click(welcome, IDC_WC_MODE1);
    // The earlier file beside the program was found, and the window says what it keeps.
    // (The window changes its controls one after another: wait for the last.)
    std::wstring note;
    ASSERT_TRUE(WaitUntil([&] {
        note = ControlText(GetDlgItem(welcome, IDC_WC_BACKUP));
        return Visible(welcome, IDC_WC_PATH) && Visible(welcome, IDC_WC_FOUND) &&
               note.find(L".bak") != std::wstring::npos;
    }, 5000));
    EXPECT_EQ(ControlText(GetDlgItem(welcome, IDC_WC_PATH)), folder_ + L"Kerova.ini");
    EXPECT_NE(note.find(L"TBQ_ViewData.ini"), std::wstring::npos);

    // A mistyped path is said so, and the window stays with nothing written.
    SetControl(welcome, IDC_WC_PATH, L"Kerova2.ini");
    Press(welcome, IDOK);
    HWND box = WaitForBoxTitled(tbq.Id(), L"Lunetta - 引き継ぎ", welcome, 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(ControlText(GetDlgItem(box, 0xFFFF)).find(L"Kerova2.ini"), std::wstring::npos);
    Press(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
    EXPECT_TRUE(IsWindowVisible(welcome));
    EXPECT_FALSE(fs::exists(dir_.Native("TBQ_Setting.ini")));

    // A path relative to the program folder is taken from there.
    SetControl(welcome, IDC_WC_PATH, L"Kerova.ini");
    Press(welcome, IDOK);
    HWND mainWindow = MainWindowOf(tbq, false);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(Has("TBQ_Setting.ini", L"ViewDisplay=0"));
    EXPECT_TRUE(Has("TBQ_Setting.ini", L"Timing=200"));
    EXPECT_TRUE(Has("TBQ_Alarm.ini", L"Name=定例会議"));
    EXPECT_TRUE(Has("TBQ_Alarm.ini", L"TargetDay=130"));  // Mondays
    EXPECT_TRUE(Has("TBQ_ViewData.ini", L"TimeZone=LON"));
    EXPECT_TRUE(Has("TBQ_Window.ini", L"Title=メモ帳には表示しない"));
    EXPECT_TRUE(Has("TBQ_Window.ini", L"WindowClass=SciCalc"));
    EXPECT_EQ(Read("TBQ_ViewData.ini.bak"), oldList);
    EXPECT_NE(Read("Plugins/HostStat/Setting.ini").find(Sjis(L"Format=CPU使用率 %CPU%")), std::string::npos);

    // The imported list: London's time, then the date clock of the switching group.
    ASSERT_TRUE(BringToFront(testWindow));
    EXPECT_TRUE(WaitUntil([&] { return TitleOf(testWindow).find(L"年") != std::wstring::npos; }, 15000))
        << Shown(Sjis(TitleOf(testWindow)));
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
}

TEST_F(WelcomeEndToEnd, ClosingTheWelcomeEndsTheProgramWithoutWritingAFile) {
    const auto before = Listing();
    Process tbq = StartTbq();
    HWND welcome = WaitForWelcome(tbq);
    ASSERT_NE(welcome, nullptr);
    PostMessageW(welcome, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 99;
    ASSERT_TRUE(tbq.WaitExit(20000, &code)) << tbq.Describe();
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Listing(), before);
}

TEST_F(WelcomeEndToEnd, TheMinimalStartOpensTheSettingsWindowAndRegistersTheShortcut) {
    wchar_t startup[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, startup)));
    const fs::path link = fs::path(startup) / L"Lunetta.lnk";
    fs::remove(link);

    Process tbq = StartTbq();
    HWND welcome = WaitForWelcome(tbq);
    ASSERT_NE(welcome, nullptr);
    Click(welcome, IDC_WC_MODE2);
    ASSERT_TRUE(WaitUntil([&] { return !Visible(welcome, IDC_WC_SAMPLES); }, 5000));
    EXPECT_FALSE(Visible(welcome, IDC_WC_PATH));
    Click(welcome, IDC_WC_STARTUP);
    ASSERT_TRUE(WaitUntil([&] { return Checked(welcome, IDC_WC_STARTUP); }, 5000));
    Press(welcome, IDOK);

    HWND box = WaitForBoxTitled(tbq.Id(), L"Lunetta", nullptr, 15000);
    ASSERT_NE(box, nullptr) << tbq.Describe();
    EXPECT_NE(ControlText(GetDlgItem(box, 0xFFFF)).find(L"スタートアップの登録に成功しました。"),
              std::wstring::npos);
    EXPECT_TRUE(fs::exists(link));
    Press(box, IDOK);

    // Nothing to set up: the settings window opens, and no settings file is
    // written until the user saves or quits.
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_FALSE(fs::exists(dir_.Native("TBQ_Setting.ini")));
    EXPECT_FALSE(fs::exists(dir_.Native("TBQ_ViewData.ini")));
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    fs::remove(link);
}

// The same first start on a Windows that is not Japanese (run under an English
// locale, code page 1252): the window speaks English and offers only the
// English samples, whose plain ASCII reads right in this code page.
using EnglishFirstRunEndToEnd = WelcomeEndToEnd;

bool Ascii(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
}

TEST_F(EnglishFirstRunEndToEnd, TheWorldClockSampleWritesEnglishIntoNotepadsTitle) {
    ASSERT_EQ(GetACP(), 1252u) << "run under an English locale";
    HWND notepad = OpenNotepad();
    ASSERT_NE(notepad, nullptr);

    Process tbq = StartTbq();
    HWND welcome = WaitForWelcome(tbq);
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(TitleOf(welcome), L"Lunetta - Welcome!");
    // Each English sample, with a readable description; no Japanese one.
    HWND list = GetDlgItem(welcome, IDC_WC_SAMPLES);
    const std::wstring names[] = {L"World clock (Tokyo, London, New York)", L"Countdown to the New Year",
                                  L"Computer status (HostStat plug-in)"};
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(std::size(names)));
    for (int i = static_cast<int>(std::size(names)) - 1; i >= 0; --i) {
        wchar_t name[256] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(std::wstring(name), names[i]);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageW(welcome, WM_COMMAND, MAKEWPARAM(IDC_WC_SAMPLES, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        const std::wstring comment = ControlText(GetDlgItem(welcome, IDC_WC_COMMENT));
        EXPECT_TRUE(comment.find(L"\r\nUntitled - Notepad  ") != std::wstring::npos && Ascii(comment))
            << names[i];
    }

    // scripts/screenshots takes the window for the English help here.
    if (wchar_t out[MAX_PATH] = {}; GetEnvironmentVariableW(L"TBQ_PICTURES", out, MAX_PATH)) {
        EXPECT_TRUE(SaveWindowPicture(welcome, fs::path(out) / "welcome.bmp"));
    }

    Press(welcome, IDOK);
    HWND mainWindow = MainWindowOf(tbq, false);
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_EQ(Read("TBQ_ViewData.ini"), Read("sample/en/world/TBQ_ViewData.ini"));
    ASSERT_TRUE(BringToFront(notepad));
    std::wstring title;
    EXPECT_TRUE(WaitUntil([&] {
        title = TitleOf(notepad);
        return title.find(L"  Tokyo ") != std::wstring::npos;
    }, 15000));
    // "Untitled - Notepad  Tokyo 22:15  London 13:15  New York 08:15"
    std::wstring shape = title;
    for (wchar_t& c : shape)
        if (c >= L'0' && c <= L'9') c = L'0';
    EXPECT_EQ(shape, notepadTitle_ + L"  Tokyo 00:00  London 00:00  New York 00:00")
        << std::string(title.begin(), title.end());
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    EXPECT_EQ(TitleOf(notepad), notepadTitle_);
}

}  // namespace
}  // namespace tbq::e2e
