/* Resource ids of the alarm message window, shared by its resource script and
 * its code. The control ids are the ones callers find the controls by. */
#ifndef TBQ_ALARM_IDS_H
#define TBQ_ALARM_IDS_H

#define IDD_ALARM 101
#define IDC_ALARM_AGAIN 1010   /* "show again" check box */
#define IDC_ALARM_MESSAGE 1012 /* read-only message box */
#define IDC_ALARM_TAG 1013     /* hidden: the tag in lower-case hexadecimal */

#endif
