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
#include "ui/kit/handles.h"
#include "ui/kit/sizer.h"
#include "ui/settings_pages.h"
#include "uimodel/list_commands.h"
#include "uimodel/menus.h"
#include "ui/target_follower.h"
#include "ui/window_base.h"

namespace tbq::ui {

class FrmMain final : public WindowBase, private PageHost, private uimodel::SettingEffects {
public:
    enum Command : UINT {
        mnuFile_Setting = 1001,
        mnuFile_Alarm = 1002,
        mnuFile_Save = 1003,
        mnuFile_TimeSync = 1004,  // 時刻合わせ(&T)...: the time synchronisation window
        mnuInfo_VerCheck = 1005,  // バージョンアップのチェック(&V): asks the version-check library
        mnuInfo_Rescan = 1006,  // プラグインを再検索(&P)
        mnuFile_Quit0 = 1010,  // 終了(&X): quit and save
        mnuFile_Quit1 = 1011,  // 設定保存せず終了(&N): quit without saving
        mnuFile_Copy_Data0 = 1012,  // 表示項目をコピー(&V)
        mnuFile_Copy_Data1 = 1013,  // 全項目をコピー(&A)
        cmdQuitFromOutside = 1014,  // "TBQ.exe /quit": quit and save without asking
        mnuPage0 = 1020,  // Ctrl+1 ... Ctrl+7 show the pages 0 to 6
        mnuHelp_Help = 1030,
        mnuHelp_Readme = 1031,
        mnuHelp_About = 1032,
        mnuList_Edit = 1040,  // the list pop-up: 編集(&E), 削除(&D), 挿入(&I)
        mnuList_Delete = 1041,
        mnuList_Insert = 1042,
        mnuFile_Copy_SelectData = 1100,  // one entry per display item, up to 1999
    };
    // The class other processes find the main window by.
    static constexpr wchar_t kWindowClass[] = L"TBQ_frmMain";
    enum Timer : UINT_PTR { tmrMain = 1, tmrCheck = 2, tmrSwitch = 3 };

    explicit FrmMain(vbKerova_Dll& dll);
    ~FrmMain() override;

    // Creates the window (the load handler); false when it cannot be made.
    bool Load();
    void OnLibraryEvent(std::int32_t kind, std::int32_t a, std::int32_t b);
    // The quit sequence: may ask, then saves unless told not to.
    bool PrepareQuit(bool confirm, bool noSave);
    void SetTaskTray(bool visible);
    // A plug-in was switched off or on behind the settings window's back.
    void PluginsChanged();
    // The page keys and dialog navigation of the window; true when used.
    bool PreTranslate(MSG& msg);
    // Gives the decorated window its own title back (end of the program, end of
    // the session, a crash).
    void RestoreTitle();
    // Restores an earlier run left waiting on hung windows.
    void KeepPendingRestores(std::vector<vbKerova_TitleBar::Restore> restores);
    // Shows the settings window (built at its first showing) with its page up to date.
    void ShowWindowIfHidden();

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void Quit(bool noSave);
    void ShowTrayMenu();
    // The 100 ms check: group timing and the alarms.
    void OnCheckTimer();
    // Runs the 100 ms check while there is anything for it to do.
    void ArmCheckTimer();
    void OnMainTimer();
    // Takes the painting off the last window and closes the pseudo title bar.
    void WithdrawPainting();

    // The visible settings window: tabs, pages, preview and menus.
    bool BuildWindow();
    void ShowPage(int index);
    void LayoutWindow();
    void OnDpiChanged(UINT dpi) override;
    void PaintPreview(const DRAWITEMSTRUCT& di);
    void RefreshPreview();
    void OnInitMenu(HMENU menu);
    void CopyText(const Text& text);
    bool OnSettingsCommand(UINT id);
    void RunDeferredListCommand();
    void OpenHelpFile(uimodel::HelpDocument document, bool warnWhenMissing);

    // PageHost
    HWND OwnerWindow() const override { return hwnd(); }
    uimodel::SettingEffects& Effects() override { return *this; }
    void OpenTimeSync() override;
    void ShowListPopup(int page, const void* key) override;
    void PageChanged(int page) override;
    RuleContext WindowRuleContext() override;
    // SettingEffects
    void TaskTrayChanged(bool visible) override { SetTaskTray(visible); }
    void TimingChanged(std::int32_t ms) override;
    void TitleInfoChanged(bool) override;
    void DrawingChanged(bool on) override;
    void LanguageChanged() override;
    // The tabs get the pages' titles in the language in force (`insert`: made).
    void TitleTabs(bool insert);
    // The menu bar in the language in force, in place of the one there was.
    void MakeMenuBar();

    vbKerova_Dll& dll_;
    HWND tabs_ = nullptr;
    HWND preview_ = nullptr;
    std::vector<std::unique_ptr<SettingsPage>> pages_;
    int page_ = 0;
    UniqueFont font_;
    HACCEL keys_ = nullptr;
    HMENU copyMenu_ = nullptr;  // part of the menu bar
    SIZE minSize_{};
    std::vector<uimodel::SelectDataEntry> selectEntries_;
    // The list pop-up's choice, run a tick later on the object chosen.
    int deferredPage_ = 0;
    int deferredCommand_ = -1;
    std::weak_ptr<const void> deferredObject_;
    std::unique_ptr<vbKerova_TitleBar> titleBar_;
    std::unique_ptr<TitleRecord> record_;
    std::unique_ptr<UpdateTick> tick_;
    LibraryPseudoBar pseudoBar_{dll_};
    TargetFollower follower_{[this] {
        if (tick_) tick_->Repaint();
    }};
    HICON icon_ = nullptr;
    bool quitting_ = false;
    bool built_ = false;
    bool checkArmed_ = false;  // tmrCheck runs  // the menu, preview and pages exist (from the first showing)
    // An alarm with a sound started or runs: the stop command is offered.
    bool soundActive_ = false;
    std::unique_ptr<FrmTimeSync> timeSync_;
    platform::Win32VersionCheckLibrary versionCheck_;
};

}  // namespace tbq::ui
