#include "core/diag_log.h"

#include <cstdio>
#include <exception>

#include "platform/ports.h"

namespace tbq {

namespace {

constexpr std::size_t kMaxEvent = 1000;

// "2026-12-09 14:05:09.123 " and the event on one line: a line break in the
// event (a window's title may hold one) would split it.
std::string Line(TextView event) {
    const platform::ClockTime t = platform::clock().LocalNow();
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d ", t.year, t.month, t.day,
                  t.hour, t.minute, t.second, t.millisecond);
    std::string line = stamp;
    // A window's title can be long; a line stays readable.
    line += TextToUtf8(event.substr(0, kMaxEvent));
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    line += "\r\n";
    return line;
}

Text ReasonText(SkipReason why, TextView detail) {
    Text text;
    switch (why) {
        case SkipReason::OwnWindow: return u"Lunetta自身のウインドウ";
        case SkipReason::TitlesOff: return u"タイトルバーへの表示がオフ";
        case SkipReason::Excluded:
            text = u"除外ルール「";
            text += detail;
            text += u"」に一致";
            return text;
        case SkipReason::NotPermitted: return u"許可ウインドウのみ表示する設定で、どの許可ルールにも一致しない";
        case SkipReason::Hung: return u"応答しないためタイトルを書き込めない";
        case SkipReason::NoCaption: return u"タイトルバーが無いため独自描画しない";
    }
    return text;
}

}  // namespace

DiagLog::DiagLog(platform::LogFile& file, const Text& folder, const bool& on)
    : file_(file), path_(folder + kLogFile), oldPath_(folder + kOldLogFile), on_(on) {}

void DiagLog::SwitchKnown() noexcept {
    known_ = true;
    std::vector<std::string> early = std::move(early_);
    early_.clear();
    if (!on_) return;
    try {
        for (const std::string& line : early) Append(line);
    } catch (...) {
        // The log must never cost the program anything, not even memory.
    }
}

void DiagLog::Write(TextView event) noexcept {
    if (known_ && !on_) return;
    try {
        if (!known_) {
            if (early_.size() < kMaxEarlyLines) early_.push_back(Line(event));
            return;
        }
        Append(Line(event));
    } catch (...) {
    }
}

void DiagLog::Append(const std::string& line) {
    const auto bytes = static_cast<std::int64_t>(line.size());
    if (!size_) size_ = file_.Size(path_);
    // The size is not known when the file cannot even be asked: no line then,
    // so the bound holds.
    if (!size_) return;
    if (*size_ > 0 && *size_ + bytes > kLimit) {
        size_.reset();
        if (!file_.Rename(path_, oldPath_)) return;
        size_ = 0;
    }
    if (file_.Append(path_, line))
        *size_ += bytes;
    else
        size_.reset();  // asked again before the next line
}

void DiagLog::NotDecorated(platform::WindowId w, SkipReason why, TextView detail) noexcept {
    if (!On()) return;
    const std::pair key{w, why};
    if (last_ == key) return;
    last_ = key;
    try {
        if (written_.size() >= kMaxRemembered) written_.clear();
        if (!written_.insert(key).second) return;
        platform::Windows& windows = platform::windows();
        Text event = u"装飾しないウインドウ ";
        event += NumberText(static_cast<long long>(w));
        event += u" 「";
        event += windows.GetTitle(w, true).value_or(Text());
        event += u"」 (";
        event += windows.ClassName(w);
        event += u"): ";
        event += ReasonText(why, detail);
        Write(event);
    } catch (...) {
    }
}

void LogEvent(TextView event) noexcept {
    if (DiagLog* log = TheDiagLog()) log->Write(event);
}

}  // namespace tbq
