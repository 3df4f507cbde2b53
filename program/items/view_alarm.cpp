#include "items/view_alarm.h"

#include "core/helpers.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {
std::function<const AlarmList*()>& AlarmSource() {
    static std::function<const AlarmList*()> source;
    return source;
}
}  // namespace

void SetAlarmListSource(std::function<const AlarmList*()> source) {
    AlarmSource() = std::move(source);
}

tbq::Text vbKerova_View_Alarm::Text() {
    const auto& source = AlarmSource();
    if (!source) return {};
    return TextAt(source(), LocalDateTimeNow());
}

tbq::Text vbKerova_View_Alarm::TextAt(const AlarmList* alarms, const DateTime& now) const {
    tbq::Text out;
    if (!alarms) return out;
    for (const auto& alarm : *alarms) {
        const vbKerova_Alarm& a = *alarm;
        if (!a.Enable()) continue;
        const bool taken = (ViewType & (kFirst | kAll)) ||
                           ((ViewType & kNamed) && EqualsIgnoreCase(a.AlarmName, AlarmName));
        if (!taken || !a.RunsAt(now)) continue;
        if (!out.empty()) out += u'|';
        if (ViewStyle & kShowTarget) out += AlarmTargetText(a, true) + u" ";
        if (ViewStyle & kShowName) out += a.AlarmName + u" ";
        if (ViewStyle & kShowMessage) out += a.AlarmText;
        if (!(ViewType & kAll)) break;
    }
    return out;
}

void vbKerova_View_Alarm::SaveSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    ini.SetNumber(section, u"Style", ViewStyle);
    ini.SetNumber(section, u"Type", ViewType);
    ini.SetText(section, u"AlarmName", AlarmName);
}

void vbKerova_View_Alarm::LoadSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    ViewStyle = static_cast<std::uint8_t>(ini.GetNumber(section, u"Style", kShowMessage));
    ViewType = static_cast<std::uint8_t>(ini.GetNumber(section, u"Type", kFirst));
    if (ViewType == 0) ViewType = kFirst;
    AlarmName = ini.GetText(section, u"AlarmName", u"");
}

}  // namespace tbq
