// What the alarm editor holds for one alarm, how OK checks it and the alarm
// it then makes; the editor's sound trial; and the small reads its menus do.
// The editor's windows only move values between their controls and these.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "alarm/alarm.h"
#include "base/text.h"
#include "uimodel/date_fields.h"

namespace tbq::uimodel {

// The editor's values, as its controls and sub-dialogs hold them.
struct AlarmDraft {
    Text name, message;
    // The target chosen in the date dialog; none yet for a new alarm, whose
    // date text is then empty.
    std::optional<DateFields> target;
    Text hours, minutes, seconds;  // the duration as typed or chosen
    std::uint8_t options = 0;      // the ticked option boxes' bits
    // The detail dialogs' values: the sound's repetition (bit 128) and its
    // interval, and how the file is opened.
    bool repeat = false;
    std::int32_t soundInterval = 300;
    Text sound, file, fileAction, fileCommandLine, fileDirectory;
};

// The editor's values for `alarm`, or for a new one when it is null.
AlarmDraft DraftOf(const vbKerova_Alarm* alarm);
// The text of the target field: "" until a target is chosen.
Text DraftDateText(const AlarmDraft& draft);

enum class DraftField { Name, Message, Date, Hours, Minutes, Seconds };
struct DraftProblem {
    DraftField field;
    Text message;
};
// The first value OK refuses, in the order of the fields.
std::optional<DraftProblem> CheckDraft(const AlarmDraft& draft);
// The new alarm, enabled; `draft` must have passed CheckDraft.
std::shared_ptr<vbKerova_Alarm> BuildAlarm(const AlarmDraft& draft);

// The duration lists' entries: hours 0..23 (more may be typed), minutes and
// seconds 0..59.
std::vector<Text> DurationChoices(DraftField field);

// The repetition interval the detail dialog's slider offers, in seconds.
inline constexpr std::int32_t kMinSoundInterval = 1;
inline constexpr std::int32_t kMaxSoundInterval = 3600;
// "5分00秒": hours plain, minutes and seconds with two digits.
Text IntervalText(std::int32_t seconds);

// The folder of a file: its path up to, not including, the last "\"; "" when
// there is none.
Text FolderOf(TextView path);
// The address an internet shortcut file (*.url) points to: its "URL" in
// [InternetShortcut]; nullopt when it has none.
std::optional<Text> ShortcutAddress(const Text& file);

// The editor's own sound trial, under an alias that no alarm uses, so that it
// never stops an alarm's sound. A new trial stops and closes the one before;
// the trial is stopped and closed when the object goes.
class SoundTrial {
public:
    static constexpr const char16_t* kAlias = u"alias_editor";
    SoundTrial() = default;
    ~SoundTrial();
    SoundTrial(const SoundTrial&) = delete;
    SoundTrial& operator=(const SoundTrial&) = delete;

    // Beeps a system sound ("*48") or plays a file from its start. False when
    // the file could not be opened: nothing is left open then.
    bool Play(const Text& sound);
    void Stop();

private:
    bool open_ = false;
};
// The box shown when a trial could not play `sound`.
Text TrialFailedText(const Text& sound);

}  // namespace tbq::uimodel
