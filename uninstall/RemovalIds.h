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
