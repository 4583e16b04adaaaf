#pragma once
// Control ids of the printer, mode, system and port pages (templates 131, 137, 130 and 132).

// Printer page: one radio button and one model list per printer category, and the default option.
#define IDC_RECEIPT_RADIO 1019
#define IDC_TICKET_RADIO 1020
#define IDC_LABEL_RADIO 1021
#define IDC_EMBEDDED_RADIO 1073
#define IDC_RECEIPT_LIST 1030
#define IDC_TICKET_LIST 1031
#define IDC_LABEL_LIST 1032
#define IDC_EMBEDDED_LIST 1074
#define IDC_SET_AS_DEFAULT 1046

// Mode page: the two install modes and the lines of their explanation.
#define IDC_TYPICAL 1066
#define IDC_ADVANCED 1067
#define IDC_MODE_TEXT 1068
#define IDC_MODE_TEXT_2 1069
#define IDC_MODE_TEXT_3 1070

// System page: one radio button per TargetSystem, in that order but for the last two.
#define IDC_WIN98ME 1026
#define IDC_WINNT4 1027
#define IDC_WIN2000 1028
#define IDC_WINXP 1029
#define IDC_WIN2003 1075
#define IDC_VISTA 1076

// Port page: the port list, the five serial lists (consecutive ids), the raster-driver flag and the
// USB driver hint.
#define IDC_PORT_LIST 1049
#define IDC_BAUD_RATE 1041
#define IDC_DATA_BITS 1042
#define IDC_PARITY 1043
#define IDC_STOP_BITS 1044
#define IDC_FLOW_CONTROL 1045
#define IDC_GDI_DRIVER 1052
#define IDC_USB_HINT 1065
