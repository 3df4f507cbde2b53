// Plug-ins in host processes of their own (TBQPluginHost.exe, one per
// plug-in), reached over a pipe with a time limit on every answer: a plug-in
// that crashes or takes too long is reported as failed, and its host ended.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/library.h"
#include "tbq_plugin_host.h"
#include "win32/unique_handle.h"

namespace tbq::platform {

class PluginHosts {
public:
    // How long a text may take; loading and the records may take longer.
    static constexpr DWORD kTextBudgetMs = 200;
    static constexpr DWORD kLoadBudgetMs = 10000;
    static constexpr DWORD kQueryBudgetMs = 2000;

    explicit PluginHosts(std::wstring hostExe);
    ~PluginHosts();
    PluginHosts(const PluginHosts&) = delete;
    PluginHosts& operator=(const PluginHosts&) = delete;

    // Failed when the host started and took the request but then crashed or
    // missed the load budget: the plug-in's own doing.
    PluginLoad Init(const std::string& ansiPath);
    bool Free(PluginHandle plugin);
    // False when the host crashed or missed its budget answering.
    bool GetInfo(PluginHandle plugin, PluginInfoBytes& record);
    bool GetFuncInfo(PluginHandle plugin, std::int32_t funcNo, PluginFuncBytes& record);
    void GetFuncSettingName(PluginHandle plugin, std::int32_t funcNo, std::int32_t settingNo,
                            char* buffer, std::int32_t size);
    PluginProc GetFuncProc(PluginHandle plugin);
    std::optional<std::int32_t> GetText(PluginHandle plugin, std::int32_t funcNo,
                                        std::int32_t settingNo, WindowId window, char* buffer,
                                        std::int32_t size, std::size_t capacity);
    // Texts of one plug-in in one exchange (Library::PluginGetTexts).
    std::optional<std::vector<PluginTextAnswer>> GetTexts(PluginHandle plugin, WindowId window,
                                                          const std::vector<PluginTextAsk>& asks,
                                                          std::int32_t maxLength, std::int32_t spare);
    void ShowAbout(PluginHandle plugin, WindowId owner);
    void ShowSetting(PluginHandle plugin, std::int32_t funcNo, std::int32_t settingNo,
                     WindowId owner);

private:
    struct Host {
        win32::UniqueHandle process, pipe, event;
        bool broken = false;  // crashed, hung or gone: only ending it is left
        bool busy = false;    // inside a call that waits for the user (a dialog)
    };
    // Sends `q` and reads the reply and up to `capacity` bytes of its data into
    // `data`. False (and the host broken) when it fails or misses `budgetMs`;
    // INFINITE waits while dispatching this thread's messages.
    bool Call(Host& host, TBQ_HostRequest q, std::int32_t& result, void* data,
              std::size_t capacity, DWORD budgetMs);
    bool Transfer(Host& host, void* data, DWORD size, bool write, ULONGLONG deadline, bool pump);
    Host* Find(PluginHandle plugin);
    void End(Host& host);

    std::wstring hostExe_;
    win32::UniqueHandle job_;
    std::map<PluginHandle, Host> hosts_;
    std::vector<char> texts_;  // the replies of GetTexts, kept between ticks
    PluginHandle next_ = 0x10000;
    unsigned serial_ = 0;
};

}  // namespace tbq::platform
