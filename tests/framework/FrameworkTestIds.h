#pragma once
// Templates and control ids of the framework tests' own dialogs.
#define IDD_FW_FORM 9000
#define IDC_FW_TEXT 9001
#define IDC_FW_NUMBER 9002
#define IDC_FW_CHECK 9003
#define IDC_FW_COMBO 9004
#define IDC_FW_LABEL 9005
#define IDC_FW_LIST 9006
#define IDC_FW_ACTION 9007
#define IDC_FW_READONLY 9008
