#include "core/title_writer.h"

#include <algorithm>

#include "core/diag_log.h"
#include "core/program_location.h"
#include "platform/ports.h"

namespace tbq {

using platform::WriteResult;

vbKerova_TitleBar::vbKerova_TitleBar(OwnWindowTest isOwn, UnicodeSetting unicode)
    : isOwn_(std::move(isOwn)), unicode_(std::move(unicode)) {}

vbKerova_TitleBar::~vbKerova_TitleBar() { ReturnTitle(); }

std::uint32_t vbKerova_TitleBar::TextMark(TextView text) {
    std::uint32_t h = 2166136261u;  // FNV-1a over the code units
    for (char16_t c : text) {
        h = (h ^ (c & 0xFF)) * 16777619u;
        h = (h ^ (c >> 8)) * 16777619u;
    }
    return h ? h : 1;
}

bool vbKerova_TitleBar::IsOurText(WindowId w, TextView now, TextView shown) {
    if (!shown.empty() && now == shown) return true;
    // An empty title is ours only by its mark: we emptied it (a painting
    // profile that clears the title), and it must be given back.
    const std::uint32_t mark = platform::windows().GetMark(w);
    return mark != 0 && mark == TextMark(now);
}

void vbKerova_TitleBar::Changed() {
    if (OnChange) OnChange(*this);
}

bool vbKerova_TitleBar::Unicode() const { return unicode_ ? unicode_() : true; }

Text vbKerova_TitleBar::GetTitle(WindowId w) const {
    return platform::windows().GetTitle(w, Unicode()).value_or(Text());
}

WriteResult vbKerova_TitleBar::Write(WindowId w, TextView text) {
    return platform::windows().SetTitle(w, text, Unicode());
}

bool vbKerova_TitleBar::SetTitle(WindowId w) {
    // A title of nullopt is a window that has gone.
    std::optional<Text> read = platform::windows().GetTitle(w, Unicode());
    fresh_ = false;
    if (!read) {
        ReturnTitle();
        if (RetryPending()) Changed();
        return false;
    }
    if (TargetWindow != 0 && TargetWindow != w) ReturnTitle();
    Text current = std::move(*read);
    // What the window shows now, for a write of the same text right after.
    read_ = current;
    fresh_ = true;
    bool pendingChanged = false;
    auto pending = std::find_if(pending_.begin(), pending_.end(),
                                [&](const Restore& r) { return r.window == w; });
    if (pending != pending_.end()) {
        // A window that never took its restore comes back still showing our
        // text: its own title is the one we kept, not our text.
        if (TargetWindow == 0 && current == pending->shown) {
            OriginalTitle = std::move(pending->original);
            ShownTitle = std::move(pending->shown);
            TargetWindow = w;
        }
        pending_.erase(pending);
        pendingChanged = true;
    }
    // A write that timed out may still arrive after we moved on: a title that
    // carries the mark of the text it shows is ours, not the window's own.
    if (TargetWindow == w && current != ShownTitle && IsOurText(w, current, {}))
        ShownTitle = current;
    const bool changed = TargetWindow != w || (current != ShownTitle && current != OriginalTitle);
    if (TargetWindow == 0 || current != ShownTitle) OriginalTitle = std::move(current);
    TargetWindow = w;
    if (RetryPending()) pendingChanged = true;
    if (changed || pendingChanged) Changed();
    return true;
}

bool vbKerova_TitleBar::ViewTitle(WindowId w, TextView caption) {
    platform::Windows& win = platform::windows();
    const WindowId target = TargetWindow ? TargetWindow : w;
    Text shown(caption);
    if (!Unicode()) {
        // The window keeps what the code page could hold; keep the same, so later
        // comparisons with what it returns still match.
        const platform::CodePage& cp = platform::codepage();
        shown = cp.FromAnsi(cp.ToAnsi(caption));
    }
    // The window was read just now (SetTitle) and shows this very text, which
    // we wrote and marked: writing it again would change nothing.
    const bool same = fresh_ && target == TargetWindow && !shown.empty() && shown == ShownTitle &&
                      read_ == shown;
    fresh_ = false;
    if (same) return true;
    // The mark goes on before the text, so there is no moment at which the
    // window shows our text without it (the process may be killed at any point).
    // An empty text is told from "nothing written yet" by the window's mark.
    const bool changed =
        shown != ShownTitle || (shown.empty() && win.GetMark(target) != TextMark(shown));
    if (changed) win.SetMark(target, TextMark(shown));
    const WriteResult result = Write(target, caption);
    if (result == WriteResult::Hung) NoteNotDecorated(target, SkipReason::Hung);
    if (result != WriteResult::Written) {
        // A hung window still shows what we wrote last, but the text stays on its
        // way and may arrive later, so its mark stays; a refused one never will.
        if (changed && result != WriteResult::Hung)
            win.SetMark(target, ShownTitle.empty() ? 0 : TextMark(ShownTitle));
        return false;
    }
    const bool first = ShownTitle.empty() && changed;
    ShownTitle = std::move(shown);
    if (first) Changed();
    return true;
}

std::optional<WriteResult> vbKerova_TitleBar::GiveBack(const Restore& r, bool unicode) {
    platform::Windows& win = platform::windows();
    // Only a window that still shows our text gets its title back; one that has
    // retitled itself meanwhile is left as it is.
    std::optional<Text> now = win.GetTitle(r.window, unicode);
    if (!now || !IsOurText(r.window, *now, r.shown)) return std::nullopt;
    const WriteResult result = win.SetTitle(r.window, r.original, unicode);
    if (result == WriteResult::Written) win.SetMark(r.window, 0);
    return result;
}

bool vbKerova_TitleBar::RestoreNow(const Restore& r) {
    return GiveBack(r, Unicode()) != WriteResult::Hung;
}

void vbKerova_TitleBar::ReturnTitle() {
    if (TargetWindow == 0) return;
    {
        Restore r{TargetWindow, std::move(OriginalTitle), std::move(ShownTitle)};
        if (!RestoreNow(r)) {
            std::erase_if(pending_, [&](const Restore& p) { return p.window == r.window; });
            pending_.push_back(std::move(r));
        }
    }
    TargetWindow = 0;
    OriginalTitle.clear();
    ShownTitle.clear();
    Changed();
}

bool vbKerova_TitleBar::RetryPending() {
    return std::erase_if(pending_, [&](const Restore& r) { return RestoreNow(r); }) != 0;
}

void vbKerova_TitleBar::RetryPendingRestores() {
    if (RetryPending()) Changed();
}

void vbKerova_TitleBar::KeepPending(std::vector<Restore> restores) {
    if (restores.empty()) return;
    for (Restore& r : restores) {
        std::erase_if(pending_, [&](const Restore& p) { return p.window == r.window; });
        pending_.push_back(std::move(r));
    }
    Changed();
}

Text vbKerova_TitleBar::OldTitle() const {
    if (TargetWindow == 0) return kProductName;
    // A window's being one of ours is asked once for it: window-title items
    // read this on every tick.
    if (ownAsked_ != TargetWindow) {
        ownAsked_ = TargetWindow;
        own_ = isOwn_ && isOwn_(TargetWindow);
    }
    return own_ ? Text(kProductName) : OriginalTitle;
}

}  // namespace tbq
