// The diagnostic log: when the user switched it on, one line per event with
// the local time in "TBQ_Log.txt" beside the program (UTF-8), so that a user
// can see why something did not show where they expected it. The file is
// kept under a bound: when a line would take it past 1 MiB it becomes
// "TBQ_Log.old.txt" (replacing the one before) and a new file begins.
//
// Writing never fails the program and never waits: each line is one short
// append, and any error of the file is swallowed. Events that come before the
// settings say whether the log is on (plug-ins load first) wait in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/log_file.h"
#include "platform/windows.h"

namespace tbq {

inline constexpr char16_t kLogFile[] = u"TBQ_Log.txt";
inline constexpr char16_t kOldLogFile[] = u"TBQ_Log.old.txt";

// Why the window in front shows no text of ours.
enum class SkipReason : std::uint8_t {
    OwnWindow,     // one of the program's own windows
    TitlesOff,     // text in title bars is switched off
    Excluded,      // an excluding window rule matched (the detail names it)
    NotPermitted,  // only permitted windows get text, and no rule permitted it
    Hung,          // the window does not answer, so its title cannot be written
    NoCaption,     // the painting profile paints only windows with a caption
};

class DiagLog {
public:
    static constexpr std::int64_t kLimit = 1024 * 1024;
    // Lines kept while the switch is not known yet.
    static constexpr std::size_t kMaxEarlyLines = 256;
    // Windows and reasons remembered as written; forgotten all at once beyond this.
    static constexpr std::size_t kMaxRemembered = 1024;

    // `on` is the user's switch, read on every event: the log follows it at once.
    DiagLog(platform::LogFile& file, const Text& folder, const bool& on);

    bool On() const { return known_ && on_; }
    // The switch is known from now on (the settings were loaded): the lines
    // kept so far are written when it is on, dropped when it is off.
    void SwitchKnown() noexcept;

    // One event.
    void Write(TextView event) noexcept;
    // The window in front was not decorated: written once per window and
    // reason (a window decorated in between is not news again), so a window
    // that stays in front costs one comparison per tick.
    void NotDecorated(platform::WindowId w, SkipReason why, TextView detail = {}) noexcept;

private:
    void Append(const std::string& line);

    platform::LogFile& file_;
    Text path_, oldPath_;
    const bool& on_;
    bool known_ = false;
    std::vector<std::string> early_;
    std::optional<std::int64_t> size_;
    std::optional<std::pair<platform::WindowId, SkipReason>> last_;
    std::set<std::pair<platform::WindowId, SkipReason>> written_;
};

// The program's one log: null until start-up makes it, and in tests that make none.
inline DiagLog*& TheDiagLogSlot() {
    static DiagLog* log = nullptr;
    return log;
}
inline DiagLog* TheDiagLog() { return TheDiagLogSlot(); }
inline void SetTheDiagLog(DiagLog* log) { TheDiagLogSlot() = log; }
inline bool DiagLogOn() {
    const DiagLog* log = TheDiagLog();
    return log && log->On();
}
// One event into the program's log, when there is one.
void LogEvent(TextView event) noexcept;
// Why the window in front gets no text, into the program's log: a test of the
// switch while the log is off.
inline void NoteNotDecorated(platform::WindowId w, SkipReason why, TextView detail = {}) noexcept {
    if (DiagLogOn()) TheDiagLog()->NotDecorated(w, why, detail);
}

}  // namespace tbq
