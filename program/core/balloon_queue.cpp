#include "core/balloon_queue.h"

namespace tbq {

void ShowBalloon(vbKerova_Dll& dll, const Balloon& balloon) {
    dll.NotifyIconControl(vbKerova_Dll::kBalloonIcon, {}, balloon.icon);
    dll.NotifyIconControl(vbKerova_Dll::kBalloonTitle, balloon.title);
    dll.NotifyIconControl(vbKerova_Dll::kBalloonText, balloon.text);
    dll.NotifyIconControl(vbKerova_Dll::kBalloonOn, {}, 1);
    // The balloon shows when the icon is added.
    dll.NotifyIconControl(vbKerova_Dll::kTrayRemove);
    dll.NotifyIconControl(vbKerova_Dll::kTrayAdd);
    dll.NotifyIconControl(vbKerova_Dll::kBalloonOn, {}, 0);
}

void BalloonQueue::Push(Balloon balloon) { waiting_.push_back(std::move(balloon)); }

void BalloonQueue::Shown(std::uint32_t now) { shownAt_ = now; }

bool BalloonQueue::Pump(vbKerova_Dll& dll, std::uint32_t now) {
    // Unsigned difference: right across the tick count's wrap.
    if (shownAt_ && static_cast<std::uint32_t>(now - *shownAt_) < kShowMs) return true;
    shownAt_.reset();
    if (waiting_.empty()) return false;
    ShowBalloon(dll, waiting_.front());
    waiting_.pop_front();
    shownAt_ = now;
    return true;
}

}  // namespace tbq
