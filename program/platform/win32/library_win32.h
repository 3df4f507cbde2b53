// The library port over TBQ.dll, loaded by full path from the program folder
// at the first call and bound export by export by name.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/library.h"
#include "platform/win32/plugin_hosts_win32.h"
#include "win32/unique_handle.h"

namespace tbq::platform {

class Win32Library final : public Library {
public:
    // With `pluginHost` (the path of TBQPluginHost.exe, when that file exists)
    // every plug-in runs in a host process of its own; without it in this one.
    explicit Win32Library(Text dllPath, const Text& pluginHost = {});
    ~Win32Library() override;

    bool Available() override;
    WindowId Init(EventHandler handler) override;
    void Quit() override;
    LibraryInformation GetInformation() override;
    void ShowAbout(WindowId owner) override;
    void ShowMainProgramWindow() override;
    std::string GetExeFileName(WindowId w) override;
    bool CreateShortCut(const std::string& link, const std::string& target,
                        const std::string& workDir, const std::string& iconFile,
                        std::int32_t iconIndex, const std::string& description,
                        const std::string& arguments) override;
    void NotifyIconControl(std::int32_t mode, std::intptr_t value1, std::intptr_t value2) override;
    std::string ExFormatConvert(const std::array<std::uint16_t, 8>& systemTime,
                                const std::string& ansiFormat) override;
    bool ExFormatGetInfo(std::int32_t index, std::string& name, std::string& help) override;
    WindowId ShowAlarmWindow(WindowId owner, const std::string& title, const std::string& message,
                             std::uint32_t tag) override;
    bool CloseAlarmWindow(WindowId window) override;
    void SetDummyBarEx(bool show, WindowId target, const DummyBarPlacement& place) override;
    WindowId GetDummyBar() override;
    void CloseDummyBar() override;

    bool PluginsContained() const override { return hosts_ != nullptr; }
    PluginLoad PluginInit(const std::string& ansiPath) override;
    bool PluginFree(PluginHandle plugin) override;
    bool PluginGetInfo(PluginHandle plugin, PluginInfoBytes& record) override;
    bool PluginGetFuncInfo(PluginHandle plugin, std::int32_t funcNo,
                           PluginFuncBytes& record) override;
    void PluginGetFuncSettingName(PluginHandle plugin, std::int32_t funcNo, std::int32_t settingNo,
                                  char* buffer, std::int32_t size) override;
    PluginProc PluginGetFuncProc(PluginHandle plugin) override;
    std::optional<std::int32_t> PluginGetText(PluginHandle plugin, PluginProc proc,
                                              std::int32_t funcNo, std::int32_t settingNo,
                                              WindowId window, char* buffer,
                                              std::int32_t size, std::size_t capacity) override;
    std::optional<std::vector<PluginTextAnswer>> PluginGetTexts(PluginHandle plugin, WindowId window,
                                                                const std::vector<PluginTextAsk>& asks,
                                                                std::int32_t maxLength,
                                                                std::int32_t spare) override;
    void PluginShowAbout(PluginHandle plugin, WindowId owner) override;
    void PluginShowSetting(PluginHandle plugin, std::int32_t funcNo, std::int32_t settingNo,
                           WindowId owner) override;

private:
    // Tells the library the language in force before it shows or hands out a text.
    void TellLanguage();
    FARPROC Export(const char* name);
    template <typename Fn>
    Fn Get(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(Export(name)));
    }

    Text path_;
    win32::UniqueModule module_;
    bool tried_ = false;
    std::unique_ptr<PluginHosts> hosts_;
};

}  // namespace tbq::platform
