// Follows the window the painter draws on: its moves, sizes, minimising and
// restoring arrive as out-of-context window events on our own thread, so the
// pseudo title bar is laid over the caption again at once instead of at the
// next tick. Events of other windows and other objects are not passed on.
#pragma once

#include <windows.h>

#include <functional>

namespace tbq::ui {

class TargetFollower {
public:
    explicit TargetFollower(std::function<void()> changed) : changed_(std::move(changed)) {}
    ~TargetFollower() { Follow(nullptr); }
    TargetFollower(const TargetFollower&) = delete;
    TargetFollower& operator=(const TargetFollower&) = delete;

    // Starts following `target` (nothing for null); a window already followed
    // costs nothing.
    void Follow(HWND target);

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND w, LONG object, LONG child,
                                 DWORD thread, DWORD time) noexcept;
    void Unhook();

    std::function<void()> changed_;
    HWND target_ = nullptr;
    HWINEVENTHOOK location_ = nullptr;
    HWINEVENTHOOK minimize_ = nullptr;
};

}  // namespace tbq::ui
