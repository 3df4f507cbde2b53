// The program's global state and its settings flags, with their defaults until
// the settings files are loaded.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/text.h"
#include "core/program_location.h"
#include "platform/windows.h"
#include "alarm/alarm.h"
#include "draw/draw_bar.h"
#include "rules/window_rule.h"

namespace tbq {

// The global settings; their keys and defaults are the table of
// app/settings_table.cpp, which a new object starts from.
struct AppSettings {
    AppSettings();

    bool ViewDisplay, TaskTray, EndCheck, VerCheck;
    bool ViewDelCheck, RefreshTiming;
    Text EditDataName;
    bool TitleInfo, MDIChild, Unicode;
    std::int32_t Timing;
    Text DefaultViewData;
    bool UseDrawBar, DrawBarDelCheck;
    // The painted window is followed between ticks (window events), so a pseudo
    // title bar moves with it at once.
    bool FollowTarget;
    // Windows that draw their own caption get the text on a bar in its free
    // end, painting profiles or not.
    bool AppCaptionBar;
    Text DrawBarDefault;
    bool CheckAlarm, AlarmDelCheck, WindowDelCheck, PermitOnly;
    // The diagnostic log (core/diag_log.h) is written.
    bool DebugLog;
    // The interface's language: automatic, Japanese or English (LanguageSetting).
    std::int32_t Language;
};

struct AppState {
    std::uint8_t WelcomeState = 0;
    bool AppRunning = false;
    platform::WindowId MainWindowHandle = 0;
    platform::WindowId CurrentTarget = 0;
    // The last windows that received the text, oldest first, at most 20.
    std::vector<platform::WindowId> RecentWindows;
    AppSettings settings;
    // The rule that pins the display to one window (section "TitleBar").
    vbKerova_Window FixedWindowRule;
    // Alarms in list order; the check timer walks them from the last.
    std::vector<std::shared_ptr<vbKerova_Alarm>> AlarmList;
    // Window rules in priority order: the first that matches wins.
    std::vector<std::shared_ptr<vbKerova_Window>> WindowRuleList;
    // Painting profiles; rules and the default setting name them.
    tbq::DrawBarList DrawBarList;
    // The colour chooser's 16 custom colours.
    std::array<std::uint32_t, 16> CustomColors{};
};

AppState& App();

}  // namespace tbq
