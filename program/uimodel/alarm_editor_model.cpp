#include "uimodel/alarm_editor_model.h"

#include "base/texts.h"
#include "core/helpers.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "uimodel/numbers.h"

namespace tbq::uimodel {

namespace {

constexpr std::uint8_t kRepeat = vbKerova_Alarm::kRepeatSound;

struct DurationRule {
    DraftField field;
    long long hi;  // the highest value the alarm's field takes for it
    TextId message;
};
// The alarm holds each part of the duration in one byte, so hours stop at 255.
constexpr DurationRule kDurationRules[] = {
    {DraftField::Hours, 255, TextId::AlarmHoursRefused},
    {DraftField::Minutes, 59, TextId::AlarmMinutesRefused},
    {DraftField::Seconds, 59, TextId::AlarmSecondsRefused},
};

const Text& DurationField(const AlarmDraft& d, DraftField field) {
    return field == DraftField::Hours ? d.hours : field == DraftField::Minutes ? d.minutes : d.seconds;
}

std::uint8_t DurationValue(const AlarmDraft& d, DraftField field) {
    return static_cast<std::uint8_t>(ReadWhole(DurationField(d, field), 0, 255).value_or(0));
}

bool IsFileSound(const Text& sound) { return !sound.empty() && sound[0] != u'*'; }

}  // namespace

AlarmDraft DraftOf(const vbKerova_Alarm* a) {
    AlarmDraft d;
    if (!a) {
        // A new alarm runs nine minutes, as one read from a file without a
        // duration does.
        d.hours = NumberText(0);
        d.minutes = NumberText(9);
        d.seconds = NumberText(0);
        return d;
    }
    d.name = a->AlarmName;
    d.message = a->AlarmText;
    d.target = DateFields{a->TargetYear, a->TargetMonth, a->TargetDay, a->TargetHour, a->TargetMinute, a->TargetSecond};
    d.hours = NumberText(a->MessageHour);
    d.minutes = NumberText(a->MessageMinute);
    d.seconds = NumberText(a->MessageSecond);
    d.options = static_cast<std::uint8_t>(a->Flag & ~kRepeat);
    d.repeat = (a->Flag & kRepeat) != 0;
    d.soundInterval = a->SoundInterval;
    d.sound = a->SoundFileName();
    d.file = a->FileOpenName;
    d.fileAction = a->FileAction;
    d.fileCommandLine = a->FileCommandLine;
    d.fileDirectory = a->FileDirectory;
    return d;
}

Text DraftDateText(const AlarmDraft& d) { return d.target ? DateText(*d.target, DateMode::Alarm) : Text(); }

std::optional<DraftProblem> CheckDraft(const AlarmDraft& d) {
    if (d.name.empty()) return DraftProblem{DraftField::Name, Text(Tr(TextId::AlarmNameMissing))};
    if (d.message.empty()) return DraftProblem{DraftField::Message, Text(Tr(TextId::AlarmMessageMissing))};
    if (DraftDateText(d).empty()) return DraftProblem{DraftField::Date, Text(Tr(TextId::AlarmDateMissing))};
    for (const DurationRule& r : kDurationRules) {
        // Text that is no number is as wrong as a number out of range.
        const auto v = ReadNumber(DurationField(d, r.field));
        if (!v || *v < 0 || *v > r.hi) return DraftProblem{r.field, Text(Tr(r.message))};
    }
    return std::nullopt;
}

std::shared_ptr<vbKerova_Alarm> BuildAlarm(const AlarmDraft& d) {
    auto a = std::make_shared<vbKerova_Alarm>();
    const DateFields t = d.target.value_or(DateFields{});
    a->AlarmName = d.name;
    a->AlarmText = d.message;
    a->TargetYear = static_cast<std::int16_t>(t.year);
    a->TargetMonth = static_cast<std::uint8_t>(t.month);
    a->TargetDay = static_cast<std::uint8_t>(t.day);
    a->TargetHour = static_cast<std::uint8_t>(t.hour);
    a->TargetMinute = static_cast<std::uint8_t>(t.minute);
    a->TargetSecond = static_cast<std::uint8_t>(t.second);
    a->MessageHour = DurationValue(d, DraftField::Hours);
    a->MessageMinute = DurationValue(d, DraftField::Minutes);
    a->MessageSecond = DurationValue(d, DraftField::Seconds);
    // The flag first: a sound loaded in advance is opened when it is set.
    a->Flag = static_cast<std::uint8_t>((d.options & ~kRepeat) | (d.repeat ? kRepeat : 0));
    a->SetSoundFileName(d.sound);
    a->SoundInterval = d.soundInterval;
    a->FileOpenName = d.file;
    a->FileAction = d.fileAction;
    a->FileCommandLine = d.fileCommandLine;
    a->FileDirectory = d.fileDirectory;
    a->SetEnable(true);
    return a;
}

std::vector<Text> DurationChoices(DraftField field) {
    const int hi = field == DraftField::Hours ? 23 : 59;
    std::vector<Text> out;
    for (int v = 0; v <= hi; ++v) out.push_back(NumberText(v));
    return out;
}

Text IntervalText(std::int32_t seconds) { return tbq::DurationText(seconds, u"00"); }

Text FolderOf(TextView path) {
    const auto slash = path.rfind(u'\\');
    return slash == TextView::npos ? Text() : Text(path.substr(0, slash));
}

std::optional<Text> ShortcutAddress(const Text& file) {
    Text url = vbIniFile(file).GetText(u"InternetShortcut", u"URL", u"");
    if (url.empty()) return std::nullopt;
    return url;
}

SoundTrial::~SoundTrial() { Stop(); }

bool SoundTrial::Play(const Text& sound) {
    platform::Sound& port = platform::sound();
    const Text alias = kAlias;
    // The trial before is stopped and closed first, whatever it was.
    port.SendCommand(u"stop " + alias);
    port.SendCommand(u"close " + alias);
    open_ = false;
    if (!IsFileSound(sound)) {
        if (!sound.empty())
            if (const auto code = BeepCode(TextView(sound).substr(1))) port.Beep(*code);
        return true;
    }
    // A double quote would end the name inside the command string.
    if (sound.find(u'"') == Text::npos) {
        Text open = u"open \"";
        open += sound;
        open += u"\" alias ";
        open += alias;
        port.SendCommand(open);
    }
    // An alias that names nothing has no mode: the file was missing or no
    // handler could open it.
    Text status = u"status ";
    status += alias;
    status += u" mode";
    if (port.SendCommand(status).empty()) {
        port.SendCommand(u"close " + alias);
        return false;
    }
    open_ = true;
    Text play = u"play ";
    play += alias;
    play += u" from 0 notify";
    port.SendCommand(play);
    return true;
}

void SoundTrial::Stop() {
    if (!open_) return;
    open_ = false;
    platform::Sound& port = platform::sound();
    const Text alias = kAlias;
    port.SendCommand(u"stop " + alias);
    port.SendCommand(u"close " + alias);
}

Text TrialFailedText(const Text& sound) {
    Text out(Tr(TextId::AlarmTrialFailed));
    out += sound;
    return out;
}

}  // namespace tbq::uimodel
