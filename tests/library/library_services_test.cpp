// The library's services that need no Init: its information record, the
// executable of a window's process, and shell links. They run in this process,
// which never initialises the library.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/temp_folder.h"
#include "library/library_harness.h"
#include "tbq_version.h"

namespace tbq::test {
namespace {

class LibraryServicesTest : public testing::Test {
protected:
    static void SetUpTestSuite() { lib_ = LoadTbqLibrary(); }
    void SetUp() override {
        ASSERT_TRUE(lib_.Complete()) << "TBQ.dll did not load or lacks an export by its plain name";
    }
    static LibraryExports lib_;
};
LibraryExports LibraryServicesTest::lib_;

std::string AnsiModulePath() {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

HWND MakeWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST_F(LibraryServicesTest, InformationRecordHasZeroPaddedFieldsInTheCodePage) {
    struct {
        TBQ_Information info;
        unsigned char after[16];
    } guarded;
    std::memset(&guarded, 0xCC, sizeof guarded);
    ASSERT_EQ(lib_.GetInformation(&guarded.info), &guarded.info);
    const TBQ_Information& info = guarded.info;

    // The version of the file VERSION, zero-padded to the field's 16 bytes.
    std::string version(TBQ_VERSION_STRING);
    version.resize(sizeof info.Version, '\0');
    EXPECT_EQ(std::string(info.Version, sizeof info.Version), version);

    // The comment as a program running in this code page reads it.
    std::string comment;
    if (GetACP() == 932) {
        comment =
            "\x83\x76\x83\x89\x83\x4F\x83\x43\x83\x93\x90\xA7\x8C\xE4\x82\xE2\x8A\x67\x92\xA3"
            "\x83\x74\x83\x48\x81\x5B\x83\x7D\x83\x62\x83\x67\x82\xCC\x8F\x88\x97\x9D\x93\x99"
            "\x82\xF0\x8D\x73\x82\xA2\x82\xDC\x82\xB7\x81\x42";
    } else if (GetACP() == 1252) {
        comment = std::string(26, '?');  // no Japanese in the Western code page
    } else {
        comment = ToAnsi(L"プラグイン制御や拡張フォーマットの処理等を行います。");
    }
    comment.resize(sizeof info.Comment, '\0');
    EXPECT_EQ(std::string(info.Comment, sizeof info.Comment), comment);

    const std::string copyright(info.Copyright, sizeof info.Copyright);
    const std::size_t end = copyright.find('\0');
    ASSERT_NE(end, std::string::npos);
    EXPECT_GT(end, 0u);
    EXPECT_EQ(copyright.find_first_not_of('\0', end), std::string::npos) << "not zero-padded";
    EXPECT_EQ(info.Reserved, 0);
    EXPECT_EQ(std::vector<unsigned char>(guarded.after, guarded.after + 16),
              std::vector<unsigned char>(16, 0xCC))
        << "wrote past the 404-byte record";

    EXPECT_EQ(lib_.GetInformation(nullptr), nullptr);
}

TEST_F(LibraryServicesTest, ExeFileNameOfOwnWindowIsOurPathAndNeverOverrunsTheBuffer) {
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    const std::string expected = AnsiModulePath();

    std::vector<char> buffer(10240, 'x');
    EXPECT_EQ(lib_.GetExeFileName(window, buffer.data(), static_cast<int32_t>(buffer.size())),
              static_cast<int32_t>(expected.size()));
    EXPECT_EQ(std::string(buffer.data()), expected);

    // Too small: what fits, terminated, and not one byte further.
    std::string small(32, 'x');
    EXPECT_EQ(lib_.GetExeFileName(window, small.data(), 8), 7);
    EXPECT_EQ(small, expected.substr(0, 7) + '\0' + std::string(24, 'x'));
    small.assign(32, 'x');
    EXPECT_EQ(lib_.GetExeFileName(window, small.data(), 1), 0);
    EXPECT_EQ(small, '\0' + std::string(31, 'x'));
    small.assign(32, 'x');
    EXPECT_EQ(lib_.GetExeFileName(window, small.data(), 0), 0);
    EXPECT_EQ(lib_.GetExeFileName(window, small.data(), -5), 0);
    EXPECT_EQ(small, std::string(32, 'x'));
    EXPECT_EQ(lib_.GetExeFileName(window, nullptr, 100), 0);

    DestroyWindow(window);
    small.assign(32, 'x');
    EXPECT_EQ(lib_.GetExeFileName(window, small.data(), 32), 0);
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(lib_.GetExeFileName(nullptr, small.data(), 32), 0);
}

TEST_F(LibraryServicesTest, ExeFileNameOfAnotherProcessWithANonAsciiName) {
    // A copy of this program under a name with characters of the code page:
    // double-byte in 932, single-byte above 0x7F in 1252.
    TempFolder dir;
    const bool japanese = GetACP() == 932;
    const std::filesystem::path copy =
        dir.Native() / (japanese ? L"保持ソフト.exe" : L"holdér.exe");
    std::filesystem::copy_file(SelfPath(), copy);
    std::wstring command = L"\"" + copy.wstring() + L"\" --tbq-hold-window";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    HWND window = nullptr;
    EXPECT_TRUE(PumpMessagesUntil(
        [&] { return (window = FindWindowW(nullptr, HolderTitle(pi.dwProcessId).c_str())); }));
    if (window) {
        const std::string expected = ToAnsi(copy.wstring());
        std::vector<char> buffer(10240, 'x');
        EXPECT_EQ(lib_.GetExeFileName(window, buffer.data(), 10240),
                  static_cast<int32_t>(expected.size()));
        EXPECT_EQ(std::string(buffer.data()), expected);

        // Room for one byte of the first non-ASCII character: a double-byte
        // character is dropped whole, never split.
        const auto k = static_cast<int32_t>(
            std::find_if(expected.begin(), expected.end(),
                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
            expected.begin());
        const int32_t kept = japanese ? k : k + 1;
        std::string cut(k + 8, 'x');
        EXPECT_EQ(lib_.GetExeFileName(window, cut.data(), k + 2), kept);
        EXPECT_EQ(cut.substr(0, kept + 1), expected.substr(0, kept) + '\0');
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
}

struct LinkFields {
    std::wstring path, arguments, description, workDir, iconFile;
    int iconIndex = -1;
};

// Reads a link back through the Unicode interface, as the shell would.
LinkFields ReadLink(const std::wstring& linkPath) {
    LinkFields f;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
        wchar_t buf[MAX_PATH * 2] = {};
        if (SUCCEEDED(link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH))) f.path = buf;
        if (SUCCEEDED(link->GetArguments(buf, MAX_PATH))) f.arguments = buf;
        if (SUCCEEDED(link->GetDescription(buf, MAX_PATH))) f.description = buf;
        if (SUCCEEDED(link->GetWorkingDirectory(buf, MAX_PATH))) f.workDir = buf;
        if (SUCCEEDED(link->GetIconLocation(buf, MAX_PATH, &f.iconIndex))) f.iconFile = buf;
    }
    if (file) file->Release();
    if (link) link->Release();
    CoUninitialize();
    return f;
}

TEST_F(LibraryServicesTest, CreateShortCutWritesALinkThatResolvesToItsTarget) {
    TempFolder dir;
    // Names in the code page, ソ included for its trail byte 0x5C ("\").
    const bool japanese = GetACP() == 932;
    const std::wstring folder = dir.Native().wstring();  // ends in a separator
    const std::wstring target = folder + (japanese ? L"ソフト本体.exe" : L"cible é.exe");
    const std::wstring link = folder + (japanese ? L"近道.lnk" : L"raccourci é.lnk");
    std::filesystem::copy_file(SelfPath(), target);

    const std::string a = ToAnsi(target), l = ToAnsi(link), w = ToAnsi(folder);
    ASSERT_EQ(lib_.CreateShortCut(l.c_str(), a.c_str(), w.c_str(), a.c_str(), 2,
                                  ToAnsi(japanese ? L"説明" : L"déjà").c_str(), "--start \"x y\""),
              1);
    const LinkFields read = ReadLink(link);
    EXPECT_EQ(read.path, target);
    EXPECT_EQ(read.arguments, L"--start \"x y\"");
    EXPECT_EQ(read.description, japanese ? L"説明" : L"déjà");
    EXPECT_EQ(read.workDir, folder);
    EXPECT_EQ(read.iconFile, target);
    EXPECT_EQ(read.iconIndex, 2);

    // Failures answer 0; missing texts are no crash.
    const std::string nowhere = ToAnsi(folder + L"missing\\x.lnk");
    EXPECT_EQ(lib_.CreateShortCut(nowhere.c_str(), a.c_str(), "", "", 0, "", ""), 0);
    EXPECT_EQ(lib_.CreateShortCut(nullptr, a.c_str(), "", "", 0, "", ""), 0);
    EXPECT_EQ(lib_.CreateShortCut("", a.c_str(), "", "", 0, "", ""), 0);
    const std::string bare = ToAnsi(folder + L"bare.lnk");
    lib_.CreateShortCut(bare.c_str(), nullptr, nullptr, nullptr, 0, nullptr, nullptr);
}

}  // namespace
}  // namespace tbq::test
