// One source for the test plug-ins: TBQ_TEST_PLUGIN picks how the file
// behaves, well or badly, so that the bridge and the registry meet every kind
// of plug-in a user may drop into the folder.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "tbq_plugin.h"

#define GOOD_ANSI 1
#define GOOD_UTF16 2
#define MISSING_EXPORT 3
#define LENGTH_NEGATIVE 4
#define LENGTH_HUGE 5
#define LENGTH_LARGER 6
#define UTF16_AS_ANSI 7
#define ANSI_AS_UTF16 8
#define UNTERMINATED 9
#define COUNT_NEGATIVE 10
#define COUNT_HUGE 11
#define DEPENDS 12
#define CRASH 13
#define HANG 14
#define CRASH_INIT 15
#define PROGRAM_URL 16

#ifndef TBQ_TEST_PLUGIN
#error "TBQ_TEST_PLUGIN names the behaviour"
#endif

#if TBQ_TEST_PLUGIN == DEPENDS
extern "C" __declspec(dllimport) int WINAPI TbqTestDependency(void);
#endif

namespace {

// How the plug-in was called, for tests that read it back (TestCalls).
int g_inits = 0, g_frees = 0;

void Fill(char* field, std::size_t size, const char* text) {
    std::snprintf(field, size, "%s", text);
}

// ANSI bytes of a UTF-16 text in the system code page.
[[maybe_unused]] int ToAnsi(const wchar_t* text, char* out, int size) {
    return WideCharToMultiByte(CP_ACP, 0, text, -1, out, size, nullptr, nullptr) - 1;
}

// Copies `n` units of `text` and a terminator when the buffer has room for them.
template <typename Unit>
[[maybe_unused]] int Deliver(const Unit* text, int n, char* buffer, int32_t size) {
    if (buffer && size > n) {
        std::memcpy(buffer, text, sizeof(Unit) * static_cast<std::size_t>(n));
        std::memset(buffer + sizeof(Unit) * static_cast<std::size_t>(n), 0, sizeof(Unit));
    }
    return n;
}

[[maybe_unused]] const wchar_t kJapanese[] = L"時刻テスト";

}  // namespace

#if TBQ_TEST_PLUGIN == CRASH_INIT
// Leaves a line in "<this file>.inits" for every load, so that a test can
// count them from outside, then crashes.
TBQ_PLUGIN_EXPORT int32_t WINAPI Init(void) {
    HMODULE self = nullptr;
    wchar_t path[MAX_PATH + 8] = {};
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&Init), &self) &&
        GetModuleFileNameW(self, path, MAX_PATH) > 0) {
        std::wcscat(path, L".inits");
        HANDLE f = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(f, "init\r\n", 6, &written, nullptr);
            CloseHandle(f);
        }
    }
    volatile int* nowhere = nullptr;
    return *nowhere;
}
#else
TBQ_PLUGIN_EXPORT int32_t WINAPI Init(void) { return ++g_inits; }
#endif
TBQ_PLUGIN_EXPORT int32_t WINAPI Free(void) { return ++g_frees; }

// Not part of the interface: how often Init and Free ran, as "inits*100+frees".
TBQ_PLUGIN_EXPORT int32_t WINAPI TestCalls(void) { return g_inits * 100 + g_frees; }

TBQ_PLUGIN_EXPORT int32_t WINAPI GetInfo(TBQ_PluginInfo* info) {
#if TBQ_TEST_PLUGIN == UNTERMINATED
    std::memset(info, 'Z', offsetof(TBQ_PluginInfo, FuncNum));
#else
    Fill(info->Name, sizeof info->Name, "Test plug-in");
    Fill(info->Version, sizeof info->Version, "1.0");
    Fill(info->Comment, sizeof info->Comment, "behaves as its build says");
    Fill(info->Copyright, sizeof info->Copyright, "TBQ tests");
#if TBQ_TEST_PLUGIN == PROGRAM_URL
    // Addresses that are programs: the settings window must never run them.
    Fill(info->Url, sizeof info->Url, "C:\\windows\\system32\\notepad.exe");
    Fill(info->Mail, sizeof info->Mail, "cmd.exe /c echo");
#else
    Fill(info->Url, sizeof info->Url, "https://example.org/");
#endif
#endif
#if TBQ_TEST_PLUGIN == COUNT_NEGATIVE
    info->FuncNum = -5;
#elif TBQ_TEST_PLUGIN == COUNT_HUGE
    info->FuncNum = 0x7FFFFFFF;
#else
    info->FuncNum = 2;
#endif
    info->Flags = TBQ_PLUGIN_HAS_SETTINGS | TBQ_PLUGIN_HAS_ABOUT;
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetFuncInfo(int32_t funcNo, TBQ_PluginFuncInfo* info) {
#if TBQ_TEST_PLUGIN == UNTERMINATED
    std::memset(info, 'Y', offsetof(TBQ_PluginFuncInfo, SettingNum));
#else
    char name[32];
    std::snprintf(name, sizeof name, "func %d", static_cast<int>(funcNo));
    Fill(info->Name, sizeof info->Name, name);
    Fill(info->Comment, sizeof info->Comment, funcNo == 1 ? "the text" : "the window");
#endif
    info->SettingNum = 3;
#if TBQ_TEST_PLUGIN == GOOD_UTF16 || TBQ_TEST_PLUGIN == ANSI_AS_UTF16
    info->Flags = TBQ_FUNC_UTF16;
#else
    info->Flags = 0;
#endif
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetFuncSettingName(int32_t funcNo, int32_t settingNo,
                                                    char* buffer, int32_t size) {
#if TBQ_TEST_PLUGIN == UNTERMINATED
    std::memset(buffer, 'X', static_cast<std::size_t>(size));
#else
    std::snprintf(buffer, static_cast<std::size_t>(size), "setting %d-%d", static_cast<int>(funcNo),
                  static_cast<int>(settingNo));
#endif
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetText(int32_t funcNo, int32_t settingNo, HWND window,
                                         char* buffer, int32_t size, int32_t) {
    (void)settingNo;
    if (funcNo == 2) {
        // The window handle as the plug-in got it, all of its bits.
        char text[64];
        const int n = std::snprintf(text, sizeof text, "window %llx",
                                    static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
        return Deliver(text, n, buffer, size);
    }
#if TBQ_TEST_PLUGIN == GOOD_ANSI || TBQ_TEST_PLUGIN == UNTERMINATED || \
    TBQ_TEST_PLUGIN == COUNT_NEGATIVE || TBQ_TEST_PLUGIN == COUNT_HUGE || TBQ_TEST_PLUGIN == PROGRAM_URL
    char text[64];
    wchar_t wide[64];
    std::swprintf(wide, 64, L"%ls %d", kJapanese, static_cast<int>(settingNo));
    return Deliver(text, ToAnsi(wide, text, sizeof text), buffer, size);
#elif TBQ_TEST_PLUGIN == GOOD_UTF16
    wchar_t wide[64];
    const int n = std::swprintf(wide, 64, L"%ls %d \U0001F600", kJapanese, static_cast<int>(settingNo));
    return Deliver(wide, n, buffer, size);
#elif TBQ_TEST_PLUGIN == LENGTH_NEGATIVE
    (void)Deliver("never", 5, buffer, size);
    return -1;
#elif TBQ_TEST_PLUGIN == LENGTH_HUGE
    (void)Deliver("x", 1, buffer, size);
    return 0x7FFFFFFF;
#elif TBQ_TEST_PLUGIN == LENGTH_LARGER
    // Says 100, then writes five characters.
    if (buffer) (void)Deliver("short", 5, buffer, size);
    return 100;
#elif TBQ_TEST_PLUGIN == UTF16_AS_ANSI
    return Deliver(L"wide", 4, buffer, size) * 2;
#elif TBQ_TEST_PLUGIN == ANSI_AS_UTF16
    // Six bytes "narrow" (and a one-byte terminator) where three UTF-16 units are asked.
    if (buffer && size >= 4) std::memcpy(buffer, "narrow", 7);
    return 3;
#elif TBQ_TEST_PLUGIN == DEPENDS
    char text[32];
    const int n = std::snprintf(text, sizeof text, "dependency %d", TbqTestDependency());
    return Deliver(text, n, buffer, size);
#elif TBQ_TEST_PLUGIN == CRASH
    (void)buffer;
    (void)size;
    volatile int* nowhere = nullptr;
    return *nowhere;
#elif TBQ_TEST_PLUGIN == HANG
    (void)buffer;
    (void)size;
    Sleep(60000);
    return 0;
#else
    return Deliver("plain", 5, buffer, size);
#endif
}

TBQ_PLUGIN_EXPORT int32_t WINAPI ShowAbout(HWND) { return 1; }

#if TBQ_TEST_PLUGIN != MISSING_EXPORT
TBQ_PLUGIN_EXPORT int32_t WINAPI ShowSetting(int32_t, int32_t, HWND) { return 1; }
#endif
