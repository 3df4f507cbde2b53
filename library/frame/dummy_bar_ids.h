/* Resource id of the pseudo title bar's empty dialog template. */
#ifndef TBQ_DUMMY_BAR_IDS_H
#define TBQ_DUMMY_BAR_IDS_H

#define IDD_DUMMY_BAR 102

#endif
