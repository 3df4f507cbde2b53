// The plug-in bridge: loads plug-in files, finds their entry points by name and
// calls them. A plug-in is made by anyone, so nothing it hands back is trusted
// here beyond what the call needs: the handle and the text function's address
// must be ones this library gave out, a file that lacks an entry point is never
// kept, and buffers are zeroed and terminated around the plug-in's writes.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/ansi_text.h"
#include "tbq_library.h"

namespace {

enum Entry { kInit, kFree, kGetInfo, kGetFuncInfo, kGetFuncSettingName, kGetText, kShowAbout,
             kShowSetting, kEntryCount };

struct EntryName {
    const char* plain;
    const char* decorated;  // the i686 stdcall spelling, with its argument bytes
};
constexpr EntryName kEntryNames[kEntryCount] = {
    {"Init", "Init@0"},
    {"Free", "Free@0"},
    {"GetInfo", "GetInfo@4"},
    {"GetFuncInfo", "GetFuncInfo@8"},
    {"GetFuncSettingName", "GetFuncSettingName@16"},
    {"GetText", "GetText@24"},
    {"ShowAbout", "ShowAbout@4"},
    {"ShowSetting", "ShowSetting@12"},
};

// One file loaded through PluginInit; `loads` counts the PluginInit calls that
// gave this handle (the system counts them too, and unloads at the last free).
struct Loaded {
    HMODULE module;
    FARPROC entries[kEntryCount];
    int loads;
};

std::vector<Loaded>& LoadedPlugins() {
    static std::vector<Loaded> loaded;
    return loaded;
}

Loaded* FindLoaded(HMODULE module) {
    if (!module) return nullptr;
    for (Loaded& l : LoadedPlugins())
        if (l.module == module) return &l;
    return nullptr;
}

FARPROC Lookup(HMODULE module, const EntryName& name) {
    if (FARPROC p = GetProcAddress(module, name.plain)) return p;
#if !defined(_WIN64)
    // 32-bit plug-ins built without a .def file export decorated names.
    if (FARPROC p = GetProcAddress(module, name.decorated)) return p;
    const std::string underscored = std::string("_") + name.decorated;
    if (FARPROC p = GetProcAddress(module, underscored.c_str())) return p;
#endif
    return nullptr;
}

template <typename Proc>
Proc As(FARPROC p) {
    // Through void(*)(): the one function type that converts to any other quietly.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(p));
}

template <typename Proc>
Proc EntryOf(HMODULE module, Entry e) {
    Loaded* l = FindLoaded(module);
    return l ? As<Proc>(l->entries[e]) : nullptr;
}

bool IsFullPath(const std::wstring& p) {
    const bool drive = p.size() >= 3 && p[1] == L':' && (p[2] == L'\\' || p[2] == L'/');
    const bool unc = p.size() >= 3 && (p[0] == L'\\' || p[0] == L'/') && (p[1] == L'\\' || p[1] == L'/');
    return drive || unc;
}

// Loads by full path. The file's own folder is searched for the libraries it
// needs, then the system folders; never the current directory. Older systems
// without the search flags fall back to the altered search path, which also
// starts at the file's folder.
HMODULE LoadByFullPath(const std::wstring& path) {
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE m = LoadLibraryExW(path.c_str(), nullptr,
                               LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!m && GetLastError() == ERROR_INVALID_PARAMETER)
        m = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(oldMode);
    return m;
}

}  // namespace

extern "C" {

HMODULE WINAPI PluginInit(const char* path) noexcept {
    try {
        if (!path) return nullptr;
        const std::wstring wide = tbq::library::AnsiToWide(path);
        if (!IsFullPath(wide)) return nullptr;
        HMODULE module = LoadByFullPath(wide);
        if (!module) return nullptr;
        if (Loaded* known = FindLoaded(module)) {
            // The same file again: the system counted the load; so do we.
            ++known->loads;
        } else {
            Loaded l{module, {}, 1};
            for (int e = 0; e < kEntryCount; ++e) {
                l.entries[e] = Lookup(module, kEntryNames[e]);
                if (!l.entries[e]) {
                    // A file missing an entry point would be called through a
                    // null address later: it is not a plug-in.
                    FreeLibrary(module);
                    return nullptr;
                }
            }
            LoadedPlugins().push_back(l);
        }
        As<TBQ_PluginInitProc>(FindLoaded(module)->entries[kInit])();
        return module;
    } catch (...) {
        return nullptr;
    }
}

int32_t WINAPI PluginFree(HMODULE plugin) noexcept {
    Loaded* l = FindLoaded(plugin);
    if (!l) return 0;
    As<TBQ_PluginFreeProc>(l->entries[kFree])();
    if (--l->loads == 0) {
        auto& all = LoadedPlugins();
        all.erase(std::remove_if(all.begin(), all.end(),
                                 [&](const Loaded& x) { return x.module == plugin; }),
                  all.end());
    }
    return FreeLibrary(plugin) ? 1 : 0;
}

int32_t WINAPI PluginGetInfo(HMODULE plugin, TBQ_PluginInfo* info) noexcept {
    auto fn = EntryOf<TBQ_PluginGetInfoProc>(plugin, kGetInfo);
    if (!fn || !info) return 0;
    std::memset(info, 0, sizeof *info);
    return fn(info);
}

int32_t WINAPI PluginGetFuncInfo(HMODULE plugin, int32_t funcNo,
                                 TBQ_PluginFuncInfo* info) noexcept {
    auto fn = EntryOf<TBQ_PluginGetFuncInfoProc>(plugin, kGetFuncInfo);
    if (!fn || !info) return 0;
    std::memset(info, 0, sizeof *info);
    return fn(funcNo, info);
}

int32_t WINAPI PluginGetFuncSettingName(HMODULE plugin, int32_t funcNo, int32_t settingNo,
                                        char* buffer, int32_t size) noexcept {
    auto fn = EntryOf<TBQ_PluginGetFuncSettingNameProc>(plugin, kGetFuncSettingName);
    if (!fn || !buffer || size <= 0) return 0;
    std::memset(buffer, 0, static_cast<size_t>(size));
    const int32_t result = fn(funcNo, settingNo, buffer, size);
    buffer[size - 1] = '\0';
    return result;
}

TBQ_PluginGetTextProc WINAPI PluginGetFuncProc(HMODULE plugin) noexcept {
    return EntryOf<TBQ_PluginGetTextProc>(plugin, kGetText);
}

int32_t WINAPI PluginGetText(TBQ_PluginGetTextProc proc, int32_t funcNo, int32_t settingNo,
                             HWND window, char* buffer, int32_t size, int32_t reserved) noexcept {
    // Only the text function of a plug-in that is loaded now: an address kept
    // past PluginFree must not be called.
    const auto known = std::any_of(LoadedPlugins().begin(), LoadedPlugins().end(), [&](const Loaded& l) {
        return As<TBQ_PluginGetTextProc>(l.entries[kGetText]) == proc;
    });
    if (!proc || !known) return 0;
    if (!buffer) size = 0;
    return proc(funcNo, settingNo, window, buffer, size, reserved);
}

int32_t WINAPI PluginShowAbout(HMODULE plugin, HWND owner) noexcept {
    auto fn = EntryOf<TBQ_PluginShowAboutProc>(plugin, kShowAbout);
    return fn ? fn(owner) : 0;
}

int32_t WINAPI PluginShowSetting(HMODULE plugin, int32_t funcNo, int32_t settingNo,
                                 HWND owner) noexcept {
    auto fn = EntryOf<TBQ_PluginShowSettingProc>(plugin, kShowSetting);
    return fn ? fn(funcNo, settingNo, owner) : 0;
}

}  // extern "C"
