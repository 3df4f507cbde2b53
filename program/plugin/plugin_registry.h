// The plug-in registry: every *.tbqp file of the "Plugins" folder, in name
// order, each a vbKerova_Plugin that is loaded while the user has it enabled.
// The enabled state of each file lives in "TBQ_Setting.ini", section
// "Plugin_Enable", under the file's name.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/text.h"
#include "core/balloon_queue.h"
#include "platform/library.h"
#include "plugin/plugin.h"

namespace tbq {

inline constexpr char16_t kPluginEnableSection[] = u"Plugin_Enable";
inline constexpr char16_t kPluginsFolderName[] = u"Plugins\\";
inline constexpr char16_t kPluginExtension[] = u".TBQP";
// While a plug-in loads into the program's own process (no host process
// beside the program), this file in the program folder names it, so that a
// plug-in that took the program down while loading is known at the next start.
inline constexpr char16_t kPluginLoadingMarker[] = u"TBQ_PluginLoading.txt";

class PluginRegistry {
public:
    using PluginPtr = std::shared_ptr<vbKerova_Plugin>;

    explicit PluginRegistry(platform::Library& library) : library_(library) {}
    ~PluginRegistry() { Clear(); }
    PluginRegistry(const PluginRegistry&) = delete;
    PluginRegistry& operator=(const PluginRegistry&) = delete;

    // Builds the registry from the folder `programFolder` + "Plugins\", reading
    // the enabled states from `settingFile`. A rescan keeps the state of every
    // file it knew (saved or not) and reads only new files' states; the old
    // objects are unloaded before their files are loaded again. The current
    // directory is neither used nor changed. A plug-in that took the program
    // down while it loaded the last time is listed switched off and Failed,
    // saved so at once, and told through OnNotice.
    void Scan(const Text& programFolder, const Text& settingFile, bool rescan);
    // The plug-in listed under `fileName` (any letter case), or null.
    PluginPtr Find(TextView fileName) const;
    // Switches a listed plug-in on (loading it) or off (unloading it) now, as
    // the module list's check box does; true when it is loaded afterwards. One
    // that crashes or hangs while loading stays off, Failed, and OnFailure is
    // told. An object no longer listed (a rescan replaced it) is left alone.
    bool SetEnabled(const PluginPtr& plugin, bool on);
    const std::vector<PluginPtr>& Plugins() const { return plugins_; }
    // Writes the enabled state of every listed file, disabled ones included.
    void SaveEnableStates(const Text& settingFile) const;
    // Unloads and forgets every plug-in (the end of the program).
    void Clear();

    // Told when a plug-in failed while loading (at a scan or when switched on)
    // or inside a call, and was switched off.
    vbKerova_Plugin::FailureHandler OnFailure;
    // Told after a rescan, so that the items holding plug-ins bind again.
    std::function<void()> OnRebind;
    // What the user is told once: plug-ins load into the program's own process
    // (the host process is missing), or one took the program down last time.
    std::function<void(const Balloon&)> OnNotice;

private:
    // The plug-in named by the marker an earlier run left, switched off in
    // `settingFile`; "" when the last run ended no load unfinished.
    Text TakeLoadingMarker(const Text& settingFile);
    // Loads (or refuses) through `load` with the marker naming `fileName`
    // when plug-ins load into our own process.
    template <typename Load>
    void Guarded(const Text& fileName, Load load);
    void Notice(const Balloon& balloon);

    platform::Library& library_;
    std::vector<PluginPtr> plugins_;
    Text marker_;
    bool toldUncontained_ = false;
};

// The balloon that tells the user a failed plug-in was switched off, and how
// to switch it on again.
Balloon SwitchedOffBalloon(const vbKerova_Plugin& plugin);

// The program's one registry, for the plug-in text items. Null until start-up
// sets it, and in tests that set none (every plug-in then counts as missing).
PluginRegistry* ThePluginRegistry();
void SetThePluginRegistry(PluginRegistry* registry);

}  // namespace tbq
