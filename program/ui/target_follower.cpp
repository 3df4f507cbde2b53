#include "ui/target_follower.h"

namespace tbq::ui {

namespace {
// One follower at a time: the hook callback has no context argument.
TargetFollower* g_follower = nullptr;
}  // namespace

void TargetFollower::Unhook() {
    if (location_) UnhookWinEvent(location_);
    if (minimize_) UnhookWinEvent(minimize_);
    location_ = minimize_ = nullptr;
    target_ = nullptr;
    if (g_follower == this) g_follower = nullptr;
}

void TargetFollower::Follow(HWND target) {
    if (target == target_ && (location_ || !target)) return;
    Unhook();
    if (!target || !IsWindow(target)) return;
    DWORD process = 0;
    if (!GetWindowThreadProcessId(target, &process)) return;
    const DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    // By process, not thread: Wine refuses a hook on one thread of another
    // process, and OnEvent keeps to the target window anyway.
    location_ = SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                                &OnEvent, process, 0, flags);
    minimize_ = SetWinEventHook(EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND, nullptr, &OnEvent,
                                process, 0, flags);
    target_ = target;
    g_follower = this;
}

void CALLBACK TargetFollower::OnEvent(HWINEVENTHOOK, DWORD, HWND w, LONG object, LONG child, DWORD,
                                      DWORD) noexcept {
    TargetFollower* f = g_follower;
    if (!f || w != f->target_ || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    try {
        if (f->changed_) f->changed_();
    } catch (...) {
        // The next tick paints again.
    }
}

}  // namespace tbq::ui
