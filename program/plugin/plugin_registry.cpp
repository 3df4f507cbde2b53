#include "plugin/plugin_registry.h"

#include <algorithm>

#include "platform/ports.h"
#include "settings/ini_file.h"

namespace tbq {

namespace {

PluginRegistry*& Current() {
    static PluginRegistry* registry = nullptr;
    return registry;
}

bool IsPluginFileName(const Text& name) {
    constexpr std::size_t n = std::char_traits<char16_t>::length(kPluginExtension);
    return name.size() >= n && EqualsIgnoreCase(TextView(name).substr(name.size() - n), kPluginExtension);
}

bool LessIgnoreCase(const Text& a, const Text& b) {
    const Text fa = FoldCase(a), fb = FoldCase(b);
    return fa != fb ? fa < fb : a < b;
}

}  // namespace

Balloon SwitchedOffBalloon(const vbKerova_Plugin& plugin) {
    return {u"プラグインを無効にしました",
            u"プラグイン「" + plugin.PluginFileName() +
                u"」が応答しないか異常終了したため、無効にしました。\r\n"
                u"設定画面のプラグイン一覧で再び有効にできます。",
            kBalloonWarning};
}

PluginRegistry* ThePluginRegistry() { return Current(); }
void SetThePluginRegistry(PluginRegistry* registry) { Current() = registry; }

void PluginRegistry::Scan(const Text& programFolder, const Text& settingFile, bool rescan) {
    const Text folder = programFolder + kPluginsFolderName;
    const vbIniFile ini(settingFile);
    std::vector<PluginPtr> old = std::move(plugins_);
    plugins_.clear();
    // Objects that leave the registry are unloaded even if someone still holds one.
    auto unload = [](std::vector<PluginPtr>& gone) {
        for (const PluginPtr& p : gone) p->SetEnable(false);
        gone.clear();
    };
    if (!rescan) unload(old);

    std::vector<Text> names = platform::files().ListFolder(folder).value_or(std::vector<Text>{});
    std::sort(names.begin(), names.end(), LessIgnoreCase);
    for (const Text& name : names) {
        if (!IsPluginFileName(name)) continue;
        bool enable = true;
        auto known = std::find_if(old.begin(), old.end(),
                                  [&](const PluginPtr& p) { return EqualsIgnoreCase(p->PluginFileName(), name); });
        if (known != old.end()) {
            enable = (*known)->Enable();
            // Unloaded before the file is loaded again by its new object.
            (*known)->SetEnable(false);
            old.erase(known);
        } else {
            enable = ini.GetBool(kPluginEnableSection, name, true);
        }
        auto plugin = std::make_shared<vbKerova_Plugin>(library_);
        plugin->PluginsFolder = folder;
        plugin->OnFailure = [this](const vbKerova_Plugin& p) {
            if (OnFailure) OnFailure(p);
        };
        if (plugin->init(folder, name, enable)) plugins_.push_back(std::move(plugin));
    }
    // Files that are gone are unloaded with their objects.
    unload(old);
    if (rescan && OnRebind) OnRebind();
}

PluginRegistry::PluginPtr PluginRegistry::Find(TextView fileName) const {
    for (const PluginPtr& p : plugins_)
        if (EqualsIgnoreCase(p->PluginFileName(), fileName)) return p;
    return nullptr;
}

bool PluginRegistry::SetEnabled(const PluginPtr& plugin, bool on) {
    if (!plugin || std::find(plugins_.begin(), plugins_.end(), plugin) == plugins_.end()) return false;
    plugin->SetEnable(on);
    return plugin->Enable();
}

void PluginRegistry::SaveEnableStates(const Text& settingFile) const {
    const vbIniFile ini(settingFile);
    for (const PluginPtr& p : plugins_) ini.SetBool(kPluginEnableSection, p->PluginFileName(), p->Enable());
}

void PluginRegistry::Clear() {
    std::vector<PluginPtr> gone = std::move(plugins_);
    plugins_.clear();
    for (const PluginPtr& p : gone) p->SetEnable(false);
}

}  // namespace tbq
