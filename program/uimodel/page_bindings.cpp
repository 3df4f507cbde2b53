#include "uimodel/page_bindings.h"

#include <algorithm>
#include <array>

#include "app/app_state.h"
#include "app/settings_table.h"

namespace tbq::uimodel {

namespace {

constexpr Binding Flag(bool AppSettings::*member) { return {Binding::Kind::Setting, member}; }

const std::array kBasic{
    CheckBoxModel{TextId::BasicViewDisplay, Flag(&AppSettings::ViewDisplay)},
    CheckBoxModel{TextId::BasicTaskTray, Flag(&AppSettings::TaskTray)},
    CheckBoxModel{TextId::BasicEndCheck, Flag(&AppSettings::EndCheck)},
    CheckBoxModel{TextId::BasicVerCheck, Flag(&AppSettings::VerCheck)},
};
const std::array kTitleBar{
    CheckBoxModel{TextId::TitleBarTitleInfo, Flag(&AppSettings::TitleInfo)},
    CheckBoxModel{TextId::TitleBarMdiChild, Flag(&AppSettings::MDIChild)},
    CheckBoxModel{TextId::TitleBarFixedWindow, Binding{Binding::Kind::FixedWindowRule}},
    CheckBoxModel{TextId::TitleBarUnicode, Flag(&AppSettings::Unicode)},
};
const std::array kDrawBar{
    CheckBoxModel{TextId::DrawBarUse, Flag(&AppSettings::UseDrawBar)},
    CheckBoxModel{TextId::DrawBarDelCheck, Flag(&AppSettings::DrawBarDelCheck)},
    // Acts with painting off too: programs that draw their caption show the
    // window text only on the taskbar, so they get a bar in their caption.
    CheckBoxModel{TextId::DrawBarAppCaption, Flag(&AppSettings::AppCaptionBar)},
};
const std::array kView{
    CheckBoxModel{TextId::ViewDelCheck, Flag(&AppSettings::ViewDelCheck)},
    CheckBoxModel{TextId::ViewRefreshTiming,
                  Flag(&AppSettings::RefreshTiming)},
};
const std::array kAlarm{
    CheckBoxModel{TextId::AlarmCheck, Flag(&AppSettings::CheckAlarm)},
    CheckBoxModel{TextId::AlarmDelCheck, Flag(&AppSettings::AlarmDelCheck)},
};
const std::array kWindow{
    CheckBoxModel{TextId::WindowDelCheck, Flag(&AppSettings::WindowDelCheck)},
    CheckBoxModel{TextId::WindowPermitOnly, Flag(&AppSettings::PermitOnly)},
};

const std::array kInformation{
    CheckBoxModel{TextId::InfoLog, Flag(&AppSettings::DebugLog)},
};

const std::array kPages{
    PageModel{Page::Basic, TextId::PageBasic, kBasic},
    PageModel{Page::TitleBar, TextId::PageTitleBar, kTitleBar},
    PageModel{Page::DrawBar, TextId::PageDrawBar, kDrawBar},
    PageModel{Page::View, TextId::PageView, kView},
    PageModel{Page::Alarm, TextId::PageAlarm, kAlarm},
    PageModel{Page::Window, TextId::PageWindow, kWindow},
    PageModel{Page::Information, TextId::PageInformation, kInformation},
};

}  // namespace

std::span<const PageModel> Pages() { return kPages; }

const PageModel& PageAt(int index) {
    return kPages[index >= 0 && index < kPageCount ? static_cast<std::size_t>(index) : 0];
}

const SettingField* FieldOf(const Binding& binding) {
    return binding.kind == Binding::Kind::Setting ? FindSettingField(binding.flag) : nullptr;
}

bool AppSettings::*DelCheckOf(Page page) {
    switch (page) {
        case Page::DrawBar: return &AppSettings::DrawBarDelCheck;
        case Page::View: return &AppSettings::ViewDelCheck;
        case Page::Alarm: return &AppSettings::AlarmDelCheck;
        case Page::Window: return &AppSettings::WindowDelCheck;
        default: return nullptr;
    }
}

bool ReadBinding(const Binding& binding, const AppState& app) {
    if (binding.kind == Binding::Kind::FixedWindowRule) return app.FixedWindowRule.Enable;
    return binding.flag && app.settings.*binding.flag;
}

bool WriteBinding(const Binding& binding, bool value, AppState& app, SettingEffects* effects) {
    bool* target = binding.kind == Binding::Kind::FixedWindowRule ? &app.FixedWindowRule.Enable
                   : binding.flag                                  ? &(app.settings.*binding.flag)
                                                                   : nullptr;
    if (!target || *target == value) return false;
    *target = value;
    if (!effects || binding.kind != Binding::Kind::Setting) return true;
    // The other settings are read afresh by every tick.
    if (binding.flag == &AppSettings::TaskTray) effects->TaskTrayChanged(value);
    if (binding.flag == &AppSettings::TitleInfo) effects->TitleInfoChanged(value);
    if (binding.flag == &AppSettings::UseDrawBar) effects->DrawingChanged(value);
    return true;
}

std::int32_t WriteTiming(std::int32_t milliseconds, AppState& app, SettingEffects* effects) {
    const std::int32_t value = std::clamp(milliseconds, kMinTiming, kMaxTiming);
    if (app.settings.Timing == value) return value;
    app.settings.Timing = value;
    if (effects) effects->TimingChanged(value);
    return value;
}

}  // namespace tbq::uimodel
