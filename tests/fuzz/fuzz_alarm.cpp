// clang-format off
// fuzz-sources: program/alarm/*.cpp program/core/*.cpp program/base/*.cpp program/settings/*.cpp program/platform/*.cpp program/platform/host/*.cpp tests/fakes/fake_windows.cpp
// clang-format on
//
// Alarms from any settings file, and any alarm under any clock.
// Input: the first byte's bit 0 picks the form.
//   0: the rest is an alarm file ("TBQ_Alarm.ini", ANSI code page 932). Every
//      alarm that loads has a name and is off when a value does not fit its
//      field; what a save writes loads back the same, and a second save writes
//      the same again. Each alarm is then checked at a few moments.
//   1: the fields of one alarm, then a run of clock steps (forward, back, far
//      jumps). At every step the check without actions must agree with a
//      brute-force reading of the schedule and change nothing; the check with
//      actions must keep its promises: it runs exactly while the schedule
//      holds when the clock moves one second at a time, a start skipped by a
//      jump still starts, a run never starts twice, and the file opens at most
//      once per start.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "alarm/alarm.h"
#include "fakes/fake_alarm_ports.h"
#include "fakes/fake_clock.h"
#include "platform/ports.h"
#include "settings/ini_store.h"

using namespace tbq;
using A = vbKerova_Alarm;

namespace {

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

struct World {
    std::string folder;
    std::vector<std::string> log;
    test::FakeSound sound{log};
    test::FakeShell shell{log};
    test::FakeClock clock;

    World() {
        char pattern[] = "/tmp/tbq-fuzz-alarm-XXXXXX";
        Require(mkdtemp(pattern) != nullptr, "temporary folder");
        folder = pattern;
    }
    Text Path(const char* name) const { return Utf8ToText(folder + "/" + name); }
};

World& TheWorld() {
    static World* world = [] {
        auto* w = new World;  // kept for the whole run; its folder goes at exit
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(TheWorld().folder, ec);
        });
        return w;
    }();
    return *world;
}

// Texts through the code page, as the settings file holds them: a character
// the code page cannot hold is written as "?" whatever we do, so it is
// compared as written.
std::string Stored(const Text& t) { return platform::codepage().ToAnsi(t); }

std::string Describe(const A& a) {
    std::string s = Stored(a.AlarmName) + "|" + Stored(a.AlarmText) + "|" + Stored(a.SoundFileName());
    for (const Text* t : {&a.FileOpenName, &a.FileAction, &a.FileCommandLine, &a.FileDirectory})
        s += "|" + Stored(*t);
    for (int v : {int{a.TargetYear}, int{a.TargetMonth}, int{a.TargetDay}, int{a.TargetHour},
                  int{a.TargetMinute}, int{a.TargetSecond}, int{a.Flag}, int{a.MessageHour},
                  int{a.MessageMinute}, int{a.MessageSecond}, int{a.Enable()}})
        s += "|" + std::to_string(v);
    return s + "|" + std::to_string(a.SoundInterval) + "\n";
}

std::string SaveAndLoad(const AlarmList& list, const Text& path) {
    std::remove(TextToUtf8(path).c_str());
    IniStore::Instance().Reset();
    {
        IniWriteBatch batch;
        SaveAlarmList(path, list);
    }
    IniStore::Instance().Reset();
    std::string all;
    for (const auto& a : LoadAlarmList(path)) all += Describe(*a);
    return all;
}

bool Fits(const A& a) {
    if (!a.Schedule().Valid()) return false;
    if ((a.Flag & A::kRepeatSound) && a.SoundInterval <= 0) return false;
    const Text& sound = a.SoundFileName();
    return sound.empty() || sound[0] == u'*' || sound.find(u'"') == Text::npos;
}

void FuzzFile(World& w, const std::uint8_t* data, std::size_t size) {
    const Text input = w.Path("TBQ_Alarm.ini");
    std::ofstream(TextToUtf8(input), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    IniStore::Instance().Reset();
    AlarmList list = LoadAlarmList(input);
    std::string loaded;
    for (const auto& a : list) {
        Require(!a->AlarmName.empty(), "a loaded alarm has a name");
        Require(!a->Enable() || Fits(*a), "an alarm with a value out of place is off");
        loaded += Describe(*a);
    }
    const std::string first = SaveAndLoad(list, w.Path("once.ini"));
    if (first != loaded) {
        std::fprintf(stderr, "loaded:\n%s\nsaved and loaded:\n%s\n", loaded.c_str(), first.c_str());
        std::abort();
    }
    IniStore::Instance().Reset();
    AlarmList again = LoadAlarmList(w.Path("once.ini"));
    Require(SaveAndLoad(again, w.Path("twice.ini")) == first, "a second save writes the same");

    // Checked at a few moments: the last day of February of a leap year, a
    // month's end and New Year's Eve, each a second before midnight and at it.
    for (const DateTime& t : {DateTime{2028, 2, 29, 23, 59, 59}, DateTime{2028, 3, 1, 0, 0, 0},
                              DateTime{2026, 4, 30, 23, 59, 59}, DateTime{2026, 12, 31, 23, 59, 59},
                              DateTime{2027, 1, 1, 0, 0, 0}})
        (void)CheckAlarms(list, t, true);
}

// ---- brute-force reading of the schedule --------------------------------

struct Fields {
    int year, month, day, hour, minute, second, weekday;
};

Fields At(std::int64_t serial) {
    const DateTime t = FromSerialSeconds(serial);
    return {t.year, t.month, t.day, t.hour, t.minute, t.second, DayOfWeek(t)};
}

bool DateMatches(const AlarmSchedule& s, const Fields& f) {
    if (s.year != AlarmSchedule::kEveryYear && s.year != f.year) return false;
    if (s.month != AlarmSchedule::kEvery && s.month != f.month) return false;
    if (s.day == AlarmSchedule::kEveryDay) return true;
    if (s.day & AlarmSchedule::kWeekdays) return (s.day & (1 << f.weekday)) != 0;
    return s.day == f.day;
}

bool TimeMatches(const AlarmSchedule& s, const Fields& f) {
    return (s.hour == AlarmSchedule::kEvery || s.hour == f.hour) &&
           (s.minute == AlarmSchedule::kEvery || s.minute == f.minute);
}

// Window mode: whether `t` is a start moment.
bool IsStart(const AlarmSchedule& s, std::int64_t t) {
    const Fields f = At(t);
    return f.second == s.second && DateMatches(s, f) && TimeMatches(s, f);
}

// Window mode: the latest start in (after, now], looking one minute at a time.
std::optional<std::int64_t> LatestStart(const AlarmSchedule& s, std::int64_t after, std::int64_t now) {
    std::int64_t t = now - ((now % 60 + 60) % 60) + s.second;
    if (t > now) t -= 60;
    for (; t > after; t -= 60)
        if (IsStart(s, t)) return t;
    return std::nullopt;
}

bool Holds(const AlarmSchedule& s, std::int64_t now) {
    if (!s.Valid()) return false;
    if (s.FieldMode()) {
        const Fields f = At(now);
        return DateMatches(s, f) && TimeMatches(s, f);
    }
    return LatestStart(s, now - s.duration - 1, now).has_value();
}

// ---- one alarm under a moving clock --------------------------------------

void FuzzClock(World& w, FuzzedDataProvider& in) {
    auto pick = [&](std::initializer_list<int> common, int lo, int hi) {
        if (in.ConsumeBool()) return in.ConsumeIntegralInRange(lo, hi);
        const std::vector<int> v(common);
        return v[in.ConsumeIntegralInRange<std::size_t>(0, v.size() - 1)];
    };
    A a;
    a.AlarmName = u"fuzz";
    a.TargetYear = static_cast<std::int16_t>(pick({-1, 2026, 2027, 2028}, -3, 10001));
    a.TargetMonth = static_cast<std::uint8_t>(pick({255, 1, 2, 4, 12}, 0, 255));
    a.TargetDay = static_cast<std::uint8_t>(pick({127, 1, 29, 30, 31, 128 | 0x22, 128 | 0x7F}, 0, 255));
    a.TargetHour = static_cast<std::uint8_t>(pick({255, 0, 23}, 0, 255));
    a.TargetMinute = static_cast<std::uint8_t>(pick({255, 0, 59}, 0, 255));
    a.TargetSecond = static_cast<std::uint8_t>(pick({255, 0, 59}, 0, 255));
    a.MessageHour = static_cast<std::uint8_t>(pick({0, 1, 25}, 0, 255));
    a.MessageMinute = static_cast<std::uint8_t>(pick({0, 20, 59}, 0, 255));
    a.MessageSecond = static_cast<std::uint8_t>(pick({0, 1, 59}, 0, 255));
    a.Flag = in.ConsumeIntegral<std::uint8_t>();
    a.SoundInterval = pick({1, 10, 0, -1}, -5, 100);
    a.FileOpenName = u"C:\\helper.exe";
    a.SetSoundFileName(in.ConsumeBool() ? Text(u"*48") : Text(u"C:\\chime.wav"));
    a.SetEnable(true);
    const AlarmSchedule s = a.Schedule();

    std::int64_t now = ToSerialSeconds(DateTime{
        in.ConsumeIntegralInRange(2026, 2029), in.ConsumeIntegralInRange(1, 12),
        in.ConsumeIntegralInRange(1, 28), in.ConsumeIntegralInRange(0, 23),
        in.ConsumeIntegralInRange(0, 59), in.ConsumeIntegralInRange(0, 59)});
    // A start just before the first check, so that runs are met often.
    if (!s.FieldMode() && s.Valid() && in.ConsumeBool())
        if (auto t = LatestStart(s, now - 3 * 86400, now)) now = *t - in.ConsumeIntegralInRange(0, 3);

    std::optional<std::int64_t> last;   // the previous check with actions
    std::optional<std::int64_t> started;  // the latest run start begun so far
    bool backed = false;  // the clock has been set back at some point
    int starts = 0;
    w.log.clear();
    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        std::int64_t delta = 1;
        switch (in.ConsumeIntegralInRange(0, 7)) {
            case 0: delta = in.ConsumeIntegralInRange(2, 7200); break;
            case 1: delta = in.ConsumeIntegralInRange<std::int64_t>(2, 2 * 86400); break;
            case 2: delta = -in.ConsumeIntegralInRange(1, 120); break;
            case 3: delta = -in.ConsumeIntegralInRange<std::int64_t>(121, 86400); break;
            case 4: delta = 0; break;
            default: break;
        }
        if (last) now += delta;
        if (delta < 0) backed = true;
        w.clock.tick += static_cast<std::uint32_t>(in.ConsumeIntegralInRange(0, 20000));
        const DateTime t = FromSerialSeconds(now);

        const bool holds = Holds(s, now);
        const bool wasRunning = a.Running();
        const std::int32_t quiet = a.AlarmCheck(t, false);
        Require(quiet == (a.RunsAt(t) ? A::kRunning : A::kNotRunning), "the quiet check is RunsAt");
        Require(a.Running() == wasRunning, "the quiet check changes nothing");
        if (!wasRunning) Require((quiet == A::kRunning) == holds, "the quiet check reads the schedule");

        const std::int32_t status = a.AlarmCheck(t, true);
        Require(status >= A::kNotRunning && status <= A::kRemove, "a status 0..4");
        Require(a.Running() == (status == A::kStarted || status == A::kRunning),
                "running exactly after a start or while running");
        if (status == A::kStarted) Require(!wasRunning, "a start only when not running");
        if (status == A::kRunning || status == A::kEnded) Require(wasRunning, "runs and ends follow starts");
        if (status == A::kRemove) {
            Require(a.Flag & A::kAutoDelete, "only an auto-delete alarm is removed");
            Require(!a.Running(), "a removed alarm does not run");
            break;
        }
        if (!s.FieldMode() && s.Valid()) {
            const std::int64_t window = last ? std::max(now - *last, s.duration) : s.duration;
            const auto latest = LatestStart(s, now - window - 61, now);
            if (status == A::kStarted) {
                ++starts;
                Require(latest.has_value(), "a start has a start moment");
                Require(!started || *latest > *started, "a run never starts twice");
                started = latest;
            }
            // A start since the last check that the alarm has not begun yet
            // begins now, even when its run is already over.
            if (!backed && last && !wasRunning && now > *last) {
                const auto missed = LatestStart(s, *last, now);
                if (missed && (!started || *missed > *started))
                    Require(status == A::kStarted, "a start skipped by the clock still starts");
            }
        }
        // One second at a time, and never set back: running is the schedule.
        if (!backed && delta == 1 && last)
            Require(a.Running() == holds, "runs while the schedule holds");
        last = now;
    }
    int opens = 0;
    for (const std::string& line : w.log) opens += line.rfind("open ", 0) == 0;
    if (!s.FieldMode() && s.Valid()) Require(opens <= starts, "the file opens at most once per start");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    World& w = TheWorld();
    platform::ScopedPorts ports(platform::Ports{.clock = &w.clock, .sound = &w.sound, .shell = &w.shell});
    if ((data[0] & 1) == 0) {
        FuzzFile(w, data + 1, size - 1);
    } else {
        FuzzedDataProvider in(data + 1, size - 1);
        FuzzClock(w, in);
    }
    return 0;
}
