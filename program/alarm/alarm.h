// vbKerova_Alarm: a named moment or recurring pattern of moments with a
// message and actions: a message window, a sound or beep (repeated while the
// alarm runs), a flashing title bar, a file or address to open, and deletion
// of the alarm once it has passed. The check timer asks AlarmCheck every
// 100 ms; the alarm-text item asks the same without side effects.
//
// Run-time state (running, the current run, the last check, the open sound,
// window and flashing) belongs to the alarm object: it moves with the alarm
// when the list is reordered and is never copied.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "alarm/alarm_schedule.h"
#include "base/date_time.h"
#include "base/text.h"
#include "base/texts.h"
#include "platform/windows.h"

namespace tbq {

// What the alarms need from the running program. Set once at start-up; an
// unset function means the action does nothing.
struct AlarmHost {
    // Opens a message window owned by the main window; its handle, 0 for none.
    std::function<platform::WindowId(const Text& title, const Text& message, std::uint32_t tag)>
        showWindow;
    std::function<void(platform::WindowId)> closeWindow;
    // The window that shows the information now, flashed when an alarm starts.
    std::function<platform::WindowId()> flashTarget;
};
void SetAlarmHost(AlarmHost host);

class vbKerova_Alarm {
public:
    // AlarmCheck results.
    enum Status : std::int32_t {
        kNotRunning = 0, kStarted = 1, kRunning = 2, kEnded = 3, kRemove = 4,
    };
    // Flag bits.
    enum FlagBit : std::uint8_t {
        kAutoDelete = 1, kPlaySound = 2, kOpenFile = 4, kShowMessage = 8, kMessageText = 16,
        kPreloadSound = 32, kFlash = 64, kRepeatSound = 128,
    };
    // Field markers.
    static constexpr std::int16_t kEveryYear = -1;
    static constexpr std::uint8_t kEvery = 255;     // month, hour, minute, second
    static constexpr std::uint8_t kEveryDay = 127;
    static constexpr std::uint8_t kWeekdays = 128;  // + Sunday 1, Monday 2 .. Saturday 64

    vbKerova_Alarm();
    // Closes the message window, stops and closes the sound, stops the flashing.
    ~vbKerova_Alarm();
    vbKerova_Alarm(const vbKerova_Alarm&) = delete;
    vbKerova_Alarm& operator=(const vbKerova_Alarm&) = delete;

    Text AlarmName;  // an alarm without a name is not stored
    Text AlarmText;
    // Every path that stores an alarm sets the targets and durations first;
    // these starting values cannot pass for real ones.
    std::int16_t TargetYear = 125;
    std::uint8_t TargetMonth = kEvery;
    std::uint8_t TargetDay = kEveryDay;
    std::uint8_t TargetHour = kEvery;
    std::uint8_t TargetMinute = kEvery;
    std::uint8_t TargetSecond = kEvery;
    std::uint8_t Flag = 0;
    Text FileOpenName, FileAction, FileCommandLine, FileDirectory;
    std::int32_t SoundInterval = 0;  // seconds; 0 or less never repeats
    std::uint8_t MessageHour = 255, MessageMinute = 255, MessageSecond = 255;

    const Text& SoundFileName() const { return soundFileName_; }
    // Stops and closes the old sound; opens the new one at once with kPreloadSound.
    void SetSoundFileName(Text name);
    bool Enable() const { return enable_; }
    // Turning an alarm off stops its sound, window and flashing at once; the
    // running state is kept.
    void SetEnable(bool enable);

    // 0..4 (Status). With `action` false only tells whether the alarm runs at
    // `now` (2) or not (0), changing nothing.
    std::int32_t AlarmCheck(const DateTime& now, bool action);
    // AlarmCheck without actions: whether the alarm runs at `now`.
    bool RunsAt(const DateTime& now) const;
    // Whether the alarm deletes itself: kAutoDelete and it can never run again.
    bool DeleteCheck(const DateTime& now) const;

    void SaveSetting(const Text& file, const Text& section) const;
    // False when the section holds no alarm (no name). A value its field cannot
    // hold loads the alarm disabled, with the value kept where it fits.
    bool LoadSetting(const Text& file, const Text& section);

    // Every stored field of `src` (the sound through SetSoundFileName); never
    // the run-time state.
    void CopyData(const vbKerova_Alarm& src);
    // Exchanges two alarms whole, run-time state included, so that a running
    // alarm moved in the list goes on running where it went.
    void SwapData(vbKerova_Alarm& other);

    // The message window's answer: its check box turns the window on or off
    // for later runs.
    void SetAlarmEnable(bool enable);
    // Stops the sound and forgets its start, so it is not repeated in this run.
    void StopAlarmSound();
    void CloseMessageBox();
    // Opens FileOpenName with its verb, parameters and folder.
    void FileOpen();

    AlarmSchedule Schedule() const;
    bool Running() const { return running_; }
    // The alarm's number: it names its sound and comes back from its window.
    std::uint32_t Tag() const { return tag_; }
    Text Alias() const;
    platform::WindowId MessageWindow() const { return messageWindow_; }

private:
    template <typename Self, typename Other, typename F>
    static void PlainFields(Self& a, Other& b, F f);
    bool InRun(std::int64_t now) const;
    void StartRun(const AlarmRun& run, bool genuine);
    void EndRunActions();
    void PlaySound();
    void OpenSound();
    void StopSound();
    void CloseSound();
    int SoundStatus();
    void ShowMessageWindow();
    void StartFlash();
    void StopFlash();
    bool SoundIsFile() const;

    Text soundFileName_;
    bool enable_ = false;

    std::uint32_t tag_;
    bool running_ = false;
    AlarmRun run_;
    // The start of the last run begun: a clock set back never begins it again.
    std::optional<std::int64_t> lastRunStart_;
    // The moment of the last check with actions; starts after it and not later
    // than the next check count as begun, even when the run was over by then.
    std::optional<std::int64_t> lastCheck_;
    // When the alarm was loaded from its file.
    std::optional<std::int64_t> loadedAt_;
    std::uint32_t soundTick_ = 0;  // 0: no start recorded
    platform::WindowId flashed_ = 0;
    platform::WindowId messageWindow_ = 0;
};

using AlarmList = std::vector<std::shared_ptr<vbKerova_Alarm>>;

// The section of the alarm at 1-based `position`: "Alarm0001".
Text AlarmSection(int position);
// Alarm1, Alarm2, ... until a section without a name; every alarm is kept,
// those with values out of place disabled.
AlarmList LoadAlarmList(const Text& file);
// Every alarm, then the end mark (an empty name in the next section).
void SaveAlarmList(const Text& file, const AlarmList& list);

// One pass of the check timer: from the last alarm to the first, every
// enabled one checked with actions; alarms that end for good leave the list.
struct AlarmPass {
    // An alarm with a sound started or runs: the stop command is offered.
    bool soundActive = false;
    // 0-based positions removed, in the order removed (last first).
    std::vector<std::size_t> removed;
};
AlarmPass CheckAlarms(AlarmList& list, const DateTime& now, bool checkAlarm);
// The alarm whose window reported `tag`; null when none.
vbKerova_Alarm* FindAlarmByTag(const AlarmList& list, std::uint32_t tag);

// The target as "年/月/日 時:分:秒", free fields as "Now" and weekdays as
// "Sun,Mon,..." (`compact`: "Nw" and "Su,Mo,...", as the alarm-text item shows it).
Text AlarmTargetText(const vbKerova_Alarm& a, bool compact);
// The same for target fields held outside an alarm (an editor's pending ones).
Text AlarmTargetText(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
                     std::int32_t minute, std::int32_t second, bool compact);
// The system sounds an alarm can beep instead of a file: the field's text
// ("*48") and the name the user reads.
struct SystemSound {
    const char16_t* text;
    TextId name;
};
std::span<const SystemSound> SystemSounds();
// The beep code of a system sound's text after its "*": text that is no
// number reads as 0, as the editor always wrote them; a number no beep code
// can hold gives none.
std::optional<std::uint32_t> BeepCode(TextView rest);
// The lines the message window shows after the message.
Text AlarmSummary(const vbKerova_Alarm& a);

}  // namespace tbq
