// TBQ.exe: start-up, the message loop and the end of the program.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "app/app_state.h"
#include "core/balloon_queue.h"
#include "core/diag_log.h"
#include "core/library_wrapper.h"
#include "core/program_location.h"
#include "core/title_record.h"
#include "platform/ports.h"
#include "platform/win32/library_win32.h"
#include "platform/win32/log_file_win32.h"
#include "platform/win32/version_check_win32.h"
#include "win32/wide.h"
#include "app/settings_files.h"
#include "base/texts.h"
#include "items/view_list.h"
#include "items/view_plugin.h"
#include "plugin/plugin_registry.h"
#include "settings/ini_file.h"
#include "ui/frm_main.h"
#include "ui/frm_welcome.h"
#include "ui/kit/dialog.h"
#include "ui/window_dialogs.h"
#include "vercheck/version_check.h"

namespace {

tbq::ui::FrmMain* g_mainForm = nullptr;

// A crash must not leave our text in another program's title.
LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) {
    if (g_mainForm) g_mainForm->RestoreTitle();
    return EXCEPTION_CONTINUE_SEARCH;
}

tbq::Text ExecutableFolder() {
    std::wstring buf(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    buf.resize(n);
    buf.resize(buf.find_last_of(L"\\/") + 1);  // a drive root keeps its one "\"
    return tbq::win32::FromWide(buf);
}


// Balloons wait their turn (see BalloonQueue); a thread timer, which every
// message loop dispatches, modal ones included, shows them. It runs only
// while balloons wait or the last one's time runs.
tbq::BalloonQueue g_balloons;
tbq::vbKerova_Dll* g_balloonDll = nullptr;
UINT_PTR g_balloonTimer = 0;
constexpr UINT kBalloonPumpMs = 250;
static_assert(tbq::kBalloonInfo == NIIF_INFO && tbq::kBalloonWarning == NIIF_WARNING &&
              tbq::kBalloonError == NIIF_ERROR);

void CALLBACK PumpBalloons(HWND, UINT, UINT_PTR, DWORD) noexcept {
    try {
        tbq::AppState& app = tbq::App();
        // The icon comes with the main window: until then the balloons wait,
        // and without the icon there is nothing to show them over.
        if (!app.AppRunning || !g_balloonDll) return;
        if (!app.settings.TaskTray) g_balloons.Clear();
        if (g_balloons.Pump(*g_balloonDll, tbq::platform::clock().TickCount())) return;
    } catch (...) {
        g_balloons.Clear();
    }
    KillTimer(nullptr, g_balloonTimer);
    g_balloonTimer = 0;
}

void StartBalloonTimer() {
    if (!g_balloonTimer) g_balloonTimer = SetTimer(nullptr, 0, kBalloonPumpMs, PumpBalloons);
}

// A plug-in that crashed or hung was switched off: a balloon says so, and how
// to switch it on again.
void TellPluginSwitchedOff(const tbq::vbKerova_Plugin& plugin) {
    g_balloons.Push(tbq::SwitchedOffBalloon(plugin));
    StartBalloonTimer();
    // The module list shows it switched off at once.
    if (g_mainForm) g_mainForm->PluginsChanged();
}

// A notice of the plug-in registry (no host process, a plug-in that took the
// program down), shown once the icon is there.
void TellNotice(const tbq::Balloon& balloon) {
    g_balloons.Push(balloon);
    StartBalloonTimer();
}

// The first start: the welcome window, and start-up waits while it is open.
// True when the user finished it with OK; closing it in any other way, or
// the end of the message loop, means the program ends.
bool Welcome(tbq::vbKerova_Dll& dll) {
    tbq::AppState& app = tbq::App();
    app.WelcomeState = 1;
    tbq::ui::FrmWelcome welcome(dll);
    // Without its window the program starts as "nothing to set up" does.
    if (!welcome.Show()) {
        app.WelcomeState = 2;
        return true;
    }
    MSG msg;
    while (app.WelcomeState == 1) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            app.WelcomeState = 3;
            break;
        }
        if (tbq::ui::navigation::PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return app.WelcomeState == 2;
}

// One copy per user session holds this.
constexpr wchar_t kInstanceMutex[] = L"Local\\TBQ_Lunetta_Instance";

// "TBQ.exe /quit": the running copy ends as 終了(&X) ends it (saving, without
// the question), and this waits for its process to be gone, so that an
// installer can replace its files. A copy still in its welcome window is
// closed, which writes nothing; a copy still starting is waited for until its
// window is there. 0 when no copy runs any more.
int QuitRunningCopy() {
    constexpr DWORD kWaitMs = 30000;
    const DWORD start = GetTickCount();
    const std::wstring welcome = tbq::win32::Wide(tbq::ui::FrmWelcome::WindowCaption());
    for (;;) {
        HWND target = FindWindowW(tbq::ui::FrmMain::kWindowClass, nullptr);
        UINT message = WM_COMMAND;
        WPARAM command = tbq::ui::FrmMain::cmdQuitFromOutside;
        if (!target) {
            target = FindWindowW(L"#32770", welcome.c_str());
            message = WM_CLOSE;
            command = 0;
        }
        if (target) {
            DWORD pid = 0;
            GetWindowThreadProcessId(target, &pid);
            HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
            if (!process) return 1;
            DWORD waited = WAIT_FAILED;
            if (PostMessageW(target, message, command, 0)) waited = WaitForSingleObject(process, kWaitMs);
            CloseHandle(process);
            return waited == WAIT_OBJECT_0 ? 0 : 1;
        }
        HANDLE running = OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutex);
        if (!running) return 0;
        CloseHandle(running);
        if (GetTickCount() - start > kWaitMs) return 1;
        Sleep(100);
    }
}

bool AskedToQuit() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool quit = false;
    for (int i = 1; argv && i < argc; ++i) {
        if (lstrcmpiW(argv[i], L"/quit") == 0) quit = true;
    }
    if (argv) LocalFree(argv);
    return quit;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything else: this run only tells the running copy to end.
    if (AskedToQuit()) return QuitRunningCopy();
    using namespace tbq;
    const Text folder = ExecutableFolder();
    SetProgramLocation(folder, u"TBQ");
    // What is said before the settings are loaded is said in their language;
    // without settings (the welcome window) in the user's own.
    SetLanguage(ChooseLanguage(vbIniFile(folder + kSettingFile).GetNumber(u"Basic", u"Language", kLanguageAuto),
                               platform::locale().UiLanguage()));

    // Each plug-in runs in a host process of its own, so that none can crash
    // TBQ or stall its title.
    platform::Win32Library library(folder + u"TBQ.dll", folder + u"TBQPluginHost.exe");
    if (!library.Available()) {
        MessageBoxW(nullptr, win32::Wide(Tr(TextId::MsgNoLibrary)).c_str(), L"Lunetta", MB_OK | MB_ICONERROR);
        return 1;
    }
    vbKerova_Dll dll(library, [](std::int32_t kind, std::int32_t a, std::int32_t b) {
        if (g_mainForm) g_mainForm->OnLibraryEvent(kind, a, b);
    });

    SetTheLibrary(&dll);

    // The question with its check box is a dialog of ours.
    ui::WindowDialogs windowDialogs(*platform::Current().dialogs);
    platform::Ports ports = platform::Current();
    ports.dialogs = &windowDialogs;
    platform::ScopedPorts programPorts(ports);

    // One copy per user session: a second one asks the first to show itself
    // and leaves without touching any file.
    HANDLE instance = CreateMutexW(nullptr, FALSE, kInstanceMutex);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        dll.ShowMainWindow();
        if (instance) CloseHandle(instance);
        return 0;
    }

    AppState& app = App();
    // The log follows its switch in the settings; until they are loaded its
    // lines wait in memory.
    platform::Win32LogFile logFile;
    DiagLog log(logFile, folder, app.settings.DebugLog);
    SetTheDiagLog(&log);
    LogEvent(u"Lunettaを起動しました: " + folder);
    app.WelcomeState = 0;
    if (!SettingFileExists() && !Welcome(dll)) {
        // Closed without a choice: the program ends and writes nothing.
        if (instance) CloseHandle(instance);
        SetTheDiagLog(nullptr);
        SetTheLibrary(nullptr);
        return 0;
    }

    // The plug-ins are there before the display lists, whose items bind to them.
    PluginRegistry plugins(library);
    SetThePluginRegistry(&plugins);
    plugins.OnRebind = [] { ReloadPluginItems(ViewListRegistry::Instance()); };
    g_balloonDll = &dll;
    plugins.OnFailure = TellPluginSwitchedOff;
    plugins.OnNotice = TellNotice;
    SetPluginTargetSource([] { return App().CurrentTarget; });
    plugins.Scan(folder, folder + kSettingFile, false);

    LoadAllSettings();
    SetLanguage(ChooseLanguage(app.settings.Language, platform::locale().UiLanguage()));
    log.SwitchKnown();

    // What start-up made so far, released when the run ends (or ends early).
    auto release = [&] {
        if (instance) CloseHandle(instance);
        if (g_balloonTimer) KillTimer(nullptr, g_balloonTimer);
        g_balloonTimer = 0;
        g_balloonDll = nullptr;
        SetPluginTargetSource({});
        SetThePluginRegistry(nullptr);
        plugins.Clear();
        SetTheLibrary(nullptr);
        SetTheDiagLog(nullptr);
    };
    // The version check can end the program before any window exists.
    if (app.settings.VerCheck) {
        platform::Win32VersionCheckLibrary rondel(folder);
        if (RunVersionCheck(rondel, 0, false)) {
            release();
            return 0;
        }
    }

    // A title left behind by a copy that did not end normally goes back first.
    TitleRecord::AfterCrash leftOver =
        TitleRecord(folder + TitleRecord::kFileName).RestoreAfterCrash(app.settings.Unicode);

    int exitCode = 1;
    {
        ui::FrmMain mainForm(dll);
        g_mainForm = &mainForm;
        SetUnhandledExceptionFilter(OnUnhandledException);
        // A main window that cannot be made ends the run like any other end.
        if (mainForm.Load()) {
            // Windows too hung to take their titles back are tried again by the ticks.
            mainForm.KeepPendingRestores(std::move(leftOver.waiting));
            // The welcome balloon came with the icon: the first report waits its time.
            if (app.WelcomeState != 0 && app.settings.TaskTray) {
                g_balloons.Shown(platform::clock().TickCount());
                StartBalloonTimer();
            }
            if (app.settings.ViewDisplay) mainForm.ShowWindowIfHidden();
            app.AppRunning = true;

            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (mainForm.PreTranslate(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
        g_mainForm = nullptr;
    }
    LogEvent(u"Lunettaを終了します: 終了コード " + NumberText(exitCode));
    release();
    return exitCode;
}
