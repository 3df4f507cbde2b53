// vbKerova_TitleBar: the one object that changes other programs' titles.
//
// It remembers the decorated window, that window's own title and the exact text
// it last wrote. A title equal to that text is ours; anything else is the
// window's own, so the program never appends twice and never parses its own
// text out of a title. Writes never wait on a hung window: a restore that a
// hung window could not take is kept and tried again on later calls.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/windows.h"

namespace tbq {

class vbKerova_TitleBar {
public:
    using WindowId = platform::WindowId;
    // Tells whether a window is one of the program's own (their titles are never ours to keep).
    using OwnWindowTest = std::function<bool(WindowId)>;

    // Whether titles go through the wide window-text functions (the "Unicode"
    // setting, which the settings window can change while we run).
    using UnicodeSetting = std::function<bool()>;

    explicit vbKerova_TitleBar(OwnWindowTest isOwn = {}, UnicodeSetting unicode = {});
    ~vbKerova_TitleBar();
    vbKerova_TitleBar(const vbKerova_TitleBar&) = delete;
    vbKerova_TitleBar& operator=(const vbKerova_TitleBar&) = delete;

    Text GetTitle(WindowId w) const;
    // Writes `caption` into the decorated window (or `w` when there is none).
    // Right after SetTitle found the window showing that very text, nothing is
    // written: each tick costs one read while nothing changes.
    bool ViewTitle(WindowId w, TextView caption);
    // Makes `w` the decorated window and reads its title; false when it has gone.
    bool SetTitle(WindowId w);
    void ReturnTitle();
    // The target's own title, or the product name when there is no target or the
    // target is one of the program's own windows.
    Text OldTitle() const;
    std::int32_t GetWindowHandle() const { return static_cast<std::int32_t>(TargetWindow); }

    WindowId TargetWindow = 0;
    Text OriginalTitle;
    Text ShownTitle;

    // Called whenever the decorated window, its own title, or (on the first
    // write to a window) the shown text changes, so the record of what we
    // decorate can follow.
    std::function<void(const vbKerova_TitleBar&)> OnChange;

    // The number kept on a window we write to: it identifies the text we wrote.
    static std::uint32_t TextMark(TextView text);
    // Whether `now`, the title `w` shows, is text we wrote: the text we know
    // we showed, or one whose mark the window carries (a clock has moved on, or
    // a write that timed out arrived late).
    static bool IsOurText(WindowId w, TextView now, TextView shown);

    // A title to give back: the window, its own title and the text of ours it shows.
    struct Restore {
        WindowId window;
        Text original, shown;
    };
    // Gives the window its own title back if it still shows our text. No
    // result when it is gone or shows a title of its own.
    static std::optional<platform::WriteResult> GiveBack(const Restore& r, bool unicode);
    // Restores a hung window could not take yet.
    std::size_t PendingRestores() const { return pending_.size(); }
    const std::vector<Restore>& Pending() const { return pending_; }
    // Takes over restores an earlier run could not finish; they are tried
    // again with the writer's own.
    void KeepPending(std::vector<Restore> restores);
    // Tries the waiting restores again while nothing is being decorated.
    void RetryPendingRestores();

private:
    bool Unicode() const;
    platform::WriteResult Write(WindowId w, TextView text);
    // Tries the waiting restores again; true when any of them is settled.
    bool RetryPending();
    void Changed();
    bool RestoreNow(const Restore& r);

    OwnWindowTest isOwn_;
    UnicodeSetting unicode_;
    std::vector<Restore> pending_;
    // The title SetTitle read from the target, valid for the ViewTitle that follows it.
    Text read_;
    bool fresh_ = false;
    // Whether the window OldTitle last asked about is one of ours.
    mutable WindowId ownAsked_ = 0;
    mutable bool own_ = false;
};

}  // namespace tbq
