// The program's global state and its settings flags, with their defaults until
// the settings files are loaded.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/text.h"
#include "platform/windows.h"

namespace tbq {

struct AppSettings {
    bool ViewDisplay = true;
    bool TaskTray = true;
    bool EndCheck = true;
    bool VerCheck = false;
    bool ViewDelCheck = true;
    bool RefreshTiming = false;
    Text EditDataName = u"*Default";
    bool TitleInfo = true;
    bool MDIChild = false;
    bool Unicode = true;  // the NT family, which is every Windows we run on
    std::int32_t Timing = 500;
    Text DefaultViewData = u"*Default";
    bool UseDrawBar = false;
    bool DrawBarDelCheck = true;
    Text DrawBarDefault;
    bool CheckAlarm = true;
    bool AlarmDelCheck = true;
    bool WindowDelCheck = true;
    bool PermitOnly = false;
};

struct AppState {
    std::uint8_t WelcomeState = 0;
    bool AppRunning = false;
    platform::WindowId MainWindowHandle = 0;
    platform::WindowId CurrentTarget = 0;
    std::uint32_t CompositionStamp = 0;
    // The last windows that received the text, oldest first, at most 20.
    std::vector<platform::WindowId> RecentWindows;
    AppSettings settings;
    // The colour chooser's 16 custom colours.
    std::array<std::uint32_t, 16> CustomColors{};
};

AppState& App();

// The product name the user sees in captions and where a title stands for "us".
inline constexpr char16_t kProductName[] = u"Lunetta";

}  // namespace tbq
