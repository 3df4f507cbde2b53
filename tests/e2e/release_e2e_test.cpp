// The release as a user gets it (scripts/release makes it in dist/): the
// installer run silently for this user, run again while TBQ runs and over
// settings, the silent uninstall and one that removes the settings; the
// portable archive unpacked into an empty folder, its first start and its
// Help menu.
//
// TBQ_DIST names dist/ and TBQ_PORTABLE the freshly unpacked x64 archive (both
// Linux paths, set by CTest). Without a release the tests skip, unless
// TBQ_REQUIRE_RELEASE is set, as scripts/test sets it after making one.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "e2e/e2e_support.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

namespace fs = std::filesystem;
constexpr wchar_t kWelcome[] = L"Lunetta - ようこそ！";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TBQ";
constexpr int kInstallerMs = 120000;

// A Linux path from the environment as this process sees it (drive Z:).
fs::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return {};
    std::wstring path = L"Z:";
    for (const char* c = value; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

fs::path KnownFolder(int csidl) {
    wchar_t buf[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf);
    return buf;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// Every file under `folder` but the program's own, with its bytes.
std::map<fs::path, std::string> SettingsIn(const fs::path& folder) {
    std::map<fs::path, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (!e.is_regular_file()) continue;
        const fs::path rel = fs::relative(e.path(), folder);
        const std::wstring top = rel.begin()->wstring();
        if (top == L"sample" || top == L"SDK") continue;
        if (rel.parent_path().empty() &&
            (rel.extension() == L".exe" || rel.extension() == L".dll" || rel.extension() == L".chm" ||
             rel.extension() == L".txt" || rel == L"TBQ_Data.ini"))
            continue;
        if (rel == fs::path(L"Plugins\\HostStat.tbqp")) continue;
        files[rel] = ReadBytes(e.path());
    }
    return files;
}

std::wstring RegistryText(const wchar_t* key, const wchar_t* value) {
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf;
    if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return L"(none)";
    return buf;
}

// A process that `parent` started from the program `exe`; 0 while there is none.
DWORD ChildProcess(DWORD parent, const wchar_t* exe) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent && lstrcmpiW(entry.szExeFile, exe) == 0) found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

// The uninstaller as a user answers it: its confirm page's button, then
// "はい" to the question whether the settings go too, then 閉じる. Its
// windows are found by what they show, since it runs from a copy of itself.
// True when the question was asked and the uninstaller's windows are gone.
bool UninstallRemovingTheSettings(const fs::path& dir) {
    Process uninstall(L"\"" + (dir / L"uninstall.exe").wstring() + L"\"", dir.wstring());
    struct Seen {
        HWND question = nullptr, wizard = nullptr;
    };
    const auto look = [] {
        Seen seen;
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto& found = *reinterpret_cast<Seen*>(p);
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                wchar_t cls[64] = {}, text[256] = {};
                GetClassNameW(w, cls, 64);
                if (pid == GetCurrentProcessId() || !IsWindowVisible(w) || lstrcmpW(cls, L"#32770") != 0) return TRUE;
                // A message box's text is its static of id 0xFFFF.
                if (HWND t = GetDlgItem(w, 0xFFFF); t && GetWindowTextW(t, text, 256) &&
                                                    std::wstring(text).starts_with(L"設定ファイルも削除しますか"))
                    found.question = w;
                else if (GetWindowTextW(w, text, 256) && std::wstring(text).find(L"Lunetta") != std::wstring::npos)
                    found.wizard = w;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&seen));
        return seen;
    };
    bool asked = false;
    const bool done = WaitUntil(
        [&] {
            const Seen seen = look();
            if (seen.question) {
                asked = true;
                PostMessageW(seen.question, WM_COMMAND, IDYES, 0);
            } else if (seen.wizard) {
                // The next button (アンインストール, later 閉じる) is disabled while the work runs.
                HWND next = GetDlgItem(seen.wizard, 1);
                if (next && IsWindowEnabled(next)) PostMessageW(seen.wizard, WM_COMMAND, 1, 0);
            }
            Sleep(300);
            return asked && !seen.question && !seen.wizard && !look().wizard;
        },
        kInstallerMs);
    return done && asked;
}

// Ends a viewer TBQ started for the test, by its id.
void EndProcess(DWORD pid) {
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        TerminateProcess(p, 0);
        WaitForSingleObject(p, 5000);
        CloseHandle(p);
    }
}

// The Help menu's entries, as the other end-to-end tests name commands.
constexpr WPARAM kHelpContents = 1030;  // ヘルプの参照(&H)
constexpr WPARAM kHelpReadme = 1031;    // お読み下さい(&R)

class ReleaseEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path dist = FromEnvironment("TBQ_DIST");
        if (!dist.empty() && fs::is_directory(dist)) {
            for (const auto& e : fs::directory_iterator(dist)) {
                const std::wstring name = e.path().filename().wstring();
                if (name.size() > 10 && name.ends_with(L"-setup.exe")) setup_ = e.path();
            }
        }
        portable_ = FromEnvironment("TBQ_PORTABLE");
        if (setup_.empty() || portable_.empty() || !fs::exists(portable_ / "TBQ.exe")) {
            if (std::getenv("TBQ_REQUIRE_RELEASE")) FAIL() << "no release in dist/ (scripts/release makes it)";
            GTEST_SKIP() << "no release in dist/: run scripts/release first";
        }
    }

    // The installer, silently, as a user runs it; true when it succeeded.
    ::testing::AssertionResult Install() {
        Process setup(L"\"" + setup_.wstring() + L"\" /S", setup_.parent_path().wstring());
        DWORD code = 99;
        if (!setup.WaitExit(kInstallerMs, &code)) return ::testing::AssertionFailure() << "installer hangs";
        if (code != 0) return ::testing::AssertionFailure() << "installer ended with " << code;
        return ::testing::AssertionSuccess();
    }

    // TBQ started in `folder`, past its welcome window with the way to begin
    // chosen there (IDC_WC_MODE0, the default sample, is chosen when it opens).
    Process StartAndWelcome(const fs::path& folder, int mode, HWND* mainWindow) {
        Process tbq(L"\"" + (folder / L"TBQ.exe").wstring() + L"\"", folder.wstring());
        HWND welcome = WaitForWindowTitled(tbq, kWelcome, 30000);
        EXPECT_NE(welcome, nullptr) << "no welcome window: " << tbq.Describe();
        if (welcome && mode != IDC_WC_MODE0) {
            PostMessageW(GetDlgItem(welcome, mode), BM_CLICK, 0, 0);
            EXPECT_TRUE(WaitUntil([&] { return Checked(welcome, mode); }, 5000));
        }
        if (welcome) Press(welcome, IDOK);
        *mainWindow = welcome ? MainWindowOf(tbq, false) : nullptr;
        return tbq;
    }

    fs::path setup_;
    fs::path portable_;
};

TEST_F(ReleaseEndToEnd, InstallingUpgradingWhileTbqRunsAndUninstallingKeepTheSettingsUnlessTheUserRemovesThem) {
    const fs::path dir = KnownFolder(CSIDL_LOCAL_APPDATA) / L"Programs" / L"TBQ";
    const fs::path menuShortcut = KnownFolder(CSIDL_PROGRAMS) / L"Lunetta.lnk";
    const fs::path startupShortcut = KnownFolder(CSIDL_STARTUP) / L"Lunetta.lnk";
    fs::remove_all(dir);
    RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);

    ASSERT_TRUE(Install());
    for (const wchar_t* f : {L"TBQ.exe", L"TBQ.dll", L"TBQPluginHost.exe", L"TBQ_Data.ini", L"TBQ.chm",
                             L"TBQ_en.chm", L"Readme.txt", L"Readme_en.txt", L"LICENSE.txt",
                             L"Plugins\\HostStat.tbqp", L"sample\\sample.ini", L"sample\\en\\sample.ini",
                             L"SDK\\include\\tbq_plugin.h", L"SDK\\sample\\hello.c", L"uninstall.exe"})
        EXPECT_TRUE(fs::exists(dir / f)) << fs::path(f).string();
    EXPECT_TRUE(SettingsIn(dir).empty()) << "the installer brought a settings file";
    EXPECT_TRUE(fs::exists(menuShortcut));
    EXPECT_FALSE(fs::exists(startupShortcut)) << "the start-up shortcut is the user's choice";
    EXPECT_EQ(RegistryText(kUninstallKey, L"UninstallString"), L"\"" + (dir / L"uninstall.exe").wstring() + L"\"");
    EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayName"), L"Lunetta");

    // The first start welcomes the user; the sample chosen there is saved.
    HWND mainWindow = nullptr;
    Process tbq = StartAndWelcome(dir, IDC_WC_MODE0, &mainWindow);
    ASSERT_NE(mainWindow, nullptr) << tbq.Describe();

    // An upgrade while TBQ runs asks it to quit (it saves) and then completes.
    ASSERT_TRUE(Install());
    DWORD code = 99;
    EXPECT_TRUE(tbq.WaitExit(5000, &code) && code == 0) << tbq.Describe();
    EXPECT_TRUE(fs::exists(dir / L"TBQ_Setting.ini"));

    // What the user made, a plug-in's settings among it, and a damaged
    // program file: the next upgrade mends the one and leaves the rest.
    WriteBytes(dir / L"ViewData" / L"mine.ini", "[ViewData0001]\r\nDataType=NONE\r\n");
    WriteBytes(dir / L"Plugins" / L"HostStat" / L"Setting.ini", "[CPU1]\r\nFormat=C{load}\r\n");
    WriteBytes(dir / L"TBQ_Window.ini", "[WindowData0001]\r\nTitle=\r\n");
    WriteBytes(dir / L"TBQ_Data.ini", "damaged");
    const auto settings = SettingsIn(dir);
    ASSERT_GE(settings.size(), 5u);

    ASSERT_TRUE(Install());
    EXPECT_EQ(SettingsIn(dir), settings);
    EXPECT_EQ(ReadBytes(dir / L"TBQ_Data.ini"), ReadBytes(portable_ / L"TBQ_Data.ini"));

    // The silent uninstall goes on from a copy of itself in the temporary
    // folder: done when it has deleted itself.
    Process uninstall(L"\"" + (dir / L"uninstall.exe").wstring() + L"\" /S", dir.wstring());
    ASSERT_TRUE(uninstall.WaitExit(kInstallerMs, &code));
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(dir / L"uninstall.exe"); }, 60000));
    for (const wchar_t* f : {L"TBQ.exe", L"TBQ.dll", L"TBQPluginHost.exe", L"TBQ_Data.ini", L"TBQ.chm",
                             L"TBQ_en.chm", L"Plugins\\HostStat.tbqp", L"sample", L"SDK"})
        EXPECT_FALSE(fs::exists(dir / f)) << fs::path(f).string();
    EXPECT_FALSE(fs::exists(menuShortcut));
    EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayName"), L"(none)");
    EXPECT_EQ(SettingsIn(dir), settings);

    // Installed again over the kept settings, with what the program leaves
    // beside them, and uninstalled by a user who removes the settings too:
    // nothing is left, not even the folder.
    ASSERT_TRUE(Install());
    for (const wchar_t* f : {L"TBQ_Log.txt", L"TBQ_Log.old.txt", L"TBQ_PluginLoading.txt", L"TBQ_Setting.ini.bak"})
        WriteBytes(dir / f, "x");
    EXPECT_TRUE(UninstallRemovingTheSettings(dir)) << "the question was not asked, or the uninstaller stays";
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(dir); }, 10000)) << [&] {
        std::string left = "left:";
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(dir, ec)) {
            left += ' ';
            left += e.path().string();
        }
        return left;
    }();
    EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayName"), L"(none)");
}

TEST_F(ReleaseEndToEnd, ThePortableArchiveWelcomesAndItsHelpMenuOpensHelpAndReadme) {
    // The read-me a Japanese Windows user opens: Shift-JIS, CR LF, the usual sections.
    const std::string readme = ReadBytes(portable_ / L"Readme.txt");
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, readme.data(), static_cast<int>(readme.size()),
                                      nullptr, 0);
    ASSERT_GT(n, 0) << "Readme.txt is not Shift-JIS";
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, readme.data(), static_cast<int>(readme.size()), text.data(), n);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == L'\r') << "a line without CR at " << i;
        }
    }
    const wchar_t* const sections[] = {L"■ 概要",     L"■ 動作環境", L"■ インストール", L"■ アンインストール",
                                       L"■ 使い方", L"■ 更新履歴", L"■ 連絡先"};
    for (size_t i = 0; i < std::size(sections); ++i)
        EXPECT_NE(text.find(std::wstring(sections[i]) + L"\r\n"), std::wstring::npos) << "section " << i;
    // The English one: plain ASCII, read alike in every code page, CR LF, its sections.
    const std::string english = ReadBytes(portable_ / L"Readme_en.txt");
    for (size_t i = 0; i < english.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(english[i]), 0x80) << "Readme_en.txt is not ASCII at " << i;
        if (english[i] == '\n') {
            ASSERT_TRUE(i > 0 && english[i - 1] == '\r') << "a line without CR at " << i;
        }
    }
    for (const char* section : {"* About", "* Language", "* Installing", "* Uninstalling", "* Using Lunetta",
                                "* What is new", "* Contact"})
        EXPECT_NE(english.find(std::string(section) + "\r\n"), std::string::npos) << section;

    // Windows opens .txt files with Notepad; Wine's fresh prefix has Notepad's
    // verb (txtfile) but not the extension's entry, which a user's system has
    // (and Wine reads classes from the machine's part only).
    HKEY txt = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, KEY_READ, &txt) == ERROR_SUCCESS) {
        RegCloseKey(txt);
    } else {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, L".txt", nullptr, REG_SZ, L"txtfile", sizeof L"txtfile"),
                  ERROR_SUCCESS);
    }

    // Starting with nothing set up keeps TBQ's text out of the viewers' titles.
    HWND mainWindow = nullptr;
    Process tbq = StartAndWelcome(portable_, IDC_WC_MODE2, &mainWindow);
    ASSERT_NE(mainWindow, nullptr) << tbq.Describe();

    // Each viewer is TBQ's child, ended by the test when it has shown what it
    // opened: the help viewer its title, Notepad the read-me's text (its title
    // can be TBQ's to write). A slow one is waited for: Notepad can take many
    // seconds to show under load.
    const auto helpShown = [](DWORD pid) {
        DWORD owner = 0;
        HWND w = FindWindowW(nullptr, L"Lunetta ヘルプ");
        return w && GetWindowThreadProcessId(w, &owner) && owner == pid;
    };
    const auto readmeShown = [](DWORD pid) {
        HWND edit = FindWindowExW(WindowOfProcess(pid, L"Notepad"), nullptr, L"Edit", nullptr);
        return edit && ControlText(edit).find(L"■ 概要\r\n") != std::wstring::npos;
    };
    struct Viewer {
        WPARAM command;
        const wchar_t* exe;
        bool (*shown)(DWORD);
    };
    for (const Viewer& v : {Viewer{kHelpContents, L"hh.exe", helpShown},
                            Viewer{kHelpReadme, L"notepad.exe", readmeShown}}) {
        PostMessageW(mainWindow, WM_COMMAND, v.command, 0);
        DWORD viewer = 0;
        EXPECT_TRUE(WaitUntil([&] { return (viewer = ChildProcess(tbq.Id(), v.exe)) != 0; }, 30000))
            << fs::path(v.exe).string() << " was not started: " << tbq.Describe();
        if (!viewer) continue;
        EXPECT_TRUE(WaitUntil([&] { return v.shown(viewer); }, 90000))
            << fs::path(v.exe).string() << " did not show the file";
        EndProcess(viewer);
    }
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, mainWindow)) << tbq.Describe();
}

}  // namespace
}  // namespace tbq::e2e
