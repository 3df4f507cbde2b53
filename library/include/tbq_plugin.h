/* TBQ plug-in interface: what a plug-in file (*.tbqp) offers, and what TBQ
 * asks of it.
 *
 * A plug-in is a Windows DLL named "<something>.tbqp" in the "Plugins" folder
 * beside TBQ.exe. It exports eight functions by their plain names (Init, Free,
 * GetInfo, GetFuncInfo, GetFuncSettingName, GetText, ShowAbout, ShowSetting)
 * with the WINAPI (stdcall) convention. TBQ calls them from one thread only,
 * never two at once. Build it for the same processor as TBQ.exe (x86_64 or
 * i686); MinGW and MSVC both work, see TBQ_PLUGIN_EXPORT below.
 *
 * Texts are zero-terminated bytes in the system ANSI code page, except that a
 * function whose flags hold TBQ_FUNC_UTF16 delivers UTF-16 text from GetText.
 *
 * Compile as C or C++; include <windows.h> first or let this header do it.
 */
#ifndef TBQ_PLUGIN_H
#define TBQ_PLUGIN_H

#include <stddef.h>
#include <stdint.h>
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sizes of the text fields, terminator included. */
enum {
    TBQ_PLUGIN_NAME_SIZE = 32,
    TBQ_PLUGIN_VERSION_SIZE = 16,
    TBQ_PLUGIN_COMMENT_SIZE = 256,
    TBQ_PLUGIN_COPYRIGHT_SIZE = 128,
    TBQ_PLUGIN_URL_SIZE = 256,
    TBQ_PLUGIN_MAIL_SIZE = 256,
    TBQ_FUNC_NAME_SIZE = 32,
    TBQ_FUNC_COMMENT_SIZE = 256,
    /* GetFuncSettingName always gets a buffer of this many bytes. */
    TBQ_SETTING_NAME_SIZE = 256,
    /* The longest text GetText may report; a longer one shows nothing. */
    TBQ_TEXT_MAX_LENGTH = 65535
};

/* TBQ_PluginInfo.Flags */
enum {
    TBQ_PLUGIN_HAS_SETTINGS = 1, /* ShowSetting(0, 0, owner) shows the plug-in's own settings */
    TBQ_PLUGIN_HAS_ABOUT = 2     /* ShowAbout shows an information box */
};

/* TBQ_PluginFuncInfo.Flags */
enum {
    TBQ_FUNC_UTF16 = 1,      /* GetText delivers UTF-16 text; lengths and sizes count UTF-16 units */
    TBQ_FUNC_NO_SETTINGS = 2 /* the function has no settings box */
};

/* Filled by GetInfo. TBQ hands it over zeroed; a field that fills its whole
 * size without a terminator is cut at its size. */
typedef struct TBQ_PluginInfo {
    char Name[TBQ_PLUGIN_NAME_SIZE];
    char Version[TBQ_PLUGIN_VERSION_SIZE];
    char Comment[TBQ_PLUGIN_COMMENT_SIZE];
    char Copyright[TBQ_PLUGIN_COPYRIGHT_SIZE];
    char Url[TBQ_PLUGIN_URL_SIZE];
    char Mail[TBQ_PLUGIN_MAIL_SIZE];
    int32_t FuncNum; /* text functions are numbered 1 ... FuncNum */
    int32_t Flags;   /* TBQ_PLUGIN_* */
    int32_t Reserved;
} TBQ_PluginInfo;

/* Filled by GetFuncInfo for one function. */
typedef struct TBQ_PluginFuncInfo {
    char Name[TBQ_FUNC_NAME_SIZE];
    char Comment[TBQ_FUNC_COMMENT_SIZE];
    int32_t SettingNum; /* settings are numbered 1 ... SettingNum */
    int32_t Flags;      /* TBQ_FUNC_* */
    int32_t Reserved;
} TBQ_PluginFuncInfo;

/* The eight entry points. Results other than GetText's are ignored.
 *
 * GetText is asked twice for each text: first with buffer NULL and size 0,
 * answering the length of the current text (bytes, or UTF-16 units for a
 * TBQ_FUNC_UTF16 function) without the terminator; then with a zeroed buffer
 * and size = that length + 1, into which it writes the text and a terminator,
 * never more than size units. `window` is the window whose title is being
 * composed (NULL when there is none); `reserved` is always 0. */
typedef int32_t(WINAPI* TBQ_PluginInitProc)(void);
typedef int32_t(WINAPI* TBQ_PluginFreeProc)(void);
typedef int32_t(WINAPI* TBQ_PluginGetInfoProc)(TBQ_PluginInfo* info);
typedef int32_t(WINAPI* TBQ_PluginGetFuncInfoProc)(int32_t funcNo, TBQ_PluginFuncInfo* info);
typedef int32_t(WINAPI* TBQ_PluginGetFuncSettingNameProc)(int32_t funcNo, int32_t settingNo,
                                                           char* buffer, int32_t size);
typedef int32_t(WINAPI* TBQ_PluginGetTextProc)(int32_t funcNo, int32_t settingNo, HWND window,
                                                char* buffer, int32_t size, int32_t reserved);
typedef int32_t(WINAPI* TBQ_PluginShowAboutProc)(HWND owner);
typedef int32_t(WINAPI* TBQ_PluginShowSettingProc)(int32_t funcNo, int32_t settingNo, HWND owner);

/* Declares an entry point of a plug-in:
 *
 *     TBQ_PLUGIN_EXPORT int32_t WINAPI GetText(int32_t funcNo, ...) { ... }
 *
 * On x86_64 the names come out plain. On i686 stdcall names are decorated
 * (GetText@24); TBQ also finds the decorated names, but a .def file listing
 * the eight plain names (or MinGW's -Wl,--kill-at) gives the cleanest file. */
#ifdef __cplusplus
#define TBQ_PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define TBQ_PLUGIN_EXPORT __declspec(dllexport)
#endif

#ifdef __cplusplus
}  // extern "C"
#endif

#if defined(__cplusplus) && __cplusplus >= 201103L
static_assert(sizeof(TBQ_PluginInfo) == 956, "the plug-in information record is 956 bytes");
static_assert(offsetof(TBQ_PluginInfo, FuncNum) == 944 && offsetof(TBQ_PluginInfo, Flags) == 948,
              "plug-in information record layout");
static_assert(sizeof(TBQ_PluginFuncInfo) == 300, "the function information record is 300 bytes");
static_assert(offsetof(TBQ_PluginFuncInfo, SettingNum) == 288 &&
                  offsetof(TBQ_PluginFuncInfo, Flags) == 292,
              "function information record layout");
#elif !defined(__cplusplus) && defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
_Static_assert(sizeof(TBQ_PluginInfo) == 956, "the plug-in information record is 956 bytes");
_Static_assert(sizeof(TBQ_PluginFuncInfo) == 300, "the function information record is 300 bytes");
#endif

#endif /* TBQ_PLUGIN_H */
