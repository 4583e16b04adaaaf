#pragma once
// Control ids of the wizard frame, the About box and the licence page.

// Wizard frame (template 102).
#define IDC_PAGE_AREA 1001
#define IDC_BACK 1002
#define IDC_BANNER 1087

// Licence page (template 133).
#define IDC_LICENSE_TEXT 1081
#define IDC_ACCEPT 1057
#define IDC_DECLINE 1058

// The About entry of the wizard's system menu.
#define IDM_ABOUTBOX 0x0010
