#include "library/library_harness.h"

#include <gtest/gtest.h>
// After windows.h:
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tbq::test {

namespace {

bool g_inFreshProcess = false;

template <typename Proc>
Proc Bind(HMODULE module, const char* name) {
    // Through void(*)(): the one function type that converts to any other quietly.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool LibraryExports::Complete() const {
    return module && Init && Quit && GetInformation && ShowAbout && ShowMainProgramWindow &&
           GetExeFileName && CreateShortCut && NotifyIconControl && ShowAlarmWindow &&
           CloseAlarmWindow && SetDummyBarEx && SetDummyBar && GetDummyBar && CloseDummyBar;
}

LibraryExports LoadTbqLibrary() {
    LibraryExports e;
    e.module = LoadLibraryW(L"TBQ.dll");
    if (!e.module) return e;
    e.Init = Bind<TBQ_InitProc>(e.module, "Init");
    e.Quit = Bind<TBQ_QuitProc>(e.module, "Quit");
    e.GetInformation = Bind<TBQ_GetInformationProc>(e.module, "GetInformation");
    e.ShowAbout = Bind<TBQ_ShowAboutProc>(e.module, "ShowAbout");
    e.ShowMainProgramWindow =
        Bind<TBQ_ShowMainProgramWindowProc>(e.module, "ShowMainProgramWindow");
    e.GetExeFileName = Bind<TBQ_GetExeFileNameProc>(e.module, "GetExeFileName");
    e.CreateShortCut = Bind<TBQ_CreateShortCutProc>(e.module, "CreateShortCut");
    e.NotifyIconControl = Bind<TBQ_NotifyIconControlProc>(e.module, "NotifyIconControl");
    e.ShowAlarmWindow = Bind<TBQ_ShowAlarmWindowProc>(e.module, "ShowAlarmWindow");
    e.CloseAlarmWindow = Bind<TBQ_CloseAlarmWindowProc>(e.module, "CloseAlarmWindow");
    e.SetDummyBarEx = Bind<TBQ_SetDummyBarExProc>(e.module, "SetDummyBarEx");
    e.SetDummyBar = Bind<TBQ_SetDummyBarProc>(e.module, "SetDummyBar");
    e.GetDummyBar = Bind<TBQ_GetDummyBarProc>(e.module, "GetDummyBar");
    e.CloseDummyBar = Bind<TBQ_CloseDummyBarProc>(e.module, "CloseDummyBar");
    return e;
}

std::wstring SelfPath() {
    std::wstring path(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    return path;
}

std::wstring HolderTitle(DWORD processId) {
    return L"tbq library test holder " + std::to_wstring(processId);
}

bool InFreshProcess() { return g_inFreshProcess; }

void RunCurrentTestInFreshProcess() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string filter = std::string(info->test_suite_name()) + "." + info->name();
    std::wstring command = L"\"" + SelfPath() + L"\" --tbq-fresh-process --gtest_brief=1 " +
                           L"--gtest_filter=" + std::wstring(filter.begin(), filter.end());
    std::fflush(stdout);
    std::fflush(stderr);

    // The copy writes its own report to our output.
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &si, &pi))
        << "cannot start " << filter << " in a process of its own: " << GetLastError();
    CloseHandle(pi.hThread);
    // Pumping meanwhile: the copy broadcasts, and our windows answer at once.
    PumpMessagesUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; },
                      std::chrono::seconds(60));
    DWORD waited = WaitForSingleObject(pi.hProcess, 0);
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << filter << " did not end within 60 s";
    EXPECT_EQ(code, 0u) << filter << " failed or crashed in its own process (report above)";
}

bool PumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr,
                                    static_cast<DWORD>(std::min<long long>(left.count(), 50)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

std::ostream& operator<<(std::ostream& os, const Event& e) {
    return os << "{" << e.kind << ", " << e.value1 << ", " << e.value2 << "}";
}

std::vector<Event> g_firstEvents;
std::vector<Event> g_secondEvents;

void WINAPI RecordFirst(std::int32_t kind, std::int32_t value1, std::int32_t value2) {
    g_firstEvents.push_back({kind, value1, value2});
}
void WINAPI RecordSecond(std::int32_t kind, std::int32_t value1, std::int32_t value2) {
    g_secondEvents.push_back({kind, value1, value2});
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

namespace {

// Started from a copy of this program under another name: shows that the
// library reads another process's executable. Keeps one window until it is
// closed, and gives up after 30 s so that it never outlives a failed test.
int HoldWindow() {
    HWND window =
        CreateWindowExW(0, L"STATIC", HolderTitle(GetCurrentProcessId()).c_str(), WS_POPUP, 0, 0,
                        10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return 2;
    PumpMessagesUntil([&] { return !IsWindow(window); }, std::chrono::seconds(30));
    return 0;
}

// Wine without a window manager spends 2 s hiding its stand-in tray window
// whenever the last icon leaves it. An icon of the test run's own keeps the
// window up, so the tests' icons come and go at once.
class TrayKeeper {
public:
    TrayKeeper() {
        window_ = CreateWindowExW(0, L"STATIC", L"tbq library test tray keeper", WS_POPUP, 0, 0, 1,
                                  1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        data_.cbSize = sizeof data_;
        data_.hWnd = window_;
        data_.uID = 1;
        data_.uFlags = NIF_ICON;
        data_.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // the application icon
        if (window_) Shell_NotifyIconW(NIM_ADD, &data_);
    }
    ~TrayKeeper() {
        if (!window_) return;
        Shell_NotifyIconW(NIM_DELETE, &data_);
        DestroyWindow(window_);
    }
    TrayKeeper(const TrayKeeper&) = delete;
    TrayKeeper& operator=(const TrayKeeper&) = delete;

private:
    HWND window_ = nullptr;
    NOTIFYICONDATAW data_{};
};

}  // namespace

}  // namespace tbq::test

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tbq-hold-window") == 0) return tbq::test::HoldWindow();
        if (std::strcmp(argv[i], "--tbq-fresh-process") == 0) tbq::test::g_inFreshProcess = true;
    }
    testing::InitGoogleTest(&argc, argv);
    if (tbq::test::g_inFreshProcess) return RUN_ALL_TESTS();
    tbq::test::TrayKeeper keeper;
    return RUN_ALL_TESTS();
}
