// The version check of the real TBQ.exe against a stand-in Rondel.dll (built as
// bin/testrondel/Rondel.dll), which logs each call to rondel.log and answers the
// number in rondel_answer.txt: from the tray menu, at start-up, without the
// library, and with one planted only in the current folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "tbq_version.h"

namespace tbq::e2e {
namespace {

namespace fs = std::filesystem;

constexpr UINT kVersionCheckCommand = 1005;  // the tray menu's バージョンアップのチェック(&V)
constexpr wchar_t kCaption[] = L"Lunetta - バージョンアップチェック";
constexpr wchar_t kNoInformation[] =
    L"インターネットに接続されていないか、許可がありません。\r\n情報が取得できませんでした。";
constexpr int kSoon = 10000;

std::string InCodePage(UINT codePage, const std::wstring& w) {
    const int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::string HexBytes(const std::string& bytes) {
    std::string out;
    char two[3];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02X", c);
        out += two;
    }
    return out;
}

// One line of rondel.log for a call the program makes; the build number is
// the fourth field of the version in VERSION.
std::string LogLine(HWND owner) {
    return "owner=" + std::to_string(reinterpret_cast<std::uintptr_t>(owner)) +
           " key=TBQ build=" + std::to_string(TBQ_VERSION_BUILD) + " title=" + HexBytes(InCodePage(932, kCaption)) +
           " rest=zero\n";
}

class VersionCheckEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* f : {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"})
            fs::copy_file(fs::path(OwnFolder()) / f, dir_.Native(f));
        folder_ = dir_.Native().wstring() + L"\\";
    }
    // The settings file as the program writes it: its two header lines, then `body`.
    void WriteSettings(const std::string& body) {
        dir_.WriteBytes(
            "TBQ_Setting.ini",
            InCodePage(
                CP_ACP,
                L"#ファイル内容を変更すると、Lunettaが正常に動作しなくなる可能性があります。\r\n"
                L"#このファイルは、Lunetta用の設定情報ファイルです。\r\n") +
                body);
    }
    void AddLibrary(const test::TempFolder& where) {
        fs::copy_file(fs::path(OwnFolder()) / "testrondel" / "Rondel.dll",
                      where.Native("Rondel.dll"));
    }
    Process StartTbq(const std::wstring& currentFolder) {
        return Process(L"\"" + folder_ + L"TBQ.exe\"", currentFolder);
    }
    // The check's box, owned by `owner`, with its text; answered with OK.
    std::wstring AnswerBox(const Process& tbq, HWND owner) {
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = FindWindowW(L"#32770", kCaption)) != nullptr; },
                       kSoon)) {
            ADD_FAILURE() << "no box: " << tbq.Describe();
            return {};
        }
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
        const std::wstring text = TitleOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        EXPECT_TRUE(WaitUntil([&] { return FindWindowW(L"#32770", kCaption) == nullptr; }, kSoon));
        return text;
    }

    test::TempFolder dir_;
    std::wstring folder_;
};

TEST_F(VersionCheckEndToEnd, TheMenuCommandTellsTheAnswerAndQuitsWhenAsked) {
    WriteSettings("[Basic]\r\nVerCheck=0\r\n");
    // A Rondel.dll in the current folder only, answering "newest in use", must
    // never be the one that runs.
    test::TempFolder elsewhere;
    AddLibrary(elsewhere);
    elsewhere.WriteBytes("rondel_answer.txt", "1");
    Process tbq = StartTbq(elsewhere.Native().wstring());
    HWND main = MainWindowOf(tbq);
    ASSERT_NE(main, nullptr);

    PostMessageW(main, WM_COMMAND, kVersionCheckCommand, 0);
    EXPECT_EQ(AnswerBox(tbq, main), kNoInformation) << "without a library there is no answer";
    EXPECT_FALSE(fs::exists(elsewhere.Native("rondel.log")));

    // The library in the program folder is found at the next check.
    AddLibrary(dir_);
    PostMessageW(main, WM_COMMAND, kVersionCheckCommand, 0);
    EXPECT_EQ(AnswerBox(tbq, main), kNoInformation) << "no answer file: answer 0";
    dir_.WriteBytes("rondel_answer.txt", "1");
    PostMessageW(main, WM_COMMAND, kVersionCheckCommand, 0);
    EXPECT_EQ(AnswerBox(tbq, main), L"最新のバージョンを使用しています。");
    dir_.WriteBytes("rondel_answer.txt", "2");  // asks for nothing
    PostMessageW(main, WM_COMMAND, kVersionCheckCommand, 0);
    // One line for each of the three calls that found the library.
    const std::string threeCalls = LogLine(main) + LogLine(main) + LogLine(main);
    ASSERT_TRUE(WaitUntil([&] { return dir_.ReadBytes("rondel.log") == threeCalls; }, kSoon))
        << dir_.ReadBytes("rondel.log");
    // Answer 3: the quit, asked first and with the settings saved.
    dir_.WriteBytes("rondel_answer.txt", "3");
    PostMessageW(main, WM_COMMAND, kVersionCheckCommand, 0);
    HWND ask = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (ask = FindWindowW(L"#32770", L"終了確認")) != nullptr; }, kSoon))
        << tbq.Describe();
    EXPECT_EQ(FindWindowW(L"#32770", kCaption), nullptr) << "answer 2 shows nothing";
    PostMessageW(ask, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(ask, IDYES)));
    DWORD code = 99;
    ASSERT_TRUE(tbq.WaitExit(20000, &code)) << tbq.Describe();
    EXPECT_EQ(code, 0u);

    EXPECT_EQ(dir_.ReadBytes("rondel.log"), threeCalls + LogLine(main));
    EXPECT_FALSE(fs::exists(elsewhere.Native("rondel.log")));
    const std::string saved = dir_.ReadBytes("TBQ_Setting.ini");
    EXPECT_NE(saved.find("\r\nTaskTray=1\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("VerCheck=0"), std::string::npos) << saved;
}

TEST_F(VersionCheckEndToEnd, AtStartUpItIsSilentAndCanEndTheProgramBeforeAnyWindow) {
    WriteSettings("[Basic]\r\nVerCheck=1\r\n");
    AddLibrary(dir_);
    {
        // No information: the program starts as usual and says nothing.
        Process tbq = StartTbq(folder_);
        HWND main = MainWindowOf(tbq);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(dir_.ReadBytes("rondel.log"), LogLine(nullptr));
        EXPECT_FALSE(WaitUntil([] { return FindWindowW(L"#32770", kCaption) != nullptr; }, 1000));
        ASSERT_TRUE(QuitTbqThroughMenu(tbq, main)) << tbq.Describe();
    }
    // Told to end: the program ends with 0 before its main window exists and
    // without touching its settings.
    fs::remove(dir_.Native("rondel.log"));
    dir_.WriteBytes("rondel_answer.txt", "3");
    const std::string before = dir_.ReadBytes("TBQ_Setting.ini");
    Process tbq = StartTbq(folder_);
    bool sawMain = false;
    DWORD code = 99;
    ASSERT_TRUE(WaitUntil(
        [&] {
            sawMain = sawMain || FindWindowW(L"TBQ_frmMain", nullptr) != nullptr;
            return tbq.WaitExit(0, &code);
        },
        30000))
        << tbq.Describe();
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(sawMain);
    EXPECT_EQ(dir_.ReadBytes("rondel.log"), LogLine(nullptr));
    EXPECT_EQ(dir_.ReadBytes("TBQ_Setting.ini"), before);
}

}  // namespace
}  // namespace tbq::e2e
