// The check timer's view of an alarm: statuses every 100 ms against whole
// seconds, the actions in the order they reach the platform, and the faults
// of missed, repeated and moved runs.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "alarm/alarm.h"
#include "fakes/fake_alarm_ports.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_library.h"
#include "fakes/fake_windows.h"
#include "fakes/temp_folder.h"
#include "settings/ini_store.h"
#include "platform/ports.h"

namespace tbq {
namespace {

using A = vbKerova_Alarm;
using Log = std::vector<std::string>;

DateTime T(int h, int m, int s, int day = 8) { return {2026, 12, day, h, m, s}; }

class AlarmCheckTest : public ::testing::Test {
protected:
    AlarmCheckTest() : sound_(log), shell_(log), ports_(MakePorts()) {
        target = windows.Add(u"notepad");
        windows.flashLog = &log;
        library.log = &log;
        AlarmHost host;
        host.showWindow = [this](const Text& title, const Text& message, std::uint32_t tag) {
            lastMessage = message;
            return library.ShowAlarmWindow(0x77, TextToUtf8(title), TextToUtf8(message), tag);
        };
        host.closeWindow = [this](platform::WindowId w) { library.CloseAlarmWindow(w); };
        host.flashTarget = [this] { return target; };
        SetAlarmHost(std::move(host));
    }
    ~AlarmCheckTest() override { SetAlarmHost({}); }

    platform::Ports MakePorts() {
        platform::Ports p;
        p.clock = &clock;
        p.windows = &windows;
        p.sound = &sound_;
        p.shell = &shell_;
        return p;
    }

    // Every-day alarm at h:m:s in window mode, enabled, with the given flags.
    static std::unique_ptr<A> Daily(int h, int m, int s, int durationSeconds, std::uint8_t flag = 0) {
        auto a = std::make_unique<A>();
        a->AlarmName = u"Tea";
        a->AlarmText = u"Boil";
        a->TargetYear = A::kEveryYear;
        a->TargetHour = static_cast<std::uint8_t>(h);
        a->TargetMinute = static_cast<std::uint8_t>(m);
        a->TargetSecond = static_cast<std::uint8_t>(s);
        a->MessageHour = static_cast<std::uint8_t>(durationSeconds / 3600);
        a->MessageMinute = static_cast<std::uint8_t>(durationSeconds / 60 % 60);
        a->MessageSecond = static_cast<std::uint8_t>(durationSeconds % 60);
        a->Flag = flag;
        a->SetEnable(true);
        return a;
    }

    // Ten checks a second over whole seconds from `from`, `seconds` long: the
    // statuses, runs of one value written "value x count".
    std::string Checks(A& a, DateTime from, int seconds) {
        std::ostringstream out;
        int last = -1, count = 0;
        auto flush = [&] {
            if (!count) return;
            if (out.tellp()) out << ' ';
            out << last;
            if (count > 1) out << 'x' << count;
        };
        for (int i = 0; i < seconds * 10; ++i) {
            clock.tick += 100;
            const int r = a.AlarmCheck(AddSeconds(from, i / 10), true);
            if (r != last) {
                flush();
                last = r, count = 0;
            }
            ++count;
        }
        flush();
        return out.str();
    }

    Log log;
    test::FakeClock clock;
    test::FakeWindows windows;
    test::FakeLibrary library;
    platform::WindowId target = 0;
    Text lastMessage;

private:
    test::FakeSound sound_;
    test::FakeShell shell_;
    platform::ScopedPorts ports_;
};

TEST_F(AlarmCheckTest, StatusesEveryTenthOfASecond) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<A>()> make;
        DateTime from;
        int seconds;
        const char* statuses;
    };
    const Case cases[] = {
        {"one second at 7:30:00", [] { return Daily(7, 30, 0, 0); }, T(7, 29, 59), 3, "0x10 1 2x9 3 0x9"},
        {"three seconds", [] { return Daily(7, 30, 0, 3); }, T(7, 30, 0), 5, "1 2x39 3 0x9"},
        {"field mode 12:00 runs the minute",
         [] {
             auto a = Daily(12, 0, 0, 0);
             a->TargetSecond = A::kEvery;
             return a;
         },
         T(11, 59, 59), 62, "0x10 1 2x599 3 0x9"},
        {"a fixed moment that deletes itself",
         [] {
             auto a = Daily(7, 30, 0, 0, A::kAutoDelete);
             a->TargetYear = 2026, a->TargetMonth = 12, a->TargetDay = 8;
             return a;
         },
         T(7, 29, 59), 3, "0x10 1 2x9 4x10"},
        {"found running at the first check (a start of the program)", [] { return Daily(7, 30, 0, 60); },
         T(7, 30, 30), 32, "1 2x309 3 0x9"},
        {"23:50 for 20 minutes, first seen after midnight", [] { return Daily(23, 50, 0, 1200); },
         T(0, 9, 59, 9), 3, "1 2x19 3 0x9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto a = c.make();
        EXPECT_EQ(Checks(*a, c.from, c.seconds), c.statuses);
    }
}

TEST_F(AlarmCheckTest, ActionsInOrderFromStartThroughRepeatToEnd) {
    auto a = Daily(7, 30, 0, 60, A::kFlash | A::kPlaySound | A::kShowMessage | A::kMessageText |
                                     A::kOpenFile | A::kRepeatSound);
    a->SetSoundFileName(u"C:\\tea.wav");
    a->SoundInterval = 10;
    a->FileOpenName = u"C:\\app.exe";
    a->FileAction = u"open";
    a->FileCommandLine = u"-x \"a b\"";
    a->FileDirectory = u"C:\\work";
    const std::string t = std::to_string(a->Tag()), alias = "alias" + t;
    const std::string flash = "flash " + std::to_string(target);

    EXPECT_EQ(Checks(*a, T(7, 30, 0), 1), "1 2x9");
    EXPECT_EQ(log, (Log{flash + " on", "mci status " + alias + " mode",
                        "mci open \"C:\\tea.wav\" alias " + alias, "mci stop " + alias,
                        "mci play " + alias + " from 0 notify", "show 36864 tag=" + t + " Tea",
                        "open open|C:\\app.exe|-x \"a b\"|C:\\work"}));
    EXPECT_EQ(lastMessage.substr(0, 8), u"Boil\r\n\r\n" );
    log.clear();

    // The sound comes again after ten seconds, from its beginning, without reopening.
    EXPECT_EQ(Checks(*a, T(7, 30, 1), 9), "2x90");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Checks(*a, T(7, 30, 10), 1), "2x10");
    EXPECT_EQ(log, (Log{"mci status " + alias + " mode", "mci stop " + alias,
                        "mci play " + alias + " from 0 notify"}));
    log.clear();

    // Stopped by the user: no more repeats in this run.
    a->StopAlarmSound();
    EXPECT_EQ(Checks(*a, T(7, 30, 20), 41), "2x410");
    EXPECT_EQ(log, (Log{"mci stop " + alias}));
    log.clear();

    EXPECT_EQ(a->AlarmCheck(T(7, 31, 1), true), A::kEnded);
    EXPECT_EQ(log, (Log{"mci stop " + alias, "close 36864", flash + " off"}));
    log.clear();
    a.reset();  // discarding closes the sound the run left open
    EXPECT_EQ(log, (Log{"mci stop " + alias, "mci close " + alias}));
}

TEST_F(AlarmCheckTest, EveryWayARunStopsUndoesTheSameThree) {
    const std::uint8_t flags = A::kFlash | A::kPlaySound | A::kShowMessage;
    struct Case {
        const char* what;
        std::uint8_t extraFlag;
        std::function<void(std::unique_ptr<A>&)> stop;
    };
    const Case cases[] = {
        {"the run ends", 0, [](auto& a) { EXPECT_EQ(a->AlarmCheck(T(7, 31, 1), true), A::kEnded); }},
        {"the alarm deletes itself", A::kAutoDelete,
         [](auto& a) {
             a->TargetYear = 2026, a->TargetMonth = 12, a->TargetDay = 8;
             EXPECT_EQ(a->AlarmCheck(T(7, 31, 1), true), A::kRemove);
         }},
        {"the alarm is switched off", 0, [](auto& a) { a->SetEnable(false); }},
        {"the alarm is discarded", 0, [](auto& a) { a.reset(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto a = Daily(7, 30, 0, 60, flags | c.extraFlag);
        a->SetSoundFileName(u"C:\\s.wav");
        const std::string alias = TextToUtf8(a->Alias());
        ASSERT_EQ(a->AlarmCheck(T(7, 30, 0), true), A::kStarted);
        const std::string closeWindow = "close " + std::to_string(a->MessageWindow());
        log.clear();
        c.stop(a);
        ASSERT_GE(log.size(), 3u);
        // The message window closes and the flashing stops in every case.
        EXPECT_NE(std::find(log.begin(), log.end(), "mci stop " + alias), log.end());
        EXPECT_NE(std::find(log.begin(), log.end(), closeWindow), log.end());
        EXPECT_EQ(log.back(), "flash " + std::to_string(target) + " off");
        EXPECT_TRUE(library.alarmWindows.empty());
        log.clear();
    }
}

TEST_F(AlarmCheckTest, MissedRepeatedAndMovedRuns) {
    // A busy moment hides the one second: the start still happens, once.
    auto busy = Daily(7, 30, 0, 0, A::kShowMessage | A::kOpenFile);
    busy->FileOpenName = u"C:\\app.exe";
    EXPECT_EQ(busy->AlarmCheck(T(7, 29, 59), true), A::kNotRunning);
    EXPECT_EQ(busy->AlarmCheck(T(7, 30, 2), true), A::kStarted);
    EXPECT_EQ(busy->AlarmCheck(T(7, 30, 2), true), A::kEnded);
    EXPECT_EQ(std::count(log.begin(), log.end(), "open |C:\\app.exe||"), 1);

    // The clock set back over it: the run never begins again.
    EXPECT_EQ(Checks(*busy, T(7, 29, 58), 5), "0x50");
    // Tomorrow's run is a new one.
    EXPECT_EQ(busy->AlarmCheck(T(7, 30, 0, 9), true), A::kStarted);
    EXPECT_EQ(std::count(log.begin(), log.end(), "open |C:\\app.exe||"), 2);
    log.clear();

    // A run found under way (the program restarted, the alarm edited) shows
    // its window again but does not open its file a second time.
    auto running = Daily(7, 30, 0, 540, A::kShowMessage | A::kOpenFile);
    running->FileOpenName = u"C:\\app.exe";
    auto edited = std::make_unique<A>();
    edited->CopyData(*running);
    EXPECT_EQ(edited->AlarmCheck(T(7, 35, 0), true), A::kStarted);
    EXPECT_EQ(log, (Log{"show 36866 tag=" + std::to_string(edited->Tag()) + " Tea"}));
    log.clear();

    // Loaded in the very second its run began (the program quit and started
    // again at once): found running, so the file is not opened twice; loaded
    // a second earlier, the start is the program's own.
    test::TempFolder dir;
    dir.WriteBytes("a.ini",
                   "[Alarm0001]\r\nName=Tea\r\nTargetHour=7\r\nTargetMinute=30\r\nTargetSecond=0\r\n"
                   "Flag=4\r\nDayType=1\r\nFileOpen=C:\\app.exe\r\nMessageMinute=5\r\nEnable=1\r\n");
    for (int loadedAt : {0, -1}) {
        IniStore::Instance().Reset();
        clock.utc = loadedAt < 0 ? platform::ClockTime{2026, 12, 8, 2, 7, 29, 59, 400}
                                 : platform::ClockTime{2026, 12, 8, 2, 7, 30, 0, 400};
        A loaded;
        ASSERT_TRUE(loaded.LoadSetting(dir.Path("a.ini"), u"Alarm0001"));
        log.clear();
        EXPECT_EQ(loaded.AlarmCheck(T(7, 30, 0), true), A::kStarted);
        EXPECT_EQ(log.size(), loadedAt < 0 ? 1u : 0u) << "loaded at " << loadedAt;
    }
    log.clear();

    // Moving a running alarm in the list moves its run: nothing starts again.
    AlarmList list{Daily(7, 30, 0, 540, A::kShowMessage), Daily(9, 0, 0, 0, A::kShowMessage)};
    EXPECT_EQ(list[0]->AlarmCheck(T(7, 30, 0), true), A::kStarted);
    const std::uint32_t tag = list[0]->Tag();
    list[0]->SwapData(*list[1]);
    log.clear();
    EXPECT_EQ(list[1]->AlarmCheck(T(7, 30, 1), true), A::kRunning);
    EXPECT_EQ(list[0]->AlarmCheck(T(7, 30, 1), true), A::kNotRunning);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(FindAlarmByTag(list, tag), list[1].get());

    // Asking without actions never changes anything.
    auto quiet = Daily(7, 30, 0, 60, A::kShowMessage);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(quiet->AlarmCheck(T(7, 30, i), false), A::kRunning);
    EXPECT_EQ(quiet->AlarmCheck(T(7, 32, 0), false), A::kNotRunning);
    EXPECT_FALSE(quiet->Running());
    EXPECT_EQ(quiet->AlarmCheck(T(7, 30, 5), true), A::kStarted);
}

TEST_F(AlarmCheckTest, SoundsThatCannotBePlayedAsWritten) {
    struct Case {
        const char* sound;
        std::int32_t interval;
        Log played;  // in the first 25 seconds of a repeating run
    };
    const Case cases[] = {
        {"*48", 10, {"beep 48", "beep 48", "beep 48"}},
        {"*x", 10, {"beep 0", "beep 0", "beep 0"}},
        {"*-1", 100, {"beep 4294967295"}},
        {"*99999999999", 10, {}},        // no beep code: no beep, no overflow
        {"*48", 0, {"beep 48"}},         // no interval: no repeat
        {"*48", -5, {"beep 48"}},
        {"C:\\a\" alias x", 10, {}},      // a quote would break into the command
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sound);
        auto a = Daily(7, 30, 0, 60, A::kPlaySound | A::kRepeatSound);
        a->SetSoundFileName(Utf8ToText(c.sound));
        a->SoundInterval = c.interval;
        log.clear();
        Checks(*a, T(7, 30, 0), 25);
        EXPECT_EQ(log, c.played);
    }
}

TEST_F(AlarmCheckTest, CheckPassRemovesEndedAlarmsAndTellsOfSounds) {
    AlarmList list{Daily(7, 30, 0, 0, A::kAutoDelete), Daily(7, 30, 0, 60, A::kPlaySound),
                   Daily(7, 30, 0, 0, A::kAutoDelete)};
    for (int i : {0, 2}) list[i]->TargetYear = 2026, list[i]->TargetMonth = 12, list[i]->TargetDay = 8;
    list[1]->SetSoundFileName(u"*0");
    const vbKerova_Alarm* kept = list[1].get();

    EXPECT_TRUE(CheckAlarms(list, T(7, 30, 0), true).soundActive);
    const AlarmPass pass = CheckAlarms(list, T(7, 30, 1), true);
    EXPECT_EQ(pass.removed, (std::vector<std::size_t>{2, 0}));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].get(), kept);
    EXPECT_TRUE(pass.soundActive);
    // Switched off as a whole: nothing is checked and no sound is offered.
    EXPECT_FALSE(CheckAlarms(list, T(7, 30, 2), false).soundActive);

    // The message window's check box keeps or drops the window for later runs.
    vbKerova_Alarm* a = FindAlarmByTag(list, kept->Tag());
    ASSERT_TRUE(a);
    a->SetAlarmEnable(true);
    EXPECT_TRUE(a->Flag & A::kShowMessage);
    a->SetAlarmEnable(false);
    EXPECT_FALSE(a->Flag & A::kShowMessage);
    EXPECT_EQ(FindAlarmByTag(list, 0), nullptr);
}

}  // namespace
}  // namespace tbq
