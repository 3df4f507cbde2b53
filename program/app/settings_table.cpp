#include "app/settings_table.h"

#include <array>

#include "app/app_state.h"
#include "base/texts.h"

namespace tbq {

namespace {

using K = SettingField::Kind;

constexpr SettingField Flag(const char16_t* section, const char16_t* key, bool AppSettings::*m,
                            bool def) {
    return {.kind = K::Flag, .section = section, .key = key, .flag = m, .defaultNumber = def};
}
constexpr SettingField Number(const char16_t* section, const char16_t* key,
                              std::int32_t AppSettings::*m, std::int32_t def, std::int32_t min,
                              std::int32_t max) {
    return {.kind = K::Number, .section = section, .key = key, .number = m,
            .defaultNumber = def, .min = min, .max = max};
}
constexpr SettingField TextField(const char16_t* section, const char16_t* key,
                                 tbq::Text AppSettings::*m, const char16_t* def) {
    return {.kind = K::String, .section = section, .key = key, .text = m, .defaultText = def};
}

const std::array kFields{
    Flag(u"Basic", u"ViewDisplay", &AppSettings::ViewDisplay, true),
    Flag(u"Basic", u"TaskTray", &AppSettings::TaskTray, true),
    Flag(u"Basic", u"EndCheck", &AppSettings::EndCheck, true),
    Flag(u"Basic", u"VerCheck", &AppSettings::VerCheck, false),
    Number(u"Basic", u"Language", &AppSettings::Language, kLanguageAuto, kLanguageAuto, kLanguageEnglish),
    Flag(u"View", u"DelCheck", &AppSettings::ViewDelCheck, true),
    Flag(u"View", u"RefreshTiming", &AppSettings::RefreshTiming, false),
    TextField(u"View", u"EditDataName", &AppSettings::EditDataName, u"*Default"),
    Flag(u"TitleBar", u"TitleInfo", &AppSettings::TitleInfo, true),
    Flag(u"TitleBar", u"MDIChild", &AppSettings::MDIChild, false),
    // Every Windows we run on is of the NT family.
    Flag(u"TitleBar", u"Unicode", &AppSettings::Unicode, true),
    Number(u"TitleBar", u"Timing", &AppSettings::Timing, 500, kMinTiming, kMaxTiming),
    SettingField{.kind = K::FixedWindowRule, .section = u"TitleBar", .key = u""},
    TextField(u"TitleBar", u"DefaultViewData", &AppSettings::DefaultViewData, u"*Default"),
    Flag(u"DrawBar", u"UseDrawBar", &AppSettings::UseDrawBar, false),
    TextField(u"DrawBar", u"Default", &AppSettings::DrawBarDefault, u""),
    Flag(u"DrawBar", u"DelCheck", &AppSettings::DrawBarDelCheck, true),
    Flag(u"DrawBar", u"FollowTarget", &AppSettings::FollowTarget, true),
    Flag(u"DrawBar", u"AppCaptionBar", &AppSettings::AppCaptionBar, true),
    Flag(u"Alarm", u"CheckAlarm", &AppSettings::CheckAlarm, true),
    Flag(u"Alarm", u"DelCheck", &AppSettings::AlarmDelCheck, true),
    Flag(u"Window", u"DelCheck", &AppSettings::WindowDelCheck, true),
    Flag(u"Window", u"PermitOnly", &AppSettings::PermitOnly, false),
    Flag(u"Debug", u"Log", &AppSettings::DebugLog, false),
};

}  // namespace

std::span<const SettingField> GlobalSettingFields() { return kFields; }

const SettingField* FindSettingField(bool AppSettings::*member) {
    for (const SettingField& f : kFields)
        if (f.kind == K::Flag && f.flag == member) return &f;
    return nullptr;
}

void ApplyDefaultSettings(AppSettings& s) {
    for (const SettingField& f : kFields) {
        switch (f.kind) {
            case K::Flag: s.*f.flag = f.defaultNumber != 0; break;
            case K::Number: s.*f.number = f.defaultNumber; break;
            case K::String: s.*f.text = f.defaultText; break;
            case K::FixedWindowRule: break;
        }
    }
}

}  // namespace tbq
