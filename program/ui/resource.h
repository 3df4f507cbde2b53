// Resource ids of TBQ.exe. Commands of the main window (its menus, the tray
// menu, the page keys) are 1000 to 1999 and are posted by scripts and tests,
// so they keep their numbers; controls of our dialogs are 2000 and above,
// so no control can ever be taken for a command.
#pragma once

// The dialog font of every window, named once for the templates and the code.
#define TBQ_DIALOG_FONT_POINTS 9
#define TBQ_DIALOG_FONT_FACE "MS UI Gothic"
#define TBQ_DIALOG_FONT_FACE_W L"MS UI Gothic"
#define IDI_PROGRAM 1
#define IDD_QUESTION 101
#define IDC_QUESTION_MESSAGE 2001
#define IDC_QUESTION_NOMORE 2002
#define IDC_QUESTION_ICON 2003
#define IDD_TIMESYNC 102
#define IDC_TS_SERVER 2101
#define IDC_TS_NTP 2102
#define IDC_TS_HTTP 2103
#define IDC_TS_DETAIL 2104
#define IDC_TS_DETAILGROUP 2105
#define IDC_TS_NTPPORT_LABEL 2106
#define IDC_TS_NTPPORT 2107
#define IDC_TS_HTTPPORT_LABEL 2108
#define IDC_TS_HTTPPORT 2109
#define IDC_TS_TIMEOUT_LABEL 2110
#define IDC_TS_TIMEOUT 2111
#define IDC_TS_PROXY 2112
#define IDC_TS_PROXYTEXT 2113
#define IDC_TS_SYNC 2114
#define IDC_TS_SYSTEM 2115
#define IDC_TS_SERVER_LABEL 2116
#define IDD_WELCOME 103
#define IDC_WC_INTRO 2201
#define IDC_WC_MODE0 2202
#define IDC_WC_MODE1 2203
#define IDC_WC_MODE2 2204
#define IDC_WC_FRAME 2205
#define IDC_WC_DESCRIPTION 2206
#define IDC_WC_SAMPLES 2207
#define IDC_WC_COMMENT 2208
#define IDC_WC_PATH 2209
#define IDC_WC_BROWSE 2210
#define IDC_WC_NOTE 2211
#define IDC_WC_FOUND 2212
#define IDC_WC_BACKUP 2213
#define IDC_WC_STARTUP 2214
#define IDC_WC_SAMPLE_LABEL 2215
#define IDC_WC_PATH_LABEL 2216
#define IDD_INPUT 104
#define IDC_INPUT_PROMPT 2301
#define IDC_INPUT_NOTE 2302
#define IDC_INPUT_TEXT 2303

// The settings window's pages: child dialogs inside its tab control. Each
// page is a dialog of its own, so the pages share their control ids.
#define IDD_PAGE_BASIC 110
#define IDD_PAGE_TITLEBAR 111
#define IDD_PAGE_LIST 112
#define IDD_PAGE_INFO 113
#define IDC_PAGE_CHECK0 2400
#define IDC_PAGE_CHECK1 2401
#define IDC_PAGE_CHECK2 2402
#define IDC_PAGE_CHECK3 2403
#define IDC_PAGE_LIST 2410
#define IDC_PAGE_ADD 2411
#define IDC_PAGE_EDIT 2412
#define IDC_PAGE_DELETE 2413
#define IDC_PAGE_UP 2414
#define IDC_PAGE_DOWN 2415
#define IDC_PAGE_LISTNAME 2416
#define IDC_PAGE_LISTMENU 2417
#define IDC_PAGE_LISTNAME_LABEL 2418
#define IDC_PAGE_LIST_LABEL 2419
#define IDC_BASIC_STARTUP_LABEL 2420
#define IDC_BASIC_STARTUP 2421
#define IDC_BASIC_TIMESYNC 2422
#define IDC_BASIC_LANGUAGE_LABEL 2423
#define IDC_BASIC_LANGUAGE 2424
#define IDC_TB_INTERVAL_LABEL 2430
#define IDC_TB_INTERVAL 2431
#define IDC_TB_INTERVAL_TEXT 2432
#define IDC_TB_PRESETS 2433
#define IDC_TB_DEFAULT_LABEL 2434
#define IDC_TB_DEFAULT 2435
#define IDC_TB_DEFAULT_MENU 2436
#define IDC_TB_FIXED_SUMMARY 2437
#define IDC_TB_FIXED_SET 2438
#define IDC_INFO_ICON 2440
#define IDC_INFO_NAME 2441
#define IDC_INFO_VERSION 2442
#define IDC_INFO_DESCRIPTION 2443
#define IDC_INFO_LIST_LABEL 2444
#define IDC_INFO_SETTING 2445
#define IDC_INFO_ABOUT 2446
#define IDC_INFO_WEB 2447
#define IDC_INFO_MAIL 2448
#define IDC_INFO_MENU 2449
#define IDC_INFO_LOG 2450
// The settings window's own controls.
#define IDC_MAIN_TABS 2500
#define IDC_MAIN_PREVIEW 2501
#define IDR_MAIN_KEYS 120

// The editors' dialogs and controls, each group in a header of its own:
// display items and the format builder (dialogs 130-139, controls 2600-2899),
// alarms with the date and detail dialogs (dialogs 140-149, controls 2900-3099),
// painting profiles with the transparency dialog (dialogs 150-159, controls
// 3100-3299), window rules with the window and style dialogs (dialogs 160-169,
// controls 3300-3499).
#include "resource_item.h"
#include "resource_alarm.h"
#include "resource_draw.h"
#include "resource_rule.h"
