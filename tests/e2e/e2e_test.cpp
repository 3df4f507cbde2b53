// TBQ.exe for real: started in a scratch program folder, decorating real
// windows (our test window and Wine's notepad), read from outside.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"

namespace tbq::e2e {
namespace {

constexpr wchar_t kComposed[] = L"<TBQ>";
// Ticks come every 500 ms; a busy machine can hold a few back, and a wait
// ends as soon as what it waits for is there.
constexpr int kSoon = 10000;

class TbqEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        InstallTbq(dir_.Native(), {"TBQ.exe", "TBQ.dll"});
        folder_ = dir_.Native().wstring() + L"\\";
        // One clock item whose format holds no date code at all, so the text is
        // known: "<TBQ>" (the "Q" would be the quarter, hence its backslash).
        dir_.WriteBytes("TBQ_ViewData.ini",
                        "[ViewData0001]\r\nDataType=CLOCK\r\nFontColor=0x80000009\r\n"
                        "Enable=1\r\nFormat=\"<TB\\Q>\"\r\nTimeZone=TYO\r\nOffsetType=1\r\n"
                        "Flag=0\r\n[ViewData0002]\r\nDataType=NONE\r\n");
    }

    Process StartTbq() {
        Process p(L"\"" + folder_ + L"TBQ.exe\"", folder_);
        return p;
    }
    Process StartTestWindow(const std::wstring& title, HWND& window) {
        Process p(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"" + title + L"\"", L"");
        window = WaitForWindowOfProcess(p.Id(), L"TBQ_TestWindow", 10000);
        return p;
    }
    bool ShowsTitle(HWND w, const std::wstring& title, int ms = kSoon) {
        return WaitUntil([&] { return TitleOf(w) == title; }, ms);
    }

    static std::map<std::wstring, std::filesystem::file_time_type> Listing(
        const test::TempFolder& dir) {
        std::map<std::wstring, std::filesystem::file_time_type> files;
        for (auto& e : std::filesystem::directory_iterator(dir.Native()))
            files[e.path().filename().wstring()] = e.last_write_time();
        return files;
    }

    test::TempFolder dir_;
    std::wstring folder_;
};

TEST_F(TbqEndToEnd, DecoratesTheForegroundWindowAndGivesTitlesBack) {
    HWND alpha = nullptr;
    Process alphaProc = StartTestWindow(L"Alpha", alpha);
    ASSERT_NE(alpha, nullptr);
    Process notepadProc(L"notepad.exe", L"");
    HWND notepad = WaitForWindowOfProcess(notepadProc.Id(), nullptr, 10000);
    ASSERT_NE(notepad, nullptr);
    const std::wstring notepadTitle = TitleOf(notepad);

    Process tbq = StartTbq();
    ASSERT_TRUE(tbq.Started());
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);

    ASSERT_TRUE(BringToFront(alpha));
    auto t0 = Clock::now();
    EXPECT_TRUE(ShowsTitle(alpha, kComposed));
    std::printf("decorated %.0f ms after becoming the foreground window\n", MillisecondsSince(t0));

    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(ShowsTitle(notepad, kComposed));
    EXPECT_EQ(TitleOf(alpha), L"Alpha");

    // The decorated program retitles itself: its new title is its own from now on.
    ASSERT_TRUE(BringToFront(alpha));
    ASSERT_TRUE(ShowsTitle(alpha, kComposed));
    PostMessageW(alpha, WM_APP + 1, 2, 0);
    ASSERT_TRUE(ShowsTitle(alpha, kComposed));
    ASSERT_TRUE(BringToFront(notepad));
    EXPECT_TRUE(ShowsTitle(alpha, L"Alpha 2"));

    // A second copy, here from another folder, hands over to the first and
    // leaves every file of its folder alone.
    test::TempFolder otherDir;
    for (const char* f : {"TBQ.exe", "TBQ.dll"})
        std::filesystem::copy_file(dir_.Native(f), otherDir.Native(f));
    auto before = Listing(otherDir);
    ShowWindow(mainWindow, SW_HIDE);
    Process second(L"\"" + otherDir.Native("TBQ.exe").wstring() + L"\"", otherDir.Native().wstring());
    DWORD code = 99;
    ASSERT_TRUE(second.WaitExit(10000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(mainWindow) != FALSE; }, 5000));
    EXPECT_EQ(Listing(otherDir), before);

    // Our own window gets nothing, and the last target gets its title back.
    ASSERT_TRUE(BringToFront(mainWindow));
    EXPECT_TRUE(ShowsTitle(notepad, notepadTitle));
    EXPECT_EQ(TitleOf(mainWindow), L"Lunetta");

    // Quitting gives the last decorated title back.
    ASSERT_TRUE(BringToFront(notepad));
    ASSERT_TRUE(ShowsTitle(notepad, kComposed));
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
    EXPECT_EQ(TitleOf(notepad), notepadTitle);
}

TEST_F(TbqEndToEnd, AHungTargetDoesNotStallTheTicks) {
    HWND hung = nullptr, other = nullptr;
    Process hungProc = StartTestWindow(L"Hung", hung);
    Process otherProc = StartTestWindow(L"Other", other);
    Process tbq = StartTbq();
    HWND mainWindow = MainWindowOf(tbq);
    ASSERT_NE(mainWindow, nullptr);

    ASSERT_TRUE(BringToFront(hung));
    ASSERT_TRUE(ShowsTitle(hung, kComposed));
    PostMessageW(hung, WM_APP + 2, 30000, 0);  // its thread sleeps for 30 s
    double longest = 0;
    for (int round = 0; round < 3; ++round) {
        // A few ticks go to the hung window, then the next window must get its
        // text as quickly as ever.
        ASSERT_TRUE(BringToFront(hung));
        Sleep(1200);
        ASSERT_TRUE(BringToFront(other));
        auto t0 = Clock::now();
        EXPECT_TRUE(ShowsTitle(other, kComposed));
        longest = std::max(longest, MillisecondsSince(t0));
    }
    std::printf("longest wait for the next window's text while a target hangs: %.0f ms\n",
                longest);
    hungProc.Kill();
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, mainWindow));
}

TEST_F(TbqEndToEnd, AKilledProgramsTitleComesBackAtTheNextStart) {
    HWND alpha = nullptr, beta = nullptr;
    Process alphaProc = StartTestWindow(L"Alpha", alpha);
    Process betaProc = StartTestWindow(L"Beta", beta);
    {
        Process tbq = StartTbq();
        ASSERT_NE(MainWindowOf(tbq), nullptr);
        ASSERT_TRUE(BringToFront(alpha));
        ASSERT_TRUE(ShowsTitle(alpha, kComposed));
        tbq.Kill();
    }
    EXPECT_EQ(TitleOf(alpha), kComposed);
    // What the killed copy left for the next start, for a failure to show.
    const std::string record =
        std::filesystem::exists(dir_.Native("TBQ_Restore.ini")) ? dir_.ReadBytes("TBQ_Restore.ini") : "(none)";
    const auto mark = reinterpret_cast<std::uintptr_t>(GetPropW(alpha, L"TBQ.TitleMark"));
    // Hidden, the window cannot become the foreground window again and be
    // decorated anew; its title is still read and restored.
    ShowWindow(alpha, SW_HIDE);
    ASSERT_TRUE(BringToFront(beta));
    // The title goes back before the main window is made, so the main window
    // comes first: how long Wine takes to start a program on a busy machine is
    // not what this test measures.
    const DWORD asked = GetTickCount();
    Process again = StartTbq();
    HWND mainWindow = MainWindowOf(again);
    ASSERT_NE(mainWindow, nullptr);
    const DWORD startMs = GetTickCount() - asked;
    RecordProperty("start_ms", static_cast<int>(startMs));  // in --gtest_output=xml
    EXPECT_TRUE(ShowsTitle(alpha, L"Alpha", 3000))
        << "title now: " << (TitleOf(alpha) == kComposed ? "still ours" : "something else") << "; started in "
        << startMs << " ms; mark " << mark << "; record after the kill:\n" << record;
    EXPECT_TRUE(QuitTbqThroughMenu(again, mainWindow));
}

}  // namespace
}  // namespace tbq::e2e
