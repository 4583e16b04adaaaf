#pragma once
// Identifiers of MediumCheck's own texts (checker/CheckerStrings.rc); the texts the wizard's readers
// show come from the shared table (resources/ResourceIds.h). A format lists its conversions in the
// comment, in the order the text takes its arguments.

// The report's own forms and the program's start (2000-2009). A finding's line takes the file, then
// its place in the file (" [section] key", either part left out, layout only) and the finding's text.
#define IDS_CHECKER_ERROR_LINE 2000    // %s %s %s
#define IDS_CHECKER_WARNING_LINE 2001  // %s %s %s
#define IDS_CHECKER_SUMMARY 2002       // %d %d
#define IDS_CHECKER_USAGE 2003
#define IDS_CHECKER_NO_DIRECTORY 2004  // %s

// The catalogue (2010-2039).
#define IDS_CHECKER_ENTRY_MISSING 2010       // %d
#define IDS_CHECKER_ENTRY_RANGE 2011         // %d %d
#define IDS_CHECKER_ENTRIES_MISSING 2012     // %d %d
#define IDS_CHECKER_NO_CATEGORY_SUFFIX 2013  // %s
#define IDS_CHECKER_EMPTY_MODEL_NAME 2014
#define IDS_CHECKER_REFUSED_PRINTER_NAME 2015  // %s
#define IDS_CHECKER_DUPLICATE_MODEL 2016       // %s %d
#define IDS_CHECKER_BAD_DEFAULT_ENTRY 2017     // %d %d
#define IDS_CHECKER_ENTRY_BEYOND_COUNT 2018    // %d
#define IDS_CHECKER_FILE_MISSING 2019
#define IDS_CHECKER_NO_DEVICE_COUNT 2020
#define IDS_CHECKER_COUNT_OVER_LIMIT 2021  // %d %d %d

// File names, the descriptors and the shared components (2040-2079).
#define IDS_CHECKER_NOT_BARE_NAME 2040        // %s
#define IDS_CHECKER_DEVICE_NAME 2041          // %s
#define IDS_CHECKER_SYSTEM_FILE_MISSING 2042  // %s %s
#define IDS_CHECKER_VALUE_EMPTY 2043
#define IDS_CHECKER_MONITOR_KEY_MISSING 2044
#define IDS_CHECKER_MONITOR_VERSION_ZERO 2045
#define IDS_CHECKER_MONITOR_SECTION_MISSING 2046
#define IDS_CHECKER_ICON_LIBRARY_MISSING 2047
#define IDS_CHECKER_UNIVERSAL_DRIVER_MISSING 2048
#define IDS_CHECKER_PROCESSOR_VERSION_ZERO 2049
#define IDS_CHECKER_KEY_MISSING 2050
#define IDS_CHECKER_REFUSED_DRIVER_NAME 2051  // %s
#define IDS_CHECKER_PROCESSOR_SPELLING 2052
#define IDS_CHECKER_DDK_NO_FILE 2053       // %s
#define IDS_CHECKER_DDK_BASE_MISSING 2054  // %s %s
#define IDS_CHECKER_DESCRIPTOR_SECTION_MISSING 2055

// The models (2080-2099).
#define IDS_CHECKER_PORT_SECTION_TOO_LONG 2080
#define IDS_CHECKER_VISTA_SECTION_TOO_LONG 2081
#define IDS_CHECKER_PRINTER_NAME_TOO_LONG 2082
#define IDS_CHECKER_USB_PORT_NAME_TOO_LONG 2083
#define IDS_CHECKER_BAUD_RATE_MISSING 2084
#define IDS_CHECKER_BAUD_RATE_NOT_OFFERED 2085  // %d
#define IDS_CHECKER_PORT_SECTION_MISSING 2086
#define IDS_CHECKER_UNCLAIMED_SECTION 2087  // %s
#define IDS_CHECKER_COLOUR_LIBRARY_MISSING 2088

// The files the wizard opens itself, and the programs beside it (2100-2119).
#define IDS_CHECKER_CATEGORY_FILE_MISSING 2100
#define IDS_CHECKER_WIZARD_FILE_MISSING 2101
#define IDS_CHECKER_USB_DRIVER_MISSING 2102
#define IDS_CHECKER_REMOVAL_WINDOW_MISSING 2103
#define IDS_CHECKER_DEPLOY_PROGRAM_MISSING 2104
