#include "ui/alarm_editor.h"

#include "base/texts.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "ui/date_dialog.h"
#include "ui/detail_dialog.h"
#include "ui/editor_support.h"
#include "ui/kit/accessible.h"
#include "ui/kit/dialog.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "uimodel/alarm_editor_model.h"

namespace tbq::ui {

namespace {
using uimodel::DraftField;
using enum TextId;

// The option boxes and the flag bit each stands for.
struct OptionBox {
    int id;
    std::uint8_t bit;
};
constexpr OptionBox kOptionBoxes[] = {
    {IDC_AE_SHOW_MESSAGE, vbKerova_Alarm::kShowMessage}, {IDC_AE_MESSAGE_TEXT, vbKerova_Alarm::kMessageText},
    {IDC_AE_PLAY_SOUND, vbKerova_Alarm::kPlaySound},     {IDC_AE_PRELOAD, vbKerova_Alarm::kPreloadSound},
    {IDC_AE_OPEN_FILE, vbKerova_Alarm::kOpenFile},       {IDC_AE_AUTO_DELETE, vbKerova_Alarm::kAutoDelete},
    {IDC_AE_FLASH, vbKerova_Alarm::kFlash},
};

// The control that holds each field OK may refuse.
int FieldControl(DraftField field) {
    switch (field) {
        case DraftField::Name: return IDC_AE_NAME;
        case DraftField::Message: return IDC_AE_MESSAGE;
        case DraftField::Date: return IDC_AE_DATE_BUTTON;
        case DraftField::Hours: return IDC_AE_HOURS;
        case DraftField::Minutes: return IDC_AE_MINUTES;
        case DraftField::Seconds: return IDC_AE_SECONDS;
    }
    return IDC_AE_NAME;
}

class AlarmEditor final : public Dialog {
public:
    explicit AlarmEditor(const vbKerova_Alarm* alarm) : existing_(alarm != nullptr), draft_(uimodel::DraftOf(alarm)) {
        OnCommand(IDC_AE_DATE_BUTTON, [this] { ChooseDate(); });
        OnCommand(IDC_AE_SOUND_MENU, [this] { SoundMenu(); });
        OnCommand(IDC_AE_FILE_MENU, [this] { FileMenu(); });
        OnCommand(IDC_AE_PLAY, [this] { PlaySound(); });
        OnCommand(IDOK, [this] { Accept(); });
    }

    std::shared_ptr<vbKerova_Alarm> Run(HWND owner) {
        if (RunModal(owner, IDD_ALARM_EDITOR) != IDOK) return nullptr;
        return result_;
    }

private:
    void OnInit() override {
        Text caption = kProductName;
        caption += Tr(existing_ ? AlarmEditCaption : AlarmAddCaption);
        const Text date = uimodel::DraftDateText(draft_);
        const ControlText texts[] = {{0, caption.c_str()},
                                     {IDC_AE_NAME, draft_.name.c_str()},
                                     {IDC_AE_MESSAGE, draft_.message.c_str()},
                                     {IDC_AE_DATE, date.c_str()},
                                     {IDC_AE_SOUND, draft_.sound.c_str()},
                                     {IDC_AE_FILE, draft_.file.c_str()}};
        ApplyTexts(dlg_, texts);
        FillDropDown(Item(IDC_AE_HOURS), uimodel::DurationChoices(DraftField::Hours), draft_.hours);
        FillDropDown(Item(IDC_AE_MINUTES), uimodel::DurationChoices(DraftField::Minutes), draft_.minutes);
        FillDropDown(Item(IDC_AE_SECONDS), uimodel::DurationChoices(DraftField::Seconds), draft_.seconds);
        for (const OptionBox& box : kOptionBoxes) SetChecked(box.id, (draft_.options & box.bit) != 0);
        SetAccessibleName(Item(IDC_AE_DATE_BUTTON), Tr(AlarmDateButtonName));
        SetAccessibleName(Item(IDC_AE_SOUND_MENU), Tr(AlarmSoundMenuName));
        SetAccessibleName(Item(IDC_AE_FILE_MENU), Tr(AlarmFileMenuName));
    }

    // What the controls hold, into the draft the sub-dialogs fill.
    void ReadControls() {
        draft_.name = FieldText(dlg_, IDC_AE_NAME);
        draft_.message = FieldText(dlg_, IDC_AE_MESSAGE);
        draft_.hours = FieldText(dlg_, IDC_AE_HOURS);
        draft_.minutes = FieldText(dlg_, IDC_AE_MINUTES);
        draft_.seconds = FieldText(dlg_, IDC_AE_SECONDS);
        draft_.options = 0;
        for (const OptionBox& box : kOptionBoxes)
            if (Checked(box.id)) draft_.options = static_cast<std::uint8_t>(draft_.options | box.bit);
        draft_.sound = FieldText(dlg_, IDC_AE_SOUND);
        draft_.file = FieldText(dlg_, IDC_AE_FILE);
    }

    void ChooseDate() {
        // Without a target yet the dialog starts at this minute.
        uimodel::DateFields start;
        if (draft_.target) {
            start = *draft_.target;
        } else {
            const auto now = platform::clock().LocalNow();
            start = {now.year, now.month, now.day, now.hour, now.minute, 0};
        }
        if (const auto chosen = EditDate(dlg_, uimodel::DateMode::Alarm, start)) {
            draft_.target = *chosen;
            SetField(dlg_, IDC_AE_DATE, uimodel::DraftDateText(draft_));
        }
    }

    void SoundMenu() {
        std::vector<Text> items = {Text(Tr(AlarmOpenSoundFile)), u""};
        const auto sounds = SystemSounds();
        for (const SystemSound& s : sounds) items.emplace_back(Tr(s.name));
        items.emplace_back();
        items.emplace_back(Tr(AlarmDetails));
        const int chosen = PopupUnder(Item(IDC_AE_SOUND_MENU), items);
        if (chosen == 1) {
            platform::FileRequest request{Text(Tr(AlarmSoundFileTitle)),
                                          {{Text(Tr(AlarmWaveFilter)), u"*.wav"},
                                           {Text(Tr(AlarmMidiFilter)), u"*.mid"},
                                           {Text(Tr(AlarmPlayableFilter)), u"*.wav;*.mid;*.mp3;*.wma"},
                                           {Text(Tr(AlarmAllFilesFilter)), u"*.*"}},
                                          {},
                                          FieldText(dlg_, IDC_AE_SOUND)};
            if (auto file = platform::dialogs().OpenFileName(WindowIdOf(dlg_), request))
                SetField(dlg_, IDC_AE_SOUND, *file);
        } else if (chosen >= 3 && static_cast<std::size_t>(chosen - 3) < sounds.size()) {
            SetField(dlg_, IDC_AE_SOUND, sounds[static_cast<std::size_t>(chosen - 3)].text);
        } else if (chosen == static_cast<int>(items.size())) {
            EditSoundDetail(dlg_, draft_);
        }
    }

    void FileMenu() {
        const int chosen = PopupUnder(Item(IDC_AE_FILE_MENU), {Text(Tr(AlarmChooseFile)), Text(Tr(AlarmOpenWebsite)),
                                                               Text(), Text(Tr(AlarmDetails))});
        const platform::WindowId owner = WindowIdOf(dlg_);
        if (chosen == 1) {
            platform::FileRequest request{Text(Tr(AlarmFileTitle)),
                                          {{Text(Tr(AlarmProgramFilter)), u"*.exe;*.bat"},
                                           {Text(Tr(AlarmTextFilter)), u"*.txt"},
                                           {Text(Tr(AlarmAllFilesFilter)), u"*.*"}},
                                          {},
                                          FieldText(dlg_, IDC_AE_FILE)};
            if (auto file = platform::dialogs().OpenFileName(owner, request)) SetField(dlg_, IDC_AE_FILE, *file);
        } else if (chosen == 2) {
            platform::FileRequest request{
                Text(Tr(AlarmShortcutTitle)), {{Text(Tr(AlarmShortcutFilter)), u"*.url"}}, {}, {}};
            const auto file = platform::dialogs().OpenFileName(owner, request);
            if (!file) return;
            if (const auto address = uimodel::ShortcutAddress(*file))
                SetField(dlg_, IDC_AE_FILE, *address);
            else
                platform::dialogs().Show(owner, Text(Tr(AlarmShortcutNoAddress)),
                                         kProductName, platform::BoxStyle::Warning);
        } else if (chosen == 4) {
            EditFileDetail(dlg_, draft_);
        }
    }

    void PlaySound() {
        const Text sound = FieldText(dlg_, IDC_AE_SOUND);
        if (!trial_.Play(sound))
            platform::dialogs().Show(WindowIdOf(dlg_), uimodel::TrialFailedText(sound), kProductName,
                                     platform::BoxStyle::Warning);
    }

    void Accept() {
        ReadControls();
        if (const auto problem = uimodel::CheckDraft(draft_)) {
            RefuseField(dlg_, FieldControl(problem->field), problem->message);
            return;
        }
        result_ = uimodel::BuildAlarm(draft_);
        Close(IDOK);
    }

    bool existing_;
    uimodel::AlarmDraft draft_;
    std::shared_ptr<vbKerova_Alarm> result_;
    // Stopped and closed with the editor, however it closes.
    uimodel::SoundTrial trial_;
};

}  // namespace

std::shared_ptr<vbKerova_Alarm> EditAlarm(HWND owner, const vbKerova_Alarm* alarm) {
    AlarmEditor editor(alarm);
    return editor.Run(owner);
}

}  // namespace tbq::ui
