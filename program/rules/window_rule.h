// vbKerova_Window: a rule that picks windows by their handle, title, class,
// style bits, executable and width, and says what the display does with them:
// leave them alone, or show there with a display list, painting profile and
// MDI behaviour of its own. The rule list is tried in order by the update tick;
// the fixed window rule uses the same conditions to find the one window the
// display is pinned to.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <memory>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/windows.h"

namespace tbq {

class vbKerova_TitleBar;

// What matching needs from outside the rule. Every member may be left empty:
// without a title writer every title is read from the window, and without
// `exePath` every executable path is "".
// What cannot change while a window lives, its class and its process's
// executable, read once for the window asked about and kept until another
// window is asked about (the update tick asks about the window in front).
class WindowFacts {
public:
    const Text& ClassName(platform::WindowId w);
    const Text& ExePath(platform::WindowId w, const std::function<Text(platform::WindowId)>& read);

private:
    void For(platform::WindowId w);
    platform::WindowId window_ = 0;
    std::optional<Text> class_, exe_;
};

struct RuleContext {
    // The title writer: the window it decorates is matched by its own title.
    const vbKerova_TitleBar* titleBar = nullptr;
    // Titles are read with the wide window functions (else the narrow ones).
    bool unicode = true;
    // The full path of the executable that owns a window ("" when unknown).
    std::function<Text(platform::WindowId)> exePath;
    // Keeps class and executable between ticks; without it they are read each time.
    WindowFacts* facts = nullptr;
};

// The title a title condition is tested against: the decorated window's own
// title while the title writer decorates it, else the window's current title.
Text GetWindowTitleForMatch(platform::WindowId w, const RuleContext& context);

class vbKerova_Window {
public:
    // Which conditions are in force.
    enum FlagBits : std::uint8_t {
        kHandle = 1, kTitle = 2, kClass = 4, kStyle = 8, kExStyle = 16, kFile = 32, kWidth = 64,
    };
    // How the conditions compare.
    enum CheckBits : std::uint32_t {
        kTitlePart = 1,        // the text occurs anywhere in the title (else the whole title)
        kTitleCase = 2,        // titles compare case-sensitively
        kStyleAll = 4,         // every bit of WindowStyle is set (else exactly equal ...)
        kStyleNotAll = 8,      // ... or: not every bit of WindowStyle is set
        kExStyleAll = 16,      // the same for ExStyle
        kExStyleNotAll = 32,
        kFileNameOnly = 64,    // the executable's file name only, after the last "\"
        kFolderOnly = 128,     // its folder only, up to and including the last "\"
        kWider = 256,          // wider than WindowWidth (else narrower)
    };
    enum ActionKind : std::uint8_t { kExclude = 1, kPermit = 2, kFixed = 3 };
    // The MDI choice of a permitting rule.
    enum MdiKind : std::uint8_t {
        kMdiFollow = 0,  // follow the global MDIChild setting
        kMdiOff = 1,     // no display in MDI child windows
        kMdiOn = 3,      // display in the active MDI child
    };
    // The parts of the stored "ViewOption" value: the MDI choice (0, 1 or 3),
    // the display-list box and the painting-profile box, ORed together.
    static constexpr std::uint8_t kViewDataBox = 4;
    static constexpr std::uint8_t kDrawBarBox = 5;
    static constexpr std::int32_t kMaxWidth = 9999;

    Text Title;
    platform::WindowId WindowHandle = 0;
    Text WindowTitle;
    Text WindowClass;
    Text FileName;
    std::uint32_t WindowStyle = 0;
    std::uint32_t ExStyle = 0;
    std::int32_t WindowWidth = 0;
    std::uint8_t Flag = 0;
    // What a permitting rule changes, kept apart: the stored "ViewOption" ORs
    // them together, where MDI choice 1 with the display-list box reads as the
    // painting-profile box.
    std::uint8_t MdiChoice = kMdiFollow;
    bool UseViewData = false;
    bool UseDrawBar = false;
    Text ViewData;
    Text DrawBar;
    std::uint32_t CheckOption = 0;
    std::uint8_t Action = 0;
    bool Enable = false;

    // Whether a permitting rule decides the MDI behaviour itself, and then
    // whether it shows the text in the active MDI child.
    bool DecidesMdi() const { return (MdiChoice & 1) != 0; }
    bool MdiOn() const { return (MdiChoice & 3) == 3; }

    // The combined value older versions store and read.
    std::uint8_t ViewOption() const;
    // Takes a combined value apart as older versions read it: the profile box
    // (all bits of 5) also brings the display list and MDI choice 1 with it.
    void SetViewOption(std::uint8_t value);

    static std::uint32_t GetWindowStyle(platform::WindowId w);
    static std::uint32_t GetExStyle(platform::WindowId w);

    // The rule has at least one condition.
    bool IsSetting() const { return (Flag & 0x7F) != 0; }
    bool IsFlag(std::uint8_t f) const { return (Flag & f) == f; }
    bool IsCheckOption(std::uint32_t f) const { return (CheckOption & f) == f; }

    // Whether the window meets every condition in force; a rule without any
    // condition matches every window. The handle condition alone decides when
    // it is set.
    bool CheckWindow(platform::WindowId w, const RuleContext& context) const;

    void CopyData(const vbKerova_Window& source) { *this = source; }
    void SwapData(vbKerova_Window& other) { std::swap(*this, other); }

    // The rule's record in `section` of `file`. With `fixed` (the fixed window
    // rule in the main settings file) every key carries the prefix "Fixed_",
    // and "Title" and "Action" are neither written nor read. LoadSetting is
    // false when the stored rule has no name: the end of a stored list.
    void SaveSetting(const Text& file, TextView section, bool fixed) const;
    bool LoadSetting(const Text& file, TextView section, bool fixed);

    // The one-line description of the settings lists; the permitting options
    // are added when `withOptions` is set.
    Text SummaryText(bool withOptions) const;
};

using WindowRuleList = std::vector<std::shared_ptr<vbKerova_Window>>;

// "WindowData" and the 1-based position in at least four digits.
Text WindowRuleSection(int position);

// The rules of a rule file, in order, up to the first section without a name.
WindowRuleList LoadWindowRuleList(const Text& path);
// Writes the rules that have a condition as sections 1, 2, ... and the end
// mark ("Title" empty) in the section right after the last. A missing file is
// created without header lines (the caller writes those first); false when
// the file cannot be written.
bool SaveWindowRuleList(const Text& path, const WindowRuleList& rules);

}  // namespace tbq
