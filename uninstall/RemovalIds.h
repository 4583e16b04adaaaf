#pragma once
// The removal window's template and controls.

#define IDD_REMOVAL 400
#define IDC_REMOVAL_BANNER 4001
#define IDC_REMOVAL_INTRO 4002
#define IDC_REMOVAL_ORPHANS 4003
#define IDC_REMOVAL_STATUS 4004
#define IDC_REMOVAL_PROGRESS 4005
#define IDC_REMOVAL_RESULTS 4006
// The printers' tick boxes: IDC_REMOVAL_FIRST_PRINTER + row, up to kRemovalRows rows.
#define IDC_REMOVAL_FIRST_PRINTER 4100

// Drovix's own texts (uninstall/DrovixStrings.rc, 3000-3199); the removal rules' lines come from the
// shared table (removal/RemovalTextIds.h). A format lists its conversions in the comment, in order.
#define IDS_DROVIX_CLOSE_WIZARD 3000
#define IDS_DROVIX_NO_CATALOGUE 3001
#define IDS_DROVIX_CONFIRM 3002
#define IDS_DROVIX_NOTHING_CHOSEN 3003
#define IDS_DROVIX_PRINTER_ROW 3004  // %s %s %s
#define IDS_DROVIX_NO_PRINTERS 3005
#define IDS_DROVIX_UNLISTED 3006          // %d
#define IDS_DROVIX_REMOVING_PRINTER 3007  // %s
#define IDS_DROVIX_REMOVING_ORPHANS 3008
#define IDS_DROVIX_DONE 3009
#define IDS_DROVIX_DONE_WITH_FAILURES 3010  // %d
#define IDS_DROVIX_FOLDER_NOT_RECORDED 3011  // %s
#define IDS_DROVIX_LOG_STARTED 3012  // %s %s
#define IDS_DROVIX_LOG_ENDED 3013
