#include "plugin/plugin_registry.h"

#include <algorithm>

#include "core/diag_log.h"
#include "platform/ports.h"
#include "settings/ini_file.h"
#include "base/texts.h"

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

Text Quoted(const Text& fileName) {
    Text text = u"プラグイン「";
    text += fileName;
    text += u"」";
    return text;
}

// What became of a load, for the diagnostic log.
void LogLoad(const vbKerova_Plugin& p, bool listed, bool contained) {
    Text event = Quoted(p.PluginFileName());
    if (!listed) {
        event += u"はプラグインとして読み込めないため、一覧に載せません";
    } else if (p.Enable()) {
        event += u"を読み込みました: ";
        event += p.PluginInfoStr(0);
        event += u" ";
        event += p.PluginInfoStr(1);
        event += contained ? u" (別プロセス)" : u" (Lunettaのプロセス内)";
    } else {
        return;  // switched off, or failed (told by the failure itself)
    }
    LogEvent(event);
}

}  // namespace

Balloon SwitchedOffBalloon(const vbKerova_Plugin& plugin) {
    return {Text(Tr(TextId::PluginSwitchedOffTitle)), Tr(TextId::PluginSwitchedOffText, plugin.PluginFileName()),
            kBalloonWarning};
}

PluginRegistry* ThePluginRegistry() { return Current(); }
void SetThePluginRegistry(PluginRegistry* registry) { Current() = registry; }

void PluginRegistry::Notice(const Balloon& balloon) {
    LogEvent(balloon.text);
    if (OnNotice) OnNotice(balloon);
}

Text PluginRegistry::TakeLoadingMarker(const Text& settingFile) {
    platform::Files& files = platform::files();
    const platform::ReadResult marker = files.ReadAll(marker_, 4096);
    if (marker.status != platform::ReadStatus::Ok) return {};
    files.Delete(marker_);
    const Text name = Utf8ToText(marker.bytes);
    if (name.empty()) return {};
    // Saved switched off at once: should the program go down again before
    // its settings are saved, this plug-in still stays off.
    if (files.Stamp(settingFile)) vbIniFile(settingFile).SetBool(kPluginEnableSection, name, false);
    Notice({Text(Tr(TextId::PluginSwitchedOffTitle)), Tr(TextId::PluginCrashedText, name), kBalloonWarning});
    return name;
}

template <typename Load>
void PluginRegistry::Guarded(const Text& fileName, Load load) {
    const bool mark = !library_.PluginsContained();
    // On disk before the load begins: the load may end the process.
    if (mark) platform::files().ReplaceAtomically(marker_, TextToUtf8(fileName));
    load();
    if (mark) platform::files().Delete(marker_);
}

void PluginRegistry::Scan(const Text& programFolder, const Text& settingFile, bool rescan) {
    const Text folder = programFolder + kPluginsFolderName;
    marker_ = programFolder + kPluginLoadingMarker;
    const Text tookDown = rescan ? Text() : TakeLoadingMarker(settingFile);
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
        const bool culprit = !tookDown.empty() && EqualsIgnoreCase(name, tookDown);
        if (culprit) enable = false;
        auto plugin = std::make_shared<vbKerova_Plugin>(library_);
        plugin->PluginsFolder = folder;
        plugin->OnFailure = [this](const vbKerova_Plugin& p) {
            LogEvent(Quoted(p.PluginFileName()) + u"が異常終了したか応答しないため、無効にしました");
            if (OnFailure) OnFailure(p);
        };
        bool listed = true;
        if (enable)
            Guarded(name, [&] { listed = plugin->init(folder, name, true); });
        else
            plugin->init(folder, name, false);
        if (culprit) plugin->MarkFailed();
        LogLoad(*plugin, listed, library_.PluginsContained());
        if (listed) plugins_.push_back(std::move(plugin));
    }
    const bool anyEnabled =
        std::any_of(plugins_.begin(), plugins_.end(), [](const PluginPtr& p) { return p->Enable(); });
    if (!library_.PluginsContained() && anyEnabled && !toldUncontained_) {
        toldUncontained_ = true;
        Notice({Text(Tr(TextId::PluginInProcessTitle)), Text(Tr(TextId::PluginInProcessText)), kBalloonWarning});
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
    if (on && !plugin->Enable()) {
        Guarded(plugin->PluginFileName(), [&] { plugin->SetEnable(true); });
        LogLoad(*plugin, true, library_.PluginsContained());
    } else {
        plugin->SetEnable(on);
    }
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
