/* TBQ.dll: what the program (or any other caller) sees of the library.
 *
 * Every export is a plain function exported by its undecorated name with the
 * standard Win32 calling convention; texts are zero-terminated ANSI strings in
 * the system code page and buffers belong to the caller. Callers load the
 * library by name and bind with GetProcAddress, hence the *Proc typedefs.
 * Values that carry a handle or a text pointer are pointer-sized (INT_PTR),
 * so they stay 32-bit for a 32-bit caller.
 */
#ifndef TBQ_LIBRARY_H
#define TBQ_LIBRARY_H

#include <stddef.h>
#include <stdint.h>
#include <windows.h>

#include "tbq_plugin.h"

#ifdef __cplusplus
extern "C" {
/* No export ever lets an exception out. */
#define TBQ_NOEXCEPT noexcept
#else
#define TBQ_NOEXCEPT
#endif

/* The library's information record: zero-padded ANSI text fields. */
#pragma pack(push, 1)
typedef struct TBQ_Information {
    char Version[16];
    char Comment[256];
    char Copyright[128];
    int32_t Reserved;
} TBQ_Information;
#pragma pack(pop)

/* Event kinds handed to the program's callback, with the meaning of their two values. */
enum {
    TBQ_EVENT_HOTKEY = 1,           /* WM_HOTKEY on the message window: wParam, lParam */
    TBQ_EVENT_WINDOW_DESTROYED = 3, /* the message window went away: wParam, lParam */
    TBQ_EVENT_SHOW_MAIN_WINDOW = 4, /* "TBQ_MainWindow_Show" arrived: wParam, lParam */
    TBQ_EVENT_TRAY_MOUSE = 5,       /* tray icon mouse: TBQ_TRAY_ACTION_*, TBQ_TRAY_BUTTON_* */
    TBQ_EVENT_ALARM_CHECK = 6       /* alarm window check box: alarm tag, 1 checked / 0 clear */
};

enum { TBQ_TRAY_ACTION_DOWN = 1, TBQ_TRAY_ACTION_UP = 2, TBQ_TRAY_ACTION_DOUBLE_CLICK = 3 };

enum { TBQ_TRAY_BUTTON_LEFT = 1, TBQ_TRAY_BUTTON_RIGHT = 2, TBQ_TRAY_BUTTON_MIDDLE = 4 };

/* NotifyIconControl modes; any other mode does nothing. */
enum {
    TBQ_TRAY_ADD = 1,             /* add the icon with the current settings */
    TBQ_TRAY_REMOVE = 2,          /* remove it */
    TBQ_TRAY_BALLOON_TIMEOUT = 3, /* value1: number */
    TBQ_TRAY_BALLOON_TITLE = 4,   /* value1: text, kept to 63 bytes */
    TBQ_TRAY_BALLOON_ON = 5,      /* value1: nonzero on, 0 off */
    TBQ_TRAY_SPARE_FLAG = 6,      /* value1: number, kept but unused */
    TBQ_TRAY_BALLOON_TEXT = 7,    /* value1: text, kept to 255 bytes */
    TBQ_TRAY_BALLOON_ICON = 8,    /* value1: NIIF_* info flags */
    TBQ_TRAY_TIP = 9,             /* value1: text, kept to 127 bytes */
    TBQ_TRAY_SPARE_VALUE = 10,    /* value1: number, kept but unused */
    TBQ_TRAY_LOAD_ICON = 11       /* value1: module, value2: resource name or number */
};

/* The three values are 32-bit; the result is ignored. */
typedef void(WINAPI* TBQ_EventCallback)(int32_t kind, int32_t value1, int32_t value2);

/* Registers the callback and makes the hidden message window; returns that window,
 * or 0 when the library was initialised before (once per process). */
HWND WINAPI Init(TBQ_EventCallback callback) TBQ_NOEXCEPT;
/* Silences the callback and closes the window; nonzero when user32 was released. */
int32_t WINAPI Quit(void) TBQ_NOEXCEPT;
/* Fills the record and returns it; null in, null out. */
TBQ_Information* WINAPI GetInformation(TBQ_Information* info) TBQ_NOEXCEPT;
/* The about box owned by `owner`; the message box result. */
int32_t WINAPI ShowAbout(HWND owner) TBQ_NOEXCEPT;
/* The language of the library's own windows and texts: 0 Japanese, 1 English. */
void WINAPI SetLanguage(int32_t language) TBQ_NOEXCEPT;
/* Asks every running instance to show its main window; nonzero when the broadcast went out. */
int32_t WINAPI ShowMainProgramWindow(void) TBQ_NOEXCEPT;
/* The executable of the process owning `window`, cut to fit and zero-terminated;
 * the length written, or 0. */
int32_t WINAPI GetExeFileName(HWND window, char* buffer, int32_t size) TBQ_NOEXCEPT;
/* Saves a shell link; 1 when saved, 0 otherwise. */
int32_t WINAPI CreateShortCut(const char* linkPath, const char* targetPath, const char* workDir,
                              const char* iconFile, int32_t iconIndex, const char* description,
                              const char* arguments) TBQ_NOEXCEPT;
/* Tray icon settings and actions by mode (TBQ_TRAY_*); always 0. */
int32_t WINAPI NotifyIconControl(int32_t mode, INT_PTR value1, INT_PTR value2) TBQ_NOEXCEPT;

/* The extended date format: converts `format` for `time` (null: the local time
 * now) into `out`, which has room for size + 1 bytes; returns the length. */
int32_t WINAPI ExFormatConvert(const SYSTEMTIME* time, const char* format, char* out,
                               int32_t size) TBQ_NOEXCEPT;
/* Row `index` (0-18) of the extended tokens' help; the token's length, 0 at the end. */
int32_t WINAPI ExFormatGetInfo(int32_t index, char* name, int32_t nameSize, char* help,
                               int32_t helpSize) TBQ_NOEXCEPT;

/* A new modeless alarm message window owned by `owner`: caption `title`, message
 * `message` ("\r\n" breaks lines; null texts read as empty), and `tag`, which
 * comes back with TBQ_EVENT_ALARM_CHECK whenever its check box is clicked (as
 * the same 32 bits). The window, or 0 when it could not be made. */
HWND WINAPI ShowAlarmWindow(HWND owner, const char* title, const char* message,
                            int32_t tag) TBQ_NOEXCEPT;
/* Destroys a window ShowAlarmWindow made; the DestroyWindow result. Any other
 * handle, or one whose window has gone, gives 0 and nothing is done. */
int32_t WINAPI CloseAlarmWindow(HWND window) TBQ_NOEXCEPT;

/* Where the pseudo title bar lies over its target's caption, in pixels from the
 * target window's top left corner, and its two transparency values: the top
 * byte an alpha (nonzero: the whole bar with that constant alpha, 255 opaque;
 * 0: pixels of exactly the RGB colour in the low three bytes are cut out). */
typedef struct TBQ_DummyBarRect {
    int32_t Reserved;
    int32_t Left, Top, Right, Bottom;
    uint32_t NormalValue;    /* the mouse pointer outside the bar */
    uint32_t MouseOverValue; /* the mouse pointer over it */
} TBQ_DummyBarRect;

/* Places the library's one pseudo title bar (a layered popup owned by `target`
 * that lets the mouse through) over the record's rectangle and shows it, or
 * hides it when `show` is 0. A call for another target makes a new bar. 0. */
int32_t WINAPI SetDummyBarEx(int32_t show, HWND target, const TBQ_DummyBarRect* record) TBQ_NOEXCEPT;
/* The same with one transparency value for both mouse states. 0. */
int32_t WINAPI SetDummyBar(int32_t show, HWND target, const RECT* rect, uint32_t value) TBQ_NOEXCEPT;
/* The bar's window; 0 when there is none, or when it went with its target. */
HWND WINAPI GetDummyBar(void) TBQ_NOEXCEPT;
/* Destroys the bar, if there is one. 0. */
int32_t WINAPI CloseDummyBar(void) TBQ_NOEXCEPT;
/* The plug-in bridge. A plug-in is loaded from its full path (its own folder is
 * searched for the libraries it needs; the current directory never is) and
 * refused, unloaded again, unless it exports all eight entry points. Handles
 * and the text function's address are pointer-sized; calls with a handle or
 * address this library did not hand out do nothing and give 0. */
HMODULE WINAPI PluginInit(const char* path) TBQ_NOEXCEPT;
/* Calls the plug-in's Free and unloads it; nonzero when it was unloaded. */
int32_t WINAPI PluginFree(HMODULE plugin) TBQ_NOEXCEPT;
/* The record is zeroed, then filled by the plug-in's GetInfo. */
int32_t WINAPI PluginGetInfo(HMODULE plugin, TBQ_PluginInfo* info) TBQ_NOEXCEPT;
int32_t WINAPI PluginGetFuncInfo(HMODULE plugin, int32_t funcNo,
                                 TBQ_PluginFuncInfo* info) TBQ_NOEXCEPT;
/* The buffer is zeroed first and always ends in a terminator. */
int32_t WINAPI PluginGetFuncSettingName(HMODULE plugin, int32_t funcNo, int32_t settingNo,
                                        char* buffer, int32_t size) TBQ_NOEXCEPT;
TBQ_PluginGetTextProc WINAPI PluginGetFuncProc(HMODULE plugin) TBQ_NOEXCEPT;
/* Calls a text function PluginGetFuncProc gave; its result, the text length. */
int32_t WINAPI PluginGetText(TBQ_PluginGetTextProc proc, int32_t funcNo, int32_t settingNo,
                             HWND window, char* buffer, int32_t size,
                             int32_t reserved) TBQ_NOEXCEPT;
int32_t WINAPI PluginShowAbout(HMODULE plugin, HWND owner) TBQ_NOEXCEPT;
int32_t WINAPI PluginShowSetting(HMODULE plugin, int32_t funcNo, int32_t settingNo,
                                 HWND owner) TBQ_NOEXCEPT;

typedef HWND(WINAPI* TBQ_InitProc)(TBQ_EventCallback);
typedef int32_t(WINAPI* TBQ_QuitProc)(void);
typedef TBQ_Information*(WINAPI* TBQ_GetInformationProc)(TBQ_Information*);
typedef int32_t(WINAPI* TBQ_ShowAboutProc)(HWND);
typedef void(WINAPI* TBQ_SetLanguageProc)(int32_t);
typedef int32_t(WINAPI* TBQ_ShowMainProgramWindowProc)(void);
typedef int32_t(WINAPI* TBQ_GetExeFileNameProc)(HWND, char*, int32_t);
typedef int32_t(WINAPI* TBQ_CreateShortCutProc)(const char*, const char*, const char*, const char*,
                                                int32_t, const char*, const char*);
typedef int32_t(WINAPI* TBQ_NotifyIconControlProc)(int32_t, INT_PTR, INT_PTR);
typedef int32_t(WINAPI* TBQ_ExFormatConvertProc)(const SYSTEMTIME*, const char*, char*, int32_t);
typedef int32_t(WINAPI* TBQ_ExFormatGetInfoProc)(int32_t, char*, int32_t, char*, int32_t);
typedef HWND(WINAPI* TBQ_ShowAlarmWindowProc)(HWND, const char*, const char*, int32_t);
typedef int32_t(WINAPI* TBQ_CloseAlarmWindowProc)(HWND);
typedef int32_t(WINAPI* TBQ_SetDummyBarExProc)(int32_t, HWND, const TBQ_DummyBarRect*);
typedef int32_t(WINAPI* TBQ_SetDummyBarProc)(int32_t, HWND, const RECT*, uint32_t);
typedef HWND(WINAPI* TBQ_GetDummyBarProc)(void);
typedef int32_t(WINAPI* TBQ_CloseDummyBarProc)(void);

typedef HMODULE(WINAPI* TBQ_PluginInitBridgeProc)(const char*);
typedef int32_t(WINAPI* TBQ_PluginFreeBridgeProc)(HMODULE);
typedef int32_t(WINAPI* TBQ_PluginGetInfoBridgeProc)(HMODULE, TBQ_PluginInfo*);
typedef int32_t(WINAPI* TBQ_PluginGetFuncInfoBridgeProc)(HMODULE, int32_t, TBQ_PluginFuncInfo*);
typedef int32_t(WINAPI* TBQ_PluginGetFuncSettingNameBridgeProc)(HMODULE, int32_t, int32_t, char*,
                                                                int32_t);
typedef TBQ_PluginGetTextProc(WINAPI* TBQ_PluginGetFuncProcBridgeProc)(HMODULE);
typedef int32_t(WINAPI* TBQ_PluginGetTextBridgeProc)(TBQ_PluginGetTextProc, int32_t, int32_t, HWND,
                                                     char*, int32_t, int32_t);
typedef int32_t(WINAPI* TBQ_PluginShowAboutBridgeProc)(HMODULE, HWND);
typedef int32_t(WINAPI* TBQ_PluginShowSettingBridgeProc)(HMODULE, int32_t, int32_t, HWND);

#ifdef __cplusplus
}  // extern "C"

static_assert(sizeof(TBQ_DummyBarRect) == 28, "the bar record is seven 32-bit fields");
static_assert(sizeof(TBQ_Information) == 404, "the information record is 404 bytes");
static_assert(offsetof(TBQ_Information, Comment) == 16 &&
                  offsetof(TBQ_Information, Copyright) == 272 &&
                  offsetof(TBQ_Information, Reserved) == 400,
              "information record layout");
#endif

#endif /* TBQ_LIBRARY_H */
