#include "uimodel/menus.h"

#include "app/app_state.h"
#include "plugin/plugin_registry.h"

namespace tbq::uimodel {

Text CopyListText(ViewList&, int, std::uint32_t) { return {}; }
ViewListPtr ShownList(ViewListRegistry&, const AppSettings&, int) { return nullptr; }
std::vector<SelectDataEntry> SelectDataEntries(const ViewList&) { return {}; }
std::optional<Text> SelectDataText(const SelectDataEntry&, std::uint32_t) { return std::nullopt; }
Text ProgramWebPage() { return Text(kMakerPage) + u"/cgi-bin/access.cgi?soft=TBQ"; }
std::vector<ModuleRow> ModuleRows(const ModuleInfo&, const ModuleInfo&, const PluginRegistry*) {
    return {};
}
ModuleButtons ButtonsFor(const ModuleRow&) { return {}; }
Text InformationText(const ModuleRow&) { return {}; }
std::vector<PluginMenuEntry> PluginSettingsMenu(vbKerova_Plugin&) { return {}; }
std::optional<Text> WebTarget(TextView) { return std::nullopt; }
std::optional<Text> MailTarget(TextView) { return std::nullopt; }
Text RefusedAddressText(TextView address) { return u"このアドレスは開けません。\r\n" + Text(address); }
Text StartupQuestion(bool) { return {}; }
const char16_t* StartupButtonCaption(bool registered) { return registered ? u"解除(&4)" : u"登録(&4)"; }

}  // namespace tbq::uimodel
