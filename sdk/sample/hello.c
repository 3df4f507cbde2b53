/* Hello.tbqp: the smallest useful plug-in. Its one function shows the
 * current tick count's seconds, so you can watch the title change. */
#include <stdio.h>
#include <string.h>

#include "tbq_plugin.h"

TBQ_PLUGIN_EXPORT int32_t WINAPI Init(void) { return 1; }

TBQ_PLUGIN_EXPORT int32_t WINAPI Free(void) { return 1; }

TBQ_PLUGIN_EXPORT int32_t WINAPI GetInfo(TBQ_PluginInfo* info) {
    snprintf(info->Name, sizeof info->Name, "Hello");
    snprintf(info->Version, sizeof info->Version, "1.0");
    snprintf(info->Comment, sizeof info->Comment, "sample plug-in");
    info->FuncNum = 1; /* functions 1 ... FuncNum */
    info->Flags = TBQ_PLUGIN_HAS_ABOUT;
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetFuncInfo(int32_t funcNo, TBQ_PluginFuncInfo* info) {
    (void)funcNo;
    snprintf(info->Name, sizeof info->Name, "uptime seconds");
    info->Flags = TBQ_FUNC_NO_SETTINGS;
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI GetFuncSettingName(int32_t funcNo, int32_t settingNo, char* buffer,
                                                    int32_t size) {
    (void)funcNo;
    (void)settingNo;
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
}

/* Asked twice: first without a buffer for the length, then to fill it. */
TBQ_PLUGIN_EXPORT int32_t WINAPI GetText(int32_t funcNo, int32_t settingNo, HWND window, char* buffer,
                                         int32_t size, int32_t reserved) {
    char text[32];
    (void)funcNo;
    (void)settingNo;
    (void)window;
    (void)reserved;
    snprintf(text, sizeof text, "Hello %lu", (unsigned long)(GetTickCount() / 1000 % 60));
    if (buffer && size > 0) {
        strncpy(buffer, text, (size_t)size - 1);
        buffer[size - 1] = '\0';
    }
    return (int32_t)strlen(text);
}

TBQ_PLUGIN_EXPORT int32_t WINAPI ShowAbout(HWND owner) {
    MessageBoxA(owner, "Hello plug-in", "Hello", MB_OK);
    return 1;
}

TBQ_PLUGIN_EXPORT int32_t WINAPI ShowSetting(int32_t funcNo, int32_t settingNo, HWND owner) {
    (void)funcNo;
    (void)settingNo;
    (void)owner;
    return 0;
}
