// The own-drawing editor and the transparency dialog: dialogs 150-159, controls 3100-3299.
#pragma once

#define IDD_DRAW_EDITOR 150
#define IDD_TRANSPARENCY 151

// The editor. Its fields in the order of its controls.
#define IDC_DE_NAME 3100
#define IDC_DE_DRAWKIND 3101
#define IDC_DE_TITLEMODE 3102
#define IDC_DE_NOFLICKER 3103
#define IDC_DE_CAPTIONCHECK 3104
#define IDC_DE_WINDOWKIND 3105
#define IDC_DE_RECTMODE 3106
#define IDC_DE_LEFT 3107
#define IDC_DE_RIGHT 3108
#define IDC_DE_TOP 3109
#define IDC_DE_BOTTOM 3110
#define IDC_DE_BORDERLINE 3111
#define IDC_DE_FONTNAME 3112
#define IDC_DE_FONTHEIGHT 3113
#define IDC_DE_FONTWIDTH 3114
#define IDC_DE_FONTBOLD 3115
#define IDC_DE_DECORATED 3116
#define IDC_DE_ITALIC 3117
#define IDC_DE_UNDERLINE 3118
#define IDC_DE_STRIKEOUT 3119
#define IDC_DE_SHADOW 3120
#define IDC_DE_OUTLINE 3121
// Colours, transparency, labels and the preview.
#define IDC_DE_BACKCOLOR 3130
#define IDC_DE_LINECOLOR 3131
#define IDC_DE_SHADOWCOLOR 3132
#define IDC_DE_TRANS_LABEL 3133
#define IDC_DE_TRANS_VALUE 3134
#define IDC_DE_TRANS_SET 3135
#define IDC_DE_RECT_HEADING 3136
#define IDC_DE_RECT_HINT 3137
#define IDC_DE_PREVIEW 3138

// The transparency dialog: a list, a scroll bar and a percentage per row.
#define IDC_TR_LIST0 3200
#define IDC_TR_LIST1 3201
#define IDC_TR_SCROLL0 3202
#define IDC_TR_SCROLL1 3203
#define IDC_TR_PERCENT0 3204
#define IDC_TR_PERCENT1 3205
#define IDC_TR_LIMITS 3206
