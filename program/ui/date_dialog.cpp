#include "ui/date_dialog.h"

#include <memory>
#include <vector>

#include "alarm/alarm.h"
#include "app/app_state.h"
#include "base/texts.h"
#include "core/program_location.h"
#include "platform/ports.h"
#include "ui/editor_support.h"
#include "ui/kit/dialog.h"
#include "ui/resource.h"
#include "ui/window_helpers.h"
#include "win32/wide.h"

namespace tbq::ui {

namespace {
using uimodel::DateField;
using uimodel::DateMode;

constexpr int kFieldIds[] = {IDC_DATE_YEAR, IDC_DATE_MONTH, IDC_DATE_DAY, IDC_DATE_HOUR, IDC_DATE_MINUTE, IDC_DATE_SECOND};
constexpr int kWeekdayIds[] = {IDC_DATE_SUNDAY,   IDC_DATE_MONDAY, IDC_DATE_TUESDAY, IDC_DATE_WEDNESDAY,
                               IDC_DATE_THURSDAY, IDC_DATE_FRIDAY, IDC_DATE_SATURDAY};
// The controls only the alarm mode has.
constexpr int kAlarmOnlyIds[] = {IDC_DATE_ALARMS_LABEL, IDC_DATE_ALARMS, IDC_DATE_GET};

std::int32_t Get(const uimodel::DateFields& d, std::size_t i) {
    const std::int32_t v[] = {d.year, d.month, d.day, d.hour, d.minute, d.second};
    return v[i];
}

class DateDialog final : public Dialog {
public:
    DateDialog(DateMode mode, const uimodel::DateFields& start) : mode_(mode), fields_(start) {
        OnCommand(IDOK, [this] { Accept(); });
        OnCommand(IDC_DATE_DAY, CBN_SELCHANGE, [this] { EnableWeekdays(ChosenDay()); });
        OnCommand(IDC_DATE_DAY, CBN_EDITCHANGE, [this] { EnableWeekdays(FieldText(dlg_, IDC_DATE_DAY)); });
        OnCommand(IDC_DATE_GET, [this] { CopyChosenAlarm(); });
    }

    std::optional<uimodel::DateFields> Run(HWND owner) {
        if (RunModal(owner, IDD_DATE) != IDOK) return std::nullopt;
        return fields_;
    }

private:
    void OnInit() override {
        Text caption = kProductName;
        caption += Tr(TextId::AlarmDateCaption);
        const ControlText texts[] = {{0, caption.c_str()}};
        ApplyTexts(dlg_, texts);
        const int year = platform::clock().LocalNow().year;
        for (std::size_t i = 0; i < uimodel::kDateFieldCount; ++i) {
            std::vector<Text> entries;
            for (const auto& c : uimodel::DateChoices(mode_, static_cast<DateField>(i), year)) entries.push_back(c.text);
            FillDropDown(Item(kFieldIds[i]), entries, {});
        }
        ShowFields(fields_);
        if (mode_ == DateMode::Alarm) {
            // The alarms are held, not their places: one may delete itself
            // while the dialog is open.
            alarms_ = App().AlarmList;
            std::vector<Text> names;
            for (const auto& a : alarms_) names.push_back(a->AlarmName);
            FillComboBox(Item(IDC_DATE_ALARMS), names, 0);
            EnableWindow(Item(IDC_DATE_GET), !alarms_.empty());
        } else {
            HideAlarmRows();
        }
    }

    void ShowFields(const uimodel::DateFields& d) {
        for (std::size_t i = 0; i < uimodel::kDateFieldCount; ++i)
            SetField(dlg_, kFieldIds[i], uimodel::DateFieldText(mode_, static_cast<DateField>(i), Get(d, i)));
        const bool weekdays = mode_ == DateMode::Alarm && d.day != vbKerova_Alarm::kEveryDay &&
                              (d.day & vbKerova_Alarm::kWeekdays);
        for (int i = 0; i < 7; ++i) SetChecked(kWeekdayIds[i], weekdays && (d.day & (1 << i)));
        EnableWeekdays(FieldText(dlg_, IDC_DATE_DAY));
    }

    // The boxes count only while the day list says "曜".
    void EnableWeekdays(const Text& dayText) {
        const bool on = mode_ == DateMode::Alarm &&
                        dayText == uimodel::DateFieldText(DateMode::Alarm, DateField::Day, uimodel::kWeekdayChoice);
        for (int id : kWeekdayIds) EnableWindow(Item(id), on);
    }

    // The entry just chosen: while the choice is reported the edit still
    // holds the old text.
    Text ChosenDay() const {
        HWND day = Item(IDC_DATE_DAY);
        const LRESULT sel = SendMessageW(day, CB_GETCURSEL, 0, 0);
        if (sel == CB_ERR) return FieldText(dlg_, IDC_DATE_DAY);
        const LRESULT n = SendMessageW(day, CB_GETLBTEXTLEN, sel, 0);
        std::wstring buf(static_cast<std::size_t>(n) + 1, L'\0');
        SendMessageW(day, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(buf.data()));
        buf.resize(static_cast<std::size_t>(n));
        return win32::FromWide(buf);
    }

    void HideAlarmRows() {
        for (int id : kWeekdayIds) ShowWindow(Item(id), SW_HIDE);
        for (int id : kAlarmOnlyIds) ShowWindow(Item(id), SW_HIDE);
        // The buttons move up to the weekday row and the window shrinks by the
        // rows it lost, in dialog units so that every DPI agrees.
        RECT from{0, 77, 0, 38};
        MapDialogRect(dlg_, &from);
        const int lift = from.top - from.bottom;
        for (int id : {IDOK, IDCANCEL}) {
            RECT r{};
            GetWindowRect(Item(id), &r);
            MapWindowPoints(nullptr, dlg_, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(Item(id), nullptr, r.left, r.top - lift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        RECT w{};
        GetWindowRect(dlg_, &w);
        SetWindowPos(dlg_, nullptr, 0, 0, w.right - w.left, w.bottom - w.top - lift, SWP_NOMOVE | SWP_NOZORDER);
    }

    void CopyChosenAlarm() {
        const LRESULT i = SendMessageW(Item(IDC_DATE_ALARMS), CB_GETCURSEL, 0, 0);
        if (i < 0 || static_cast<std::size_t>(i) >= alarms_.size()) return;
        const vbKerova_Alarm& a = *alarms_[static_cast<std::size_t>(i)];
        ShowFields({a.TargetYear, a.TargetMonth, a.TargetDay, a.TargetHour, a.TargetMinute, a.TargetSecond});
    }

    void Accept() {
        uimodel::DateInput input;
        for (std::size_t i = 0; i < uimodel::kDateFieldCount; ++i) input.texts[i] = FieldText(dlg_, kFieldIds[i]);
        for (int i = 0; i < 7; ++i)
            if (Checked(kWeekdayIds[i])) input.weekdays = static_cast<std::uint8_t>(input.weekdays | (1 << i));
        const uimodel::DateCheck check = uimodel::CheckDate(mode_, input);
        if (check.problem) {
            RefuseField(dlg_, kFieldIds[static_cast<std::size_t>(check.problem->field)], check.problem->message);
            return;
        }
        fields_ = *check.fields;
        Close(IDOK);
    }

    DateMode mode_;
    uimodel::DateFields fields_;
    std::vector<std::shared_ptr<vbKerova_Alarm>> alarms_;
};

}  // namespace

std::optional<uimodel::DateFields> EditDate(HWND owner, uimodel::DateMode mode, const uimodel::DateFields& start) {
    DateDialog dialog(mode, start);
    return dialog.Run(owner);
}

}  // namespace tbq::ui
