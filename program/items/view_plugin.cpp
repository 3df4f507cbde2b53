#include "items/view_plugin.h"

#include <algorithm>

#include "items/view_list.h"
#include "plugin/plugin_registry.h"
#include "settings/ini_file.h"
#include "base/texts.h"

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

std::shared_ptr<vbKerova_Plugin> vbKerova_View_Plugin::LoadedPlugin() {
    std::shared_ptr<vbKerova_Plugin> p = plugin_.lock();
    if (!p) {
        // Dropped by a rescan (or never found): look the name up again.
        ReloadPlugin();
        p = plugin_.lock();
    }
    return p && p->Enable() ? p : nullptr;
}

// The registry holds the object; the pointer is used within one call only.
vbKerova_Plugin* vbKerova_View_Plugin::Loaded() { return LoadedPlugin().get(); }

PluginTextBatch::PluginTextBatch(const ViewList& list) {
    std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>> texts;
    for (const auto& item : list) {
        if (!item || !item->Enable || item->DataType() != kKindPlugin) continue;
        auto* sub = static_cast<vbKerova_View_Plugin*>(item->ObjectData().get());
        std::shared_ptr<vbKerova_Plugin> plugin = sub->LoadedPlugin();
        if (!plugin) continue;
        auto at = std::find(asked_.begin(), asked_.end(), plugin);
        if (at == asked_.end()) {
            asked_.push_back(plugin);
            texts.emplace_back();
            at = asked_.end() - 1;
        }
        texts[static_cast<std::size_t>(at - asked_.begin())].emplace_back(sub->FuncNo(), sub->SettingNo());
    }
    const platform::WindowId target = TargetSource() ? TargetSource()() : 0;
    for (std::size_t i = 0; i < asked_.size(); ++i) asked_[i]->AskTexts(target, texts[i]);
}

PluginTextBatch::~PluginTextBatch() {
    for (const auto& plugin : asked_) plugin->ForgetTexts();
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
    return p ? p->PluginInfoStr(0) : tbq::Text(tbq::Tr(tbq::TextId::PluginCannotLoad));
}
tbq::Text vbKerova_View_Plugin::PluginComment() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginInfoStr(2) : tbq::Text(tbq::Tr(tbq::TextId::PluginCouldNotLoad));
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
    return name.empty() ? tbq::Text(tbq::Tr(tbq::TextId::PluginNoFunctionName)) : name;
}
tbq::Text vbKerova_View_Plugin::FuncComment() {
    vbKerova_Plugin* p = Loaded();
    return p ? p->PluginFuncInfoStr(funcNo_, 1) : u"(N/A)";
}
tbq::Text vbKerova_View_Plugin::FuncSettingName() {
    vbKerova_Plugin* p = Loaded();
    if (!p) return u"(N/A)";
    tbq::Text name = p->PluginFuncSettingName(funcNo_, settingNo_);
    return name.empty() ? tbq::Text(tbq::Tr(tbq::TextId::PluginNoSettingName)) : name;
}

void ReloadPluginItems(ViewListRegistry& registry) {
    for (const auto& entry : registry.Entries()) {
        if (!entry.list) continue;
        for (const auto& item : *entry.list)
            if (auto* p = dynamic_cast<vbKerova_View_Plugin*>(item->ObjectData().get())) p->ReloadPlugin();
    }
}

}  // namespace tbq
