// The window rule editor, the window information dialog and the style dialog: dialogs 160-169, controls 3300-3499.
#pragma once

#define IDD_RULE_EDITOR 160
#define IDD_WINDOW_SELECT 161
#define IDD_STYLE_SELECT 162

// The rule editor (frmWindowSet).
#define IDC_RE_NAME 3300
#define IDC_RE_ACTION 3301
#define IDC_RE_MDI 3302
#define IDC_RE_VIEWDATA_CHECK 3303
#define IDC_RE_VIEWDATA 3304
#define IDC_RE_DRAWBAR_CHECK 3305
#define IDC_RE_DRAWBAR 3306
#define IDC_RE_INFO 3307
#define IDC_RE_CONDITIONS 3308
#define IDC_RE_MDI_LABEL 3309

// The window information dialog (frmWindowSelect): the seven condition boxes
// in order, then the six typed inputs in the same order, then the width.
#define IDC_WS_CHECK0 3320
#define IDC_WS_CHECK1 3321
#define IDC_WS_CHECK2 3322
#define IDC_WS_CHECK3 3323
#define IDC_WS_CHECK4 3324
#define IDC_WS_CHECK5 3325
#define IDC_WS_CHECK6 3326
#define IDC_WS_TEXT0 3330
#define IDC_WS_TEXT1 3331
#define IDC_WS_TEXT2 3332
#define IDC_WS_TEXT3 3333
#define IDC_WS_TEXT4 3334
#define IDC_WS_TEXT5 3335
#define IDC_WS_WIDTH 3336
#define IDC_WS_WIDTH_LABEL 3337
#define IDC_WS_STYLE_SET 3338
#define IDC_WS_EXSTYLE_SET 3339
#define IDC_WS_TITLE_PART 3340
#define IDC_WS_TITLE_EQUAL 3341
#define IDC_WS_TITLE_CASE 3342
#define IDC_WS_STYLE_ALL 3343
#define IDC_WS_STYLE_NOTALL 3344
#define IDC_WS_STYLE_EQUAL 3345
#define IDC_WS_EX_ALL 3346
#define IDC_WS_EX_NOTALL 3347
#define IDC_WS_EX_EQUAL 3348
#define IDC_WS_FILE_NAME 3349
#define IDC_WS_FILE_PATH 3350
#define IDC_WS_FILE_FULL 3351
#define IDC_WS_WIDER 3352
#define IDC_WS_NARROWER 3353
#define IDC_WS_TARGET 3360
#define IDC_WS_TARGET_TEXT 3361
#define IDC_WS_HISTORY 3362
#define IDC_WS_ALL 3363
#define IDC_WS_LIST 3364
#define IDC_WS_NOTE 3365

// The style dialog (frmWindowStyleSelect).
#define IDC_SS_LIST 3400
#define IDC_SS_POINT 3401
#define IDC_SS_OTHER 3402
#define IDC_SS_TOTAL 3403
#define IDC_SS_LIST_LABEL 3404
#define IDC_SS_OTHER_LABEL 3405
#define IDC_SS_TOTAL_LABEL 3406
