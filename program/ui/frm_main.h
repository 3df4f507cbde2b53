// frmMain: the program's main (settings) window. Hidden most of the time, it
// owns the timers that drive everything, the title writer and the tray icon.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "core/library_wrapper.h"
#include "core/title_record.h"
#include "core/title_writer.h"
#include "app/update_tick.h"
#include "draw/library_bar.h"
#include "platform/win32/version_check_win32.h"
#include "rules/window_rule.h"
#include "ui/frm_time_sync.h"
#include "ui/target_follower.h"
#include "ui/window_base.h"

namespace tbq::ui {

class FrmMain final : public WindowBase {
public:
    enum Command : UINT {
        mnuFile_Setting = 1001,
        mnuFile_Alarm = 1002,
        mnuFile_Save = 1003,
        mnuFile_TimeSync = 1004,  // 時刻合わせ(&T)...: the time synchronisation window
        mnuInfo_VerCheck = 1005,  // バージョンアップのチェック(&V): asks the version-check library
        mnuFile_Quit0 = 1010,  // 終了(&X): quit and save
        mnuFile_Quit1 = 1011,  // 設定保存せず終了(&N): quit without saving
    };
    enum Timer : UINT_PTR { tmrMain = 1, tmrCheck = 2, tmrSwitch = 3 };

    explicit FrmMain(vbKerova_Dll& dll);
    ~FrmMain() override;

    // Creates the window (the load handler); false when it cannot be made.
    bool Load();
    void OnLibraryEvent(std::int32_t kind, std::int32_t a, std::int32_t b);
    // The quit sequence: may ask, then saves unless told not to.
    bool PrepareQuit(bool confirm, bool noSave);
    void SetTaskTray(bool visible);
    // Gives the decorated window its own title back (end of the program, end of
    // the session, a crash).
    void RestoreTitle();
    // Restores an earlier run left waiting on hung windows.
    void KeepPendingRestores(std::vector<vbKerova_TitleBar::Restore> restores);

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Quit(bool noSave);
    void ShowTrayMenu();
    // The 100 ms check: group timing and the alarms.
    void OnCheckTimer();
    void ShowWindowIfHidden();
    void OnMainTimer();
    // Takes the painting off the last window and closes the pseudo title bar.
    void WithdrawPainting();

    vbKerova_Dll& dll_;
    std::unique_ptr<vbKerova_TitleBar> titleBar_;
    std::unique_ptr<TitleRecord> record_;
    std::unique_ptr<UpdateTick> tick_;
    LibraryPseudoBar pseudoBar_{dll_};
    TargetFollower follower_{[this] {
        if (tick_) tick_->Repaint();
    }};
    HICON icon_ = nullptr;
    bool quitting_ = false;
    // An alarm with a sound started or runs: the stop command is offered.
    bool soundActive_ = false;
    std::unique_ptr<FrmTimeSync> timeSync_;
    platform::Win32VersionCheckLibrary versionCheck_;
};

}  // namespace tbq::ui
