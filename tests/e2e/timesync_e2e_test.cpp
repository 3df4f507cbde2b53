// The time synchronisation window of the real TBQ.exe, driven through its
// controls against chronyd on loopback (started for the run by
// tests/harness/net-servers; $TBQ_NET_SERVERS names the ports).
//
// The machine's clock is never set: chronyd serves this machine's own time, so
// the program finds the clock already agrees and leaves it alone, and says so
// in its outcome ("時計は正確です"), which the test requires. (Were it to call
// SetSystemTime anyway, Wine takes no change larger than 0.5 s and does not
// touch the host's clock for smaller ones.)
#include <gtest/gtest.h>
#include <winsock2.h>
// After winsock2.h:
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "e2e/e2e_support.h"
#include "fakes/temp_folder.h"
#include "ui/resource.h"

namespace tbq::e2e {
namespace {

constexpr UINT kTimeSyncCommand = 1004;  // the tray menu's 時刻合わせ(&T)...
const std::wstring kCaption = L"Lunetta - 時刻合わせ";

std::map<std::string, int> Servers() {
    std::map<std::string, int> ports;
    const char* env = std::getenv("TBQ_NET_SERVERS");
    if (!env || !*env) return ports;
    std::string path = env;
    for (char& c : path)
        if (c == '/') c = '\\';
    std::ifstream in(path.front() == '\\' ? "Z:" + path : path);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) ports[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
    }
    return ports;
}

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 128 ? static_cast<char>(c) : '?';
    return s;
}

// The outcome box: another window with the window's caption.
HWND WaitForBox(DWORD pid, HWND dlg, int ms) { return WaitForBoxTitled(pid, kCaption, dlg, ms); }

int MsOfDay(int h, int m, int s, int ms) { return ((h * 60 + m) * 60 + s) * 1000 + ms; }

TEST(TimeSyncEndToEnd, TheWindowSynchronisesWithChronyAndReportsAStoppedServerInTime) {
    const auto ports = Servers();
    if (ports.empty()) GTEST_SKIP() << "TBQ_NET_SERVERS names no servers (ctest starts them)";
    WSADATA wsa;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &wsa), 0);
    test::TempFolder dir;
    InstallTbq(dir.Native(), {"TBQ.exe", "TBQ.dll", "TBQ_Data.ini"});
    dir.WriteBytes("TBQ_ViewData.ini", "[ViewData0001]\r\nDataType=CLOCK\r\n");
    // NTP and the details ticked; a server and port the test replaces in the window.
    dir.WriteBytes("TBQ_Setting.ini",
                   "[NetworkTime]\r\nFlag=9\r\nTimeServer=time.invalid\r\nPort=1\r\nTimeOut=9000\r\n");
    const std::wstring folder = dir.Native().wstring() + L"\\";
    Process window(L"\"" + OwnFolder() + L"tbq_testwin.exe\" \"Time target\"", L"");
    // The first program of a fresh Wine session can take long to show up.
    HWND target = WaitForWindowOfProcess(window.Id(), L"TBQ_TestWindow", 30000);
    ASSERT_NE(target, nullptr);
    Process tbq(L"\"" + folder + L"TBQ.exe\"", folder);
    HWND main = MainWindowOf(tbq);
    ASSERT_NE(main, nullptr);

    PostMessageW(main, WM_COMMAND, kTimeSyncCommand, 0);
    HWND dlg = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        auto found = WindowsTitled(tbq.Id(), kCaption);
        dlg = found.empty() ? nullptr : found.front();
        return dlg != nullptr;
    }, 10000)) << tbq.Describe();
    EXPECT_EQ(ControlText(GetDlgItem(dlg, IDC_TS_SERVER)), L"time.invalid");
    // Our own window in front gets no text, as the boxes it opens get none.
    ASSERT_TRUE(BringToFront(dlg));
    Sleep(1500);  // three ticks
    EXPECT_EQ(TitleOf(dlg), kCaption);
    EXPECT_TRUE(Checked(dlg, IDC_TS_NTP));
    EXPECT_FALSE(Checked(dlg, IDC_TS_HTTP));

    const std::wstring ntpPort = std::to_wstring(ports.at("ntp"));
    SetControl(dlg, IDC_TS_SERVER, L"127.0.0.1");
    SetControl(dlg, IDC_TS_NTPPORT, ntpPort);
    SetControl(dlg, IDC_TS_TIMEOUT, L"3000");
    Press(dlg, IDC_TS_SYNC);
    HWND box = WaitForBox(tbq.Id(), dlg, 10000);
    ASSERT_NE(box, nullptr) << tbq.Describe();
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring text = ControlText(GetDlgItem(box, 0xFFFF));
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    ASSERT_EQ(swscanf(text.c_str(), L"同期に成功しました。\r\n%d年%d月%d日\r\n%d時%d分%d.%d秒", &y, &mo, &d,
                      &h, &mi, &s, &ms), 7) << Narrow(text);
    int apart = MsOfDay(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds) - MsOfDay(h, mi, s, ms);
    if (apart < -43200000) apart += 86400000;  // across midnight
    EXPECT_GE(apart, -1000);
    EXPECT_LT(apart, 1500);
    EXPECT_NE(text.find(L"(時計は正確です。ずれ "), std::wstring::npos) << Narrow(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    // Stored because it worked.
    EXPECT_TRUE(WaitUntil([&] {
        const std::string ini = dir.ReadBytes("TBQ_Setting.ini");
        return ini.find("TimeServer=127.0.0.1") != std::string::npos &&
               ini.find("Port=" + std::to_string(ports.at("ntp")) + "\r\n") != std::string::npos &&
               ini.find("TimeOut=3000") != std::string::npos;
    }, 5000)) << dir.ReadBytes("TBQ_Setting.ini");
    ASSERT_TRUE(WaitUntil([&] { return WaitForBox(tbq.Id(), dlg, 0) == nullptr; }, 5000));

    // A stopped server (nothing on the port) and a silent one (a socket that
    // never answers): each failure within the time-out, while the title ticks on.
    SOCKET silent = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    int len = sizeof a;
    getsockname(silent, reinterpret_cast<sockaddr*>(&a), &len);
    const std::string before = dir.ReadBytes("TBQ_Setting.ini");
    for (int port : {ports.at("ntp_stopped"), static_cast<int>(ntohs(a.sin_port))}) {
        SetControl(dlg, IDC_TS_NTPPORT, std::to_wstring(port));
        SetControl(dlg, IDC_TS_TIMEOUT, L"2500");
        // A failed NTP exchange unticks NTP; the user ticks it again.
        SendMessageTimeoutW(GetDlgItem(dlg, IDC_TS_NTP), BM_SETCHECK, BST_CHECKED, 0, SMTO_ABORTIFHUNG,
                            2000, nullptr);
        Press(dlg, IDC_TS_SYNC);
        const auto start = Clock::now();
        ASSERT_TRUE(BringToFront(target));
        std::set<std::wstring> titles;
        HWND failure = nullptr;
        WaitUntil([&] {
            titles.insert(TitleOf(target));
            failure = WaitForBox(tbq.Id(), dlg, 0);
            return failure != nullptr;
        }, 10000);
        ASSERT_NE(failure, nullptr);
        const double waited = MillisecondsSince(start);
        EXPECT_LT(waited, 2500 + 2000);
        EXPECT_EQ(ControlText(GetDlgItem(failure, 0xFFFF)), L"サーバからの受信に失敗しました。");
        // The clock item showed every second of a wait that lasted seconds.
        if (waited > 2000) {
            EXPECT_GE(titles.size(), 2u) << waited;
        }
        if (port != ports.at("ntp_stopped")) {
            EXPECT_GT(waited, 2000);
        }
        EXPECT_FALSE(Checked(dlg, IDC_TS_NTP));
        PostMessageW(failure, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return WaitForBox(tbq.Id(), dlg, 0) == nullptr; }, 5000));
    }
    closesocket(silent);
    EXPECT_EQ(dir.ReadBytes("TBQ_Setting.ini"), before);

    Press(dlg, IDCANCEL);
    EXPECT_TRUE(QuitTbqThroughMenu(tbq, main)) << tbq.Describe();
}

}  // namespace
}  // namespace tbq::e2e
