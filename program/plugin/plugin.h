// vbKerova_Plugin: one plug-in file of the "Plugins" folder, listed while it is
// disabled and loaded through the library's bridge while it is enabled. Every
// question about it is answered here, from the records read at loading.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "base/text.h"
#include "platform/library.h"
#include "plugin/plugin_record.h"

namespace tbq {

class vbKerova_Plugin {
public:
    // Told once when the plug-in failed while loading or inside a call (it
    // crashed, or took too long) and was switched off for it.
    using FailureHandler = std::function<void(const vbKerova_Plugin&)>;

    explicit vbKerova_Plugin(platform::Library& library) : library_(library) {}
    ~vbKerova_Plugin() { Free(); }
    vbKerova_Plugin(const vbKerova_Plugin&) = delete;
    vbKerova_Plugin& operator=(const vbKerova_Plugin&) = delete;

    // Loads the file `path` + `FileName` when `Enable`; true when it is listed
    // (a disabled file always is), false when the file is refused (no plug-in).
    // A plug-in that crashes or hangs while loading is listed switched off, as
    // Failed, and OnFailure is told.
    bool init(const Text& path, const Text& FileName, bool Enable);
    // Unloads the plug-in and forgets everything read from it.
    void Free();

    const Text& PluginFileName() const { return fileName_; }
    Text PluginInfoStr(int PluginInfoType) const;
    std::int32_t FuncNum() const { return loaded() ? info_.funcNum : 0; }
    std::int32_t Flag() const { return loaded() ? info_.flags : 0; }
    Text PluginFuncInfoStr(std::int32_t FuncNo, int FuncInfoType) const;
    bool PluginIsFlag(std::int32_t iFlag) const;
    bool PluginFuncIsFlag(std::int32_t FuncNo, std::int32_t iFlag) const;
    std::int32_t FuncSettingNum(std::int32_t FuncNo) const;
    Text PluginFuncSettingName(std::int32_t FuncNo, std::int32_t SettingNo);
    // The function's current text for the window `hWnd`; empty when not loaded.
    // A plug-in that fails inside the call is switched off and gives "".
    Text PluginGetText(platform::WindowId hWnd, std::int32_t FuncNo, std::int32_t SettingNo);
    // Asks for these texts (function and setting) of the window `hWnd` in one
    // exchange where the plug-in runs in a host process; the PluginGetText calls
    // that follow for the same window take their answers from it, once each.
    // ForgetTexts drops what was not taken.
    void AskTexts(platform::WindowId hWnd, const std::vector<std::pair<std::int32_t, std::int32_t>>& texts);
    void ForgetTexts() { asked_.clear(); }
    void ShowAbout(platform::WindowId hWnd);
    void ShowSetting(platform::WindowId hWnd, std::int32_t FuncNo, std::int32_t SettingNo);

    bool Enable() const { return enabled_; }
    // Switching on loads the file from the plug-ins folder (and stays off when
    // that fails); switching off unloads it.
    void SetEnable(bool vNewValue);
    // True after the plug-in failed loading or inside a call, until it is
    // enabled again.
    bool Failed() const { return failed_; }
    // Listed as failed without loading it: it took the whole program down the
    // last time it loaded.
    void MarkFailed() { failed_ = true; }

    // Where the plug-ins folder is (the program folder + "Plugins\").
    Text PluginsFolder;
    FailureHandler OnFailure;

private:
    bool loaded() const { return handle_ != 0; }
    bool ValidFunc(std::int32_t FuncNo) const { return loaded() && FuncNo >= 1 && FuncNo <= info_.funcNum; }
    void Fail();

    platform::Library& library_;
    Text fileName_;
    bool enabled_ = false;
    bool failed_ = false;
    platform::PluginHandle handle_ = 0;
    platform::PluginProc textProc_ = 0;
    PluginInformation info_;
    std::vector<PluginFunction> funcs_;
    struct Asked {
        std::int32_t funcNo, settingNo;
        platform::WindowId window;
        platform::PluginTextAnswer answer;
    };
    std::vector<Asked> asked_;
};

}  // namespace tbq
