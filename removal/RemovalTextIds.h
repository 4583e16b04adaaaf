#pragma once
// Identifiers of the removal rules' texts (removal/RemovalStrings.rc), shared by every program that
// removes: the wizard, QelvanDeploy and Drovix. A format lists its conversions in the comment, in the
// order the text takes its arguments.

// The kinds of item a removal reports (500-519).
#define IDS_REMOVAL_KIND_PRINTER 500
#define IDS_REMOVAL_KIND_PRINTER_LIST 501
#define IDS_REMOVAL_KIND_DRIVER 502
#define IDS_REMOVAL_KIND_USB_PORT_RECORD 503
#define IDS_REMOVAL_KIND_MONITOR 504
#define IDS_REMOVAL_KIND_PROCESSOR 505
#define IDS_REMOVAL_KIND_PROGRAM_ENTRY 506
#define IDS_REMOVAL_KIND_PROGRAM_FILE 507
#define IDS_REMOVAL_KIND_PROGRAM_FOLDER 508
#define IDS_REMOVAL_KIND_COMPONENT_FILE 509

// The line of an item's outcome; the item is its kind and name (520-539).
#define IDS_REMOVAL_REMOVED 520       // %s
#define IDS_REMOVAL_KEPT_BECAUSE 521  // %s %s
#define IDS_REMOVAL_KEPT_IN_USE 522   // %s %s
#define IDS_REMOVAL_AT_RESTART 523    // %s
#define IDS_REMOVAL_LIST_FAILED 524   // %lu
#define IDS_REMOVAL_FAILED 525        // %s %lu

// Why a file or folder stays (540-559).
#define IDS_REMOVAL_SYSTEM_SHARED_FILE 540
#define IDS_REMOVAL_DRIVER_USES_FILE 541       // %s
#define IDS_REMOVAL_MONITOR_USES_FILE 542      // %s
#define IDS_REMOVAL_PROCESSOR_USES_FILE 543    // %s
#define IDS_REMOVAL_FOLDER_ON_WAY_IS_LINK 544  // %s
#define IDS_REMOVAL_IS_LINK 545
#define IDS_REMOVAL_OTHERS_IN_FOLDER 546       // %s
#define IDS_REMOVAL_OTHERS_IN_FOLDER_MORE 547  // %s
#define IDS_REMOVAL_NAME_SEPARATOR 548
#define IDS_REMOVAL_FILES_GO_AT_RESTART 549
#define IDS_REMOVAL_NOT_PLAIN_NAME 550
#define IDS_REMOVAL_NOT_A_FILE 551
#define IDS_REMOVAL_FILE_CHANGED 552
#define IDS_REMOVAL_NO_IDENTITY 553
#define IDS_REMOVAL_FOLDER_NOT_MADE 554
#define IDS_REMOVAL_FOUND_BEFORE_INSTALLATION 558
#define IDS_REMOVAL_FILE_LEFT_AS_IT_IS 559  // %s %s

// The entry in the list of installed programs (560-579).
#define IDS_PROGRAM_ENTRY_NAME 560
