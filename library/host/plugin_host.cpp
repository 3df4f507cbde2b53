// TBQPluginHost.exe: holds one plug-in for TBQ.exe in a process of its own, so
// that a plug-in that crashes or hangs cannot take TBQ along. Started with the
// name of a pipe TBQ made; loads TBQ.dll (beside it) and answers each request
// through its bridge exports. Ends when the pipe closes, after Free, or at
// once when the plug-in crashes (no error box, no debugger).
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "tbq_library.h"
#include "tbq_plugin_host.h"

namespace {

template <typename Proc>
Proc Bind(HMODULE m, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(m, name)));
}

constexpr UINT kCrashExitCode = 0xC0DE;

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) {
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool ReadAll(HANDLE pipe, void* data, DWORD size) {
    auto* p = static_cast<char*>(data);
    while (size > 0) {
        DWORD got = 0;
        if (!ReadFile(pipe, p, size, &got, nullptr) || got == 0) return false;
        p += got, size -= got;
    }
    return true;
}

bool WriteAll(HANDLE pipe, const void* data, DWORD size) {
    auto* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(pipe, p, size, &put, nullptr) || put == 0) return false;
        p += put, size -= put;
    }
    return true;
}

bool Reply(HANDLE pipe, int32_t result, const void* data = nullptr, uint32_t bytes = 0) {
    const TBQ_HostReply r{result, bytes};
    return WriteAll(pipe, &r, sizeof r) && (bytes == 0 || WriteAll(pipe, data, bytes));
}

HWND Window(uint64_t w) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(w)); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnCrash);
    std::wstring pipeName = commandLine ? commandLine : L"";
    while (!pipeName.empty() && (pipeName.front() == L' ' || pipeName.front() == L'"')) pipeName.erase(0, 1);
    while (!pipeName.empty() && (pipeName.back() == L' ' || pipeName.back() == L'"')) pipeName.pop_back();
    // TBQ.dll beside this program, by full path. Bound before the pipe is
    // connected: a host that ends once connected is taken for a plug-in that
    // crashed while loading, which this would not be.
    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    std::wstring dllPath = self;
    dllPath = dllPath.substr(0, dllPath.find_last_of(L'\\') + 1) + L"TBQ.dll";
    HMODULE dll = LoadLibraryW(dllPath.c_str());
    auto init = Bind<TBQ_PluginInitBridgeProc>(dll, "PluginInit");
    auto free = Bind<TBQ_PluginFreeBridgeProc>(dll, "PluginFree");
    auto getInfo = Bind<TBQ_PluginGetInfoBridgeProc>(dll, "PluginGetInfo");
    auto getFuncInfo = Bind<TBQ_PluginGetFuncInfoBridgeProc>(dll, "PluginGetFuncInfo");
    auto settingName = Bind<TBQ_PluginGetFuncSettingNameBridgeProc>(dll, "PluginGetFuncSettingName");
    auto funcProc = Bind<TBQ_PluginGetFuncProcBridgeProc>(dll, "PluginGetFuncProc");
    auto getText = Bind<TBQ_PluginGetTextBridgeProc>(dll, "PluginGetText");
    auto showAbout = Bind<TBQ_PluginShowAboutBridgeProc>(dll, "PluginShowAbout");
    auto showSetting = Bind<TBQ_PluginShowSettingBridgeProc>(dll, "PluginShowSetting");
    if (!init || !free || !getInfo || !getFuncInfo || !settingName || !funcProc || !getText || !showAbout ||
        !showSetting)
        return 2;
    HANDLE pipe = CreateFileW(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return 1;

    HMODULE plugin = nullptr;
    TBQ_PluginGetTextProc text = nullptr;
    std::vector<char> buffer;
    TBQ_HostRequest q;
    while (ReadAll(pipe, &q, sizeof q)) {
        bool ok = true;
        switch (q.op) {
            case TBQ_HOST_INIT:
                q.path[TBQ_HOST_PATH_SIZE - 1] = '\0';
                if (!plugin) plugin = init(q.path);
                text = plugin ? funcProc(plugin) : nullptr;
                ok = Reply(pipe, plugin ? 1 : 0);
                break;
            case TBQ_HOST_FREE: {
                const int32_t r = plugin ? free(plugin) : 0;
                plugin = nullptr;
                Reply(pipe, r);
                return 0;
            }
            case TBQ_HOST_GET_INFO: {
                TBQ_PluginInfo info{};
                const int32_t r = getInfo(plugin, &info);
                ok = Reply(pipe, r, &info, sizeof info);
                break;
            }
            case TBQ_HOST_GET_FUNC_INFO: {
                TBQ_PluginFuncInfo info{};
                const int32_t r = getFuncInfo(plugin, q.func, &info);
                ok = Reply(pipe, r, &info, sizeof info);
                break;
            }
            case TBQ_HOST_GET_SETTING_NAME: {
                const int32_t size = q.size > 0 && q.size <= 4096 ? q.size : 0;
                buffer.assign(static_cast<std::size_t>(size) + 1, '\0');
                const int32_t r = size ? settingName(plugin, q.func, q.setting, buffer.data(), size) : 0;
                ok = Reply(pipe, r, buffer.data(), static_cast<uint32_t>(size));
                break;
            }
            case TBQ_HOST_GET_TEXT: {
                const uint32_t capacity = q.capacity <= TBQ_HOST_MAX_DATA ? q.capacity : 0;
                buffer.assign(capacity, '\0');
                const int32_t r = getText(text, q.func, q.setting, Window(q.window),
                                          capacity ? buffer.data() : nullptr, capacity ? q.size : 0, 0);
                ok = Reply(pipe, r, buffer.data(), capacity);
                break;
            }
            case TBQ_HOST_GET_TEXTS: {
                // Answers as many asks as the reply can carry; the rest are asked again one by one.
                const int32_t count = q.func > 0 && q.func <= TBQ_HOST_MAX_ASKS ? q.func : 0;
                TBQ_HostTextAsk asks[TBQ_HOST_MAX_ASKS];
                std::memcpy(asks, q.path, sizeof asks);
                const std::size_t spare = q.capacity <= 16 ? q.capacity : 16;
                buffer.clear();
                int32_t answered = 0;
                for (; answered < count; ++answered) {
                    const TBQ_HostTextAsk& a = asks[answered];
                    const std::size_t unit = a.unit == 2 ? 2 : 1;
                    TBQ_HostTextAnswer answer{};
                    answer.length = getText(text, a.func, a.setting, Window(q.window), nullptr, 0, 0);
                    const bool fetch = answer.length >= 0 && answer.length <= q.size;
                    if (fetch) answer.bytes = static_cast<uint32_t>(
                                   (static_cast<std::size_t>(answer.length) + 1 + spare) * unit);
                    if (buffer.size() + sizeof answer + answer.bytes > TBQ_HOST_MAX_DATA) break;
                    const std::size_t at = buffer.size();
                    buffer.resize(at + sizeof answer + answer.bytes, '\0');
                    if (fetch)
                        answer.written = getText(text, a.func, a.setting, Window(q.window),
                                                 buffer.data() + at + sizeof answer, answer.length + 1, 0);
                    std::memcpy(buffer.data() + at, &answer, sizeof answer);
                }
                ok = Reply(pipe, answered, buffer.data(), static_cast<uint32_t>(buffer.size()));
                break;
            }
            case TBQ_HOST_SHOW_ABOUT: ok = Reply(pipe, showAbout(plugin, Window(q.window))); break;
            case TBQ_HOST_SHOW_SETTING:
                ok = Reply(pipe, showSetting(plugin, q.func, q.setting, Window(q.window)));
                break;
            default: ok = Reply(pipe, 0); break;
        }
        if (!ok) break;
    }
    // TBQ went away: the plug-in is told as if it were unloaded.
    if (plugin) free(plugin);
    return 0;
}
