#include "items/view_plugin.h"

#include "items/view_list.h"
#include "plugin/plugin_registry.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {
std::function<platform::WindowId()>& TargetSource() {
    static std::function<platform::WindowId()> source;
    return source;
}
}  // namespace

void SetPluginTargetSource(std::function<platform::WindowId()> source) {
    TargetSource() = std::move(source);
}

void vbKerova_View_Plugin::SetPluginFunc(const tbq::Text& strPluginFileName, std::int32_t nFuncNo,
                                         std::int32_t nSettingNo) {
    fileName_ = strPluginFileName;
    funcNo_ = nFuncNo;
    settingNo_ = nSettingNo;
    ReloadPlugin();
}

void vbKerova_View_Plugin::ReloadPlugin() {
    plugin_.reset();
    if (PluginRegistry* registry = ThePluginRegistry()) plugin_ = registry->Find(fileName_);
}

vbKerova_Plugin* vbKerova_View_Plugin::Loaded() {
    std::shared_ptr<vbKerova_Plugin> p = plugin_.lock();
    if (!p) {
        // Dropped by a rescan (or never found): look the name up again.
        ReloadPlugin();
        p = plugin_.lock();
    }
    // The registry holds the object; the pointer is used within this call only.
    return p && p->Enable() ? p.get() : nullptr;
}

tbq::Text vbKerova_View_Plugin::Text() {
    vbKerova_Plugin* p = Loaded();
    if (!p) return u"!" + fileName_;
    const platform::WindowId target = TargetSource() ? TargetSource()() : 0;
    tbq::Text text = p->PluginGetText(target, funcNo_, settingNo_);
    // A plug-in that failed inside the call has just been switched off.
    if (!p->Enable()) return u"!" + fileName_;
    return text;
}

void vbKerova_View_Plugin::SaveSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    ini.SetText(section, u"PluginName", fileName_);
    ini.SetNumber(section, u"FuncNo", funcNo_);
    ini.SetNumber(section, u"SettingNo", settingNo_);
}

void vbKerova_View_Plugin::LoadSetting(const tbq::Text& file, const tbq::Text& section) {
    const vbIniFile ini(file);
    SetPluginFunc(ini.GetText(section, u"PluginName", u""), ini.GetNumber(section, u"FuncNo", 0),
                  ini.GetNumber(section, u"SettingNo", 0));
}

tbq::Text vbKerova_View_Plugin::PluginName() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginInfoStr(0) : u"プラグインが読み込めません";
}
tbq::Text vbKerova_View_Plugin::PluginComment() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginInfoStr(2) : u"プラグインが読み込めませんでした。";
}
tbq::Text vbKerova_View_Plugin::PluginCopyright() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginInfoStr(3) : u"(N/A)";
}
tbq::Text vbKerova_View_Plugin::PluginURL() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginInfoStr(4) : u"";
}
tbq::Text vbKerova_View_Plugin::PluginMail() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginInfoStr(5) : u"";
}
std::int32_t vbKerova_View_Plugin::PluginFuncNum() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->FuncNum() : 0;
}
tbq::Text vbKerova_View_Plugin::FuncName() {
    vbKerova_Plugin* p = Loaded();
    if (!p) return u"(N/A)";
    tbq::Text name = p->PluginFuncInfoStr(funcNo_, 0);
    return name.empty() ? u"機能名無し" : name;
}
tbq::Text vbKerova_View_Plugin::FuncComment() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginFuncInfoStr(funcNo_, 1) : u"(N/A)";
}
tbq::Text vbKerova_View_Plugin::FuncSettingName() {
    vbKerova_Plugin* p = Loaded();
    if (!p) return u"(N/A)";
    tbq::Text name = p->PluginFuncSettingName(funcNo_, settingNo_);
    return name.empty() ? u"設定名無し" : name;
}

void ReloadPluginItems(ViewListRegistry& registry) {
    for (const auto& entry : registry.Entries()) {
        if (!entry.list) continue;
        for (const auto& item : *entry.list)
            if (auto* p = dynamic_cast<vbKerova_View_Plugin*>(item->ObjectData().get())) p->ReloadPlugin();
    }
}

}  // namespace tbq
