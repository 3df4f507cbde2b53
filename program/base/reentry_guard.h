// Keeps a piece of work from starting again while it runs: code that lets
// window messages through (or calls out to code that may) can be entered a
// second time from inside itself.
#pragma once

namespace tbq {

class ReentryGuard {
public:
    explicit ReentryGuard(bool& busy) : busy_(busy), owns_(!busy) { busy = true; }
    ~ReentryGuard() {
        if (owns_) busy_ = false;
    }
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;
    // False when the work was already running: the caller must not go on.
    bool Owns() const { return owns_; }

private:
    bool& busy_;
    bool owns_;
};

}  // namespace tbq
