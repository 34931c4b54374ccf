// Resource ids for the resource scripts. The C++ code uses the same numbers
// from ui/control_ids.h; ui/win32/resource_ids_check.cpp keeps both in step.
#pragma once

#define IDD_ABOUTBOX        100
#define IDS_ABOUTBOX        101
#define IDD_TESSARO_DIALOG  102
#define IDS_SIZE_TIP        103
#define IDS_DAMAGE_REPORT   104
#define IDS_SHOW_OUTPUT     105
#define IDS_BROWSE_IN_NAME  106
#define IDS_BROWSE_OUT_NAME 107
#define IDS_PROGRESS_NAME   108
#define IDS_PROGRESS_DAMAGED_NAME 109
#define IDS_DAMAGE_MARK     111
#define IDS_DAMAGE_MARK_TIP 112
#define IDS_EDITORS_TIP     113
#define IDR_MAINFRAME       128
#define IDD_ERRORMSG        132

#define IDC_INFO            1000
#define IDC_INFILE          1001
#define IDC_BROWSE_IN       1002
#define IDC_CONVERT         1003
#define IDC_PROGRESS        1004
#define IDC_OUTFILE         1005
#define IDC_BROWSE_OUT      1006
#define IDC_OUTPUT_SIZE     1008
#define IDC_VERSION         1009
#define IDC_SIZE_LABEL      1010
#define IDC_ERROR_MESSAGE   1011
#define IDC_COUNTDOWN       1012
#define IDC_INFO_NAME       1013
#define IDC_MESSAGE_NAME    1014
#define IDC_FOR_EDITORS     1015

#ifndef IDC_STATIC
#define IDC_STATIC          (-1)
#endif
