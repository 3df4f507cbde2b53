#include "alarm/alarm.h"

#include <utility>

#include "core/helpers.h"
#include "platform/ports.h"

namespace tbq {

namespace {

AlarmHost& Host() {
    static AlarmHost host;
    return host;
}

// Tags count up from 1 and are never given twice in a process.
std::uint32_t NextTag() {
    static std::uint32_t last = 0;
    if (++last == 0) ++last;
    return last;
}

// A running alarm whose clock is set back before its start by more than this
// ends its run (which never begins again); a smaller correction goes unnoticed.
constexpr std::int64_t kStepBackTolerance = 60;

std::int64_t Serial(const DateTime& t) { return ToSerialSeconds(t); }

}  // namespace

std::optional<std::uint32_t> BeepCode(TextView rest) {
    std::size_t i = 0;
    while (i < rest.size() && (rest[i] == u' ' || rest[i] == u'\t')) ++i;
    bool negative = false;
    if (i < rest.size() && (rest[i] == u'-' || rest[i] == u'+')) negative = rest[i++] == u'-';
    long long value = 0;
    for (; i < rest.size() && rest[i] >= u'0' && rest[i] <= u'9'; ++i) {
        value = value * 10 + (rest[i] - u'0');
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (negative) {
        if (value > 0x80000000LL) return std::nullopt;
        return static_cast<std::uint32_t>(-value);
    }
    return static_cast<std::uint32_t>(value);
}

void SetAlarmHost(AlarmHost host) { Host() = std::move(host); }

vbKerova_Alarm::vbKerova_Alarm() : tag_(NextTag()) {}

vbKerova_Alarm::~vbKerova_Alarm() {
    CloseMessageBox();
    StopSound();
    CloseSound();
    StopFlash();
}

Text vbKerova_Alarm::Alias() const { return u"alias" + NumberText(tag_); }

AlarmSchedule vbKerova_Alarm::Schedule() const {
    AlarmSchedule s;
    s.year = TargetYear;
    s.month = TargetMonth;
    s.day = TargetDay;
    s.hour = TargetHour;
    s.minute = TargetMinute;
    s.second = TargetSecond;
    s.duration = std::int64_t{MessageHour} * 3600 + MessageMinute * 60 + MessageSecond;
    return s;
}

void vbKerova_Alarm::SetSoundFileName(Text name) {
    StopSound();
    CloseSound();
    soundFileName_ = std::move(name);
    if (Flag & kPreloadSound) OpenSound();
}

void vbKerova_Alarm::SetEnable(bool enable) {
    enable_ = enable;
    if (enable) return;
    StopSound();
    CloseMessageBox();
    StopFlash();
    // Starts while the alarm was off were not missed: the next check after it
    // is turned on again is like a first one.
    lastCheck_.reset();
}

bool vbKerova_Alarm::RunsAt(const DateTime& nowDate) const {
    if (!IsValid(nowDate)) return false;
    const std::int64_t now = Serial(nowDate);
    return CurrentRun(Schedule(), now) || (running_ && InRun(now));
}

bool vbKerova_Alarm::InRun(std::int64_t now) const {
    return now <= run_.end && now >= run_.start - kStepBackTolerance;
}

std::int32_t vbKerova_Alarm::AlarmCheck(const DateTime& nowDate, bool action) {
    if (!action) return RunsAt(nowDate) ? kRunning : kNotRunning;
    if (!IsValid(nowDate)) return kNotRunning;
    const std::int64_t now = Serial(nowDate);
    const AlarmSchedule schedule = Schedule();
    const std::optional<AlarmRun> current = CurrentRun(schedule, now);

    const std::optional<std::int64_t> lastCheck = lastCheck_;
    lastCheck_ = now;

    if (running_) {
        // A start that falls inside the run (runs longer than their period) carries it on.
        if (current && current->start >= run_.start) run_ = *current;
        if (InRun(now)) {
            if (HasBits8(Flag, kRepeatSound | kPlaySound) && soundTick_ != 0 && SoundInterval > 0) {
                const std::uint32_t tick = platform::clock().TickCount();
                if (tick < soundTick_) {
                    soundTick_ = tick == 0 ? 1 : tick;  // the counter wrapped
                } else if ((tick - soundTick_) / 1000 >= static_cast<std::uint32_t>(SoundInterval)) {
                    PlaySound();
                }
            }
            return kRunning;
        }
        running_ = false;
        EndRunActions();
        return DeleteCheck(nowDate) ? kRemove : kEnded;
    }

    // Not running: the run that holds now, or one that began and perhaps ended
    // since the last check (a busy moment, or the clock set forward).
    std::optional<AlarmRun> run = current;
    if (lastCheck && (!run || run->start <= *lastCheck)) {
        if (auto missed = LatestStartIn(schedule, *lastCheck, now);
            missed && (!run || missed->start > run->start))
            run = missed;
    }
    if (run && (!lastRunStart_ || run->start > *lastRunStart_)) {
        // Begun now, not merely found running after a start of the program, a
        // change of the alarm or a switch back on.
        // A first check right after loading sees a start in the loading second
        // as found running: a copy of the program that quit a moment ago may
        // have begun it already.
        const bool genuine = lastCheck ? run->start > *lastCheck
                                       : run->start == now && !(loadedAt_ && run->start <= *loadedAt_);
        StartRun(*run, genuine);
        return kStarted;
    }
    return DeleteCheck(nowDate) ? kRemove : kNotRunning;
}

void vbKerova_Alarm::StartRun(const AlarmRun& run, bool genuine) {
    running_ = true;
    run_ = run;
    lastRunStart_ = run.start;
    if (Flag & kFlash) StartFlash();
    if (Flag & kPlaySound) PlaySound();
    if (Flag & kShowMessage) ShowMessageWindow();
    // The file opens once per run, at its real beginning only.
    if ((Flag & kOpenFile) && genuine) FileOpen();
}

void vbKerova_Alarm::EndRunActions() {
    StopSound();
    soundTick_ = 0;
    CloseMessageBox();
    StopFlash();
}

bool vbKerova_Alarm::DeleteCheck(const DateTime& now) const {
    return (Flag & kAutoDelete) && SchedulePassed(Schedule(), now);
}

// The stored fields that have no side effects, in the order of the record.
template <typename Self, typename Other, typename F>
void vbKerova_Alarm::PlainFields(Self& a, Other& b, F f) {
    f(a.AlarmName, b.AlarmName);
    f(a.AlarmText, b.AlarmText);
    f(a.TargetYear, b.TargetYear);
    f(a.TargetMonth, b.TargetMonth);
    f(a.TargetDay, b.TargetDay);
    f(a.TargetHour, b.TargetHour);
    f(a.TargetMinute, b.TargetMinute);
    f(a.TargetSecond, b.TargetSecond);
    f(a.Flag, b.Flag);
    f(a.SoundInterval, b.SoundInterval);
    f(a.FileOpenName, b.FileOpenName);
    f(a.FileAction, b.FileAction);
    f(a.FileCommandLine, b.FileCommandLine);
    f(a.FileDirectory, b.FileDirectory);
    f(a.MessageHour, b.MessageHour);
    f(a.MessageMinute, b.MessageMinute);
    f(a.MessageSecond, b.MessageSecond);
}

void vbKerova_Alarm::CopyData(const vbKerova_Alarm& src) {
    PlainFields(*this, src, [](auto& to, const auto& from) { to = from; });
    SetSoundFileName(src.soundFileName_);
    SetEnable(src.enable_);
}

void vbKerova_Alarm::SwapData(vbKerova_Alarm& o) {
    using std::swap;
    PlainFields(*this, o, [](auto& x, auto& y) { swap(x, y); });
    swap(soundFileName_, o.soundFileName_);
    swap(enable_, o.enable_);
    swap(tag_, o.tag_);
    swap(running_, o.running_);
    swap(run_, o.run_);
    swap(lastRunStart_, o.lastRunStart_);
    swap(lastCheck_, o.lastCheck_);
    swap(loadedAt_, o.loadedAt_);
    swap(soundTick_, o.soundTick_);
    swap(flashed_, o.flashed_);
    swap(messageWindow_, o.messageWindow_);
}

// ---- Actions -----------------------------------------------------------------------

void vbKerova_Alarm::SetAlarmEnable(bool enable) {
    Flag = enable ? (Flag | kShowMessage) : (Flag & ~kShowMessage);
}

bool vbKerova_Alarm::SoundIsFile() const {
    // A double quote would end the file name inside the command string, and
    // what follows it would be read as more of the command.
    return !soundFileName_.empty() && soundFileName_[0] != u'*' &&
           soundFileName_.find(u'"') == Text::npos;
}

void vbKerova_Alarm::OpenSound() {
    if (SoundIsFile())
        platform::sound().SendCommand(u"open \"" + soundFileName_ + u"\" alias " + Alias());
}

void vbKerova_Alarm::StopSound() {
    if (SoundIsFile()) platform::sound().SendCommand(u"stop " + Alias());
}

void vbKerova_Alarm::CloseSound() {
    if (SoundIsFile()) platform::sound().SendCommand(u"close " + Alias());
}

int vbKerova_Alarm::SoundStatus() {
    const Text mode = platform::sound().SendCommand(u"status " + Alias() + u" mode");
    const Text reply = CutAtNul(mode);
    if (EqualsIgnoreCase(reply, u"PLAYING")) return 1;
    if (EqualsIgnoreCase(reply, u"STOPPED")) return 2;
    return 0;
}

void vbKerova_Alarm::PlaySound() {
    if (!soundFileName_.empty() && soundFileName_[0] == u'*') {
        if (const auto code = BeepCode(TextView(soundFileName_).substr(1)))
            platform::sound().Beep(*code);
    } else if (SoundIsFile()) {
        if (!(Flag & kPreloadSound) && SoundStatus() == 0) OpenSound();
        // Always from the beginning.
        StopSound();
        platform::sound().SendCommand(u"play " + Alias() + u" from 0 notify");
    } else {
        return;
    }
    if (Flag & kRepeatSound) {
        const std::uint32_t tick = platform::clock().TickCount();
        soundTick_ = tick == 0 ? 1 : tick;
    }
}

void vbKerova_Alarm::StopAlarmSound() {
    StopSound();
    soundTick_ = 0;
}

void vbKerova_Alarm::ShowMessageWindow() {
    CloseMessageBox();
    Text message;
    if (Flag & kMessageText) message = AlarmText + u"\r\n\r\n";
    message += AlarmSummary(*this);
    if (Host().showWindow) messageWindow_ = Host().showWindow(AlarmName, message, tag_);
}

void vbKerova_Alarm::CloseMessageBox() {
    if (messageWindow_ != 0 && Host().closeWindow) Host().closeWindow(messageWindow_);
    messageWindow_ = 0;
}

void vbKerova_Alarm::StartFlash() {
    StopFlash();
    const platform::WindowId target = Host().flashTarget ? Host().flashTarget() : 0;
    if (target == 0) return;
    platform::windows().Flash(target, true);
    flashed_ = target;
}

void vbKerova_Alarm::StopFlash() {
    if (flashed_ != 0 && platform::windows().IsWindow(flashed_))
        platform::windows().Flash(flashed_, false);
    flashed_ = 0;
}

void vbKerova_Alarm::FileOpen() {
    if (FileOpenName.empty()) return;
    platform::shell().Open(FileAction, FileOpenName, FileCommandLine, FileDirectory);
}

// ---- The list ----------------------------------------------------------------------

AlarmPass CheckAlarms(AlarmList& list, const DateTime& now, bool checkAlarm) {
    AlarmPass pass;
    if (!checkAlarm) return pass;
    for (std::size_t i = list.size(); i-- > 0;) {
        vbKerova_Alarm& a = *list[i];
        if (!a.Enable()) continue;
        const std::int32_t r = a.AlarmCheck(now, true);
        if (r == vbKerova_Alarm::kStarted || r == vbKerova_Alarm::kRunning) {
            pass.soundActive = pass.soundActive || (a.Flag & vbKerova_Alarm::kPlaySound);
        } else if (r == vbKerova_Alarm::kRemove) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            pass.removed.push_back(i);
        }
    }
    return pass;
}

vbKerova_Alarm* FindAlarmByTag(const AlarmList& list, std::uint32_t tag) {
    for (const auto& a : list)
        if (a->Tag() == tag) return a.get();
    return nullptr;
}

}  // namespace tbq
