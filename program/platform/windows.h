// Other programs' windows as the logic sees them. Handles are opaque 32-bit ids
// (window handles fit in 32 bits on every Windows), so fakes can just count.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "base/text.h"

namespace tbq::platform {

using WindowId = std::uint32_t;

// What became of a title write. A hung window is reported instead of waited
// for; a refused write (a window we may not send to) will not go through later.
enum class WriteResult { Written, Gone, Hung, Refused };

class Windows {
public:
    virtual ~Windows() = default;

    virtual bool IsWindow(WindowId w) = 0;
    // The current title up to its first NUL; wide functions when `unicode`, else the
    // narrow ones (converted from the code page). nullopt when the window is gone.
    virtual std::optional<Text> GetTitle(WindowId w, bool unicode) = 0;
    // Writes a title without ever blocking on a hung window.
    virtual WriteResult SetTitle(WindowId w, TextView title, bool unicode) = 0;
    virtual WindowId Foreground() = 0;
    virtual WindowId Parent(WindowId w) = 0;
    virtual Text ClassName(WindowId w) = 0;
    // The style and extended style words; 0 for a window that has gone.
    virtual std::uint32_t Style(WindowId w) = 0;
    virtual std::uint32_t ExStyle(WindowId w) = 0;
    // Right minus left of the window rectangle, in pixels; 0 when it cannot be read.
    virtual std::int32_t Width(WindowId w) = 0;
    // The active child of an MDI frame's client window, asked without blocking; 0 for none.
    virtual WindowId ActiveMdiChild(WindowId frame) = 0;
    // A small number kept on another program's window, readable after our
    // process has gone: it tells which text in its title is ours. 0 = none.
    virtual void SetMark(WindowId w, std::uint32_t mark) = 0;
    virtual std::uint32_t GetMark(WindowId w) = 0;
    // Starts (caption and task-bar button, three times) or stops the flashing of
    // a window; nothing for a window that has gone.
    virtual void Flash(WindowId w, bool on) = 0;
    // Top-level windows in Z order until `visit` returns false.
    virtual void EnumerateTopLevel(const std::function<bool(WindowId)>& visit) = 0;
};

}  // namespace tbq::platform
