// The alarm editor, the date dialog and the detail dialog: dialogs 140-149, controls 2900-3099.
#pragma once

// The date dialog. The six lists and their labels are consecutive, in field
// order (year to second), and so are the weekday boxes (Sunday to Saturday).
#define IDD_DATE 140
#define IDC_DATE_YEAR 2900
#define IDC_DATE_MONTH 2901
#define IDC_DATE_DAY 2902
#define IDC_DATE_HOUR 2903
#define IDC_DATE_MINUTE 2904
#define IDC_DATE_SECOND 2905
#define IDC_DATE_YEAR_LABEL 2906
#define IDC_DATE_MONTH_LABEL 2907
#define IDC_DATE_DAY_LABEL 2908
#define IDC_DATE_HOUR_LABEL 2909
#define IDC_DATE_MINUTE_LABEL 2910
#define IDC_DATE_SECOND_LABEL 2911
#define IDC_DATE_SUNDAY 2912
#define IDC_DATE_MONDAY 2913
#define IDC_DATE_TUESDAY 2914
#define IDC_DATE_WEDNESDAY 2915
#define IDC_DATE_THURSDAY 2916
#define IDC_DATE_FRIDAY 2917
#define IDC_DATE_SATURDAY 2918
#define IDC_DATE_ALARMS_LABEL 2919
#define IDC_DATE_ALARMS 2920
#define IDC_DATE_GET 2921

