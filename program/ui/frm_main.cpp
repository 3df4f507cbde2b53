#include "ui/frm_main.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "core/program_location.h"
#include "alarm/alarm.h"
#include "core/helpers.h"
#include "items/view_alarm.h"
#include "items/view_fixed.h"
#include "items/view_list.h"
#include "app/settings_files.h"
#include "draw/draw_list.h"
#include "platform/ports.h"
#include "ui/editor_support.h"
#include "ui/list_management.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "vercheck/version_check.h"
#include "items/view_plugin.h"
#include "plugin/plugin_registry.h"
#include "uimodel/menus.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {

std::optional<Text> ComposeList(const Text& name) {
    ViewListPtr list = ViewListRegistry::Instance().GetViewList(name, true);
    if (!list) return std::nullopt;
    // Each plug-in is asked for all its texts of this tick at once.
    const PluginTextBatch pluginTexts(*list);
    return ComposeListText(*list, false);
}
}  // namespace

FrmMain::FrmMain(vbKerova_Dll& dll) : dll_(dll), versionCheck_(ProgramFolder()) {}

FrmMain::~FrmMain() {
    // A running exchange is waited for; it ends within its time-out.
    timeSync_.reset();
    if (hwnd()) {
        KillTimer(hwnd(), tmrMain);
        KillTimer(hwnd(), tmrCheck);
    }
    WithdrawPainting();
    RestoreTitle();
    SetTitleSource({});
    // The alarms go while the library can still close their windows: every
    // message window closes, every sound stops and is closed.
    SetAlarmListSource({});
    App().AlarmList.clear();
    SetAlarmHost({});
    // The record goes before the writer: the writer must not call into it.
    if (titleBar_) titleBar_->OnChange = nullptr;
}

bool FrmMain::Load() {
    icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM),
                                          IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!Create(kWindowClass, L"Lunetta", WS_OVERLAPPEDWINDOW, WS_EX_CONTROLPARENT, 520, 400, icon_))
        return false;
    AppState& app = App();
    app.MainWindowHandle = WindowIdOf(hwnd());

    // The program's windows besides the main one (and the boxes they own):
    // nothing is ever written into them, though they are not owned by it.
    auto ownForms = [this] {
        std::vector<platform::WindowId> forms;
        if (timeSync_ && timeSync_->hwnd())
            forms.push_back(WindowIdOf(timeSync_->hwnd()));
        return forms;
    };
    titleBar_ = std::make_unique<vbKerova_TitleBar>(
        [ownForms](platform::WindowId w) {
            return IsOwnWindow(w, App().MainWindowHandle, false, ownForms());
        },
        [] { return App().settings.Unicode; });
    record_ = std::make_unique<TitleRecord>(ProgramFolder() + TitleRecord::kFileName);
    titleBar_->OnChange = [this](const vbKerova_TitleBar& tb) { record_->Save(tb); };
    // Window-title items show the decorated window's own title.
    SetTitleSource([this] { return titleBar_->OldTitle(); });

    UpdateTick::Collaborators c;
    c.titleBar = titleBar_.get();
    c.fixedRule = &app.FixedWindowRule;
    c.ownForms = ownForms;
    c.rules = &app.WindowRuleList;
    c.compose = ComposeList;
    c.exePath = [this](platform::WindowId w) { return dll_.GetExeFileName(w); };
    c.advanceGroups = [] { AdvanceGroups(ViewListRegistry::Instance()); };
    c.drawBars = &app.DrawBarList;
    c.pseudoBar = &pseudoBar_;
    c.paintList = [](vbKerova_DrawBar& profile, const Text& listName) {
        if (ViewListPtr list = ViewListRegistry::Instance().GetViewList(listName, true))
            DrawListOnBar(profile, *list, 0);
    };
    c.runs = [](const Text& listName) {
        PaintRuns runs;
        if (ViewListPtr list = ViewListRegistry::Instance().GetViewList(listName, true))
            ColoredRuns(*list, [&](const Text& text, std::uint32_t color) {
                runs.emplace_back(text, color);
                return 0;
            });
        return runs;
    };
    tick_ = std::make_unique<UpdateTick>(std::move(c));

    AlarmHost alarmHost;
    alarmHost.showWindow = [this](const Text& title, const Text& message, std::uint32_t tag) {
        return dll_.ShowAlarmWindow(App().MainWindowHandle, title, message, tag);
    };
    alarmHost.closeWindow = [this](platform::WindowId w) { dll_.CloseAlarmWindow(w); };
    alarmHost.flashTarget = [] { return App().CurrentTarget; };
    SetAlarmHost(std::move(alarmHost));
    SetAlarmListSource(
        [] { return App().settings.CheckAlarm ? &App().AlarmList : nullptr; });

    // The pages are built when the window is first shown: most runs never
    // show it, and its controls, fonts and theme are memory held all day.

    SetTimer(hwnd(), tmrMain, static_cast<UINT>(app.settings.Timing), nullptr);
    ArmCheckTimer();

    if (app.settings.TaskTray) {
        if (app.WelcomeState != 0) {
            dll_.NotifyIconControl(vbKerova_Dll::kSpareFlag, {}, 1);
            dll_.NotifyIconControl(vbKerova_Dll::kBalloonIcon, {}, 1);
            dll_.NotifyIconControl(vbKerova_Dll::kBalloonOn, {}, 1);
            dll_.NotifyIconControl(vbKerova_Dll::kBalloonTitle, Text(Tr(TextId::TrayWelcomeTitle)));
            dll_.NotifyIconControl(vbKerova_Dll::kBalloonText, Text(Tr(TextId::TrayWelcomeText)));
        }
        SetTaskTray(true);
    }
    return true;
}

void FrmMain::SetTaskTray(bool visible) {
    if (visible) {
        dll_.NotifyIconControl(vbKerova_Dll::kLoadIcon, {},
                               reinterpret_cast<std::intptr_t>(GetModuleHandleW(nullptr)),
                               IDI_PROGRAM);
        dll_.NotifyIconControl(vbKerova_Dll::kTip, kProductName);
        dll_.NotifyIconControl(vbKerova_Dll::kTrayAdd);
    } else {
        dll_.NotifyIconControl(vbKerova_Dll::kTrayRemove);
    }
}

void FrmMain::RestoreTitle() {
    if (titleBar_) titleBar_->ReturnTitle();
}

void FrmMain::KeepPendingRestores(std::vector<vbKerova_TitleBar::Restore> restores) {
    if (titleBar_) titleBar_->KeepPending(std::move(restores));
}

void FrmMain::ShowWindowIfHidden() {
    if (IsWindowVisible(hwnd())) return;
    if (!built_) {
        built_ = true;
        if (!BuildWindow()) return;
    }
    // What changed while it was hidden (an alarm that went, a plug-in switched
    // off) shows at once.
    if (page_ < static_cast<int>(pages_.size())) pages_[static_cast<std::size_t>(page_)]->Refill();
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    ArmCheckTimer();
}

void FrmMain::ArmCheckTimer() {
    // Alarms can be added only through this window, and the ones there are go
    // only by this check: with the window hidden and no alarm, group timing or
    // sound, there is nothing to look at ten times a second.
    const AppState& app = App();
    const bool needed = app.settings.RefreshTiming || !app.AlarmList.empty() || soundActive_ ||
                        IsWindowVisible(hwnd());
    if (needed == checkArmed_ || quitting_) return;
    checkArmed_ = needed;
    if (needed)
        SetTimer(hwnd(), tmrCheck, 100, nullptr);
    else
        KillTimer(hwnd(), tmrCheck);
}

void FrmMain::OnLibraryEvent(std::int32_t kind, std::int32_t a, std::int32_t b) {
    if (!App().AppRunning) return;
    if (kind == 6) {
        // The check box of an alarm's message window: keep or drop the window
        // for the alarm's later runs.
        if (vbKerova_Alarm* alarm = FindAlarmByTag(App().AlarmList, static_cast<std::uint32_t>(a)))
            alarm->SetAlarmEnable(b != 0);
    } else if (kind == 4) {
        ShowWindowIfHidden();
    } else if (kind == 5) {
        const bool visible = IsWindowVisible(hwnd()) != FALSE;
        if (a == 3) {
            ShowWindowIfHidden();
        } else if (a == 2 && b == 1 && visible) {
            ForceForeground(hwnd());
        } else if (a == 2 && b == 2 && !visible) {
            ShowTrayMenu();
        }
    }
}

void FrmMain::OnMainTimer() {
    tick_->Run();
    RefreshPreview();
    // The window painted on is followed between ticks.
    const AppState& app = App();
    const bool painting = tick_->ActiveDrawBar && app.settings.UseDrawBar && app.settings.FollowTarget;
    follower_.Follow(painting ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(app.CurrentTarget))
                              : nullptr);
    ArmCheckTimer();
}

void FrmMain::WithdrawPainting() {
    follower_.Follow(nullptr);
    if (tick_ && tick_->ActiveDrawBar) {
        tick_->ActiveDrawBar->DrawStart(0, DrawContext(&pseudoBar_, App().settings.Unicode));
        tick_->ActiveDrawBar->EndDraw();
        tick_->ActiveDrawBar.reset();
    }
    dll_.CloseDummyBar();
}

void FrmMain::OnCheckTimer() {
    AppState& app = App();
    // Groups switch and scroll on their own tenths of a second when asked to.
    if (app.settings.RefreshTiming) AdvanceGroups(ViewListRegistry::Instance());
    const std::size_t alarms = app.AlarmList.size();
    soundActive_ = CheckAlarms(app.AlarmList, LocalDateTimeNow(), app.settings.CheckAlarm).soundActive;
    // An alarm that deleted itself leaves the alarms' page.
    if (app.AlarmList.size() != alarms && pages_.size() > 4) pages_[4]->Refill();
    ArmCheckTimer();
}

void FrmMain::ShowTrayMenu() {
    using uimodel::TrayCommand;
    static constexpr std::pair<TrayCommand, UINT> kIds[] = {
        {TrayCommand::ShowSettings, mnuFile_Setting}, {TrayCommand::TimeSync, mnuFile_TimeSync},
        {TrayCommand::VerCheck, mnuInfo_VerCheck},    {TrayCommand::StopSound, mnuFile_Alarm},
        {TrayCommand::Save, mnuFile_Save},            {TrayCommand::Quit, mnuFile_Quit0},
        {TrayCommand::QuitWithoutSaving, mnuFile_Quit1}};
    HMENU menu = CreatePopupMenu();
    // The alarm sound's entry is offered only while a sound plays.
    for (const uimodel::TrayEntry& e : uimodel::TrayMenu(soundActive_)) {
        if (e.command == TrayCommand::Separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        for (const auto& [command, id] : kIds)
            if (command == e.command) AppendMenuW(menu, MF_STRING, id, win32::Wide(Tr(e.caption)).c_str());
    }
    SetMenuDefaultItem(menu, mnuFile_Setting, FALSE);
    POINT pt;
    GetCursorPos(&pt);
    // The menu closes properly only when our window is in front while it shows.
    SetForegroundWindow(hwnd());
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd(), nullptr);
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    DestroyMenu(menu);
}

bool FrmMain::PrepareQuit(bool confirm, bool noSave) {
    AppSettings& s = App().settings;
    if (confirm && s.EndCheck) {
        bool dontAskAgain = false;
        HWND owner = IsWindowVisible(hwnd()) ? hwnd() : nullptr;
        const bool yes = AskEndConfirmation(owner, !noSave, dontAskAgain);
        s.EndCheck = !dontAskAgain;
        if (!yes) return false;
    }
    App().AppRunning = false;
    if (!noSave) SaveAllSettings();
    return true;
}

void FrmMain::Quit(bool noSave) {
    if (quitting_) return;
    if (!PrepareQuit(true, noSave)) return;
    quitting_ = true;
    DestroyWindow(hwnd());
}

LRESULT FrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
            if (wp == tmrMain && tick_ && !quitting_) OnMainTimer();
            if (wp == tmrCheck && !quitting_) OnCheckTimer();
            if (wp == tmrSwitch) RunDeferredListCommand();
            return 0;
        case WM_NOTIFY: {
            const auto* h = reinterpret_cast<const NMHDR*>(lp);
            if (h->hwndFrom == tabs_ && h->code == TCN_SELCHANGE) ShowPage(TabCtrl_GetCurSel(tabs_));
            return 0;
        }
        case WM_DRAWITEM:
            if (wp == IDC_MAIN_PREVIEW) {
                PaintPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
                return TRUE;
            }
            break;
        case WM_INITMENUPOPUP:
            OnInitMenu(reinterpret_cast<HMENU>(wp));
            return 0;
        case WM_SIZE:
            LayoutWindow();
            return 0;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {minSize_.cx, minSize_.cy};
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case mnuFile_Setting:
                    ShowWindowIfHidden();
                    ForceForeground(hwnd());
                    return 0;
                case mnuFile_Alarm:
                    for (const auto& alarm : App().AlarmList) alarm->StopAlarmSound();
                    return 0;
                case mnuFile_Save:
                    SaveAllSettings();
                    return 0;
                case mnuFile_TimeSync:
                    OpenTimeSync();
                    return 0;
                case mnuInfo_VerCheck:
                    // The library can ask for the end: the quit asks first and saves.
                    if (RunVersionCheck(versionCheck_, App().MainWindowHandle, true)) Quit(false);
                    return 0;
                case mnuFile_Quit0:
                    Quit(false);
                    return 0;
                case mnuFile_Quit1:
                    Quit(true);
                    return 0;
                case cmdQuitFromOutside:
                    // No question: nobody may be there to answer it.
                    if (quitting_) return 0;
                    PrepareQuit(false, false);
                    quitting_ = true;
                    DestroyWindow(hwnd());
                    return 0;
                case mnuInfo_Rescan:
                    if (PluginRegistry* plugins = ThePluginRegistry()) {
                        plugins->Scan(ProgramFolder(), ProgramFolder() + kSettingFile, true);
                    }
                    if (pages_.size() > 6) pages_[6]->Refill();
                    return 0;
                default:
                    if (OnSettingsCommand(LOWORD(wp))) return 0;
                    if (RunListManagementCommand(LOWORD(wp), pages_, hwnd())) return 0;
            }
            break;
        case WM_CLOSE:
            // Closing the window only hides it: the program lives on in the tray.
            ShowWindow(hwnd(), SW_HIDE);
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wp) {
                // Windows is ending: quit without asking, and give the title back
                // now, since this process may not get to run its destructors.
                quitting_ = true;
                KillTimer(hwnd(), tmrMain);
                KillTimer(hwnd(), tmrCheck);
                PrepareQuit(false, false);
                WithdrawPainting();
                RestoreTitle();
            }
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd(), tmrMain);
            KillTimer(hwnd(), tmrCheck);
            WithdrawPainting();
            RestoreTitle();
            PostQuitMessage(0);
            return 0;
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace tbq::ui
