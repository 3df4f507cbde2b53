// vbKerova_Window: a rule that picks windows by their handle, title, class and
// other traits, and says what the display does with them.
#pragma once

#include <cstdint>

#include "core/text.h"
#include "platform/windows.h"

namespace tbq {

class vbKerova_Window {
public:
    // Which conditions are in force.
    enum FlagBits : std::uint8_t {
        kHandle = 1, kTitle = 2, kClass = 4, kStyle = 8, kExStyle = 16, kFile = 32, kWidth = 64,
    };
    // How the conditions compare.
    enum CheckBits : std::uint32_t {
        kTitlePart = 1, kTitleCase = 2,
    };
    enum ActionKind : std::uint8_t { kExclude = 1, kPermit = 2, kFixed = 3 };

    Text Title;
    platform::WindowId WindowHandle = 0;
    Text WindowTitle;
    Text WindowClass;
    Text FileName;
    std::uint32_t WindowStyle = 0;
    std::uint32_t ExStyle = 0;
    std::int32_t WindowWidth = 0;
    std::uint8_t Flag = 0;
    std::uint8_t ViewOption = 0;
    Text ViewData;
    Text DrawBar;
    std::uint32_t CheckOption = 0;
    std::uint8_t Action = 0;
    bool Enable = false;

    bool IsSetting() const { return (Flag & 0x7F) != 0; }
    bool IsFlag(std::uint8_t f) const { return (Flag & f) == f; }
    bool IsCheckOption(std::uint32_t f) const { return (CheckOption & f) == f; }
    bool HasViewOption(std::uint8_t v) const { return (ViewOption & v) == v; }

    // Whether the window meets every condition in force. The handle condition
    // alone decides when it is set.
    bool CheckWindow(platform::WindowId w) const;
};

}  // namespace tbq
