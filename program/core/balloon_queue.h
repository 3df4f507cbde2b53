// Balloons over the tray icon, one at a time. The library shows a balloon only
// by taking the icon away and adding it again, which ends the balloon that is
// showing: so a balloon asked for while another is up waits until that one
// has had its time, and two reports close together are both seen.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "base/text.h"
#include "core/library_wrapper.h"

namespace tbq {

// The icon a balloon shows (the system's notification icon kinds).
inline constexpr std::int32_t kBalloonNoIcon = 0;
inline constexpr std::int32_t kBalloonInfo = 1;
inline constexpr std::int32_t kBalloonWarning = 2;
inline constexpr std::int32_t kBalloonError = 3;

struct Balloon {
    Text title, text;
    std::int32_t icon = kBalloonInfo;
    bool operator==(const Balloon&) const = default;
};

// Shows `balloon` now over the icon, which must be in the tray. The balloon
// is switched off again afterwards, so that the icon added anew later (a
// restarted shell, the tray switched on) comes without it.
void ShowBalloon(vbKerova_Dll& dll, const Balloon& balloon);

class BalloonQueue {
public:
    // How long a balloon is left alone before the next may replace it: the
    // time Windows shows a notification by default (five seconds) and a little.
    static constexpr std::uint32_t kShowMs = 6000;

    // Adds a balloon after those waiting.
    void Push(Balloon balloon);
    // A balloon was shown at `now` by other means (the welcome); the next one
    // waits its time too.
    void Shown(std::uint32_t now);
    // Shows the next waiting balloon when the last one has had its time; at
    // most one per call. `now` is the millisecond tick count (it may wrap).
    // True while the caller should call again: balloons wait, or the last
    // one's time still runs.
    bool Pump(vbKerova_Dll& dll, std::uint32_t now);
    bool Waiting() const { return !waiting_.empty(); }
    // Forgets the waiting balloons (no icon to show them over).
    void Clear() { waiting_.clear(); }

private:
    std::deque<Balloon> waiting_;
    std::optional<std::uint32_t> shownAt_;
};

}  // namespace tbq
