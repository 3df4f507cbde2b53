#include "uimodel/page_bindings.h"

#include <algorithm>
#include <array>

#include "app/app_state.h"
#include "app/settings_table.h"

namespace tbq::uimodel {

namespace {

constexpr Binding Flag(bool AppSettings::*member) { return {Binding::Kind::Setting, member}; }

const std::array kBasic{
    CheckBoxModel{u"起動時に設定画面を表示する(&1)", Flag(&AppSettings::ViewDisplay)},
    CheckBoxModel{u"タスクトレイにアイコンを表示する(&2)", Flag(&AppSettings::TaskTray)},
    CheckBoxModel{u"終了時に確認する(&3)", Flag(&AppSettings::EndCheck)},
    CheckBoxModel{u"起動時にバージョンアップのチェックを行う(&4)", Flag(&AppSettings::VerCheck)},
};
const std::array kTitleBar{
    CheckBoxModel{u"ウインドウのタイトルバーに情報を表示する(&1)", Flag(&AppSettings::TitleInfo)},
    CheckBoxModel{u"MDI子ウインドウに情報を表示する(&2)", Flag(&AppSettings::MDIChild)},
    CheckBoxModel{u"情報を表示するウインドウを固定(&3)", Binding{Binding::Kind::FixedWindowRule}},
    CheckBoxModel{u"Unicodeに対応する(&4)", Flag(&AppSettings::Unicode)},
};
const std::array kDrawBar{
    CheckBoxModel{u"タイトルバーの独自描画を行う(&1)", Flag(&AppSettings::UseDrawBar)},
    CheckBoxModel{u"項目削除時に確認する(&2)", Flag(&AppSettings::DrawBarDelCheck)},
    // Acts with painting off too: programs that draw their caption show the
    // window text only on the taskbar, so they get a bar in their caption.
    CheckBoxModel{u"アプリが自分で描くタイトルバーにも表示する(&3)", Flag(&AppSettings::AppCaptionBar)},
};
const std::array kView{
    CheckBoxModel{u"項目削除時に確認する(&1)", Flag(&AppSettings::ViewDelCheck)},
    CheckBoxModel{u"グループ項目の更新は独自のタイミング(100ms)で行う(&2)",
                  Flag(&AppSettings::RefreshTiming)},
};
const std::array kAlarm{
    CheckBoxModel{u"アラームのチェックを行う(&1)", Flag(&AppSettings::CheckAlarm)},
    CheckBoxModel{u"アラーム削除時に確認する(&2)", Flag(&AppSettings::AlarmDelCheck)},
};
const std::array kWindow{
    CheckBoxModel{u"個別設定削除時に確認する(&1)", Flag(&AppSettings::WindowDelCheck)},
    CheckBoxModel{u"許可したウインドウ以外は全て除外(&2)", Flag(&AppSettings::PermitOnly)},
};

const std::array kInformation{
    CheckBoxModel{u"診断ログを記録する(&L)", Flag(&AppSettings::DebugLog)},
};

const std::array kPages{
    PageModel{Page::Basic, u"基本動作設定", kBasic},
    PageModel{Page::TitleBar, u"タイトルバー設定", kTitleBar},
    PageModel{Page::DrawBar, u"独自描画設定", kDrawBar},
    PageModel{Page::View, u"表示項目設定", kView},
    PageModel{Page::Alarm, u"アラーム設定", kAlarm},
    PageModel{Page::Window, u"ウインドウ個別設定", kWindow},
    PageModel{Page::Information, u"各種情報", kInformation},
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
